// Times the conversion run against a bare loop that writes the same bytes.
//
// Measures, in rows x mappings per processor second (median of kRepeats
// runs), on a sheet of 5000 rows x 30 columns (the code column and 29 value
// columns, a tenth of the cells empty, a third of the codes without a
// market) with 30 mappings:
//   1. the run headless, over the sheet copied the way the window copies the
//      query: every mapping walks every row, normalising its code, reading
//      its value, and saves its file;
//   2. the bare loop: the same lines built from codes normalised beforehand
//      and plain value arrays, and the same folder steps and 30 file saves;
//   3. the copy itself (field names and cell texts in presented order),
//      which the window makes once per run.
// The target is the run within 2 x the bare loop's time.
// Usage: bench_ConvertBench [output folder]
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileSystem.h"
#include "common/LineList.h"
#include "common/Text.h"
#include "convert/ConvertRun.h"
#include "convert/NormalizeStockCode.h"
#include "convert/QuoteTxtFile.h"
#include "convert/RowSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <time.h>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 9;
constexpr std::size_t kRows = 5000;
constexpr std::size_t kColumns = 30;
constexpr std::size_t kMappings = 30;
const common::CodePage kGbk(936);

struct Sheet {
    std::vector<std::string> fields;
    std::vector<std::vector<std::string>> rows;
};

