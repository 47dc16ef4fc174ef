// DBGrid1 and its model over a real sheet: titles and cells, the row
// indicator, the current row following the cursor both ways, the link
// switched off and on, cell edits, and the grid's keys.
#include "PreviewFixture.h"

#include "app/SheetModel.h"
#include "app/windows/DbGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

using app::DbGrid;
using app::SheetModel;
using preview_test::PreviewRig;

namespace {

QStringList titles(const QAbstractItemModel& model)
{
    QStringList result;
    for (int column = 0; column < model.columnCount(); ++column)
        result << model.headerData(column, Qt::Horizontal).toString();
    return result;
}

QString cell(const QAbstractItemModel& model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

QString indicator(const QAbstractItemModel& model, int row)
{
    return model.headerData(row, Qt::Vertical).toString();
}

// A shown grid with a second control to move the focus to.
struct GridWindow {
    QWidget window;
    DbGrid* grid = new DbGrid(&window);
    QLineEdit* other = new QLineEdit(&window);

    explicit GridWindow(PreviewRig& rig)
    {
        grid->setGeometry(0, 30, 600, 300);
        other->setGeometry(0, 0, 100, 20);
        grid->setDataSource(rig.source);
        window.resize(600, 330);
        window.show();
        window.activateWindow();
    }
};

} // namespace

class PreviewGridTest : public QObject {
    Q_OBJECT

  private slots:
    void modelShowsFieldsAndCells();
    void modelIsBlankWhileTheQueryIsClosed();
    void indicatorMarksTheCurrentRowAndEditState();
    void gridFollowsTheCursor();
    void cursorFollowsTheGrid();
    void linkOffBlanksTheGridAndIgnoresMoves();
    void linkOnAgainKeepsTheColumnWidths();
    void editedCellGoesThroughTheQuery();
    void leavingAnEditedRowPostsIt();
    void insertKeyInsertsARow();
    void unchangedInsertIsDroppedWhenTheFocusLeaves();
    void filledInsertIsKeptWhenTheFocusLeaves();
    void f2OpensTheCellEditor();
    void tabMovesToTheNextCell();
    void ctrlDeleteAsksFirst();
    void titleClickIsReported();
};

void PreviewGridTest::modelShowsFieldsAndCells()
{
    PreviewRig rig;
    SheetModel model(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QCOMPARE(model.columnCount(), preview_test::kQuotesFields);
    QCOMPARE(titles(model).mid(0, 3), (QStringList{"Code", "Name", "Close"}));
    QCOMPARE(titles(model).last(), QStringLiteral("close"));
    QCOMPARE(model.rowCount(), preview_test::kQuotesRows);
    QCOMPARE(cell(model, 0, 0), QStringLiteral("600000"));
    QCOMPARE(cell(model, 0, 2), QStringLiteral("10.5"));
    QCOMPARE(cell(model, 2, 1), QStringLiteral("宁德时代"));
    QCOMPARE(cell(model, 3, 0), QString());
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

void PreviewGridTest::modelIsBlankWhileTheQueryIsClosed()
{
    PreviewRig rig;
    SheetModel model(rig.source);
    QCOMPARE(model.columnCount(), 0);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QCOMPARE(model.columnCount(), preview_test::kQuotesFields);
    rig.query.close();
    rig.source.dataSetChanged();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
}

void PreviewGridTest::indicatorMarksTheCurrentRowAndEditState()
{
    PreviewRig rig;
    SheetModel model(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QCOMPARE(indicator(model, 0), QStringLiteral("\u25B6"));
    QCOMPARE(indicator(model, 1), QString());
    rig.source.next();
    QCOMPARE(indicator(model, 0), QString());
    QCOMPARE(indicator(model, 1), QStringLiteral("\u25B6"));
    rig.source.edit();
    QCOMPARE(indicator(model, 1), QStringLiteral("I"));
    rig.source.cancel();
    rig.source.insert();
    QCOMPARE(model.rowCount(), preview_test::kQuotesRows + 1);
    QCOMPARE(indicator(model, static_cast<int>(rig.query.currentRow())), QStringLiteral("*"));
}

void PreviewGridTest::gridFollowsTheCursor()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QCOMPARE(w.grid->currentIndex().row(), 0);
    rig.source.last();
    QCOMPARE(w.grid->currentIndex().row(), preview_test::kQuotesRows - 1);
    // A move made on the query itself shows once the link is told.
    rig.query.first();
    rig.source.recordChanged();
    QCOMPARE(w.grid->currentIndex().row(), 0);
}

void PreviewGridTest::cursorFollowsTheGrid()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setCurrentIndex(w.grid->model()->index(2, 1));
    QCOMPARE(rig.query.currentRow(), std::size_t(2));
    QTest::keyClick(w.grid, Qt::Key_Up);
    QCOMPARE(rig.query.currentRow(), std::size_t(1));
}

void PreviewGridTest::linkOffBlanksTheGridAndIgnoresMoves()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    rig.source.setEnabled(false);
    QCOMPARE(w.grid->model()->rowCount(), 0);
    QCOMPARE(w.grid->model()->columnCount(), 0);
    // What a conversion run does meanwhile: walk the rows to the end.
    rig.query.first();
    while (!rig.query.eof())
        rig.query.next();
    rig.source.recordChanged();
    QCOMPARE(w.grid->model()->rowCount(), 0);

    rig.source.setEnabled(true);
    QCOMPARE(w.grid->model()->rowCount(), preview_test::kQuotesRows);
    QCOMPARE(w.grid->currentIndex().row(), static_cast<int>(rig.query.currentRow()));
}

void PreviewGridTest::linkOnAgainKeepsTheColumnWidths()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setColumnWidth(0, 100);
    w.grid->setColumnWidth(1, 140);
    w.grid->setColumnWidth(2, 100);
    rig.source.setEnabled(false);
    rig.source.setEnabled(true);
    QCOMPARE(w.grid->columnWidth(0), 100);
    QCOMPARE(w.grid->columnWidth(1), 140);
    QCOMPARE(w.grid->columnWidth(2), 100);
}

