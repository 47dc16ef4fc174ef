#include "common/LineList.h"

#include "common/Error.h"
#include "common/FileRead.h"
#include "common/FileReplace.h"
#include "common/FileSystem.h"

namespace common {

namespace {

[[noreturn]] void throwCreateError(const std::string& path, const std::string& systemText)
{
    throw Error("Cannot create file \"" + fullPathName(path) + "\". " + systemText);
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

std::vector<std::string> splitLineList(std::string_view bytes)
{
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

void saveLineList(const std::string& path, const std::vector<std::string>& lines)
{
    ReplaceOptions options;
    // A folder the user may not add files to still lets a file in it that
    // the user may write be saved, as a plain save would.
    options.overwriteWhenFolderIsClosed = true;
    const std::optional<ReplaceFailure> failure = replaceFile(path, joinLines(lines), options);
    if (!failure)
        return;
    switch (failure->step) {
    case ReplaceFailure::Step::Write:
    case ReplaceFailure::Step::Check:
        throw Error(kStreamWriteError);
    case ReplaceFailure::Step::Target:
    case ReplaceFailure::Step::Temporary:
    case ReplaceFailure::Step::Rename:
        break;
    }
    throwCreateError(path, failure->text);
}

std::vector<std::string> loadLineList(const std::string& path)
{
    std::optional<InputFile> file;
    try {
        file.emplace(path);
    } catch (const Error& error) {
        throw Error("Cannot open file \"" + fullPathName(path) + "\". " + error.systemText());
    }
    FileBytes bytes;
    try {
        bytes = file->readAll();
    } catch (const Error&) {
        throw Error(kStreamReadError);
    }
    return splitLineList(bytes.view());
}

} // namespace common
