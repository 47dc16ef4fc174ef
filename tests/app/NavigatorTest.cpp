// DBNavigator1 over a real sheet: button order and placement, the enable
// rules in every cursor and edit state, and what each button does.
#include "PreviewFixture.h"

#include "app/windows/DbNavigator.h"
#include "workbook/WorkbookMessages.h"

#include <QToolButton>
#include <QtTest>

using app::DbNavigator;
using preview_test::PreviewRig;

namespace {

// One character per button in bar order, "1" enabled: first, prior, next,
// last, insert, delete, edit, post, cancel, refresh.
QString enabledPattern(const DbNavigator& navigator)
{
    QString pattern;
    for (int index = 0; index < DbNavigator::kButtonCount; ++index)
        pattern += navigator.button(static_cast<DbNavigator::Button>(index))->isEnabled() ? '1' : '0';
    return pattern;
}

void click(DbNavigator& navigator, DbNavigator::Button which)
{
    QTest::mouseClick(navigator.button(which), Qt::LeftButton);
}

} // namespace

class NavigatorTest : public QObject {
    Q_OBJECT

  private slots:
    void buttonsLieInOrderAcrossTheBar();
    void allDisabledBeforeAnySheetIsOpen();
    void allDisabledWhileTheLinkIsOff();
    void enableStates_data();
    void enableStates();
    void emptySheetDisablesMovesAndDelete();
    void deleteAsksAndCancelKeepsTheRow();
    void deleteOkShowsTheRefusal();
    void postStoresTheEditInTheQuery();
    void cancelDropsTheEdit();
    void disabledButtonsLookDisabled();
};

void NavigatorTest::buttonsLieInOrderAcrossTheBar()
{
    DbNavigator navigator;
    navigator.setGeometry(6, 166, 200, 20);
    navigator.show();
    const char* names[] = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                           "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
    for (int index = 0; index < DbNavigator::kButtonCount; ++index) {
        QToolButton* button = navigator.button(static_cast<DbNavigator::Button>(index));
        QCOMPARE(button->objectName(), QString::fromLatin1(names[index]));
        QCOMPARE(button->geometry(), QRect(index * 20, 0, 20, 20));
    }
}

void NavigatorTest::allDisabledBeforeAnySheetIsOpen()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    QCOMPARE(enabledPattern(navigator), QStringLiteral("0000000000"));
}

void NavigatorTest::allDisabledWhileTheLinkIsOff()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QVERIFY(enabledPattern(navigator) != QStringLiteral("0000000000"));

    rig.source.setEnabled(false);
    QCOMPARE(enabledPattern(navigator), QStringLiteral("0000000000"));
    // A row move behind the link's back is ignored, and clicks do nothing.
    rig.query.next();
    rig.source.recordChanged();
    QCOMPARE(enabledPattern(navigator), QStringLiteral("0000000000"));
    QVERIFY(!rig.source.next());
    QCOMPARE(rig.query.currentRow(), std::size_t(1));

    rig.source.setEnabled(true);
    QCOMPARE(enabledPattern(navigator), QStringLiteral("1111111001"));
}

void NavigatorTest::enableStates_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("pattern");
    using N = DbNavigator;
    QTest::newRow("just opened, first row") << QList<int>{} << QStringLiteral("0011111001");
    QTest::newRow("middle row") << QList<int>{N::Next} << QStringLiteral("1111111001");
    QTest::newRow("last row") << QList<int>{N::Last} << QStringLiteral("1100111001");
    QTest::newRow("back to first") << QList<int>{N::Last, N::First} << QStringLiteral("0011111001");
    QTest::newRow("prior from second row")
        << QList<int>{N::Next, N::Prior, N::Prior} << QStringLiteral("0011111001");
    QTest::newRow("editing") << QList<int>{N::Next, N::Edit} << QStringLiteral("1111110111");
    // The data layer leaves the beginning once a row is inserted, cancelled or not.
    QTest::newRow("inserting") << QList<int>{N::Insert} << QStringLiteral("1111110111");
    QTest::newRow("posted") << QList<int>{N::Edit, N::Post} << QStringLiteral("0011111001");
    QTest::newRow("cancelled") << QList<int>{N::Insert, N::Cancel} << QStringLiteral("1111111001");
    QTest::newRow("edit cancelled") << QList<int>{N::Next, N::Edit, N::Cancel}
                                    << QStringLiteral("1111111001");
}