void PreviewGridTest::editedCellGoesThroughTheQuery()
{
    PreviewRig rig;
    SheetModel model(rig.source);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QVERIFY(model.setData(model.index(1, 1), QStringLiteral("新名")));
    QCOMPARE(rig.query.currentRow(), std::size_t(1));
    QCOMPARE(rig.query.state(), workbook::Query::State::Edit);
    QVERIFY(rig.source.post());
    QCOMPARE(rig.errors, QStringList());
    QCOMPARE(rig.query.cellText(1, 1), std::string("新名"));
    QCOMPARE(cell(model, 1, 1), QStringLiteral("新名"));
}

void PreviewGridTest::leavingAnEditedRowPostsIt()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QVERIFY(w.grid->model()->setData(w.grid->model()->index(0, 1), QStringLiteral("Changed")));
    w.grid->setCurrentIndex(w.grid->model()->index(2, 1));
    QCOMPARE(rig.query.state(), workbook::Query::State::Browse);
    QCOMPARE(rig.query.currentRow(), std::size_t(2));
    QCOMPARE(rig.query.cellText(0, 1), std::string("Changed"));
}

void PreviewGridTest::insertKeyInsertsARow()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_Insert);
    QCOMPARE(rig.query.state(), workbook::Query::State::Insert);
    QCOMPARE(w.grid->model()->rowCount(), preview_test::kQuotesRows + 1);
    QCOMPARE(w.grid->currentIndex().row(), static_cast<int>(rig.query.currentRow()));
}

void PreviewGridTest::unchangedInsertIsDroppedWhenTheFocusLeaves()
{
    PreviewRig rig;
    GridWindow w(rig);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_Insert);
    QCOMPARE(rig.query.state(), workbook::Query::State::Insert);
    w.other->setFocus();
    QTRY_COMPARE(rig.query.state(), workbook::Query::State::Browse);
    QCOMPARE(rig.query.rowCount(), std::size_t(preview_test::kQuotesRows));
    QCOMPARE(w.grid->model()->rowCount(), preview_test::kQuotesRows);
}

void PreviewGridTest::filledInsertIsKeptWhenTheFocusLeaves()
{
    PreviewRig rig;
    GridWindow w(rig);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_Insert);
    const int row = static_cast<int>(rig.query.currentRow());
    QVERIFY(w.grid->model()->setData(w.grid->model()->index(row, 0), QStringLiteral("600036")));
    w.other->setFocus();
    QTest::qWait(0);
    QCOMPARE(rig.query.state(), workbook::Query::State::Insert);
    QCOMPARE(w.grid->model()->rowCount(), preview_test::kQuotesRows + 1);
}

void PreviewGridTest::f2OpensTheCellEditor()
{
    PreviewRig rig;
    GridWindow w(rig);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QVERIFY(w.grid->isAncestorOf(editor));
    QCOMPARE(editor->text(), QStringLiteral("600000"));
}

void PreviewGridTest::tabMovesToTheNextCell()
{
    PreviewRig rig;
    GridWindow w(rig);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_Tab);
    QCOMPARE(w.grid->currentIndex(), w.grid->model()->index(0, 1));
    QCOMPARE(QApplication::focusWidget(), w.grid);
}

void PreviewGridTest::ctrlDeleteAsksFirst()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    w.grid->setFocus();
    rig.deleteAnswer = false;
    QTest::keyClick(w.grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(rig.questions, QStringList{QStringLiteral("Delete record?")});
    QCOMPARE(rig.errors, QStringList());
    rig.deleteAnswer = true;
    QTest::keyClick(w.grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(rig.questions.size(), 2);
    QCOMPARE(rig.errors.size(), 1);
    QCOMPARE(w.grid->model()->rowCount(), preview_test::kQuotesRows);
    // A plain Delete is no delete.
    QTest::keyClick(w.grid, Qt::Key_Delete);
    QCOMPARE(rig.questions.size(), 2);
}

void PreviewGridTest::titleClickIsReported()
{
    PreviewRig rig;
    GridWindow w(rig);
    PREVIEW_OPEN(rig, preview_test::kQuotesSheet);
    QSignalSpy spy(w.grid, &DbGrid::titleClicked);
    QHeaderView* header = w.grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toInt(), 2);
}

QTEST_MAIN(PreviewGridTest)
#include "PreviewGridTest.moc"
