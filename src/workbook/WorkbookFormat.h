// How the data layer reaches a workbook file format. The connection opens a
// file through openWorkbookFile, which picks the format; queries read its
// tables and write posted rows back through WorkbookFile. Nothing above this
// header knows which format a file has. A format lives in
// src/workbook/formats (an adapter over its reader and writer) and is listed
// in formats/Formats.cpp.
#pragma once

#include "common/CodePage.h"
#include "common/FileRead.h"
#include "common/RegionalSettings.h"
#include "table/CellWrite.h"
#include "table/Table.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

// One table a workbook file offers, as the table schema lists it.
struct FileTable {
    std::string sheetName;           // system code page, as the file names it
    std::string tableType = "TABLE"; // the schema's type: a worksheet is a table
    // A worksheet's table is named as the original data layer named sheets
    // (Sheet1$, Statement.h); a text file's table by the file's name as it
    // is (quotes.csv).
    bool namedAsSheet = true;
};

// An open workbook file: its tables, read when the file was opened.
class WorkbookFile {
  public:
    virtual ~WorkbookFile() = default;

    // The tables in workbook order.
    virtual std::vector<FileTable> tables() const = 0;
    // The table at `index` in tables(). It lives as long as this object;
    // posted rows are stored into it.
    virtual table::Table& table(std::size_t index) = 0;
    // Stores `cells` (places in that table's sheet) into the file on disk.
    // Throws common::Error with the message for the user when the file
    // cannot take them; the file is then as it was.
    virtual void writeCells(std::size_t index, const std::vector<table::CellWrite>& cells) = 0;
};

class WorkbookFormat {
  public:
    virtual ~WorkbookFormat() = default;

    // True when a file's first bytes are this format's signature.
    virtual bool hasSignature(std::string_view firstBytes) const = 0;
    // True when a file name's extension (with its ".", any case) is this format's.
    virtual bool takesExtension(std::string_view extension) const = 0;
    // Reads the bytes of the file at `path` (where posted rows go back to).
    // Throws common::Error whose text is the reason the file cannot be read.
    virtual std::unique_ptr<WorkbookFile> open(const std::string& path, const common::FileBytes& bytes,
                                               const common::CodePage& codePage,
                                               const common::RegionalSettings& settings) const = 0;
};

// The format for the file at `path` whose bytes begin with `firstBytes`: the
// one whose signature they carry, else the one its extension names, else
// the .xls format, which then says what is wrong with the file.
const WorkbookFormat& formatFor(std::string_view path, std::string_view firstBytes,
                                const common::CodePage& codePage);

// Opens the workbook file at `path` with its format. Throws common::Error
// kCannotOpenWorkbook (WorkbookMessages.h) with the reason.
std::unique_ptr<WorkbookFile> openWorkbookFile(const std::string& path, const common::CodePage& codePage,
                                               const common::RegionalSettings& settings);

} // namespace workbook
