// A table standing in for the sheet query, and a host that records what the
// run tells it, for driving the conversion without a workbook.
#pragma once

#include "common/Error.h"
#include "convert/ConvertRun.h"
#include "convert/RowSource.h"

#include <functional>
#include <string>
#include <vector>

namespace convert_test {

// Field names compare ignoring ASCII case; a missing one throws the data
// layer's message for a query called ADOQuery1.
class FakeSheet : public convert::RowSource {
  public:
    FakeSheet(std::vector<std::string> fields, std::vector<std::vector<std::string>> rows)
        : m_fields(std::move(fields)), m_rows(std::move(rows))
    {
    }

    bool isOpen() const override { return true; }
    void first() override { m_row = 0; }
    bool eof() const override { return m_row >= m_rows.size(); }
    void next() override { ++m_row; }
    std::size_t fieldIndex(std::string_view name) const override
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (sameIgnoringCase(m_fields[i], name))
                return i;
        }
        throw common::Error("ADOQuery1: Field '" + std::string(name) + "' not found");
    }
    std::string cellText(std::size_t field) const override { return m_rows.at(m_row).at(field); }

  private:
    static bool sameIgnoringCase(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        return true;
    }

    std::vector<std::string> m_fields;
    std::vector<std::vector<std::string>> m_rows;
    std::size_t m_row = 0;
};

class FakeHost : public convert::ConvertHost {
  public:
    std::vector<std::string> mappings;
    std::string code = "Code";
    std::function<void()> onRow;
    std::vector<std::string> progressTexts;
    std::vector<bool> dataSourceSwitches;
    int rowsSeen = 0;

    std::size_t mappingCount() override { return mappings.size(); }
    std::string mappingLine(std::size_t index) override { return mappings.at(index); }
    std::string codeColumn() override { return code; }
    void beforeRow() override
    {
        ++rowsSeen;
        if (onRow)
            onRow();
    }
    void progress(const std::string& text) override { progressTexts.push_back(text); }
    void setDataSourceEnabled(bool on) override { dataSourceSwitches.push_back(on); }
};

} // namespace convert_test
