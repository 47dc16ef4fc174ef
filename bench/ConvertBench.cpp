// Times the conversion run against a bare loop that writes the same bytes.
//
// Measures, in rows x mappings per processor second (median of kRepeats
// runs), on the 5000-row x 30-column fixture tests/data/Large.xls (Code, then
// V01..V29) with 30 mappings (V01..V29, then V01 again under another name):
//   1. the run over the window's copy of the query (convert::RowSnapshot):
//      every mapping walks every row, normalising its code, reading its
//      value, and saves its file;
//   2. the same over the live query (what tarnvale-cli does);
//   3. the bare loop: the same lines built from codes normalised beforehand
//      and plain value arrays, the same folder steps and 30 file saves;
//   4. the copy itself, which the window makes once per run.
// The target is the run within 2 x the bare loop's time. Processor time, not
// wall time, so that other work on the machine does not show in the figures.
// Usage: bench_ConvertBench [output folder]
#include "common/Clock.h"
#include "common/CodePage.h"
#include "common/FileSystem.h"
#include "common/LineList.h"
#include "convert/ConvertRun.h"
#include "convert/NormalizeStockCode.h"
#include "convert/QueryRowSource.h"
#include "support/BenchWorkbook.h"
#include "support/Timing.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <time.h>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 9;
constexpr std::size_t kMappings = 30;
const common::CodePage kGbk(936);

std::string fixturePath()
{
    return (fs::path(__FILE__).parent_path().parent_path() / "tests" / "data" / "Large.xls").string();
}

using bench::BenchHost;
using bench::mappedField;
using bench::mappingName;

void runOver(convert::RowSource& rows, BenchHost& host, const std::string& folder)
{
    convert::runConversion({folder, "2024/01/05", kGbk}, rows, host);
}

// The bare loop's input: each row's "CODE TAB date TAB" (empty for a code
// without a market) and the value column of every mapping.
struct BareInput {
    std::vector<std::string> heads;
    std::vector<std::vector<std::string>> columns;
};

BareInput prepareBare(const workbook::Query& query)
{
    BareInput input;
    for (std::size_t row = 0; row < query.rowCount(); ++row) {
        const std::string code = convert::NormalizeStockCode(query.cellText(row, 0));
        input.heads.push_back(convert::hasMarketPrefix(code) ? code + "\t2024-01-05\t" : std::string());
    }
    for (std::size_t i = 0; i < kMappings; ++i) {
        std::vector<std::string> values;
        for (std::size_t row = 0; row < query.rowCount(); ++row)
            values.push_back(query.cellText(row, mappedField(i, query.fields().size())));
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
    return bench::median(times);
}

void report(const char* what, double seconds, double work)
{
    std::printf("  %-22s %8.1f ms  %10.0f rows x mappings/s\n", what, seconds * 1e3, work / seconds);
}

} // namespace

int main(int argc, char** argv)
{
    // Absolute before anything runs: every run moves the current folder into
    // a date folder, and takes a relative save folder against it.
    const std::string out =
        fs::absolute(argc > 1 ? std::string(argv[1]) : std::string(TARNVALE_BENCH_OUT) + "/convert").string();
    const std::string copyFolder = out + "/copy";
    const std::string liveFolder = out + "/live";
    const std::string bareFolder = out + "/bare";
    for (const std::string& folder : {copyFolder, liveFolder, bareFolder})
        fs::create_directories(folder);

    workbook::Connection connection(kGbk, common::RegionalSettings{}, common::currentLocalYear);
    connection.setConnectionString(workbook::connectionStringFor(fixturePath()));
    connection.open();
    workbook::Query query(connection);
    query.setStatement(workbook::selectAllFrom(connection.tables().front().tableName));
    query.open();

    BenchHost host = bench::benchHost(query, kMappings);
    const BareInput bareInput = prepareBare(query);
    convert::RowSnapshot copied(query, kGbk);
    convert::QueryRowSource live(query);
    // One untimed run each, so that every timed run replaces files that exist.
    runOver(copied, host, copyFolder);
    runOver(live, host, liveFolder);
    runBare(bareInput, bareFolder);
    const double copyRun = medianSeconds([&] { runOver(copied, host, copyFolder); });
    const double liveRun = medianSeconds([&] { runOver(live, host, liveFolder); });
    const double bare = medianSeconds([&] { runBare(bareInput, bareFolder); });
    const double copy = medianSeconds([&] { convert::RowSnapshot again(query, kGbk); });

    const double work = static_cast<double>(query.rowCount() * kMappings);
    std::printf("convert %zu rows x %zu fields, %zu mappings\n", query.rowCount(), query.fields().size(),
                kMappings);
    report("run over the copy", copyRun, work);
    report("run over the query", liveRun, work);
    report("bare writes", bare, work);
    std::printf("  run / bare             %8.2f x (target <= 2)\n", copyRun / bare);
    std::printf("  copy of the query      %8.1f ms (the window's, once per run)\n", copy * 1e3);

    bool same = true;
    for (std::size_t i = 0; i < kMappings; ++i) {
        const std::string name = "/2024-01-05/" + mappingName(i) + ".txt";
        const auto bareLines = common::loadLineList(bareFolder + name);
        same = same && common::loadLineList(copyFolder + name) == bareLines &&
               common::loadLineList(liveFolder + name) == bareLines;
    }
    if (!same)
        std::printf("  the runs wrote different bytes\n");
    return same ? 0 : 1;
}
