// An opened .xlsx or .xlsm workbook: its worksheets as tables, in workbook
// order. Built once when the connection opens; posted edits change the
// tables in memory.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "table/Table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

struct Sheet {
    std::string name; // system code page
    std::unique_ptr<table::Table> table;
};

class Workbook {
  public:
    // Reads a whole package's bytes, which are needed only during the call;
    // the worksheet parts are inflated and parsed as a stream, so memory
    // goes with the tables, not with the XML. Texts are converted from
    // UTF-8 to `codePage`; header cells that hold numbers or dates are named
    // by their texts under `settings`. Throws common::Error whose text is the
    // reason the file cannot be read.
    static std::unique_ptr<Workbook> read(std::string_view bytes, const common::CodePage& codePage,
                                          const common::RegionalSettings& settings);

    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Worksheets only (chart sheets, dialog and macro sheets are left out).
    const std::vector<Sheet>& sheets() const { return m_sheets; }
    Sheet& sheet(std::size_t index) { return m_sheets.at(index); }
    const std::vector<std::string>& texts() const { return m_texts; }

  private:
    Workbook() = default;
    void load(std::string_view bytes, const common::CodePage& codePage,
              const common::RegionalSettings& settings);

    std::vector<std::string> m_texts; // the shared strings first, then every other cell text
    std::vector<Sheet> m_sheets;
};

} // namespace xlsx
