// The container written anew: the replaced stream reads back whatever its
// size (mini stream, regular sectors, a FAT that needs DIFAT sectors), and
// every other stream and directory entry is as it was.
#include "support/WorkbookFixtures.h"

#include "xls/CompoundFile.h"
#include "xlswrite/CompoundFileWriter.h"

#include <gtest/gtest.h>

using namespace workbook_testing;

namespace {

void expectRewritten(const std::string& fixture, const std::string& replacement)
{
    const std::string original = testing_support::readBytes(testing_support::dataPath(fixture));
    const xls::CompoundFile before(original);
    const std::size_t entry = *before.findStream(u"Workbook");
    const std::string written = xlswrite::rewriteCompoundFile(before, original, entry, replacement);
    const xls::CompoundFile after(written);
    ASSERT_EQ(after.entries().size(), before.entries().size());
    for (std::size_t i = 0; i < before.entries().size(); ++i) {
        const xls::DirectoryEntry& old = before.entries()[i];
        const xls::DirectoryEntry& now = after.entries()[i];
        EXPECT_EQ(now.name, old.name);
        EXPECT_EQ(now.type, old.type);
        EXPECT_EQ(now.left, old.left);
        EXPECT_EQ(now.right, old.right);
        EXPECT_EQ(now.child, old.child);
        if (old.type != xls::cfb::kTypeStream)
            continue;
        if (i == entry)
            EXPECT_EQ(after.readStream(i), replacement);
        else
            EXPECT_EQ(after.readStream(i), before.readStream(i)) << "entry " << i;
    }
    EXPECT_EQ(written.size() % 512, 0u);
}

TEST(CompoundFileWriter, AStreamOfAnySizeReadsBackAndTheOthersStayAsTheyWere)
{
    expectRewritten("Mixed.xls", testing_support::readBytes(testing_support::dataPath("Quotes.xls")));
    expectRewritten("MixedGnumeric.xls", std::string(100, 'x')); // now small enough for the mini stream
    expectRewritten("Quotes.xls", std::string(4096, 'y'));       // exactly the cutoff: regular sectors
    expectRewritten("Large.xls", "");
}

TEST(CompoundFileWriter, AStreamThatNeedsMoreThan109FatSectorsGetsDifatSectors)
{
    std::string big(9 << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + (i >> 12));
    expectRewritten("Mixed.xls", big);
}

} // namespace
