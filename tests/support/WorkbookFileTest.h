// A fixture for tests that write a workbook's bytes to a file and open it
// through the data layer, expecting either a workbook or its exact message.
#pragma once

#include "support/TestSupport.h"
#include "support/WorkbookFixtures.h"
#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
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

// A damaged or unsuitable file: its bytes, made when the case runs, and the
// reason the data layer gives for refusing it.
struct Broken {
    const char* name;
    std::function<std::string()> bytes;
    std::string reason;
};

inline void PrintTo(const Broken& broken, std::ostream* out)
{
    *out << broken.name;
}

inline std::string caseNameOf(const testing::TestParamInfo<Broken>& info)
{
    return info.param.name;
}

} // namespace workbook_testing
