// The masked date field's rules: key scripts, the text a handler reads, validation and Escape.
#include "common/DateMask.h"

#include "common/Error.h"

#include <gtest/gtest.h>

using common::DateMask;
using KeyResult = common::DateMask::KeyResult;

namespace {

// Keys of a script: printable bytes are typed; '<' is Backspace, '>' Delete.
// Returns how many keys were refused with a beep.
int runKeys(DateMask& mask, std::string_view keys)
{
    int beeps = 0;
    for (char key : keys) {
        KeyResult result;
        if (key == '<')
            result = mask.backspace();
        else if (key == '>')
            result = mask.deleteForward();
        else
            result = mask.typeChar(key);
        beeps += result == KeyResult::Beep ? 1 : 0;
    }
    return beeps;
}

TEST(DateMask, StartsWithEveryDigitPositionBlank)
{
    DateMask mask('/');
    EXPECT_EQ(mask.displayText(), "____/__/__");
    EXPECT_EQ(mask.text(), "    /  /  ");
    EXPECT_EQ(mask.caret(), 0);
    EXPECT_FALSE(mask.isChanged());
}

TEST(DateMask, KeyScripts)
{
    const struct {
        const char* keys;
        const char* display;
        const char* text;
        int caret;
        int beeps;
    } cases[] = {
        {"20240105", "2024/01/05", "2024/01/05", 10, 0},   {"2024", "2024/__/__", "2024/  /  ", 5, 0},
        {"//05", "____/__/05", "    /  /05", 10, 0},       {"/", "____/__/__", "    /  /  ", 5, 0},
        {"24/1", "24__/1_/__", "24  /1 /  ", 6, 0},        {"abc", "____/__/__", "    /  /  ", 0, 3},
        {"2a0-2 4", "2024/__/__", "2024/  /  ", 5, 3},     {"202401051", "2024/01/05", "2024/01/05", 10, 1},
        {"2024///", "2024/__/__", "2024/  /  ", 8, 1},     {"2024<", "202_/__/__", "202 /  /  ", 3, 0},
        {"2024/01/05", "2024/01/05", "2024/01/05", 10, 0}, {"2024/1/5", "2024/1_/5_", "2024/1 /5 ", 9, 0},
        {"24/01/05", "24__/01/05", "24  /01/05", 10, 0},   {"2024a/0", "2024/0_/__", "2024/0 /  ", 6, 1},
        {"20241</", "2024/__/__", "2024/  /  ", 8, 0},     {"20240<", "2024/__/__", "2024/  /  ", 5, 0},
        {"<", "____/__/__", "    /  /  ", 0, 1},           {"2024>", "2024/__/__", "2024/  /  ", 5, 0},
        {"20240105>", "2024/01/05", "2024/01/05", 10, 1},
    };
    for (const auto& c : cases) {
        DateMask mask('/');
        EXPECT_EQ(runKeys(mask, c.keys), c.beeps) << c.keys;
        EXPECT_EQ(mask.displayText(), c.display) << c.keys;
        EXPECT_EQ(mask.text(), c.text) << c.keys;
        EXPECT_EQ(mask.caret(), c.caret) << c.keys;
        EXPECT_EQ(mask.text().size(), 10u);
    }
}

// A date typed from the first position as people type it, with or without
// its separators, replaces whatever the field held.
TEST(DateMask, DateTypedOverAnyContentIsTheDateTyped)
{
    const char* const before[] = {"", "2024/01/05", "2023/12/31", "20  /1 /  ", "    /  /05", "1999/  /  "};
    const struct {
        char separator;
        const char* keys;
        const char* text;
    } typings[] = {
        {'/', "2024/03/09", "2024/03/09"},
        {'/', "20240309", "2024/03/09"},
        {'-', "2024-03-09", "2024-03-09"},
        {'-', "20240309", "2024-03-09"},
    };
    for (const auto& typing : typings) {
        for (const char* content : before) {
            DateMask mask(typing.separator);
            mask.setText(content);
            mask.focusIn();
            mask.setCaret(0);
            EXPECT_EQ(runKeys(mask, typing.keys), 0) << typing.keys << " over " << content;
            EXPECT_EQ(mask.text(), typing.text) << typing.keys << " over " << content;
            EXPECT_EQ(mask.caret(), 10) << typing.keys << " over " << content;
        }
    }
}

TEST(DateMask, BackspaceAfterASeparatorBlanksTheDigitBeforeIt)
{
    DateMask mask('/');
    runKeys(mask, "202401");
    EXPECT_EQ(mask.caret(), 8);
    mask.backspace();
    EXPECT_EQ(mask.displayText(), "2024/0_/__");
    EXPECT_EQ(mask.caret(), 6);
}

TEST(DateMask, OtherSeparatorIsShownAndReturned)
{
    DateMask mask('-');
    EXPECT_EQ(mask.displayText(), "____-__-__");
    EXPECT_EQ(runKeys(mask, "2024-05-"), 0);
    EXPECT_EQ(mask.text(), "2024-05-  ");
    EXPECT_EQ(mask.caret(), 8);
    // "/" is an ordinary refused key when the separator is "-".
    EXPECT_EQ(runKeys(mask, "/"), 1);
    mask.setDateSeparator('.');
    EXPECT_EQ(mask.displayText(), "2024.05.__");
}

TEST(DateMask, SetTextKeepsDigitsAndClearsTheChangedFlag)
{
    DateMask mask('/');
    runKeys(mask, "1");
    EXPECT_TRUE(mask.isChanged());
    mask.setText("2024/1x/ 5");
    EXPECT_EQ(mask.displayText(), "2024/1_/_5");
    EXPECT_FALSE(mask.isChanged());
    mask.setText("12");
    EXPECT_EQ(mask.displayText(), "12__/__/__");
}

TEST(DateMask, ValidationNeedsBothDayDigits)
{
    const struct {
        const char* text;
        bool valid;
        int caret;
    } cases[] = {
        {"    /  /05", true, 8},  {"2024/01/05", true, 8},  {"2024/01/  ", false, 8},
        {"2024/01/0 ", false, 9}, {"2024/01/ 5", false, 8}, {"    /  /  ", false, 8},
    };
    for (const auto& c : cases) {
        DateMask mask('/');
        mask.setText(c.text);
        EXPECT_EQ(mask.isValid(), c.valid) << c.text;
        EXPECT_EQ(mask.firstBlankDayPosition(), c.caret) << c.text;
    }
}

TEST(DateMask, TypingOnlyADayIsAcceptedOnLeaving)
{
    DateMask mask('/');
    mask.focusIn();
    runKeys(mask, "//05");
    EXPECT_NO_THROW(mask.checkOnLeave());
    EXPECT_EQ(mask.text(), "    /  /05");
}

TEST(DateMask, LeavingWithoutADayRaisesTheValidationErrorAndEscapeRestores)
{
    DateMask mask('/');
    mask.setText("2023/12/31");
    mask.focusIn();
    mask.clearRange(0, 10);
    runKeys(mask, "202401");
    try {
        mask.checkOnLeave();
        FAIL() << "no error";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "Invalid input value.  Use escape key to abandon changes");
    }
    EXPECT_EQ(mask.caret(), 8);
    EXPECT_EQ(mask.text(), "2024/01/  ");
    EXPECT_TRUE(mask.escape());
    EXPECT_EQ(mask.text(), "2023/12/31");
    EXPECT_FALSE(mask.isChanged());
    EXPECT_FALSE(mask.escape());
}

