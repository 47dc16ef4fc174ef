// The names of OpenDocument's elements and attributes that the .ods reader
// looks for, as the XML parser reports them. With namespace processing
// (xml::Names::Expanded) a name is its namespace's URI and the local name;
// without it (xml::Names::AsWritten) it is the prefix and the local name
// as written, the prefixes bound by the document's root element. The
// second is much faster on content.xml, where every cell carries several
// prefixed names, and holds for every document that binds its prefixes
// once at the root, as LibreOffice and Gnumeric do; one that declares a
// namespace lower down, binds one of OpenDocument's namespaces to two
// prefixes or makes it the default namespace must be read with namespace
// processing.
#pragma once

#include "xml/XmlParser.h"

#include <optional>
#include <string>
#include <string_view>

namespace ods {

struct OdsNames {
    // Elements.
    std::string spreadsheet;                // office:spreadsheet
    std::string table;                      // table:table
    std::string rowGroup, headerRows, rows; // table:table-row-group, -header-rows, -rows
    std::string row;                        // table:table-row
    std::string cell, coveredCell;          // table:table-cell, table:covered-table-cell
    std::string nullDate;                   // table:null-date
    std::string paragraph;                  // text:p
    std::string spaces, tab, lineBreak;     // text:s, text:tab, text:line-break
    std::string note, rubyText;             // text:note, text:ruby-text: no part of a cell's text
    // Attributes.
    std::string tableName;                                 // table:name
    std::string nullDateValue;                             // table:date-value
    std::string rowsRepeated, columnsRepeated;             // table:number-rows-repeated, -columns-
    std::string valueType;                                 // office:value-type
    std::string value, dateValue, timeValue, booleanValue; // office:value, ...
    std::string stringValue;                               // office:string-value
    std::string calcextValueType;                          // calcext:value-type
    std::string spaceCount;                                // text:c

    // True for a name in the text namespace.
    bool isText(std::string_view name) const { return name.starts_with(m_textPrefix); }

    static OdsNames expanded();
    // The names as written, with the prefixes the root element's attributes
    // bind; nothing when they bind one of OpenDocument's namespaces as the
    // default namespace or under two prefixes.
    static std::optional<OdsNames> boundAtRoot(xml::Attributes rootAttributes);

  private:
    std::string m_textPrefix;
};

// True when `attributes` (as written) declare a namespace or a prefix.
bool declaresNamespace(xml::Attributes attributes);

} // namespace ods
