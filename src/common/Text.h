// Byte-string text operations. Texts are bytes in the system code page;
// lengths and positions count bytes, positions start at 1.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace common {

// Position of the first byte of the first occurrence of `pattern` in `text`,
// from 1; 0 when it does not occur or either is empty. Not double-byte aware.
std::size_t textPos(std::string_view pattern, std::string_view text);

// `count` bytes of `text` from `start` (1-based). A start below 1 counts as 1;
// a start past the end or a count of 0 or less gives the empty text; a count
// reaching past the end is cut there.
std::string textCopy(std::string_view text, long long start, long long count);

// Every occurrence of `from`, left to right and without overlaps, replaced by
// `to`. Double-byte aware: an occurrence may not begin on a trail byte.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to,
                       const CodePage& codePage);

// `text` without the bytes of `blanks` at its start and end (ASCII blanks:
// no double-byte character ends in one).
std::string_view trimmed(std::string_view text, std::string_view blanks = " ");

// Bytes 'a'..'z' become 'A'..'Z'; every other byte is kept.
std::string upperAscii(std::string_view text);

// The locale's case-insensitive comparison: ASCII letters, and for single-byte
// code pages the letters of that code page, compare without regard to case;
// double-byte characters compare exactly.
bool sameTextIgnoreCase(std::string_view a, std::string_view b, const CodePage& codePage);

} // namespace common