TEST(DateMask, UntouchedFieldRaisesNothingEvenWhenBlank)
{
    DateMask mask('/');
    mask.focusIn();
    EXPECT_NO_THROW(mask.checkOnLeave());
    mask.setText("2024/01/  ");
    EXPECT_NO_THROW(mask.checkOnLeave());
}

TEST(DateMask, CaretSkipsSeparators)
{
    DateMask mask('/');
    mask.setCaret(4);
    EXPECT_EQ(mask.caret(), 5);
    mask.moveCaretLeft();
    EXPECT_EQ(mask.caret(), 3);
    mask.setCaret(7);
    EXPECT_EQ(mask.caret(), 8);
    mask.moveCaretLeft();
    EXPECT_EQ(mask.caret(), 6);
    mask.moveCaretRight();
    EXPECT_EQ(mask.caret(), 8);
    mask.setCaret(99);
    EXPECT_EQ(mask.caret(), 10);
    mask.setCaret(-3);
    EXPECT_EQ(mask.caret(), 0);
}

TEST(DateMask, ClearRangeBlanksOnlyDigitPositions)
{
    DateMask mask('/');
    mask.setText("2024/01/05");
    mask.clearRange(3, 9);
    EXPECT_EQ(mask.displayText(), "202_/__/_5");
    EXPECT_EQ(mask.caret(), 3);
    EXPECT_TRUE(mask.isChanged());
}

} // namespace
