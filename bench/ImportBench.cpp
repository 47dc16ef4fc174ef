// Times the import engine against bare loops that make the same system calls.
//
// Measures, in lines per second (medians of kRepeats runs, engine and bare
// loops in turns):
//   1. daily files: 20 files x 5000 lines, one stock per line, so every line
//      opens, sizes, writes and closes another record file;
//   2. back-fill: 250 files of one data name, the lines of one stock in a row,
//      so most lines only write to the open file;
//   3. a first import of the daily files into an empty folder (files created);
//   4. the cost of --skip-existing: daily files of days new to record files
//      that hold a year of days before them, imported with and without it
//      (target: at most 1.5 times the time without), and a day imported
//      again with it, where every line is left out.
// Each bare loop reads each input file whole and then, per line, does what a
// way of appending must do at the least, from targets worked out beforehand:
//   - "path, lseek+pwrite": open or create the file by its full path on a
//     change of target, ask for the length, one positioned 8-byte write. The
//     least the engine needed before records became appends; targets: daily
//     files at least 0.9 of its rate, runs of one code at least its rate.
//   - "folder, append": open or create the file by its name in the data-name
//     folder held open, ask for the length once per open, then one appending
//     8-byte write per line: the least the engine's way needs now.
// The ratios are medians of the ratios of runs taken one right after the
// other, so that a burst of other work on a shared machine or of write-back
// weighs on both sides of a ratio alike.
// Timed runs append to record files that exist already: creating files right
// after many were deleted is far slower on this platform and would swamp the
// figures. Usage: bench_ImportBench [output folder]
#include "common/FileSystem.h"
#include "import/CustomDataRecord.h"
#include "support/ImportBenchInput.h"
#include "support/ImportEngine.h"
#include "support/RecordTrim.h"
#include "support/Timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 9;

// One input file as the bare loops see it: its data-name folder and the
// record file name of every line.
struct PlannedFile {
    std::string path;
    std::string folder;
    std::vector<std::string> names;
};

