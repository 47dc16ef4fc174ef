// Times the import engine against a bare loop that makes the same system calls.
//
// Measures, in lines per second (median of kRepeats runs, engine and bare loop in turns):
//   1. daily files: 20 files x 5000 lines, one stock per line, so every line
//      opens, sizes, writes and closes another record file;
//   2. back-fill: 250 files of one data name, the lines of one stock in a row,
//      so most lines only size and write the open file;
//   3. a first import of the daily files into an empty folder (files created).
// The bare loop reads each input file whole and then, per line, does what the
// engine must do at the least (open or create on a change of target, lseek to
// the end, one 8-byte pwrite, close), from targets worked out beforehand.
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
constexpr int kRepeats = 5;

// One input file as the bare loop sees it: the target of every line.
struct PlannedFile {
    std::string path;
    std::vector<std::string> targets;
};

std::vector<PlannedFile> plan(const std::vector<std::string>& entries, const std::string& folder)
{
    std::vector<PlannedFile> files;
    for (const std::string& entry : entries) {
        PlannedFile file{entry, {}};
        const std::string prefix = folder + "/" + fs::path(entry).stem().string() + "/";
        std::ifstream in(entry, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            file.targets.push_back(prefix + line.substr(0, line.find('\t')) + ".adt");
        fs::create_directories(prefix);
        files.push_back(std::move(file));
    }
    return files;
}

void runBareLoop(const std::vector<PlannedFile>& files)
{
    const importer::RecordBytes record = importer::encodeRecord({1200355200, 12.5f});
    std::vector<char> buffer(1 << 16);
    for (const PlannedFile& file : files) {
        int input = ::open(file.path.c_str(), O_RDONLY);
        while (::read(input, buffer.data(), buffer.size()) > 0) {
        }
        ::close(input);
        const std::string* current = nullptr;
        int fd = -1;
        for (const std::string& target : file.targets) {
            if (!current || *current != target) {
                if (fd >= 0)
                    ::close(fd);
                fd = ::open(target.c_str(), O_RDWR | O_CREAT, 0666);
                current = &target;
            }
            off_t length = ::lseek(fd, 0, SEEK_END);
            if (::pwrite(fd, record.data(), record.size(), length - length % 8) != 8)
                std::perror(target.c_str());
        }
        if (fd >= 0)
            ::close(fd);
    }
}

void compare(const char* what, const std::vector<std::string>& entries, std::size_t lines,
             const std::string& out)
{
    const std::string engineFolder = out + "/records/engine";
    const std::string bareFolder = out + "/records/bare";
    fs::create_directories(engineFolder);
    bench::trimRecordFiles(engineFolder);
    bench::trimRecordFiles(bareFolder);
    std::vector<PlannedFile> planned = plan(entries, bareFolder);
    // One untimed pass each, so that every record file of the timed runs exists.
    bench::runImportEngine(entries, engineFolder);
    runBareLoop(planned);
    // Taken in turns, so that a burst of other work on the machine or of
    // write-back hits both sides alike.
    std::vector<double> engine;
    std::vector<double> bare;
    for (int i = 0; i < kRepeats; ++i) {
        engine.push_back(static_cast<double>(lines) /
                         bench::secondsOf([&] { bench::runImportEngine(entries, engineFolder); }));
        bare.push_back(static_cast<double>(lines) / bench::secondsOf([&] { runBareLoop(planned); }));
    }
    std::printf("%-44s engine %9.0f lines/s   bare loop %9.0f lines/s   ratio %.2f (target >= 0.80)\n", what,
                bench::median(engine), bench::median(bare), bench::median(engine) / bench::median(bare));
}

void firstImport(const std::vector<std::string>& entries, std::size_t lines, const std::string& out)
{
    const std::string folder = out + "/first/" + std::to_string(::getpid());
    fs::create_directories(folder);
    double seconds = bench::secondsOf([&] { bench::runImportEngine(entries, folder); });
    std::printf("%-44s engine %9.0f lines/s\n", "first import (daily files, files created)",
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
        compare("daily files (20 x 5000, one stock a line)", input.dailyFiles, input.dailyLines, out);
        compare("back-fill (250 files, one stock in a row)", input.backfillFiles, input.backfillLines, out);
        // Last, and its folder is removed only after every timed run.
        firstImport(input.dailyFiles, input.dailyLines, out);
        fs::remove_all(out + "/first");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_ImportBench: %s\n", error.what());
        return 1;
    }
    return 0;
}
