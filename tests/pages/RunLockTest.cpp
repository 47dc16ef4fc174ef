// One run at a time: every blocked control off for the run and back to its
// own state afterwards, also after an error; the focus that switching them
// off moved; a second request while a run goes.
#include "pages/RunLock.h"

#include "FakeViews.h"
#include "common/Error.h"

#include <gtest/gtest.h>

using pages::Control;
using pages::RunLock;
using pages_test::FakeForm1;

namespace {

std::set<Control> everyBlockedControl()
{
    return {pages::kBlockedDuringRun.begin(), pages::kBlockedDuringRun.end()};
}

} // namespace

TEST(RunLock, EveryBlockedControlIsOffDuringTheRunAndGetsItsOwnStateBack)
{
    FakeForm1 form;
    form.disabled = {Control::Browse2Button}; // off before the run: stays off
    RunLock runs(form);
    std::set<Control> offDuringRun;
    bool inProgress = false;
    EXPECT_TRUE(runs.run([&] {
        offDuringRun = form.disabled;
        inProgress = runs.inProgress();
    }));
    EXPECT_EQ(offDuringRun, everyBlockedControl());
    EXPECT_TRUE(inProgress);
    EXPECT_EQ(form.disabled, std::set<Control>{Control::Browse2Button});
    EXPECT_FALSE(runs.inProgress());
}

TEST(RunLock, AnErrorEndsTheRunWithEveryControlBack)
{
    FakeForm1 form;
    RunLock runs(form);
    EXPECT_THROW(runs.run([] { throw common::Error("File not found"); }), common::Error);
    EXPECT_TRUE(form.disabled.empty());
    EXPECT_FALSE(runs.inProgress());
}

TEST(RunLock, ARequestDuringARunRunsNothing)
{
    FakeForm1 form;
    RunLock runs(form);
    bool nestedRan = false;
    bool nestedAccepted = true;
    runs.run([&] { nestedAccepted = runs.run([&] { nestedRan = true; }); });
    EXPECT_FALSE(nestedAccepted);
    EXPECT_FALSE(nestedRan);
    EXPECT_TRUE(form.disabled.empty());
}

// The focus before the run, where switching the controls off put it, where
// the user put it during the run, and where it ends.
TEST(RunLock, TheFocusComesBackUnlessTheUserMovedIt)
{
    const int kTabs = 0; // a control the run leaves on, such as the tab strip
    const int kList = 0;
    const FakeForm1::FocusHandle button3 = FakeForm1::handleOf(Control::Button3);
    const FakeForm1::FocusHandle tabs = &kTabs;
    const FakeForm1::FocusHandle list = &kList;
    struct Case {
        const char* what;
        FakeForm1::FocusHandle before;
        FakeForm1::FocusHandle movedTo; // by the user during the run; nullptr: not moved
        FakeForm1::FocusHandle after;
    };
    const Case cases[] = {
        {"on the run's button: back on it", button3, nullptr, button3},
        {"moved by the user during the run: stays", button3, list, list},
        {"on a control the run leaves on: stays", list, nullptr, list},
        {"nowhere: nowhere", nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        FakeForm1 form;
        form.focused = c.before;
        form.fallbackFocus = tabs;
        RunLock runs(form);
        runs.run([&] {
            if (c.movedTo)
                form.focused = c.movedTo;
        });
        EXPECT_EQ(form.focused, c.after) << c.what;
    }
}
