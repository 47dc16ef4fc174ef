#include "ods/OdsNames.h"

#include <array>
#include <cstring>

namespace ods {

namespace {

enum Namespace { kOffice, kTable, kText, kCalcext, kNamespaceCount };

constexpr std::array<std::string_view, kNamespaceCount> kUris{
    "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
    "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0",
};

// What names of a namespace begin with, per namespace; a namespace the
// document does not bind gets a beginning no name can have.
using Beginnings = std::array<std::string, kNamespaceCount>;

const std::string kUnbound = "\x01unbound:";

OdsNames namesFrom(const Beginnings& begin)
{
    auto name = [&begin](Namespace space, const char* local) { return begin[space] + local; };
    OdsNames names;
    names.spreadsheet = name(kOffice, "spreadsheet");
    names.table = name(kTable, "table");
    names.rowGroup = name(kTable, "table-row-group");
    names.headerRows = name(kTable, "table-header-rows");
    names.rows = name(kTable, "table-rows");
    names.row = name(kTable, "table-row");
    names.cell = name(kTable, "table-cell");
    names.coveredCell = name(kTable, "covered-table-cell");
    names.nullDate = name(kTable, "null-date");
    names.paragraph = name(kText, "p");
    names.spaces = name(kText, "s");
    names.tab = name(kText, "tab");
    names.lineBreak = name(kText, "line-break");
    names.note = name(kText, "note");
    names.rubyText = name(kText, "ruby-text");
    names.tableName = name(kTable, "name");
    names.nullDateValue = name(kTable, "date-value");
    names.rowsRepeated = name(kTable, "number-rows-repeated");
    names.columnsRepeated = name(kTable, "number-columns-repeated");
    names.valueType = name(kOffice, "value-type");
    names.value = name(kOffice, "value");
    names.dateValue = name(kOffice, "date-value");
    names.timeValue = name(kOffice, "time-value");
    names.booleanValue = name(kOffice, "boolean-value");
    names.stringValue = name(kOffice, "string-value");
    names.calcextValueType = name(kCalcext, "value-type");
    names.spaceCount = name(kText, "c");
    return names;
}

int namespaceOf(std::string_view uri)
{
    for (int space = 0; space < kNamespaceCount; ++space)
        if (kUris[space] == uri)
            return space;
    return -1;
}

} // namespace

OdsNames OdsNames::expanded()
{
    Beginnings begin;
    for (int space = 0; space < kNamespaceCount; ++space)
        begin[space] = std::string(kUris[space]) + xml::kNamespaceSeparator;
    OdsNames names = namesFrom(begin);
    names.m_textPrefix = begin[kText];
    return names;
}

std::optional<OdsNames> OdsNames::boundAtRoot(xml::Attributes rootAttributes)
{
    Beginnings begin;
    begin.fill(kUnbound);
    for (xml::Attributes attribute = rootAttributes; *attribute; attribute += 2) {
        const std::string_view name(attribute[0]);
        if (!name.starts_with("xmlns"))
            continue;
        const int space = namespaceOf(attribute[1]);
        if (space < 0)
            continue;
        if (name.size() == 5 || name[5] != ':' || begin[space] != kUnbound)
            return std::nullopt; // the default namespace, or a second prefix
        begin[space] = std::string(name.substr(6)) + ':';
    }
    OdsNames names = namesFrom(begin);
    names.m_textPrefix = begin[kText];
    return names;
}

bool declaresNamespace(xml::Attributes attributes)
{
    for (; *attributes; attributes += 2)
        if (std::strncmp(attributes[0], "xmlns", 5) == 0 &&
            (attributes[0][5] == '\0' || attributes[0][5] == ':'))
            return true;
    return false;
}

} // namespace ods