void NavigatorTest::enableStates()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, pattern);
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    for (int which : clicks)
        click(navigator, static_cast<DbNavigator::Button>(which));
    QCOMPARE(rig.errors, QStringList());
    QCOMPARE(enabledPattern(navigator), pattern);
}

void NavigatorTest::emptySheetDisablesMovesAndDelete()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kEmptySheet);
    QVERIFY(rig.query.eof());
    QCOMPARE(enabledPattern(navigator), QStringLiteral("0000101001"));
}

void NavigatorTest::deleteAsksAndCancelKeepsTheRow()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    rig.deleteAnswer = false;
    click(navigator, DbNavigator::Delete);
    QCOMPARE(rig.questions, QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(rig.errors, QStringList());
    QCOMPARE(rig.query.rowCount(), std::size_t(preview_test::kQuotesRows));
}

void NavigatorTest::deleteOkShowsTheRefusal()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    rig.deleteAnswer = true;
    click(navigator, DbNavigator::Delete);
    QCOMPARE(rig.questions.size(), 1);
    // The data layer refuses to delete; its message reaches the error box
    // and the row stays.
    QCOMPARE(rig.errors, QStringList{QString::fromUtf8(workbook::kDeleteNotSupported)});
    QCOMPARE(rig.query.rowCount(), std::size_t(preview_test::kQuotesRows));
    QCOMPARE(enabledPattern(navigator), QStringLiteral("0011111001"));
}

void NavigatorTest::postStoresTheEditInTheQuery()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    click(navigator, DbNavigator::Next);
    click(navigator, DbNavigator::Edit);
    rig.query.setCellText(1, "Renamed");
    click(navigator, DbNavigator::Post);
    QCOMPARE(rig.errors, QStringList());
    QCOMPARE(rig.query.state(), workbook::Query::State::Browse);
    QCOMPARE(rig.query.cellText(1, 1), std::string("Renamed"));
}

void NavigatorTest::cancelDropsTheEdit()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setDataSource(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    const std::string before = rig.query.cellText(0, 1);
    click(navigator, DbNavigator::Edit);
    rig.query.setCellText(1, "Renamed");
    click(navigator, DbNavigator::Cancel);
    QCOMPARE(rig.query.state(), workbook::Query::State::Browse);
    QCOMPARE(rig.query.cellText(0, 1), before);
}

// A disabled button's glyph is greyed as a disabled button's text is, an
// enabled one drawn in the text colour: told apart at a glance, with no sheet
// open as well as at the first row or while a row is edited.
void NavigatorTest::disabledButtonsLookDisabled()
{
    PreviewRig rig;
    DbNavigator navigator;
    navigator.setGeometry(6, 166, 200, 20);
    navigator.setDataSource(rig.source);
    navigator.show();
    // The darkest grey of the button's picture: its glyph's colour.
    const auto glyphGrey = [&](DbNavigator::Button which) {
        const QImage image = navigator.button(which)->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    };
    const QPalette& palette = navigator.palette();
    const int enabledGrey = qGray(palette.color(QPalette::Active, QPalette::ButtonText).rgb());
    const int disabledGrey = qGray(palette.color(QPalette::Disabled, QPalette::ButtonText).rgb());
    QVERIFY2(disabledGrey - enabledGrey >= 64, qPrintable(QString::number(disabledGrey)));
    const auto expectLook = [&](const QString& pattern) {
        QCOMPARE(enabledPattern(navigator), pattern);
        for (int index = 0; index < DbNavigator::kButtonCount; ++index) {
            const int grey = glyphGrey(static_cast<DbNavigator::Button>(index));
            const int expected = pattern[index] == '1' ? enabledGrey : disabledGrey;
            QVERIFY2(
                std::abs(grey - expected) <= 12,
                qPrintable(QStringLiteral("button %1: %2, expected %3").arg(index).arg(grey).arg(expected)));
        }
    };
    expectLook(QStringLiteral("0000000000"));
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    expectLook(QStringLiteral("0011111001"));
    click(navigator, DbNavigator::Edit);
    expectLook(QStringLiteral("0011110111"));
}

QTEST_MAIN(NavigatorTest)
#include "NavigatorTest.moc"
