#include "cli/ImportCommand.h"

#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RunSummary.h"
#include "common/Encoding.h"
#include "common/Error.h"
#include "common/ErrorWhere.h"
#include "common/FileRead.h"
#include "common/FileSystem.h"
#include "import/CollectTxtFiles.h"
#include "import/ImportRun.h"
#include "import/ImportTexts.h"

#include <CLI/CLI.hpp>

#include <array>
#include <memory>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kTargetDat = "dat";
constexpr const char* kTargetAdt = "adt";
// --verbose lists this many lines of each reason, so that a file of a
// wrong date format does not bury the rest.
constexpr std::size_t kListedPerReason = 20;
// The clock is looked at every this many lines.
constexpr unsigned kLinesPerLook = 256;

std::string absolutePath(const std::string& path)
{
    return path.empty() ? path : common::fullPathName(path);
}

// The engine's view of the command line: a fixed list, a fixed target, the
// skipped lines listed with --verbose, the progress line on a terminal.
class CommandLineHost : public importer::ImportHost {
  public:
    CommandLineHost(std::vector<std::string> entries, importer::ImportTarget target,
                    const ImportArguments& arguments, const importer::ImportCounts& counts,
                    CliContext& context)
        : m_entries(std::move(entries)), m_target(target), m_arguments(arguments), m_counts(counts),
          m_context(context), m_progress(context)
    {
    }

    std::size_t entryCount() override { return m_entries.size(); }
    std::string entry(std::size_t position) override
    {
        if (position >= m_entries.size())
            throw common::Error(importer::listIndexOutOfBounds(position));
        m_position = position;
        return m_entries[position];
    }
    importer::ImportTarget target() override { return m_target; }
    void beforeLine() override
    {
        if (m_progress.enabled() && ++m_linesSinceLook >= kLinesPerLook) {
            m_linesSinceLook = 0;
            showProgress();
        }
    }
    void lineSkipped(importer::SkipReason reason, std::size_t lineNumber) override
    {
        if (!m_arguments.verbose || m_listed[static_cast<std::size_t>(reason)]++ >= kListedPerReason)
            return;
        m_progress.clear();
        m_context.err << m_entries[m_position] << ':' << lineNumber << ": "
                      << importer::skipReasonText(reason) << '\n';
    }
    // A new entry, and the end: the window's captions are not shown here.
    void progress(const std::string&) override { showProgress(); }
    void message(const std::string& text) override
    {
        m_progress.clear();
        printError(m_context, m_arguments.folder + ": " + text);
        m_stopped = true;
    }
    const common::RegionalSettings& settings() override { return m_context.settings; }

    bool stopped() const { return m_stopped; }
    // Whether --verbose left out lines of some reason.
    bool listCut() const
    {
        for (std::size_t listed : m_listed)
            if (listed > kListedPerReason)
                return true;
        return false;
    }
    void endProgress() { m_progress.clear(); }

  private:
    void showProgress()
    {
        if (!m_progress.due())
            return;
        m_progress.draw("import: files " + std::to_string(m_position) + '/' +
                        std::to_string(m_entries.size()) + ", lines " + std::to_string(m_counts.linesRead) +
                        ", " + m_progress.rate(m_counts.recordsAppended, "records"));
    }

    std::vector<std::string> m_entries;
    importer::ImportTarget m_target;
    const ImportArguments& m_arguments;
    const importer::ImportCounts& m_counts;
    CliContext& m_context;
    ProgressLine m_progress;
    std::size_t m_position = 0;
    unsigned m_linesSinceLook = 0;
    std::array<std::size_t, importer::kSkipReasonCount> m_listed{};
    bool m_stopped = false;
};

