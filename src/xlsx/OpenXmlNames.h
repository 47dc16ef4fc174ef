// The namespaces and relationship types of Office Open XML workbooks, in
// both forms: transitional (what Excel, WPS, LibreOffice, Gnumeric and the
// Python writers store) and strict (Excel's "Strict Open XML" choice). A
// reader treats the two alike.
#pragma once

#include <string_view>

namespace xlsx {

// Which vocabulary an element or attribute belongs to.
enum class Vocabulary {
    Other,
    SpreadsheetMain,      // worksheets, the workbook, styles, shared strings
    Relationships,        // r:id in the workbook
    PackageRelationships, // the .rels parts
};

// An expanded name ("uri\x01local", xml::Names::Expanded) split into its
// vocabulary and local name.
struct Name {
    Vocabulary vocabulary = Vocabulary::Other;
    std::string_view local;

    bool isMain(std::string_view name) const
    {
        return vocabulary == Vocabulary::SpreadsheetMain && local == name;
    }
};

Name nameOf(const char* expanded);

// The value of the attribute `local` of the relationships vocabulary
// (r:id), or nullptr.
const char* relationshipAttribute(const char* const* attributes, std::string_view local);

// Relationship types by their last segment, which both forms share after
// their own prefix ("officeDocument", "worksheet", "styles", "sharedStrings").
// Empty when `type` has neither prefix.
std::string_view relationshipKind(std::string_view type);

// The transitional forms, which a writer uses for what it adds.
constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

} // namespace xlsx
