// File-name operations, double-byte aware. The delimiters are the platform's
// path delimiters ("/" on POSIX; "\" and ":" on Windows).
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace common {

// The separator put between a folder and a name ("/" on POSIX, "\" on Windows).
char pathSeparator();
// True for a byte value that delimits folders where it is not a trail byte.
bool isDelimiterByte(char byte);
// True for a path that does not depend on the current folder (on Windows
// "X:\..." or "\\server\share\...", not "\x" or "X:x").
bool isAbsolutePath(std::string_view path);
// True for a byte that delimits folders in a path (never a trail byte).
bool isPathDelimiter(std::string_view text, std::size_t index, const CodePage& codePage);

// Up to and including the last delimiter; empty when there is none.
std::string folderPart(std::string_view path, const CodePage& codePage);
// After the last delimiter; the whole text when there is none.
std::string namePart(std::string_view path, const CodePage& codePage);
// From the last "." to the end, provided no delimiter follows it; else empty.
std::string extensionPart(std::string_view path, const CodePage& codePage);

// True when `name` cannot stand as one entry of a folder: it holds a byte at
// which the system splits names, or a NUL byte, or it is "." or "..". Such
// names are refused with I/O error 123 so that no file is ever written
// outside the folder meant (or, on Windows, into a stream of another file:
// "a:b"). A POSIX kernel knows nothing of double-byte characters and splits
// at every "/" byte, a trail byte too; Windows splits at "\", "/" and ":"
// only where they are characters of their own.
bool isUnsafeEntryName(std::string_view name, const CodePage& codePage);

} // namespace common
