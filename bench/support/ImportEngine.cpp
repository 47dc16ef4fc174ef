#include "support/ImportEngine.h"

#include "common/Clock.h"
#include "common/CodePage.h"
#include "import/ImportRun.h"

#include <cstdio>

namespace bench {

namespace {

class EngineHost : public importer::ImportHost {
  public:
    explicit EngineHost(const std::vector<std::string>& entries) : m_entries(entries) {}
    std::size_t entryCount() override { return m_entries.size(); }
    std::string entry(std::size_t position) override { return m_entries.at(position); }
    importer::ImportTarget target() override { return importer::ImportTarget::FeiHu; }
    void progress(const std::string&) override {}
    void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    const common::RegionalSettings& settings() override { return m_settings; }

  private:
    const std::vector<std::string>& m_entries;
    common::RegionalSettings m_settings = importInputSettings();
};

} // namespace

common::RegionalSettings importInputSettings()
{
    common::RegionalSettings settings;
    settings.shortDateFormat = "yyyy/M/d";
    return settings;
}

void runImportEngine(const std::vector<std::string>& entries, const std::string& folder, bool skipExisting)
{
    importer::ImportOptions options;
    options.customDataFolder = folder;
    options.codePage = common::CodePage(936);
    options.currentYear = common::currentLocalYear();
    options.skipExisting = skipExisting;
    EngineHost host(entries);
    importer::runImport(options, host);
}

} // namespace bench