Sheet makeSheet()
{
    Sheet sheet;
    sheet.fields.push_back("Code");
    for (std::size_t c = 1; c < kColumns; ++c)
        sheet.fields.push_back("Col" + std::to_string(c));
    std::mt19937 random(7);
    const char* const markets[] = {"6", "00", "30"};
    for (std::size_t r = 0; r < kRows; ++r) {
        std::vector<std::string> row;
        char code[16];
        std::snprintf(code, sizeof code, "%s%0*zu", markets[r % 3], r % 3 == 1 ? 4 : 5, r);
        row.push_back(code);
        for (std::size_t c = 1; c < kColumns; ++c) {
            if (random() % 10 == 0) {
                row.push_back(std::string());
                continue;
            }
            char value[32];
            std::snprintf(value, sizeof value, "%.2f", (random() % 1000000) / 100.0);
            row.push_back(value);
        }
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

// The window's copy of the query (convert::RowSnapshot): one string per
// cell, column after column.
class CopiedSheet : public convert::RowSource {
  public:
    explicit CopiedSheet(const Sheet& sheet) : m_fields(sheet.fields)
    {
        m_rowCount = sheet.rows.size();
        m_cells.reserve(m_rowCount * m_fields.size());
        for (std::size_t field = 0; field < m_fields.size(); ++field) {
            for (const auto& row : sheet.rows)
                m_cells.push_back(row[field]);
        }
    }
    bool isOpen() const override { return true; }
    void first() override { m_row = 0; }
    bool eof() const override { return m_row >= m_rowCount; }
    void next() override { ++m_row; }
    std::size_t fieldIndex(std::string_view name) const override
    {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (common::sameTextIgnoreCase(m_fields[i], name, kGbk))
                return i;
        }
        throw common::Error("ADOQuery1: Field '" + std::string(name) + "' not found");
    }
    std::string cellText(std::size_t field) const override { return m_cells[field * m_rowCount + m_row]; }

  private:
    std::vector<std::string> m_fields;
    std::vector<std::string> m_cells;
    std::size_t m_rowCount = 0;
    std::size_t m_row = 0;
};

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

std::string mappingName(std::size_t i)
{
    return "m" + std::to_string(i);
}

std::string mappedColumn(const Sheet& sheet, std::size_t i)
{
    return sheet.fields[1 + i % (kColumns - 1)];
}

BenchHost benchHost(const Sheet& sheet)
{
    BenchHost host;
    for (std::size_t i = 0; i < kMappings; ++i)
        host.mappings.push_back(mappedColumn(sheet, i) + "<->" + mappingName(i));
    return host;
}

void runHeadless(CopiedSheet& rows, BenchHost& host, const std::string& folder)
{
    convert::runConversion({folder, "2024/01/05", kGbk}, rows, host);
}

// The bare loop's input: each row's "CODE TAB date TAB" (empty for a code
// without a market) and the value columns, worked out before the clock starts.
struct BareInput {
    std::vector<std::string> heads;
    std::vector<std::vector<std::string>> columns; // per mapping, per row
};

BareInput prepareBare(const Sheet& sheet)
{
    BareInput input;
    for (const auto& row : sheet.rows) {
        const std::string code = convert::NormalizeStockCode(row[0]);
        input.heads.push_back(convert::hasMarketPrefix(code) ? code + "\t2024-01-05\t" : std::string());
    }
    for (std::size_t i = 0; i < kMappings; ++i) {
        const std::size_t column = 1 + i % (kColumns - 1);
        std::vector<std::string> values;
        for (const auto& row : sheet.rows)
            values.push_back(row[column]);
        input.columns.push_back(std::move(values));
    }
    return input;
}

// The same lines and files as the run, with nothing looked up: no field by
// name, no row source, no progress.
void runBare(const BareInput& input, const std::string& folder)
{
    for (std::size_t i = 0; i < input.columns.size(); ++i) {
        std::vector<std::string> lines;
        const std::vector<std::string>& values = input.columns[i];
        for (std::size_t row = 0; row < values.size(); ++row) {
            if (!input.heads[row].empty() && !values[row].empty())
                lines.push_back(input.heads[row] + values[row]);
        }
        common::changeCurrentFolder(folder);
        if (!common::folderExists("2024-01-05"))
            common::makeFolder("2024-01-05");
        common::changeCurrentFolder("2024-01-05");
        common::saveLineList(mappingName(i) + ".txt", lines);
    }
}

// Processor time of this process (user and system), not wall time: the
// figures must not depend on what else the machine is doing meanwhile.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double medianSeconds(const std::function<void()>& job)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const double start = cpuSeconds();
        job();
        times.push_back(cpuSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const std::string out = argc > 1 ? argv[1] : std::string(TARNVALE_BENCH_OUT) + "/convert";
    const std::string headlessFolder = out + "/headless";
    const std::string bareFolder = out + "/bare";
    fs::create_directories(headlessFolder);
    fs::create_directories(bareFolder);
    const Sheet sheet = makeSheet();
    const BareInput bareInput = prepareBare(sheet);

    BenchHost host = benchHost(sheet);
    CopiedSheet rows(sheet);
    // One untimed run each, so that every timed run replaces files that exist.
    runHeadless(rows, host, headlessFolder);
    runBare(bareInput, bareFolder);
    const double copy = medianSeconds([&] { CopiedSheet copied(sheet); });
    const double headless = medianSeconds([&] { runHeadless(rows, host, headlessFolder); });
    const double bare = medianSeconds([&] { runBare(bareInput, bareFolder); });

    const double work = static_cast<double>(kRows * kMappings);
    std::printf("convert %zu rows x %zu mappings\n", kRows, kMappings);
    std::printf("  headless run : %8.1f ms  %10.0f rows x mappings/s\n", headless * 1e3, work / headless);
    std::printf("  bare writes  : %8.1f ms  %10.0f rows x mappings/s\n", bare * 1e3, work / bare);
    std::printf("  run / bare   : %8.2f x (target <= 2)\n", headless / bare);
    std::printf("  sheet copy   : %8.1f ms  (the window's copy of the query, once per run)\n", copy * 1e3);
    const bool same = common::loadLineList(headlessFolder + "/2024-01-05/m7.txt") ==
                      common::loadLineList(bareFolder + "/2024-01-05/m7.txt");
    if (!same)
        std::printf("  the two runs wrote different bytes\n");
    return same ? 0 : 1;
}