// A missing file or scan folder is a mistake on the command line: found
// before anything is imported, not after the files before it.
std::vector<std::string> collectEntries(const ImportArguments& arguments, const common::CodePage& codePage)
{
    using Action = common::ErrorWhere::Action;
    std::vector<std::string> entries;
    for (const std::string& file : arguments.files) {
        entries.push_back(absolutePath(file));
        // Only what is not there is opened, for the system's words on why:
        // a named pipe would hold the open until someone writes to it.
        if (!common::fileExists(entries.back()))
            common::attempt(std::string(), 0, Action::Open, file,
                            [&] { common::InputFile probe(entries.back()); });
    }
    for (const std::string& folder : arguments.scanFolders) {
        if (!common::folderExists(folder))
            throw common::Error("--scan " + folder + ": no such folder");
        importer::collectTxtFiles(absolutePath(folder), entries, codePage);
    }
    return entries;
}

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ImportArguments>();
    CLI::App* command =
        app.add_subcommand("import", "Append every valid line of the text files as custom-data "
                                     "records to DIR/<data name>/<code>.dat or .adt");
    command->add_option("--folder", arguments->folder, "The custom-data folder (it must exist)")
        ->required()
        ->check(notEmpty());
    command
        ->add_option("--target", arguments->target,
                     common::utf8ToCodePage("dat for 大智慧新一代, adt for 飞狐交易师", context.codePage))
        ->check(CLI::IsMember({kTargetDat, kTargetAdt}))
        ->capture_default_str();
    command->add_option("--scan", arguments->scanFolders, "A folder whose .txt files (all levels) are added")
        ->allow_extra_args(false)
        ->check(notEmpty());
    command->add_flag("--skip-existing", arguments->skipExisting,
                      "Leave out a line whose record file holds a record of its time already");
    auto* verbose =
        command->add_flag("--verbose,-v", arguments->verbose,
                          "List skipped lines as FILE:LINE: REASON (the first 20 of each reason)");
    command->add_flag("--quiet,-q", arguments->quiet, "Print errors only")->excludes(verbose);
    command->add_flag("--strict", arguments->strict, "Exit with 3 when a line was skipped for what it holds");
    command->add_option("FILE", arguments->files, "Text files CODE<TAB>DATE<TAB>VALUE, in this order");
    command->callback([arguments, &context] {
        runCommand(context, "import", [&] { return runImportCommand(*arguments, context); });
    });
}

void addDumpCommand(CLI::App& app, CliContext& context)
{
    auto files = std::make_shared<std::vector<std::string>>();
    auto asUnsigned = std::make_shared<bool>(false);
    CLI::App* command = app.add_subcommand("dump", "Print the records of custom-data record files");
    command->add_option("FILE", *files, "Record files (.dat or .adt)")->required();
    command->add_flag("--unsigned", *asUnsigned,
                      "Read times as unsigned: 1970 to 2106 instead of 1901 to 2038");
    command->callback([files, asUnsigned, &context] {
        runCommand(context, "dump", [&] {
            return runDumpCommand(
                *files, *asUnsigned ? importer::TimeReading::Unsigned : importer::TimeReading::Signed,
                context);
        });
    });
}

} // namespace

void addImportCommands(CLI::App& app, CliContext& context)
{
    addImportCommand(app, context);
    addDumpCommand(app, context);
}

int runImportCommand(const ImportArguments& arguments, CliContext& context)
{
    if (arguments.files.empty() && arguments.scanFolders.empty())
        throw CLI::ValidationError("import", "give text files, or folders with --scan");
    importer::ImportOptions options;
    options.customDataFolder = absolutePath(arguments.folder);
    options.codePage = context.codePage;
    options.currentYear = context.currentYear;
    options.skipExisting = arguments.skipExisting;
    importer::ImportTarget target =
        arguments.target == kTargetDat ? importer::ImportTarget::DaZhiHui : importer::ImportTarget::FeiHu;
    importer::ImportCounts counts;
    CommandLineHost host(collectEntries(arguments, context.codePage), target, arguments, counts, context);
    // What was done before an error is told too, before the error itself.
    const auto summarize = [&] {
        host.endProgress();
        if (arguments.quiet || host.stopped())
            return;
        context.err << importSummary(counts, arguments.skipExisting, context.settings);
        if (host.listCut())
            context.err << "import: past the first " << kListedPerReason
                        << " lines of a reason, skipped lines are not listed\n";
        context.err << std::flush;
    };
    try {
        importer::runImport(options, host, counts);
    } catch (...) {
        summarize();
        throw;
    }
    summarize();
    if (host.stopped())
        return kExitStopped;
    if (arguments.strict && counts.faultyLines() != 0) {
        printError(context, "--strict: " + std::to_string(counts.faultyLines()) + " line(s) skipped");
        return kExitSkipped;
    }
    return kExitDone;
}

} // namespace cli
