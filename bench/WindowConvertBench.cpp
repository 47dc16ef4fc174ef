// Times the conversion run started from the page "Excel转txt" ("转换", that is
// Button2Click: the copy of the query, the run with the window's events
// processed and the progress label painted at screen rate) against the
// headless run over the live query (what tarnvale-cli does). Target: the
// window keeps at least 0.7 of the headless rate. A headless run over a copy
// made per run, as the window makes it, shows what the window's events cost.
//
// Measures, in rows x mappings per processor second (median of kRepeats runs,
// taken in turns; wall time beside it), on the 5000-row x 30-column fixture
// tests/data/Large.xls (Code, then V01..V29) with 30 mappings (V01..V29, then
// V01 again under another name). Both replace files that exist already, and
// both must write the same bytes. Runs offscreen.
// Usage: bench_WindowConvert [output folder]
#include "app/TextBridge.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/LabeledEdit.h"
#include "app/windows/TForm1.h"
#include "common/Clock.h"
#include "common/FileSystem.h"
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "pages/AppContext.h"
#include "pages/UnattendedDialogs.h"
#include "support/Timing.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <time.h>

namespace {

namespace fs = std::filesystem;
constexpr int kRepeats = 9;
constexpr std::size_t kMappings = 30;
const common::CodePage kGbk(936);
const char* const kQuoteDate = "2024/01/05";
const char* const kDateFolder = "2024-01-05";

common::RegionalSettings benchSettings()
{
    common::RegionalSettings settings;
    settings.dateSeparator = '/';
    settings.shortDateFormat = "yyyy/MM/dd";
    return settings;
}

class HeadlessHost : public convert::ConvertHost {
  public:
    explicit HeadlessHost(std::vector<std::string> mappings) : m_mappings(std::move(mappings)) {}
    std::size_t mappingCount() override { return m_mappings.size(); }
    std::string mappingLine(std::size_t index) override { return m_mappings.at(index); }
    std::string codeColumn() override { return "Code"; }
    void progress(const std::string& text) override { m_last = text; }

