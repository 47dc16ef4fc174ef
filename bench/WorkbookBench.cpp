// Times our workbook reader against FreeXL on the 5000 x 30 fixture.
//
// Measures (median of kRepeats runs each, the two readers in turns):
//   1. ours: open the connection (the whole file is read and every sheet
//      turned into a table), open the sheet query and take the cell text of
//      every cell, row by row, as the conversion does;
//   2. FreeXL alone: open the file, select the sheet and get every cell's
//      value (numbers as numbers; it makes no texts).
// Peak memory: each reader runs once in a freshly started copy of this
// program and that process's peak resident size is read from the system.
// Targets: time <= 1.5 x FreeXL's, peak memory <= 2 x FreeXL's; a missed
// target is printed (the figures vary with the machine's load, so it does not
// fail the run); the program fails only when a reader fails.
// Usage: bench_WorkbookBench [workbook] [table]
#include "support/BenchWorkbook.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <freexl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRepeats = 15;
constexpr double kTimeTarget = 1.5;
constexpr double kMemoryTarget = 2.0;

// Returns a checksum so that no work can be skipped.
std::size_t readOurs(const std::string& path, const std::string& table)
{
    bench::OpenSheet sheet(path, table);
    return bench::readEveryCellText(sheet.query);
}

std::size_t readFreeXl(const std::string& path, const std::string&)
{
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK)
        return 0;
    std::size_t total = 0;
    unsigned rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
        freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK) {
        for (unsigned r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(handle, r, c, &value) == FREEXL_OK)
                    total += value.type;
            }
    }
    freexl_close(handle);
    return total;
}

using Reader = std::function<std::size_t(const std::string&, const std::string&)>;

double secondsOf(const Reader& reader, const std::string& path, const std::string& table, std::size_t& check)
{
    const auto start = std::chrono::steady_clock::now();
    check += reader(path, table);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Peak resident size in KiB of a new process that runs one reader once. A
// fork alone would count the pages this process already holds.
long peakKib(const char* reader, const std::string& path, const std::string& table)
{
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", "bench_WorkbookBench", "--measure", reader, path.c_str(), table.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--measure") {
        const Reader reader = std::string(argv[2]) == "ours" ? Reader(readOurs) : Reader(readFreeXl);
        return reader(argv[3], argv[4]) > 0 ? 0 : 1;
    }
    const std::string path = argc > 1 ? argv[1] : TARNVALE_TEST_DATA "/Large.xls";
    const std::string table = argc > 2 ? argv[2] : "Large$";
    std::vector<double> ours;
    std::vector<double> theirs;
    std::size_t check = 0;
    try {
        for (int i = 0; i < kRepeats; ++i) {
            ours.push_back(secondsOf(readOurs, path, table, check));
            theirs.push_back(secondsOf(readFreeXl, path, table, check));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_WorkbookBench: %s\n", error.what());
        return 1;
    }
    const long ourMemory = peakKib("ours", path, table);
    const long theirMemory = peakKib("freexl", path, table);
    const double timeRatio = median(ours) / median(theirs);
    const double memoryRatio = static_cast<double>(ourMemory) / static_cast<double>(theirMemory);
    std::printf("workbook %s, table %s (checksum %zu)\n", path.c_str(), table.c_str(), check);
    std::printf("  open and every cell text: ours %.2f ms, FreeXL %.2f ms, ratio %.2f (target <= %.1f)\n",
                median(ours) * 1e3, median(theirs) * 1e3, timeRatio, kTimeTarget);
    std::printf("  peak memory: ours %ld KiB, FreeXL %ld KiB, ratio %.2f (target <= %.1f)\n", ourMemory,
                theirMemory, memoryRatio, kMemoryTarget);
    const bool met =
        timeRatio <= kTimeTarget && memoryRatio <= kMemoryTarget && ourMemory > 0 && theirMemory > 0;
    std::printf("  %s\n", met ? "targets met" : "TARGET MISSED");
    return ourMemory > 0 && theirMemory > 0 ? 0 : 1;
}
