// `tarnvale-cli sheets`, `show` and `convert` give for an .xlsx or an .ods
// exactly what they give for the .xls of the same data, whichever program
// wrote it.
#include "cli/Cli.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing_support::dataPath;
using testing_support::readBytes;
namespace fs = std::filesystem;

namespace {

struct Output {
    int status;
    std::string out;
    std::string err;
    bool operator==(const Output&) const = default;
};

void PrintTo(const Output& output, std::ostream* os)
{
    *os << output.status << "\n" << output.out << output.err;
}

struct SameData {
    const char* book;
    const char* xls;
};

class XlsxCommands : public testing::TestWithParam<SameData> {
  protected:
    void SetUp() override { m_oldFolder = fs::current_path(); }
    void TearDown() override { fs::current_path(m_oldFolder); }

    Output run(std::vector<std::string> args)
    {
        std::ostringstream out;
        std::ostringstream err;
        common::RegionalSettings settings;
        settings.shortDateFormat = "yyyy-m-d";
        settings.dateSeparator = '-';
        cli::CliContext context{out, err, common::CodePage(936), settings, 2026};
        args.insert(args.begin(), "tarnvale-cli");
        const int status = cli::runCli(args, context);
        return {status, out.str(), err.str()};
    }
    // `convert` of the first table into a folder of its own: its report
    // (with the folder's name taken out) and every file it wrote.
    Output convert(const std::string& book, const std::string& folder)
    {
        fs::create_directories(folder);
        Output output = run({"convert", book, "Sheet1$", "--code-column", "Code", "--date", "2024-01-05",
                             "--out", folder, "--map", "Close<->close", "--map", "Vol<->vol"});
        for (std::size_t at; (at = output.out.find(folder)) != std::string::npos;)
            output.out.erase(at, folder.size());
        for (const char* name : {"close", "vol"})
            output.out += "\n" + readBytes(folder + "/2024-01-05/" + name + ".txt");
        return output;
    }

    testing_support::TempDir m_dir;
    fs::path m_oldFolder;
};

TEST_P(XlsxCommands, GiveTheSameOutputAsForTheXls)
{
    const std::string book = dataPath(GetParam().book);
    const std::string xls = dataPath(GetParam().xls);
    const Output sheets = run({"sheets", xls});
    ASSERT_EQ(sheets.status, 0) << sheets.err;
    EXPECT_EQ(run({"sheets", book}), sheets);
    std::istringstream names(sheets.out);
    for (std::string name; std::getline(names, name);) {
        if (name.front() == '\'')
            name = name.substr(1, name.size() - 2);
        EXPECT_EQ(run({"show", book, name}), run({"show", xls, name})) << name;
    }
    EXPECT_EQ(convert(book, m_dir.file("book")), convert(xls, m_dir.file("xls")));
}

INSTANTIATE_TEST_SUITE_P(
    Writers, XlsxCommands,
    testing::Values(SameData{"Mixed.xlsx", "Mixed.xls"}, SameData{"MixedOpenpyxl.xlsx", "Mixed.xls"},
                    SameData{"MixedStrict.xlsx", "Mixed.xls"}, SameData{"Quotes.xlsx", "Quotes.xls"},
                    SameData{"QuotesOpenpyxl.xlsx", "Quotes.xls"}, SameData{"Mixed.ods", "Mixed.xls"},
                    SameData{"MixedGnumeric.ods", "MixedGnumeric.xls"}, SameData{"Quotes.ods", "Quotes.xls"}),
    [](const auto& info) {
        const std::string name = info.param.book;
        const std::size_t dot = name.find('.');
        return name.substr(0, dot) + (name.substr(dot) == ".ods" ? "Ods" : "");
    });

} // namespace
