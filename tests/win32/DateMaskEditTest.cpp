// The quote-date field as an edit control: typed characters and keys go
// through the mask, and leaving it without a day keeps the focus in it.
#include "WindowFixture.h"

using namespace win32_test;

TEST(DateMaskEditTest, KeysGoThroughTheMask)
{
    struct Case {
        const char* typed;
        std::string shown;
        int beeps;
    };
    const Case cases[] = {
        {"20240105", "2024/01/05", 0}, {"2024/1", "2024/1_/__", 0},    {"05", "05__/__/__", 0},
        {"x2", "2___/__/__", 1},       {"202401051", "2024/01/05", 1},
    };
    for (const Case& c : cases) {
        Windows w;
        const HWND edit = w.form.DateMaskEdit->handle();
        Windows::type(edit, c.typed);
        EXPECT_EQ(Windows::text(edit), c.shown) << c.typed;
        EXPECT_EQ(w.form.DateMaskEdit->beepCount(), c.beeps) << c.typed;
    }
    Windows w;
    const HWND edit = w.form.DateMaskEdit->handle();
    Windows::type(edit, "20240105");
    SendMessageA(edit, WM_KEYDOWN, VK_BACK, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Windows::text(edit), "_024/01/0_");
    EXPECT_EQ(w.form.DateMaskEdit->text(), " 024/01/0 ");
}

TEST(DateMaskEditTest, LeavingWithoutADayKeepsTheFocusAndEscapeRestores)
{
    Windows w;
    const HWND edit = w.form.DateMaskEdit->handle();
    SetFocus(w.form.ListBox1);
    Windows::press(VK_TAB); // into the field
    ASSERT_EQ(GetFocus(), edit);
    Windows::type(edit, "202401");
    Windows::press(VK_TAB); // leaving it
    EXPECT_EQ(w.errors(),
              std::vector<std::string>{"Invalid input value.  Use escape key to abandon changes."});
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(w.form.DateMaskEdit->mask().caret(), 8);
    Windows::press(VK_ESCAPE);
    EXPECT_EQ(w.form.DateMaskEdit->text(), "    /  /  ");
    Windows::press(VK_TAB); // unchanged now: leaving raises nothing
    EXPECT_EQ(w.errors().size(), 1u);
    EXPECT_EQ(GetFocus(), w.form.help);
}
