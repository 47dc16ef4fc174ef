// Where an error happened, as the command line words it: what the steps fill
// in, and the text that keeps both the system's words and the tool's own.
#include "common/ErrorWhere.h"

#include "common/IoError.h"

#include <gtest/gtest.h>

namespace {

using Action = common::ErrorWhere::Action;

TEST(ErrorWhere, DescribeKeepsTheSystemsAndTheToolsTexts)
{
    const common::Error full = common::ioError(112, "No space left on device");
    const common::Error own = common::ioError(101);
    const common::Error general("Floating point overflow");
    const common::Error created("Cannot create file \"/o/a.txt\". Permission denied");
    const struct {
        const common::Error& error;
        common::ErrorWhere where;
        const char* text;
    } cases[] = {
        {full,
         {"in.txt", 3, Action::Append, "cd/PE/SH600000.adt"},
         "in.txt:3: cannot append to cd/PE/SH600000.adt: No space left on device (I/O error 112)"},
        {own, {"in.txt", 3, Action::Append, "x.adt"}, "in.txt:3: cannot append to x.adt: Disk full"},
        {general, {"in.txt", 7, Action::None, ""}, "in.txt:7: Floating point overflow"},
        {full,
         {"", 0, Action::MakeFolder, "cd/PE"},
         "cannot make folder cd/PE: No space left on device (I/O error 112)"},
        {full,
         {"in.txt", 0, Action::Open, "cd/PE/"},
         "in.txt: cannot open cd/PE/: No space left on device (I/O error 112)"},
        {full,
         {"in.txt", 5, Action::Read, ""},
         "in.txt:5: cannot read: No space left on device (I/O error 112)"},
        // The message names the file already: said once.
        {created, {"", 0, Action::Write, "/o/a.txt"}, "Cannot create file \"/o/a.txt\". Permission denied"},
    };
    for (const auto& c : cases) {
        common::Error error = c.error;
        error.setWhere(c.where);
        EXPECT_EQ(common::describeError(error), c.text);
        EXPECT_EQ(std::string(error.what()), c.error.what()); // the window's text is unchanged
    }
    EXPECT_EQ(common::describeError(full), "No space left on device (I/O error 112)");
    EXPECT_EQ(common::describeError(own), "Disk full");
}

TEST(ErrorWhere, TheStepNearestTheFailureWinsAndOuterStepsFillTheRest)
{
    std::string input = "in.txt";
    std::string target = "x.adt";
    std::string none;
    try {
        common::attempt(input, 0, Action::None, none, [&] {
            common::attempt(none, 9, Action::Append, target,
                            [] { throw common::ioError(5, "Permission denied"); });
        });
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_EQ(common::describeError(error),
                  "in.txt:9: cannot append to x.adt: Permission denied (File access denied)");
    }
    EXPECT_EQ(common::attempt(input, 1, Action::Read, input, [] { return 42; }), 42);
}

} // namespace
