// The line-list split on any bytes against a plain model, and a save-and-load
// round trip of the lines it gave.
#include "common/LineList.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> modelSplit(const std::string& input)
{
    const std::string bytes = input.substr(0, input.find('\0'));
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string tempPath()
{
    static std::string path = [] {
        char pattern[] = "/tmp/tarnvale-fuzz-list-XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        return std::string(pattern) + "/list.txt";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = common::splitLineList(bytes);
    if (lines != modelSplit(bytes))
        std::abort();
    const std::string path = tempPath();
    common::saveLineList(path, lines);
    if (common::loadLineList(path) != lines)
        std::abort();
    return 0;
}
