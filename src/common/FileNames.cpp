#include "common/FileNames.h"

namespace common {

namespace {

// Walks `path` a character at a time (a lead byte and its trail byte being
// one character) and reports the index of the last delimiter and of the last
// "." that is not a trail byte; npos when there is none.
struct PathMarks {
    std::size_t lastDelimiter = std::string_view::npos;
    std::size_t lastDot = std::string_view::npos;
};

PathMarks scanPath(std::string_view path, const CodePage& codePage)
{
    PathMarks marks;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (codePage.isLeadByte(byte)) {
            ++i; // the trail byte is never a delimiter, whatever its value
            continue;
        }
        if (isDelimiterByte(static_cast<char>(byte)))
            marks.lastDelimiter = i;
        else if (byte == '.')
            marks.lastDot = i;
    }
    return marks;
}

} // namespace

bool isPathDelimiter(std::string_view text, std::size_t index, const CodePage& codePage)
{
    return index < text.size() && isDelimiterByte(text[index]) && !isTrailByte(text, index, codePage);
}

std::string folderPart(std::string_view path, const CodePage& codePage)
{
    const PathMarks marks = scanPath(path, codePage);
    if (marks.lastDelimiter == std::string_view::npos)
        return {};
    return std::string(path.substr(0, marks.lastDelimiter + 1));
}

std::string namePart(std::string_view path, const CodePage& codePage)
{
    const PathMarks marks = scanPath(path, codePage);
    if (marks.lastDelimiter == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(marks.lastDelimiter + 1));
}

std::string extensionPart(std::string_view path, const CodePage& codePage)
{
    const PathMarks marks = scanPath(path, codePage);
    if (marks.lastDot == std::string_view::npos ||
        (marks.lastDelimiter != std::string_view::npos && marks.lastDelimiter > marks.lastDot))
        return {};
    return std::string(path.substr(marks.lastDot));
}

} // namespace common
