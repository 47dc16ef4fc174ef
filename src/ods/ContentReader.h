// The sheets of an OpenDocument spreadsheet's content.xml, streamed: each
// cell that holds a value goes to a sink as it is parsed, so the document
// is never held as XML. OpenDocument gives no cell an address: a cell's
// place is counted from the rows and cells before it, and one element may
// stand for a run of equal cells or rows (number-columns-repeated,
// number-rows-repeated). A run is expanded only where it holds a value, so
// the empty runs that fill a sheet to its last row and column cost
// nothing; the sink bounds how many cells the runs with values may make.
#pragma once

#include "common/CodePage.h"
#include "table/Cell.h"
#include "xml/XmlParser.h"
#include "zip/ZipArchive.h"

#include <cstdint>
#include <string>

namespace ods {

// The part that holds the sheets.
constexpr const char* kContentPart = "content.xml";

class SheetSink {
  public:
    virtual ~SheetSink() = default;
    // A sheet begins; `name` in the system code page.
    virtual void beginSheet(std::string name) = 0;
    // A cell with a value, at its 0-based place: rows from top to bottom,
    // cells of a row from left to right. Numbers, dates and times, booleans,
    // error values, and texts as indexes that addText gave.
    virtual void addCell(std::uint32_t row, std::uint16_t column, const table::Cell& cell) = 0;
    virtual void endSheet() = 0;
    // Keeps a cell's text (in the system code page) and returns its index.
    virtual std::uint32_t addText(std::string text) = 0;
};

// Thrown when a document read with xml::Names::AsWritten binds its
// prefixes in a way that needs namespace processing (OdsNames.h): nothing
// it reported to the sink so far counts, and it must be read again with
// xml::Names::Expanded.
struct NeedsNamespaceProcessing {};

// Reads the sheets of content.xml. Texts are converted from UTF-8 to
// `codePage`. Throws common::Error naming the part, and the sheet and cell
// where there is one, for damaged XML or zip data, a cell with a value
// beyond the last row or column a sheet can hold, or a value that is not
// what its type says.
void readContent(const zip::Archive& archive, const common::CodePage& codePage, SheetSink& sink,
                 xml::Names names);

} // namespace ods
