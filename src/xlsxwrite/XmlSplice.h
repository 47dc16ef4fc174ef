// Changing an XML document by its bytes: what is not changed stays exactly
// as the writer wrote it (namespaces, prefixes, extensions this program
// knows nothing of), and only the places changed are written anew.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace xlsxwrite {

// Replaces bytes [begin, end) of a document with `text`; begin == end inserts.
struct Splice {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

// The document with every splice made. Splices must not overlap; those at
// the same place go in the order given.
std::string applySplices(std::string_view document, std::vector<Splice> splices);

// The element name's prefix with its colon ("x:") as a tag written at
// `tag` ("<x:sheetData ...") has it, or "" for none.
std::string prefixOfTag(std::string_view tag);

// A start tag ("<row r=\"5\" spans=\"1:3\">") with the value of attribute
// `name` set to `value` (added when the tag has none).
std::string withAttribute(std::string_view tag, std::string_view name, std::string_view value);
// The value of attribute `name` in a start tag, or false when it has none.
bool attributeOfTag(std::string_view tag, std::string_view name, std::string& value);

// An empty-element tag ("<row r=\"5\"/>") as a start tag ("<row r=\"5\">").
std::string openedTag(std::string_view emptyElementTag);

// `text` as element content: "&", "<" and ">" as entities.
std::string escapeContent(std::string_view text);

// A SpreadsheetML text element ("<t>..</t>", the element name after
// `prefix`) holding `text` (UTF-8): escaped, and marked to keep its spaces
// when it begins or ends with white space, which readers drop otherwise.
std::string textElement(const std::string& prefix, std::string_view text);

} // namespace xlsxwrite
