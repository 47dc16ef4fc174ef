// `tarnvale-cli check` and `tarnvale-cli tidy`: record files that show a day
// twice or out of place, looked over and put right.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/RunSummary.h"
#include "common/ErrorWhere.h"
#include "common/FileRead.h"
#include "import/RecordFileCheck.h"
#include "import/RecordFileTidy.h"
#include "import/RecordTimeText.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace cli {
namespace {

struct RecordFileArguments {
    std::vector<std::string> paths;
    bool asUnsigned = false;
    bool dryRun = false;

    importer::TimeReading reading() const
    {
        return asUnsigned ? importer::TimeReading::Unsigned : importer::TimeReading::Signed;
    }
};

std::vector<std::string> recordFiles(const RecordFileArguments& arguments, CliContext& context)
{
    std::vector<std::string> files;
    for (const std::string& path : arguments.paths)
        importer::collectRecordFiles(path, files, context.codePage);
    return files;
}

// "3 duplicates, 1 out of order, 3 trailing bytes": the problems a file has.
std::string problemsText(const importer::RecordFileReport& report)
{
    std::string text;
    const auto add = [&](std::size_t count, const char* one, const char* many) {
        if (count != 0)
            text += (text.empty() ? "" : ", ") + counted(count, one, many);
    };
    add(report.duplicates, "duplicate", "duplicates");
    add(report.outOfOrder, "out of order", "out of order");
    add(report.trailingBytes, "trailing byte", "trailing bytes");
    return text;
}

// "250 records, 2024-01-02 to 2024-12-31".
std::string recordsText(const importer::RecordFileReport& report)
{
    std::string text = counted(report.records, "record", "records");
    if (report.records == 0)
        return text;
    text += ", " + importer::secondsDateText(report.firstSeconds);
    if (report.lastSeconds != report.firstSeconds)
        text += " to " + importer::secondsDateText(report.lastSeconds);
    return text;
}

int runCheck(const RecordFileArguments& arguments, CliContext& context)
{
    std::size_t files = 0;
    std::size_t withProblems = 0;
    std::size_t negative = 0;
    for (const std::string& path : recordFiles(arguments, context)) {
        const common::FileBytes bytes = common::attempt(std::string(), 0, common::ErrorWhere::Action::Read,
                                                        path, [&] { return common::readWholeFile(path); });
        const importer::RecordFileReport report =
            importer::checkRecordBytes(bytes.view(), arguments.reading());
        std::string line = path + ": " + recordsText(report);
        if (report.hasProblem()) {
            line += "; problems: " + problemsText(report);
            ++withProblems;
        }
        context.out << line << '\n';
        ++files;
        negative += report.negativeTimes;
    }
    context.out << std::flush;
    context.err << "check: " << counted(files, "record file", "record files") << ", " << withProblems
                << " with problems" << (withProblems != 0 ? " (tidy puts them right)" : "") << '\n';
    context.err << negativeTimesNote(context.command, negative, arguments.asUnsigned);
    return withProblems != 0 ? kExitStopped : kExitDone;
}

int runTidy(const RecordFileArguments& arguments, CliContext& context)
{
    std::size_t files = 0;
    std::size_t changed = 0;
    std::size_t negative = 0;
    for (const std::string& path : recordFiles(arguments, context)) {
        const importer::TidyOutcome outcome =
            importer::tidyRecordFile(path, arguments.reading(), arguments.dryRun);
        ++files;
        negative += outcome.before.negativeTimes;
        if (!outcome.changed)
            continue;
        ++changed;
        context.out << path << ": " << (arguments.dryRun ? "would tidy: " : "tidied: ")
                    << counted(outcome.before.records, "record", "records") << " to " << outcome.recordsAfter
                    << " (" << problemsText(outcome.before) << ")\n"
                    << std::flush;
    }
    context.err << "tidy: " << counted(files, "record file", "record files") << ", " << changed
                << (arguments.dryRun ? " would be tidied (dry run: nothing written)" : " tidied") << '\n';
    context.err << negativeTimesNote(context.command, negative, arguments.asUnsigned);
    return kExitDone;
}

CLI::App* addCommand(CLI::App& app, const char* name, const char* description,
                     const std::shared_ptr<RecordFileArguments>& arguments)
{
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("PATH", arguments->paths, "Record files, or folders searched for .dat and .adt files")
        ->required();
    command->add_flag("--unsigned", arguments->asUnsigned,
                      "Read times as unsigned: 1970 to 2106 instead of 1901 to 2038");
    return command;
}

} // namespace

void addRecordFileCommands(CLI::App& app, CliContext& context)
{
    auto checkArguments = std::make_shared<RecordFileArguments>();
    CLI::App* check = addCommand(app, "check",
                                 "Report each record file's records, first and last date, duplicate times, "
                                 "records out of time order and trailing bytes; exit 1 on any problem",
                                 checkArguments);
    check->callback([checkArguments, &context] {
        runCommand(context, "check", [&] { return runCheck(*checkArguments, context); });
    });

    auto tidyArguments = std::make_shared<RecordFileArguments>();
    CLI::App* tidy = addCommand(app, "tidy",
                                "Rewrite each record file sorted by time, one record per time (the one "
                                "appended last), without trailing bytes",
                                tidyArguments);
    tidy->add_flag("--dry-run,-n", tidyArguments->dryRun, "Print what would change, write nothing");
    tidy->callback([tidyArguments, &context] {
        runCommand(context, "tidy", [&] { return runTidy(*tidyArguments, context); });
    });
}

} // namespace cli
