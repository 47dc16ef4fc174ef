// The page layer of both windows over fake views and scripted dialogs, with
// the fixed test context (UTF-8, "/" dates, the year 2026). Handlers are run
// as a view runs them, through the guard, so that errors land in the
// scripted error box.
#pragma once

#include "FakeViews.h"
#include "common/FileSystem.h"
#include "pages/Guard.h"
#include "pages/MainWindow.h"
#include "support/FixedContext.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pages_test {

using Dialogs = testing_support::ScriptedDialogs<testing_support::ByteTexts>;

struct Pages {
    FakeForm1 form;
    FakeMappingDialog colnameForm;
    Dialogs dialogs;
    pages::MainWindow window{form, form, form, dialogs, testing_support::fixedContext()};
    pages::ExcelPage& excel = window.excelPage();
    pages::ImportPage& importPage = window.importPage();

    Pages() { excel.setColnameForm(&colnameForm); }

    void click(const std::function<void()>& handler) { pages::guarded(dialogs, handler); }
    std::vector<std::string> errors() const { return dialogs.texts("error"); }
    std::vector<std::string> messages() const { return dialogs.texts("info"); }
};

// The runs move the current folder; every test starts from the same one.
class PageTest : public ::testing::Test {
  protected:
    void SetUp() override { m_startFolder = common::currentFolder(); }
    void TearDown() override { common::changeCurrentFolder(m_startFolder); }

    std::string m_startFolder;
    testing_support::TempDir m_temp;
};

} // namespace pages_test
