// An opened OpenDocument spreadsheet (.ods): its sheets as tables, in
// document order. Built once when the connection opens; the format takes
// no posted rows.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "table/Table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ods {

struct Sheet {
    std::string name; // system code page
    std::unique_ptr<table::Table> table;
};

class Workbook {
  public:
    // Reads a whole package's bytes, which are needed only during the call;
    // content.xml is inflated and parsed as a stream, so memory goes with
    // the tables, not with the XML. Texts are converted from UTF-8 to
    // `codePage`; header cells that hold numbers or dates are named by their
    // texts under `settings`. Throws common::Error whose text is the reason
    // the file cannot be read.
    static std::unique_ptr<Workbook> read(std::string_view bytes, const common::CodePage& codePage,
                                          const common::RegionalSettings& settings);

    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const std::vector<Sheet>& sheets() const { return m_sheets; }
    const std::vector<std::string>& texts() const { return m_texts; }

  private:
    Workbook() = default;
    void load(std::string_view bytes, const common::CodePage& codePage,
              const common::RegionalSettings& settings);

    std::vector<std::string> m_texts; // every cell text of every sheet
    std::vector<Sheet> m_sheets;
};

} // namespace ods
