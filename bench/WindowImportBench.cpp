// Times the import run started from the page "自定义数据引入" (Button3Click with
// the window's events processed once per line) against the headless engine on
// the same files. Target: the window keeps at least 0.9 of the engine's rate.
//
// Measures, in lines per second (median of kRepeats runs, taken in turns):
//   1. daily files: 20 files x 5000 lines, every line to another record file;
//   2. back-fill: 250 files, the lines of one stock in a row.
// Runs offscreen; both append to record files that exist already.
// Usage: bench_WindowImport [output folder]
#include "app/TextBridge.h"
#include "app/windows/RadioGroup.h"
#include "app/windows/TForm1.h"
#include "common/Clock.h"
#include "pages/AppContext.h"
#include "pages/UnattendedDialogs.h"
#include "support/ImportBenchInput.h"
#include "support/ImportEngine.h"
#include "support/RecordTrim.h"
#include "support/Timing.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 5;

void compare(const char* what, app::TForm1& form, const std::vector<std::string>& entries, std::size_t lines,
             const std::string& out)
{
    const std::string engineFolder = out + "/records/window-engine";
    const std::string windowFolder = out + "/records/window";
    fs::create_directories(engineFolder);
    fs::create_directories(windowFolder);
    bench::trimRecordFiles(engineFolder);
    bench::trimRecordFiles(windowFolder);
    form.TxtListBox->clear();
    for (const std::string& entry : entries)
        form.TxtListBox->addItem(app::fromBytes(entry));
    form.Dzh2InstallDirEdit->setText(app::fromBytes(windowFolder));
    const auto runWindow = [&] { form.Button3->click(); };
    bench::runImportEngine(entries, engineFolder); // every record file exists for the timed runs
    runWindow();
    std::vector<double> engine;
    std::vector<double> window;
    for (int i = 0; i < kRepeats; ++i) {
        engine.push_back(static_cast<double>(lines) /
                         bench::secondsOf([&] { bench::runImportEngine(entries, engineFolder); }));
        window.push_back(static_cast<double>(lines) / bench::secondsOf(runWindow));
    }
    std::printf("%-44s engine %9.0f lines/s   window %9.0f lines/s   ratio %.2f (target >= 0.90)\n", what,
                bench::median(engine), bench::median(window), bench::median(window) / bench::median(engine));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Absolute before anything runs: the import moves the current folder.
    const std::string out = fs::absolute(argc > 1 ? argv[1] : TARNVALE_BENCH_OUT).string();
    app::setUiCodePage(common::CodePage(936));
    // A box would wait for a user that is not there: every message is printed.
    pages::UnattendedDialogs dialogs;
    app::TForm1 form(dialogs, pages::AppContext{common::CodePage(936), bench::importInputSettings(),
                                                common::currentLocalYear});
    form.show();
    try {
        bench::ImportInput input = bench::prepareImportInput(out);
        compare("daily files (20 x 5000, one stock a line)", form, input.dailyFiles, input.dailyLines, out);
        compare("back-fill (250 files, one stock in a row)", form, input.backfillFiles, input.backfillLines,
                out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_WindowImport: %s\n", error.what());
        return 1;
    }
    return 0;
}
