// The quote-date field driven by key clicks: typing over positions, refused
// keys, the separator jump, the text read, the day check on leaving and on
// Enter, Escape, and a "-" separator.
#include "app/windows/DateMaskEdit.h"
#include "app/TextBridge.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using testing_support::FakeDialogs;

namespace {

const QString kInvalidInput = QStringLiteral("Invalid input value.  Use escape key to abandon changes.");

// The field and one other control to leave it for, in an active window.
struct Page {
    explicit Page(char separator = '/')
    {
        auto* layout = new QVBoxLayout(&window);
        field = new app::DateMaskEdit(dialogs, separator, &window);
        other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
    }
    FakeDialogs dialogs;
    QWidget window;
    app::DateMaskEdit* field;
    QLineEdit* other;
};

} // namespace

class DateMaskEditTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { app::setUiCodePage(common::CodePage(65001)); }

    void startsWithBlanksAndReadsAsSpaces()
    {
        FakeDialogs dialogs;
        app::DateMaskEdit field(dialogs, '/', nullptr);
        QCOMPARE(field.text(), QStringLiteral("____/__/__"));
        QCOMPARE(field.maskedText(), QStringLiteral("    /  /  "));
        QCOMPARE(field.maxLength(), 10);
    }

    void typedDigitsFillThePositionsAndSkipSeparators()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "20240105");
        QCOMPARE(page.field->text(), QStringLiteral("2024/01/05"));
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/01/05"));
        QCOMPARE(page.field->beepCount(), 0);
        // Typing over: back to the month and overwrite it.
        QTest::keyClick(page.field, Qt::Key_Home);
        for (int i = 0; i < 4; ++i) // the caret steps over the separator
            QTest::keyClick(page.field, Qt::Key_Right);
        QCOMPARE(page.field->cursorPosition(), 5);
        QTest::keyClicks(page.field, "12");
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/12/05"));
    }

    void dateTypedWithSeparatorsOverAFilledFieldIsTheDateTyped()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "20240105");
        page.other->setFocus(Qt::TabFocusReason);
        // Back by a click on the first position, then by Tab (all selected).
        QTest::mouseClick(page.field, Qt::LeftButton, {}, QPoint(2, page.field->height() / 2));
        QCOMPARE(page.field->cursorPosition(), 0);
        QTest::keyClicks(page.field, "2024/03/09");
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/03/09"));
        page.other->setFocus(Qt::TabFocusReason);
        QTest::keyClick(page.other, Qt::Key_Backtab);
        QVERIFY(page.field->hasFocus());
        QTest::keyClicks(page.field, "2023/12/31");
        QCOMPARE(page.field->maskedText(), QStringLiteral("2023/12/31"));
        QCOMPARE(page.field->beepCount(), 0);
        QVERIFY(page.dialogs.calls.empty());
    }

    void lettersAreRefusedWithABeep()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "2a0x");
        QCOMPARE(page.field->maskedText(), QStringLiteral("20  /  /  "));
        QCOMPARE(page.field->beepCount(), 2);
    }

    void separatorKeyJumpsPastTheNextSeparator()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "24/1/5");
        QCOMPARE(page.field->maskedText(), QStringLiteral("24  /1 /5 "));
        QCOMPARE(page.field->beepCount(), 0);
    }

    void onlyADayIsAcceptedOnLeaving()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_End);
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(page.field, Qt::Key_Left);
        QTest::keyClicks(page.field, "15");
        page.other->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QVERIFY(page.other->hasFocus());
        QCOMPARE(page.field->maskedText(), QStringLiteral("    /  /15"));
        QVERIFY(page.dialogs.calls.empty());
    }

    void yearAndMonthWithoutADayKeepTheFocusAndShowTheError()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "202401");
        QTest::keyClick(page.field, Qt::Key_Tab);
        QTRY_COMPARE(page.dialogs.count("error"), 1);
        QCOMPARE(page.dialogs.texts("error").first(), kInvalidInput);
        QTRY_VERIFY(page.field->hasFocus());
        QCOMPARE(page.field->cursorPosition(), 8);
        QCOMPARE(page.field->beepCount(), 1);
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/01/  "));
        // Escape brings back the text the field had when it got the focus.
        QTest::keyClick(page.field, Qt::Key_Escape);
        QCOMPARE(page.field->maskedText(), QStringLiteral("    /  /  "));
        QTest::keyClick(page.field, Qt::Key_Tab);
        QApplication::processEvents();
        QVERIFY(page.other->hasFocus());
        QCOMPARE(page.dialogs.count("error"), 1);
    }

    void clickOnAButtonWithTheDayMissingDoesNotPressIt()
    {
        Page page;
        auto* button = new QPushButton(QStringLiteral("转换"), &page.window);
        page.window.layout()->addWidget(button);
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&] { ++clicks; });
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "202401");
        QTest::mousePress(button, Qt::LeftButton);
        QTRY_COMPARE(page.dialogs.count("error"), 1);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(clicks, 0);
        QVERIFY(page.field->hasFocus());
    }

    void enterChecksTheDayToo()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "2024019");
        QTest::keyClick(page.field, Qt::Key_Return);
        QCOMPARE(page.dialogs.texts("error"), QStringList{kInvalidInput});
        QCOMPARE(page.field->cursorPosition(), 9);
        QTest::keyClick(page.field, Qt::Key_Left);
        QTest::keyClicks(page.field, "09");
        QTest::keyClick(page.field, Qt::Key_Return);
        QCOMPARE(page.dialogs.count("error"), 1);
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/01/09"));
    }

    void untouchedFieldRaisesNothing()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Return);
        QTest::keyClick(page.field, Qt::Key_Tab);
        QApplication::processEvents();
        QVERIFY(page.other->hasFocus());
        QVERIFY(page.dialogs.calls.empty());
        QCOMPARE(page.field->beepCount(), 0);
    }

    void escapeRestoresTheTextOfTheLastFocusEntry()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "20240105");
        page.other->setFocus();
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "1999");
        QCOMPARE(page.field->maskedText(), QStringLiteral("1999/01/05"));
        QTest::keyClick(page.field, Qt::Key_Escape);
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/01/05"));
    }

    void dashSeparatorIsShownAndReturned()
    {
        Page page('-');
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        QCOMPARE(page.field->text(), QStringLiteral("____-__-__"));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "20241-15");
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024-1 -15"));
        QCOMPARE(page.field->beepCount(), 0);
    }

    void backspaceBlanksThePositionBefore()
    {
        Page page;
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.field->setFocus();
        QTest::keyClick(page.field, Qt::Key_Home);
        QTest::keyClicks(page.field, "20240105");
        QTest::keyClick(page.field, Qt::Key_Backspace);
        QTest::keyClick(page.field, Qt::Key_Backspace);
        QCOMPARE(page.field->maskedText(), QStringLiteral("2024/01/  "));
        QCOMPARE(page.field->cursorPosition(), 8);
    }
};

QTEST_MAIN(DateMaskEditTest)
#include "DateMaskEditTest.moc"