std::vector<PlannedFile> plan(const std::vector<std::string>& entries, const std::string& folder)
{
    std::vector<PlannedFile> files;
    for (const std::string& entry : entries) {
        PlannedFile file{entry, folder + "/" + fs::path(entry).stem().string() + "/", {}};
        std::ifstream in(entry, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            file.names.push_back(line.substr(0, line.find('\t')) + ".adt");
        fs::create_directories(file.folder);
        files.push_back(std::move(file));
    }
    return files;
}

void readWhole(const std::string& path)
{
    static std::vector<char> buffer(1 << 16);
    int input = ::open(path.c_str(), O_RDONLY);
    while (::read(input, buffer.data(), buffer.size()) > 0) {
    }
    ::close(input);
}

const importer::RecordBytes kRecord = importer::encodeRecord({1200355200, 12.5f});

// What both bare loops do: each input read whole, then for every line the
// record file opened on a change of target (`openFile`) and the record
// written (`writeRecord`). A template, so that both are inlined as in a loop
// written out by hand.
template <typename OpenFile, typename WriteRecord>
void runBareLoop(const std::vector<PlannedFile>& files, OpenFile openFile, WriteRecord writeRecord)
{
    for (const PlannedFile& file : files) {
        readWhole(file.path);
        const int folder = ::open(file.folder.c_str(), O_PATH | O_DIRECTORY);
        const std::string* current = nullptr;
        int fd = -1;
        for (const std::string& name : file.names) {
            if (!current || *current != name) {
                if (fd >= 0)
                    ::close(fd);
                fd = openFile(file, folder, name);
                current = &name;
            }
            if (!writeRecord(fd))
                std::perror(name.c_str());
        }
        if (fd >= 0)
            ::close(fd);
        ::close(folder);
    }
}

// By full path, the length asked for every line, one positioned write.
void runPathLoop(const std::vector<PlannedFile>& files)
{
    runBareLoop(
        files,
        [](const PlannedFile& file, int, const std::string& name) {
            return ::open((file.folder + name).c_str(), O_RDWR | O_CREAT, 0666);
        },
        [](int fd) {
            const off_t length = ::lseek(fd, 0, SEEK_END);
            return ::pwrite(fd, kRecord.data(), kRecord.size(), length - length % 8) == 8;
        });
}

// By name in the folder held open, the length asked once per open, then
// appending writes.
void runAppendLoop(const std::vector<PlannedFile>& files)
{
    runBareLoop(
        files,
        [](const PlannedFile&, int folder, const std::string& name) {
            const int fd = ::openat(folder, name.c_str(), O_RDWR | O_APPEND | O_CREAT, 0666);
            if (::lseek(fd, 0, SEEK_END) % 8 != 0)
                std::fprintf(stderr, "%s: not whole records\n", name.c_str());
            return fd;
        },
        [](int fd) { return ::write(fd, kRecord.data(), kRecord.size()) == 8; });
}

void compare(const char* what, const std::vector<std::string>& entries, std::size_t lines,
             const std::string& out, double pathTarget)
{
    const std::string engineFolder = out + "/records/engine";
    const std::string pathFolder = out + "/records/bare";
    const std::string appendFolder = out + "/records/append";
    fs::create_directories(engineFolder);
    for (const std::string& folder : {engineFolder, pathFolder, appendFolder})
        bench::trimRecordFiles(folder);
    std::vector<PlannedFile> pathPlan = plan(entries, pathFolder);
    std::vector<PlannedFile> appendPlan = plan(entries, appendFolder);
    // One untimed pass each, so that every record file of the timed runs exists.
    bench::runImportEngine(entries, engineFolder);
    runPathLoop(pathPlan);
    runAppendLoop(appendPlan);
    // Taken in turns, so that a burst of other work on the machine or of
    // write-back hits all sides alike.
    std::vector<double> engine, path, append, toPath, toAppend;
    const auto rate = [&](const std::function<void()>& run) {
        return static_cast<double>(lines) / bench::secondsOf(run);
    };
    for (int i = 0; i < kRepeats; ++i) {
        engine.push_back(rate([&] { bench::runImportEngine(entries, engineFolder); }));
        path.push_back(rate([&] { runPathLoop(pathPlan); }));
        append.push_back(rate([&] { runAppendLoop(appendPlan); }));
        toPath.push_back(engine.back() / path.back());
        toAppend.push_back(engine.back() / append.back());
    }
    std::printf("%s\n  engine %9.0f lines/s\n", what, bench::median(engine));
    std::printf("  bare loop, path, lseek+pwrite %9.0f lines/s   ratio %.2f (target >= %.2f)\n",
                bench::median(path), bench::median(toPath), pathTarget);
    std::printf("  bare loop, folder, append     %9.0f lines/s   ratio %.2f\n", bench::median(append),
                bench::median(toAppend));
}

void skipExistingCost(const std::string& out)
{
    constexpr int kHistoryDays = 250; // a year of trading days
    constexpr int kDaysPerRun = 2;
    const std::vector<std::vector<std::string>> days = bench::prepareNewDays(out, kRepeats, kDaysPerRun);
    const std::string plainFolder = out + "/records/history-plain";
    const std::string skipFolder = out + "/records/history-skip";
    // Both start from the same year of history at every invocation: the new
    // days must be new to the files, and the files as large.
    bench::writeHistory(plainFolder, kHistoryDays);
    bench::writeHistory(skipFolder, kHistoryDays);
    std::vector<double> plain, skip, again, toPlain, againToPlain;
    for (const std::vector<std::string>& run : days) {
        plain.push_back(bench::secondsOf([&] { bench::runImportEngine(run, plainFolder); }));
        skip.push_back(bench::secondsOf([&] { bench::runImportEngine(run, skipFolder, true); }));
        again.push_back(bench::secondsOf([&] { bench::runImportEngine(run, skipFolder, true); }));
        toPlain.push_back(skip.back() / plain.back());
        againToPlain.push_back(again.back() / plain.back());
    }
    const double lines = static_cast<double>(days.front().size()) * 5000;
    std::printf("skip-existing (daily files of new days, record files holding %d days)\n", kHistoryDays);
    std::printf("  plain import          %9.0f lines/s\n", lines / bench::median(plain));
    std::printf("  with --skip-existing  %9.0f lines/s   time ratio %.2f (target <= 1.50)\n",
                lines / bench::median(skip), bench::median(toPlain));
    std::printf("  the same day again    %9.0f lines/s   time ratio %.2f (every line left out)\n",
                lines / bench::median(again), bench::median(againToPlain));
}

void firstImport(const std::vector<std::string>& entries, std::size_t lines, const std::string& out)
{
    const std::string folder = out + "/first/" + std::to_string(::getpid());
    fs::create_directories(folder);
    double seconds = bench::secondsOf([&] { bench::runImportEngine(entries, folder); });
    std::printf("%s\n  engine %9.0f lines/s\n", "first import (daily files, files created)",
                static_cast<double>(lines) / seconds);
}

} // namespace

int main(int argc, char** argv)
{
    // Absolute before anything runs: the engine moves the current folder, and
    // the input files and record folders below a relative one would no
    // longer be found from there.
    const std::string out = fs::absolute(argc > 1 ? argv[1] : TARNVALE_BENCH_OUT).string();
    try {
        bench::ImportInput input = bench::prepareImportInput(out);
        compare("daily files (20 x 5000, one stock a line)", input.dailyFiles, input.dailyLines, out, 0.9);
        compare("back-fill (250 files, one stock in a row)", input.backfillFiles, input.backfillLines, out,
                1.0);
        skipExistingCost(out);
        // Last, and its folder is removed only after every timed run.
        firstImport(input.dailyFiles, input.dailyLines, out);
        fs::remove_all(out + "/first");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_ImportBench: %s\n", error.what());
        return 1;
    }
    return 0;
}
