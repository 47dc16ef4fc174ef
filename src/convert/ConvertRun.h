// The conversion run: for every complete mapping line, one QuoteTxtFile of
// the rows whose code is a Shanghai or Shenzhen code and whose mapped cell is
// not empty, saved as <save folder>/<date text>/<custom data name>.txt.
#pragma once

#include "common/CodePage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace convert {

class RowSource;

struct WrittenFile {
    std::string path; // save folder + date text + name + ".txt"
    std::size_t lineCount = 0;
    // The rows that gave no line: a code that is neither Shanghai's nor
    // Shenzhen's, or (with such a code) an empty cell in the mapped column.
    std::size_t rowsWithoutMarket = 0;
    std::size_t rowsWithEmptyValue = 0;
};

// What the run asks of its caller. The window implements it over its
// controls; tests and the command line over plain values.
class ConvertHost {
  public:
    virtual ~ConvertHost() = default;

    // The mapping list. The run reads the count and every line once, at its
    // start, so edits to the list during the run change nothing of it.
    virtual std::size_t mappingCount() = 0;
    virtual std::string mappingLine(std::size_t index) = 0;
    // The code column's name; read once, at the start, for the same reason.
    virtual std::string codeColumn() = 0;
    // Called before every row (the window processes its events here).
    virtual void beforeRow() {}
    // "正在转换<" + column + ">:" + line count, system code page; for every row.
    virtual void progress(const std::string& text) = 0;
    // The preview's data source: off at the start, on again at the end, also
    // when an error ends the run. Must not throw.
    virtual void setDataSourceEnabled(bool on) { (void)on; }
    // A mapping's file has been written.
    virtual void fileWritten(const WrittenFile& file) { (void)file; }
};

struct ConvertOptions {
    // A relative folder is taken against the current folder at the start of
    // the run; the run itself moves the current folder into date folders.
    std::string saveFolder;
    // The date field's text; every "/" becomes "-" to give the date text.
    std::string quoteDate;
    common::CodePage codePage;
};

// The date text: the quote-date text with every "/" replaced by "-".
std::string dateTextOf(const std::string& quoteDate, const common::CodePage& codePage);

// Runs the conversion over `rows`, which must stay unchanged for the length
// of the run (the window hands in a RowSnapshot). Leaves the current folder
// at the date folder of the last file written. Throws common::Error: the
// data layer's "Field '...' not found" at the first row of a mapping whose
// column (or the code column) is missing, the I/O error of entering the save
// folder or making or entering the date folder, the file-create error; files
// written before stay, the one in progress is not written. A failing file
// step leaves with where it happened (common/ErrorWhere.h).
std::vector<WrittenFile> runConversion(const ConvertOptions& options, RowSource& rows, ConvertHost& host);

} // namespace convert