  private:
    std::vector<std::string> m_mappings;
    std::string m_last;
};

// Mapping i: the value field 1..29, then 1 again, to "m<i>".
std::vector<std::string> mappingLines(const workbook::Query& query)
{
    std::vector<std::string> lines;
    const std::size_t fieldCount = query.fields().size();
    for (std::size_t i = 0; i < kMappings; ++i)
        lines.push_back(query.fields()[1 + i % (fieldCount - 1)].name + "<->m" + std::to_string(i));
    return lines;
}

// The page as a user leaves it before pressing "转换": workbook, sheet, code
// column, date, save folder and mappings.
void fillPage(app::TForm1& form, const std::string& folder)
{
    form.Browse1Button->click();
    if (form.TableNameComboBox->count() == 0)
        throw std::runtime_error("the workbook lists no sheet");
    form.TableNameComboBox->setCurrentIndex(0);
    emit form.TableNameComboBox->activated(0);
    form.CodeComboBox->setCurrentIndex(form.CodeComboBox->findText(QStringLiteral("Code")));
    form.DateMaskEdit->setMaskedText(QString::fromLatin1(kQuoteDate));
    form.LabeledEdit2->setText(app::fromBytes(folder));
    form.ListBox1->clear();
    for (const std::string& line : mappingLines(*form.ADOQuery1))
        form.ListBox1->addItem(app::fromBytes(line));
}

double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Processor time of the whole program (Qt's threads included) is the figure:
// other work on the machine hardly moves it. Wall time is shown beside it.
struct Timings {
    std::vector<double> cpu;
    std::vector<double> wall;

    void measure(const std::function<void()>& action)
    {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuNow();
        action();
        cpu.push_back(cpuNow() - cpuStart);
        wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    double cpuSeconds() const { return bench::median(cpu); }
    double wallSeconds() const { return bench::median(wall); }
};

void report(const char* what, const Timings& timings, double work)
{
    std::printf("  %-24s %7.1f ms (wall %7.1f ms)  %10.0f rows x mappings/s\n", what,
                timings.cpuSeconds() * 1e3, timings.wallSeconds() * 1e3, work / timings.cpuSeconds());
}

void reportRatio(const char* what, const Timings& window, const Timings& headless, const char* target)
{
    std::printf("  %-24s %7.2f    (wall %7.2f)     %s\n", what, headless.cpuSeconds() / window.cpuSeconds(),
                headless.wallSeconds() / window.wallSeconds(), target);
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameFiles(const std::string& windowFolder, const std::string& engineFolder)
{
    for (std::size_t i = 0; i < kMappings; ++i) {
        const std::string name = std::string("/") + kDateFolder + "/m" + std::to_string(i) + ".txt";
        const std::string expected = fileBytes(engineFolder + name);
        if (expected.empty() || fileBytes(windowFolder + name) != expected)
            return false;
    }
    return true;
}

int benchmark(app::TForm1& form, const pages::UnattendedDialogs& dialogs, const std::string& workbookPath,
              const std::string& out)
{
    const std::string windowFolder = out + "/window";
    const std::string engineFolder = out + "/headless";
    const std::string copyFolder = out + "/headless-copy";
    for (const std::string& folder : {windowFolder, engineFolder, copyFolder})
        fs::create_directories(folder);
    fillPage(form, windowFolder);

    workbook::Connection connection(kGbk, benchSettings(), common::currentLocalYear);
    connection.setConnectionString(workbook::connectionStringFor(workbookPath));
    connection.open();
    workbook::Query query(connection);
    query.setStatement(workbook::selectAllFrom(app::toBytes(form.TableNameComboBox->currentText())));
    query.open();
    HeadlessHost host(mappingLines(query));
    convert::QueryRowSource rows(query);
    const auto runHeadless = [&] { convert::runConversion({engineFolder, kQuoteDate, kGbk}, rows, host); };
    const auto runOverCopy = [&] {
        convert::RowSnapshot copy(query, kGbk);
        convert::runConversion({copyFolder, kQuoteDate, kGbk}, copy, host);
    };
    const auto runWindow = [&] { form.Button2->click(); };

    // One untimed run each, so that every timed run replaces files that exist.
    runHeadless();
    runOverCopy();
    runWindow();
    Timings headless;
    Timings overCopy;
    Timings window;
    for (int i = 0; i < kRepeats && dialogs.messages().empty(); ++i) {
        headless.measure(runHeadless);
        overCopy.measure(runOverCopy);
        window.measure(runWindow);
    }
    if (!dialogs.messages().empty()) {
        std::fprintf(stderr, "bench_WindowConvert: the window said something (above)\n");
        return 1;
    }

    const double work = static_cast<double>(query.rowCount() * kMappings);
    std::printf("convert %zu rows x %zu fields, %zu mappings (median of %d, processor time)\n",
                query.rowCount(), query.fields().size(), kMappings, kRepeats);
    report("headless (live query)", headless, work);
    report("headless (copy per run)", overCopy, work);
    report("window (Button2Click)", window, work);
    reportRatio("window / headless", window, headless, "target >= 0.7");
    reportRatio("window / headless copy", window, overCopy, "the window's events");
    if (!sameFiles(windowFolder, engineFolder) || !sameFiles(copyFolder, engineFolder)) {
        std::printf("  the runs wrote different bytes\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Absolute before anything runs: both runs move the current folder.
    const std::string out =
        fs::absolute(argc > 1 ? std::string(argv[1]) : std::string(TARNVALE_BENCH_OUT) + "/window-convert")
            .string();
    const std::string workbookPath = std::string(TARNVALE_TEST_DATA) + "/Large.xls";
    app::setUiCodePage(kGbk);
    // The workbook dialog answers the fixture; any message fails the bench.
    pages::UnattendedDialogs dialogs(workbookPath);
    app::TForm1 form(dialogs, pages::AppContext{kGbk, benchSettings(), common::currentLocalYear});
    form.show();
    try {
        return benchmark(form, dialogs, workbookPath, out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_WindowConvert: %s\n", error.what());
        return 1;
    }
}
