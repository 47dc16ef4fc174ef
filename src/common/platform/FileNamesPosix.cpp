// The POSIX rules for file names: "/" is the one delimiter.
#include "common/FileNames.h"

namespace common {

char pathSeparator()
{
    return '/';
}

bool isDelimiterByte(char byte)
{
    return byte == '/';
}

bool isAbsolutePath(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

bool isUnsafeEntryName(std::string_view name, const CodePage&)
{
    if (name == "." || name == "..")
        return true;
    // The kernel splits at a "/" byte even where it follows a lead byte, and
    // a NUL byte would cut the name short.
    for (char c : name) {
        if (c == '/' || c == '\0')
            return true;
    }
    return false;
}

} // namespace common
