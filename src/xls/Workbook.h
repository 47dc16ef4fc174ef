// An opened .xls workbook: its worksheets as tables, in workbook order. Built
// once when the connection opens; posted edits change the tables in memory.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "table/Table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

struct Sheet {
    std::string name; // system code page
    bool hidden = false;
    std::unique_ptr<table::Table> table;
};

class Workbook {
  public:
    // Reads a whole .xls file's bytes, which are needed only during the
    // call. Texts are converted to `codePage`; header cells that hold
    // numbers or dates are named by their texts under `settings`. Throws
    // common::Error whose text is the reason (ReadMessages.h) the file
    // cannot be read.
    static std::unique_ptr<Workbook> read(std::string_view bytes, const common::CodePage& codePage,
                                          const common::RegionalSettings& settings);

    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    int biffVersion() const { return m_biffVersion; }
    // Worksheets only (chart sheets, macro sheets and modules are left out).
    const std::vector<Sheet>& sheets() const { return m_sheets; }
    Sheet& sheet(std::size_t index) { return m_sheets.at(index); }
    const std::vector<std::string>& texts() const { return m_texts; }

  private:
    Workbook() = default;
    void load(std::string_view bytes, const common::CodePage& codePage,
              const common::RegionalSettings& settings);
    void loadStream(std::string_view stream, const common::CodePage& codePage,
                    const common::RegionalSettings& settings);

    int m_biffVersion = 8;
    std::vector<std::string> m_texts; // the shared strings first, then every other cell text
    std::vector<Sheet> m_sheets;
};

} // namespace xls
