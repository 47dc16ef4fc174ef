// Shared by the workbook tests: fixed settings, fixture opening and whole
// tables as texts, so that tests compare exact bytes.
#pragma once

#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "support/TestSupport.h"
#include "xls/Workbook.h"

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace workbook_testing {

inline const common::CodePage kUtf8{65001};
// The year the tests pin for two-digit years and dates without a year.
inline const common::CurrentYear kTestYear = common::fixedYear(2026);
inline const common::CodePage kGbk{936};

// A Chinese locale's settings: year first, "-" between the date parts.
inline common::RegionalSettings chineseSettings()
{
    common::RegionalSettings settings;
    settings.dateSeparator = '-';
    settings.shortDateFormat = "yyyy-m-d";
    settings.timeSeparator = ':';
    settings.decimalSeparator = '.';
    return settings;
}

// The workbook at `path`, read by the .xls reader alone.
inline std::unique_ptr<xls::Workbook>
readWorkbook(const std::string& path, const common::CodePage& codePage = kUtf8,
             const common::RegionalSettings& settings = chineseSettings())
{
    return xls::Workbook::read(testing_support::readBytes(path), codePage, settings);
}

inline std::unique_ptr<xls::Workbook>
openFixture(const std::string& name, const common::CodePage& codePage = kUtf8,
            const common::RegionalSettings& settings = chineseSettings())
{
    return readWorkbook(testing_support::dataPath(name), codePage, settings);
}

inline const table::Table& tableOf(const xls::Workbook& book, const std::string& sheetName)
{
    for (const xls::Sheet& sheet : book.sheets())
        if (sheet.name == sheetName)
            return *sheet.table;
    throw std::runtime_error("no sheet " + sheetName);
}

// The field names, then every row's cell texts.
inline std::vector<std::vector<std::string>>
tableTexts(const table::Table& table, const common::RegionalSettings& settings = chineseSettings())
{
    std::vector<std::vector<std::string>> rows(1);
    for (const table::Field& field : table.fields())
        rows[0].push_back(field.name);
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        rows.emplace_back();
        for (std::size_t f = 0; f < table.fieldCount(); ++f)
            rows.back().push_back(table.cellText(r, f, settings));
    }
    return rows;
}

// Every table of a workbook: its name, field types, place and texts.
struct TableView {
    std::string name;
    std::vector<table::FieldType> types;
    std::uint32_t headerRow;
    std::uint16_t firstColumn;
    std::vector<std::vector<std::string>> texts;
    bool operator==(const TableView&) const = default;
};

inline void PrintTo(const TableView& view, std::ostream* out)
{
    *out << view.name << " at " << view.headerRow << "," << view.firstColumn << ":";
    for (const auto& row : view.texts) {
        *out << "\n ";
        for (const auto& text : row)
            *out << " [" << text << "]";
    }
}

template <typename Sheets> std::vector<TableView> viewsOf(const Sheets& sheets)
{
    std::vector<TableView> views;
    for (const auto& sheet : sheets) {
        TableView view{
            sheet.name, {}, sheet.table->headerRow(), sheet.table->firstColumn(), tableTexts(*sheet.table)};
        for (const table::Field& field : sheet.table->fields())
            view.types.push_back(field.type);
        views.push_back(std::move(view));
    }
    return views;
}

} // namespace workbook_testing
