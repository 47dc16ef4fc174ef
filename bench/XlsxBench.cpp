// Times reading and converting the LibreOffice .xlsx of the 5000 x 30
// benchmark data (tests/data/Large.xlsx, 5001 rows with the header) side by
// side with liborcus' command-line reader, python3-openpyxl in read-only
// mode and zlib's inflate of the package's parts. Medians of kRepeats runs.
//
// In the process:
//   1. inflate: every part of the package inflated (zlib, our zip reader);
//   2. read: the connection opened (every sheet parsed into a table), the
//      sheet query opened and every cell's text taken, row by row;
//   3. read + convert: the same, then the conversion run with 30 mappings.
// Whole processes (what a user waits for, start-up included):
//   4. tarnvale-cli show: the table printed as text (to /dev/null);
//   5. orcus-xlsx -f csv (liborcus-bin): the sheet written as CSV; it exits
//      with 1 when it succeeds, so its output is checked instead;
//   6. openpyxl: load_workbook(read_only=True), every value of every row.
// Aims: faster than liborcus (4 / 5 < 1), at least 20 x faster than
// openpyxl (6 / 4), within 3 x of inflating (2 / 1). Then the same data as
// LibreOffice writes it in .ods (tests/data/Large.ods, content.xml five
// times the .xlsx sheet): 1, 2 and 4 again, and orcus-ods, without aims.
// The figures are
// printed as they come, against the aims; a missed aim does not fail the
// run (the machine's load moves them), a reader that fails does. Tools
// that are not installed are skipped. The checks of liborcus' and
// openpyxl's output know the size of the benchmark's workbook.
// Usage: bench_XlsxBench [workbook.xlsx [table]] (by default Large.xlsx and
// Large.ods, Large$; another workbook is timed alone)
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "support/BenchWorkbook.h"
#include "support/Timing.h"
#include "zip/EntryReader.h"
#include "zip/ZipArchive.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 7;
const common::CodePage kGbk(936);

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

double medianOf(const std::function<void()>& job)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i)
        times.push_back(bench::secondsOf(job));
    return bench::median(times);
}

// Every cell text of the table; with a folder, then the
// conversion run into it. Returns the bytes of text read.
std::size_t readOurs(const std::string& path, const std::string& table, const std::string& convertInto)
{
    bench::OpenSheet sheet(path, table);
    const std::size_t total = bench::readEveryCellText(sheet.query);
    if (!convertInto.empty()) {
        bench::BenchHost host = bench::benchHost(sheet.query, 30);
        convert::QueryRowSource rows(sheet.query);
        convert::runConversion({convertInto, "2024/01/05", kGbk}, rows, host);
    }
    return total;
}

std::size_t inflateAll(const std::string& bytes)
{
    const zip::Archive archive(bytes);
    std::size_t total = 0;
    std::vector<char> buffer(std::size_t{1} << 16);
    for (const zip::Entry& entry : archive.entries()) {
        zip::EntryReader reader(archive, entry);
        for (std::size_t got; (got = reader.read(buffer.data(), buffer.size())) > 0;)
            total += got;
    }
    return total;
}

