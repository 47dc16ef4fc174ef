// What the workbook and conversion benchmarks share: a sheet opened as the
// window opens it (code page 936, default settings), every cell text read
// as the conversion reads it, and a conversion host with N mappings.
#pragma once

#include "convert/ConvertRun.h"
#include "workbook/Connection.h"
#include "workbook/Query.h"

#include <string>
#include <vector>

namespace bench {

// The sheet `table` of the workbook at `path`, its query open.
struct OpenSheet {
    OpenSheet(const std::string& path, const std::string& table);

    workbook::Connection connection;
    workbook::Query query{connection};
};

// Every cell's text, row by row from the first; returns their total length,
// so that no work can be skipped.
std::size_t readEveryCellText(workbook::Query& query);

// A conversion host whose code column is "Code" and whose mappings are
// given; progress is not shown.
class BenchHost : public convert::ConvertHost {
  public:
    std::vector<std::string> mappings;
    std::size_t mappingCount() override { return mappings.size(); }
    std::string mappingLine(std::size_t index) override { return mappings.at(index); }
    std::string codeColumn() override { return "Code"; }
    void progress(const std::string& text) override { m_last = text; }

  private:
    std::string m_last;
};

// "m<i>", the custom-data name of mapping i.
std::string mappingName(std::size_t i);
// The value field of mapping i: 1 .. fieldCount - 1, then 1 again.
std::size_t mappedField(std::size_t i, std::size_t fieldCount);
// `count` mappings of the query's value fields to mappingName(i).
BenchHost benchHost(const workbook::Query& query, std::size_t count);

} // namespace bench
