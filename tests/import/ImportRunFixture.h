// The import run's scripted host and test fixture, shared by the tests of
// every system.
#pragma once

#include "common/Error.h"
#include "import/ImportRun.h"
#include "import/ImportTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace import_test {

using namespace importer;
namespace fs = std::filesystem;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::writeBytes;

inline const std::string kLine = "SH600000\t2008-01-15\t12.5";

// zh_CN's settings: "/" and year-month-day.
inline common::RegionalSettings chineseSettings()
{
    common::RegionalSettings settings;
    settings.shortDateFormat = "yyyy/M/d";
    return settings;
}

class FakeHost : public ImportHost {
  public:
    std::vector<std::string> entries;
    std::vector<ImportTarget> targets{ImportTarget::FeiHu}; // per line; the last one repeats
    common::RegionalSettings currentSettings = chineseSettings();
    std::function<void(int)> onLine; // with the 0-based number of the line about to be read
    std::vector<std::string> progressTexts;
    std::vector<std::string> messages;
    std::vector<std::pair<SkipReason, std::size_t>> skipped;
    int lines = 0;

    std::size_t entryCount() override { return entries.size(); }
    std::string entry(std::size_t position) override
    {
        if (position >= entries.size())
            throw common::Error(listIndexOutOfBounds(position));
        return entries[position];
    }
    ImportTarget target() override
    {
        return targets[std::min<std::size_t>(m_targetReads++, targets.size() - 1)];
    }
    void beforeLine() override
    {
        if (onLine)
            onLine(lines);
        ++lines;
    }
    void progress(const std::string& text) override { progressTexts.push_back(text); }
    void message(const std::string& text) override { messages.push_back(text); }
    void lineSkipped(SkipReason reason, std::size_t lineNumber) override
    {
        skipped.emplace_back(reason, lineNumber);
    }
    const common::RegionalSettings& settings() override { return currentSettings; }

  private:
    std::size_t m_targetReads = 0;
};

class ImportRunTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_oldFolder = fs::current_path();
        fs::create_directory(m_cd);
        options.customDataFolder = m_cd;
        options.codePage = common::CodePage(936);
        options.currentYear = 2026;
    }
    void TearDown() override { fs::current_path(m_oldFolder); }

    // Writes an input file (path relative to the test folder) and lists it.
    std::string input(const std::string& name, const std::string& text)
    {
        fs::create_directories(fs::path(m_dir.file(name)).parent_path());
        writeBytes(m_dir.file(name), text);
        host.entries.push_back(m_dir.file(name));
        return m_dir.file(name);
    }
    std::string record(const std::string& name) { return readBytes(m_cd + "/" + name); }
    bool has(const std::string& name) { return fs::exists(m_cd + "/" + name); }
    // The message of the error that ended the run.
    std::string runFailure()
    {
        return testing_support::errorOf([this] { runImport(options, host); });
    }

    TempDir m_dir;
    const std::string m_cd = m_dir.file("cd");
    fs::path m_oldFolder;
    ImportOptions options;
    FakeHost host;
};

} // namespace import_test
