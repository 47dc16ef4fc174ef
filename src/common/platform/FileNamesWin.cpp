// The Windows rules for file names: "\" and ":" delimit; "X:\" and "\\"
// begin a path of its own.
#include "common/FileNames.h"

namespace common {

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The system takes "/" for "\" too, though no name splitting here does.
bool isSlash(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

char pathSeparator()
{
    return '\\';
}

bool isDelimiterByte(char byte)
{
    return byte == '\\' || byte == ':';
}

bool isAbsolutePath(std::string_view path)
{
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1]))
        return true;
    return path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && isSlash(path[2]);
}

bool isUnsafeEntryName(std::string_view name, const CodePage& codePage)
{
    // A NUL byte would cut the name short wherever it stands.
    if (name == "." || name == ".." || name.find('\0') != std::string_view::npos)
        return true;
    // The ANSI functions turn the name into Unicode first, so a trail byte
    // of the value of "\" is part of its character and splits nothing; "/"
    // and ":" are below every code page's trail bytes and always split.
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte == '/' || byte == ':' || (byte == '\\' && !isTrailByte(name, i, codePage)))
            return true;
    }
    return false;
}

} // namespace common
