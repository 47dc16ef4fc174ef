// The line reader over a real file holding the input, compared line by line
// with a plain model of the reading rules.
#include "common/TextFileReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// LF ends a line, CR is dropped, Ctrl+Z ends a line's text (the rest of that
// line is skipped) and, at a line's start, the file.
std::vector<std::string> modelLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] != '\x1A') {
        std::string line;
        while (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\x1A') {
            if (bytes[i] != '\r')
                line += bytes[i];
            ++i;
        }
        if (i < bytes.size() && bytes[i] == '\x1A') {
            while (i < bytes.size() && bytes[i] != '\n')
                ++i;
        }
        if (i < bytes.size())
            ++i; // the LF
        lines.push_back(line);
    }
    return lines;
}

std::string tempPath()
{
    static std::string path = [] {
        char pattern[] = "/tmp/tarnvale-fuzz-reader-XXXXXX";
        const int fd = ::mkstemp(pattern);
        if (fd < 0)
            std::abort();
        ::close(fd);
        return std::string(pattern);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = tempPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        std::abort();
    common::TextFileReader reader(path);
    std::vector<std::string> lines;
    while (!reader.atEnd())
        lines.push_back(reader.readLine());
    if (lines != modelLines(bytes))
        std::abort();
    return 0;
}