bool installed(const std::string& command)
{
    return std::system(("command -v " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// The median wall time of a shell command, or nothing when `check` refuses
// what its first run did.
std::optional<double> timeCommand(const std::string& command, const std::function<bool(int)>& check)
{
    if (!check(std::system(command.c_str())))
        return std::nullopt;
    return medianOf([&] { (void)std::system(command.c_str()); });
}

// Lines of a text file, the last one counted whether a line end follows it or not.
std::size_t rowCount(const std::string& path)
{
    const std::string text = readFile(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
           (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// orcus-<format> -f csv (liborcus-bin) on the benchmark's workbook, or
// nothing when it is not installed or fails. It exits with 1 when it
// succeeds: its CSV must hold every row.
std::optional<double> timeOrcus(const std::string& format, const std::string& path, const std::string& out,
                                bool& failed)
{
    const std::string program = "orcus-" + format;
    if (!installed(program)) {
        std::printf("  %s: not installed (liborcus-bin), skipped\n", program.c_str());
        return std::nullopt;
    }
    const std::string folder = out + "/" + program;
    fs::remove_all(folder);
    const std::optional<double> seconds =
        timeCommand(program + " -f csv -o '" + folder + "' '" + path + "' >/dev/null 2>&1", [&](int) {
            for (const auto& file : fs::directory_iterator(folder))
                return rowCount(file.path().string()) == 5001;
            return false;
        });
    if (!seconds)
        failed = (std::printf("  %s gave no CSV of 5001 rows\n", program.c_str()), true);
    return seconds;
}

void show(const char* what, double seconds)
{
    std::printf("  %-40s %8.1f ms\n", what, seconds * 1e3);
}

void ratio(const char* what, double value, const char* aim, bool met)
{
    std::printf("  %-40s %8.2f x  (aim %s: %s)\n", what, value, aim, met ? "met" : "missed");
}

// The same data in LibreOffice's .ods, beside the .xlsx figures.
void benchOds(const std::string& out, const std::string& cli, double xlsxRead, double xlsxShow, bool& failed)
{
    const std::string path = std::string(TARNVALE_TEST_DATA) + "/Large.ods";
    const std::string bytes = readFile(path);
    std::printf("%s: %zu bytes, %zu bytes inflated\n", path.c_str(), bytes.size(), inflateAll(bytes));
    const double inflate = medianOf([&] { inflateAll(bytes); });
    const double read = medianOf([&] { readOurs(path, "Large$", {}); });
    show("zlib inflate of every part", inflate);
    show("ours: read, every cell text", read);
    const std::optional<double> ours = timeCommand("'" + cli + "' show '" + path + "' Large$ >/dev/null",
                                                   [](int status) { return status == 0; });
    if (!ours) {
        failed = (std::printf("  tarnvale-cli show failed\n"), true);
        return;
    }
    show("tarnvale-cli show", *ours);
    const std::optional<double> orcus = timeOrcus("ods", path, out, failed);
    if (orcus)
        show("orcus-ods -f csv", *orcus);
    std::printf("beside .xlsx (no aims):\n");
    std::printf("  %-40s %8.2f x\n", ".ods / .xlsx read (in process)", read / xlsxRead);
    std::printf("  %-40s %8.2f x\n", ".ods / .xlsx tarnvale-cli show", *ours / xlsxShow);
    if (orcus)
        std::printf("  %-40s %8.2f x\n", "tarnvale-cli show / orcus-ods", *ours / *orcus);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : std::string(TARNVALE_TEST_DATA) + "/Large.xlsx";
    const std::string table = argc > 2 ? argv[2] : "Large$";
    const std::string out = fs::absolute(std::string(TARNVALE_BENCH_OUT) + "/xlsx").string();
    fs::create_directories(out + "/convert");
    const std::string cli = (fs::absolute(argv[0]).parent_path() / "tarnvale-cli").string();
    const std::string bytes = readFile(path);
    std::printf("%s: %zu bytes, %zu bytes inflated\n", path.c_str(), bytes.size(), inflateAll(bytes));

    const double inflate = medianOf([&] { inflateAll(bytes); });
    std::size_t textBytes = 0;
    const double read = medianOf([&] { textBytes = readOurs(path, table, {}); });
    const double convert = medianOf([&] { readOurs(path, table, out + "/convert"); });
    std::printf("in the process (%zu bytes of cell text):\n", textBytes);
    show("zlib inflate of every part", inflate);
    show("ours: read, every cell text", read);
    show("ours: read and convert (30 mappings)", convert);

    std::printf("whole processes:\n");
    bool failed = false;
    const std::optional<double> ours =
        timeCommand("'" + cli + "' show '" + path + "' '" + table + "' >/dev/null",
                    [](int status) { return status == 0; });
    if (!ours) {
        std::printf("  tarnvale-cli show failed\n");
        return 1;
    }
    show("tarnvale-cli show", *ours);

    const std::optional<double> orcus = timeOrcus("xlsx", path, out, failed);
    if (orcus)
        show("orcus-xlsx -f csv", *orcus);

    std::optional<double> openpyxl;
    if (std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") == 0) {
        const std::string script = out + "/read_openpyxl.py";
        std::ofstream(script) << "import sys, openpyxl\n"
                                 "book = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
                                 "cells = sum(len(row) for row in book.active.iter_rows(values_only=True))\n"
                                 "sys.exit(0 if cells == 150030 else 1)\n";
        openpyxl = timeCommand("/usr/bin/python3 '" + script + "' '" + path + "'",
                               [](int status) { return status == 0; });
        if (openpyxl)
            show("openpyxl read-only, every value", *openpyxl);
        else
            failed = (std::printf("  openpyxl did not read 150030 cells\n"), true);
    } else {
        std::printf("  openpyxl: not installed (python3-openpyxl), skipped\n");
    }

    std::printf("against the aims:\n");
    if (orcus)
        ratio("tarnvale-cli show / orcus-xlsx", *ours / *orcus, "< 1", *ours < *orcus);
    if (openpyxl)
        ratio("openpyxl / tarnvale-cli show", *openpyxl / *ours, ">= 20", *openpyxl >= 20 * *ours);
    ratio("ours read / zlib inflate (in process)", read / inflate, "<= 3", read <= 3 * inflate);
    if (argc <= 1)
        benchOds(out, cli, read, *ours, failed);
    return failed ? 1 : 0;
}
