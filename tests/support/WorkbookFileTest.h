// A fixture for tests that write a workbook's bytes to a file and open it
// through the data layer, expecting either a workbook or its exact message.
#pragma once

#include "support/TestSupport.h"
#include "support/WorkbookFixtures.h"
#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace workbook_testing {

class WorkbookFileTest : public testing::Test {
  protected:
    // `fileName` is the name the bytes are written under; its extension is
    // what the data layer sees.
    explicit WorkbookFileTest(const char* fileName) : path(folder.file(fileName)) {}

    // Opens `bytes` as the workbook; the message it fails with, or "".
    std::string open(const std::string& bytes)
    {
        testing_support::writeBytes(path, bytes);
        return testing_support::errorOf(
            [&] { book = workbook::openWorkbookFile(path, kUtf8, chineseSettings()); });
    }
    std::string cannotOpen(const std::string& reason) const
    {
        return "Cannot open the workbook \"" + path + "\": " + reason;
    }

    testing_support::TempDir folder;
    std::string path;
    std::unique_ptr<workbook::WorkbookFile> book;
};

} // namespace workbook_testing
