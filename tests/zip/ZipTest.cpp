// The zip container: real packages read whole, broken ones refused with a
// reason and without inflating more than their declared sizes, and
// packages written with other entries' compressed bytes kept.
#include "common/Error.h"
#include "support/TestSupport.h"
#include "support/ZipPatch.h"
#include "zip/EntryReader.h"
#include "zip/ZipArchive.h"
#include "zip/ZipWriter.h"

#include <gtest/gtest.h>

#include <functional>

using testing_support::dataPath;
using testing_support::errorOf;
using testing_support::patchCentralField;
using testing_support::readBytes;

namespace {

constexpr const char* kSheet = "xl/worksheets/sheet1.xml";

// Every entry inflated; throws common::Error for the first that fails.
void readAll(const std::string& bytes)
{
    const zip::Archive archive(bytes);
    for (const zip::Entry& entry : archive.entries())
        EXPECT_EQ(zip::readEntry(archive, entry).size(), entry.size) << entry.name;
}

class RealPackage : public testing::TestWithParam<const char*> {};

// LibreOffice writes data descriptors (sizes only in the directory),
// Gnumeric extra fields, Info-ZIP's -fz zip64 records, xlsxwriter a VBA
// project stored as it is.
TEST_P(RealPackage, EveryEntryInflatesToItsDeclaredSize)
{
    const std::string bytes = readBytes(dataPath(GetParam()));
    EXPECT_EQ(errorOf([&] { readAll(bytes); }), testing_support::kNoError);
    const zip::Archive archive(bytes);
    ASSERT_NE(archive.find("XL/Workbook.xml"), nullptr); // part names are compared without case
    EXPECT_EQ(archive.find("XL/Workbook.xml")->name, "xl/workbook.xml");
    EXPECT_EQ(archive.find("xl/nothing.xml"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Writers, RealPackage,
                         testing::Values("Mixed.xlsx", "MixedGnumeric.xlsx", "MixedOpenpyxl.xlsx",
                                         "Zip64.xlsx", "Macro.xlsm"));

struct Broken {
    const char* name;
    std::function<std::string(std::string)> damage;
    const char* message;
};

void PrintTo(const Broken& broken, std::ostream* out)
{
    *out << broken.name;
}

class BrokenPackage : public testing::TestWithParam<Broken> {};

TEST_P(BrokenPackage, IsRefusedWithItsReason)
{
    const std::string bytes = GetParam().damage(readBytes(dataPath("Quotes.xlsx")));
    EXPECT_EQ(errorOf([&] { readAll(bytes); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BrokenPackage,
    testing::Values(
        Broken{"Empty", [](std::string) { return std::string(); },
               "it is not a zip package (the file is empty)"},
        Broken{"NotAZip", [](std::string) { return std::string(4000, 'x'); },
               "it is not a zip package (no zip directory)"},
        Broken{"CutInHalf", [](std::string z) { return z.substr(0, z.size() / 2); },
               "the file is truncated (its zip directory is missing)"},
        Broken{"CrcChanged", [](std::string z) { return patchCentralField(z, kSheet, 16, 4, 0x12345678); },
               "its part \"xl/worksheets/sheet1.xml\" is damaged (its CRC does not match)"},
        // Local and central headers may both lie: the declared size bounds the work.
        Broken{
            "SizeUnderstated", [](std::string z) { return patchCentralField(z, kSheet, 24, 4, 100); },
            "its part \"xl/worksheets/sheet1.xml\" is damaged (it inflates to more bytes than its declared "
            "size)"},
        Broken{
            "SizeOverstated", [](std::string z) { return patchCentralField(z, kSheet, 24, 4, 1000000); },
            "its part \"xl/worksheets/sheet1.xml\" is damaged (it inflates to fewer bytes than its declared "
            "size)"},
        Broken{"BeyondTheCeiling",
               [](std::string z) { return patchCentralField(z, kSheet, 24, 4, 3221225472u); },
               "its part \"xl/worksheets/sheet1.xml\" would inflate to 3221225472 bytes, far more than a "
               "package "
               "of this size holds"},
        Broken{
            "FarBeyondTheFile", [](std::string z) { return patchCentralField(z, kSheet, 24, 4, 40000000); },
            "its part \"xl/worksheets/sheet1.xml\" would inflate to 40000000 bytes, far more than a package "
            "of this size holds"},
        Broken{"Encrypted", [](std::string z) { return patchCentralField(z, kSheet, 8, 2, 1); },
               "its part \"xl/worksheets/sheet1.xml\" is encrypted"},
        Broken{"Bzip2", [](std::string z) { return patchCentralField(z, kSheet, 10, 2, 12); },
               "its part \"xl/worksheets/sheet1.xml\" is compressed with method 12, which is not supported"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZipWriter, CopiesEntriesAsTheyAreAndDeflatesTheNewOne)
{
    const std::string original = readBytes(dataPath("Macro.xlsm"));
    const zip::Archive archive(original);
    const std::string sheet = "<worksheet>" + std::string(100000, ' ') + "</worksheet>";
    zip::Writer writer;
    for (const zip::Entry& entry : archive.entries()) {
        if (entry.name == kSheet)
            writer.add(entry, sheet);
        else
            writer.copy(archive, entry);
    }
    const std::string written = writer.finish();
    const zip::Archive copy(written);
    ASSERT_EQ(copy.entries().size(), archive.entries().size());
    for (std::size_t i = 0; i < copy.entries().size(); ++i) {
        const zip::Entry& before = archive.entries()[i];
        const zip::Entry& after = copy.entries()[i];
        EXPECT_EQ(after.name, before.name);
        EXPECT_EQ(after.date, before.date);
        EXPECT_EQ(after.time, before.time);
        if (before.name == kSheet) {
            EXPECT_EQ(zip::readEntry(copy, after), sheet);
            EXPECT_LT(after.compressedSize, sheet.size() / 50);
        } else {
            EXPECT_EQ(copy.compressedData(after), archive.compressedData(before)) << before.name;
            EXPECT_EQ(zip::readEntry(copy, after), zip::readEntry(archive, before)) << before.name;
        }
    }
}

TEST(ZipLimits, ThePartSizeAllowedGrowsWithThePackageUpToTheCeiling)
{
    EXPECT_EQ(zip::maxEntrySize(0), zip::kSmallPartSize);
    EXPECT_EQ(zip::maxEntrySize(1000000), zip::kSmallPartSize + 200000000);
    EXPECT_EQ(zip::maxEntrySize(100000000), zip::kMaxPartSize);
}

} // namespace
