#include "app/win32/FileDialogText.h"

#include "common/FileNames.h"

#include <cstring>

namespace win32 {

std::string dialogFilter(const std::string& filter)
{
    std::string result = filter;
    for (char& c : result) {
        if (c == '|')
            c = '\0';
    }
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

std::vector<std::string> chosenFiles(const char* buffer, std::size_t size, const common::CodePage& codePage)
{
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < size && buffer[at] != '\0') {
        const std::size_t length = strnlen(buffer + at, size - at);
        names.emplace_back(buffer + at, length);
        at += length + 1;
    }
    if (names.size() <= 1)
        return names;
    // A folder, then the names in it.
    std::string folder = names.front();
    // A drive root ends in its "\"; a trail byte 0x5C of a GBK character does not count.
    if (!common::isPathDelimiter(folder, folder.size() - 1, codePage) || folder.back() != '\\')
        folder.push_back('\\');
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < names.size(); ++i)
        paths.push_back(folder + names[i]);
    return paths;
}

std::optional<std::string> typedFolder(const std::string& typed, const std::string& selected,
                                       const common::CodePage& codePage)
{
    if (typed.empty() || typed == selected || typed == common::namePart(selected, codePage))
        return std::nullopt;
    if (common::isAbsolutePath(typed) || selected.empty())
        return typed;
    std::string path = selected;
    if (!common::isPathDelimiter(path, path.size() - 1, codePage))
        path += '\\';
    return path + typed;
}

} // namespace win32
