#include "cli/ImportCommand.h"

#include "cli/Commands.h"
#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FileSystem.h"
#include "import/CollectTxtFiles.h"
#include "import/ImportRun.h"
#include "import/ImportTexts.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace cli {
namespace {

constexpr const char* kTargetDat = "dat";
constexpr const char* kTargetAdt = "adt";

std::string absolutePath(const std::string& path)
{
    return path.empty() ? path : common::fullPathName(path);
}

// The engine's view of the command line: a fixed list, a fixed target.
class CommandLineHost : public importer::ImportHost {
  public:
    CommandLineHost(std::vector<std::string> entries, importer::ImportTarget target, CliContext& context)
        : m_entries(std::move(entries)), m_target(target), m_context(context)
    {
    }

    std::size_t entryCount() override { return m_entries.size(); }
    std::string entry(std::size_t position) override
    {
        if (position >= m_entries.size())
            throw common::Error(importer::listIndexOutOfBounds(position));
        return m_entries[position];
    }
    importer::ImportTarget target() override { return m_target; }
    void progress(const std::string& text) override
    {
        if (m_context.errIsTerminal)
            m_context.err << text << '\n';
    }
    void message(const std::string& text) override
    {
        m_context.err << text << '\n';
        m_stopped = true;
    }
    const common::RegionalSettings& settings() override { return m_context.settings; }

    bool stopped() const { return m_stopped; }

  private:
    std::vector<std::string> m_entries;
    importer::ImportTarget m_target;
    CliContext& m_context;
    bool m_stopped = false;
};

std::vector<std::string> collectEntries(const ImportArguments& arguments, const common::CodePage& codePage)
{
    std::vector<std::string> entries;
    for (const std::string& file : arguments.files)
        entries.push_back(absolutePath(file));
    for (const std::string& folder : arguments.scanFolders)
        importer::collectTxtFiles(absolutePath(folder), entries, codePage);
    return entries;
}

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ImportArguments>();
    CLI::App* command =
        app.add_subcommand("import", "Append every valid line of the text files as custom-data "
                                     "records to DIR/<data name>/<code>.dat or .adt");
    command->add_option("--folder", arguments->folder, "The custom-data folder (it must exist)")->required();
    command
        ->add_option("--target", arguments->target,
                     common::utf8ToCodePage("dat for 大智慧新一代, adt for 飞狐交易师", context.codePage))
        ->check(CLI::IsMember({kTargetDat, kTargetAdt}))
        ->capture_default_str();
    command->add_option("--scan", arguments->scanFolders, "A folder whose .txt files (all levels) are added")
        ->allow_extra_args(false);
    command->add_option("FILE", arguments->files, "Text files CODE<TAB>DATE<TAB>VALUE, in this order");
    command->callback([arguments, &context] { context.exitCode = runImportCommand(*arguments, context); });
}

void addDumpCommand(CLI::App& app, CliContext& context)
{
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* command = app.add_subcommand("dump", "Print the records of custom-data record files");
    command->add_option("FILE", *files, "Record files (.dat or .adt)")->required();
    command->callback([files, &context] { context.exitCode = runDumpCommand(*files, context); });
}

} // namespace

void addImportCommands(CLI::App& app, CliContext& context)
{
    addImportCommand(app, context);
    addDumpCommand(app, context);
}

int runImportCommand(const ImportArguments& arguments, CliContext& context)
{
    importer::ImportOptions options;
    options.customDataFolder = absolutePath(arguments.folder);
    options.codePage = context.codePage;
    options.currentYear = context.currentYear;
    importer::ImportTarget target =
        arguments.target == kTargetDat ? importer::ImportTarget::DaZhiHui : importer::ImportTarget::FeiHu;
    CommandLineHost host(collectEntries(arguments, context.codePage), target, context);
    importer::runImport(options, host);
    return host.stopped() ? kExitStopped : kExitDone;
}

} // namespace cli
