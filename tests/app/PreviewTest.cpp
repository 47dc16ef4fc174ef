// The sheet preview on the page "Excel转txt" as a user drives it: choosing a
// workbook, choosing a sheet, sorting by a title, editing through the grid
// and navigator, and every failure on the way, over scripted dialogs and a
// real fixture workbook.
#include "app/SheetModel.h"
#include "app/windows/DbGrid.h"
#include "app/windows/DbNavigator.h"
#include "app/windows/LabeledEdit.h"
#include "common/FormatMessage.h"
#include "pages/DataSource.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"
#include "workbook/Connection.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"
#include "workbook/WorkbookMessages.h"
#include "xls/ReadMessages.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using testing_support::WindowFixture;

namespace {

const char* const kBook = "Mixed.xls";
const QStringList kSheet1Fields = {"Code",  "Name", "Close", "Vol", "Day", "Stamp", "Flag",
                                   "Mixed", "F9",   "Sum",   "Up",  "Bad", "close"};

QStringList items(const QComboBox* combo)
{
    QStringList result;
    for (int index = 0; index < combo->count(); ++index)
        result << combo->itemText(index);
    return result;
}

QStringList columnTexts(const QAbstractItemModel* model, int column)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result << model->data(model->index(row, column)).toString();
    return result;
}

QString connectionStringFor(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;Extended Properties=Excel 8.0;"
                          "Data Source=") +
           path + QStringLiteral(";Persist Security Info=False");
}

// A cell as a fresh connection reads it back from the workbook file, so that
// a test sees what a later session (or a spreadsheet program) will see.
std::string cellInFile(const QString& path, const std::string& table, std::size_t row, std::size_t field)
{
    workbook::Connection connection(common::CodePage(65001), common::RegionalSettings{},
                                    common::fixedYear(2026));
    connection.setConnectionString(connectionStringFor(path).toStdString());
    connection.open();
    workbook::Query query(connection);
    query.setStatement(workbook::selectAllFrom(table));
    query.open();
    return query.cellText(row, field);
}

// Both windows, with a copy of the fixture workbook in a fresh folder.
struct Page {
    WindowFixture windows;
    app::TForm1& form = *windows.form1;
    testing_support::FakeDialogs& dialogs = windows.dialogs;
    testing_support::TempDir folder;
    QString bookPath;

    explicit Page(pages::AppContext context = testing_support::fixedContext()) : windows(std::move(context))
    {
        bookPath = QString::fromStdString(folder.file(kBook));
        testing_support::writeBytes(bookPath.toStdString(),
                                    testing_support::readBytes(testing_support::dataPath(kBook)));
        // Shown, so that the grid's titles have their places to be clicked.
        form.show();
    }

    void browse(const std::optional<QString>& answer)
    {
        dialogs.fileAnswers.push_back(answer);
        QTest::mouseClick(form.Browse1Button, Qt::LeftButton);
    }

    // Picks a sheet as the user does; false when the list has no such item.
    bool chooseSheet(const QString& name)
    {
        const int index = form.TableNameComboBox->findText(name);
        if (index < 0)
            return false;
        form.TableNameComboBox->setCurrentIndex(index);
        emit form.TableNameComboBox->activated(index);
        return true;
    }

    void clickTitle(int column)
    {
        QHeaderView* header = form.DBGrid1->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }

    int fieldColumn(const QString& title) const
    {
        const QAbstractItemModel* model = form.DBGrid1->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == title)
                return column;
        }
        return -1;
    }

    QStringList errors() const { return dialogs.texts(QStringLiteral("error")); }
};

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void browseFillsTheSheetListWithoutSelection();
    void cancelledBrowseChangesNothing();
    void workbookThatCannotOpenLeavesNothingOfThePreviousOne();
    void typedPathConfirmedWithEnterOpensAsBrowseDoes();
    void choosingASheetFillsGridAndBothLists();
    void choosingASheetEmptiesTheCodeChoice();
    void emptySheetShowsTitlesOnly();
    void sheetThatCannotOpenLeavesTheQueryClosedAndListsAsTheyWere();
    void titleClickSortsAscendingEveryTime();
    void rejectedSortKeepsThePreview();
    void editPostedWithTheNavigatorShowsInPreviewAndQuery();
    void refusedEditShowsTheErrorAndKeepsTheRow();
    void postWithTheEditorOpenStoresWhatWasTyped();
    void cancelWithTheEditorOpenDropsWhatWasTyped();
    void aDateTypedIntoTheGridTakesTheYearOfTheWindowsContext();
    void pendingEditIsPostedWhenAnotherSheetOpens();
    void navigatorFollowsThePreview();
    void linkOffBlanksGridAndNavigator();
    void ctrlDeleteAsksThroughTheDialogs();
    void anotherWorkbookClosesThePreview();
};

void PreviewTest::browseFillsTheSheetListWithoutSelection()
{
    Page page;
    page.browse(page.bookPath);
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(
        page.dialogs.texts(QStringLiteral("openFile")),
        QStringList{QStringLiteral("Excel文件|*.xls;*.xlsx;*.xlsm|OpenDocument表格|*.ods|CSV文件|*.csv")});
    QVERIFY(page.dialogs.calls.front().options == page.form.openDialog1Options());
    QCOMPARE(page.form.LabeledEdit1->text(), page.bookPath);
    QCOMPARE(QString::fromStdString(page.form.ADOConnection1->connectionString()),
             connectionStringFor(page.bookPath));
    QVERIFY(page.form.ADOConnection1->isOpen());

    QStringList expected;
    for (const workbook::TableSchemaRow& row : page.form.ADOConnection1->tables()) {
        if (row.tableType == "TABLE" || row.tableType == "VIEW")
            expected << QString::fromStdString(row.tableName);
    }
    QCOMPARE(items(page.form.TableNameComboBox), expected);
    QCOMPARE(expected.size(), 4);
    QCOMPARE(expected.first(), QStringLiteral("Sheet1$"));
    QCOMPARE(page.form.TableNameComboBox->currentIndex(), -1);
    QCOMPARE(page.form.TableNameComboBox->currentText(), QString());
}

void PreviewTest::cancelledBrowseChangesNothing()
{
    Page page;
    page.form.LabeledEdit1->setText(QStringLiteral("typed.xls"));
    page.browse(std::nullopt);
    QCOMPARE(page.form.LabeledEdit1->text(), QStringLiteral("typed.xls"));
    QVERIFY(!page.form.ADOConnection1->isOpen());
    QCOMPARE(page.form.TableNameComboBox->count(), 0);

    // With a sheet open, cancelling leaves the preview open as well.
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.browse(std::nullopt);
    QVERIFY(page.form.ADOQuery1->isOpen());
    QCOMPARE(page.form.DBGrid1->model()->rowCount(), 5);
    QCOMPARE(page.errors(), QStringList());
}

void PreviewTest::workbookThatCannotOpenLeavesNothingOfThePreviousOne()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.form.CodeComboBox->setCurrentIndex(0);
    const QString broken = QString::fromStdString(page.folder.file("broken.xls"));
    testing_support::writeBytes(broken.toStdString(), "garbage");

    page.browse(broken);
    // The message ends in ")", below ".", so the error box adds no full stop.
    const std::string message =
        common::formatMessage(workbook::kCannotOpenWorkbook, {broken.toStdString(), xls::kReasonNotCompound});
    QCOMPARE(page.errors(), QStringList{QString::fromStdString(message)});
    QCOMPARE(page.form.LabeledEdit1->text(), broken);
    QCOMPARE(QString::fromStdString(page.form.ADOConnection1->connectionString()),
             connectionStringFor(broken));
    QVERIFY(!page.form.ADOConnection1->isOpen());
    QVERIFY(!page.form.ADOQuery1->isOpen());
    QCOMPARE(page.form.TableNameComboBox->count(), 0);
    QCOMPARE(page.form.CodeComboBox->count(), 0);
    QCOMPARE(page.form.colnameForm()->ComboBox1->count(), 0);
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 0);
    for (int index = 0; index < app::DbNavigator::kButtonCount; ++index)
        QVERIFY(!page.form.DBNavigator1->button(static_cast<app::DbNavigator::Button>(index))->isEnabled());
}

void PreviewTest::typedPathConfirmedWithEnterOpensAsBrowseDoes()
{
    Page page;
    QVERIFY(QTest::qWaitForWindowActive(&page.form));
    page.form.LabeledEdit1->setFocus();
    QTest::keyClicks(page.form.LabeledEdit1, page.bookPath);
    QVERIFY(!page.form.ADOConnection1->isOpen()); // typing alone opens nothing
    QTest::keyClick(page.form.LabeledEdit1, Qt::Key_Return);
    QVERIFY(page.dialogs.calls.empty());
    QVERIFY(page.form.ADOConnection1->isOpen());
    QCOMPARE(QString::fromStdString(page.form.ADOConnection1->connectionString()),
             connectionStringFor(page.bookPath));
    QCOMPARE(page.form.openWorkbookPath(), page.bookPath);
    QCOMPARE(items(page.form.TableNameComboBox).size(), 4);
    QCOMPARE(page.form.TableNameComboBox->currentIndex(), -1);

    // Enter again reopens, as choosing the same file does; a missing file fails as there.
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QTest::keyClick(page.form.LabeledEdit1, Qt::Key_Enter);
    QVERIFY(!page.form.ADOQuery1->isOpen());
    const QString missing = QString::fromStdString(page.folder.file("missing.xls"));
    page.form.LabeledEdit1->setText(missing);
    QTest::keyClick(page.form.LabeledEdit1, Qt::Key_Return);
    page.browse(missing);
    QCOMPARE(page.errors().size(), 2);
    QCOMPARE(page.errors().at(0), page.errors().at(1));
    QCOMPARE(page.form.TableNameComboBox->count(), 0);
    QCOMPARE(page.form.openWorkbookPath(), QString());
}

void PreviewTest::choosingASheetFillsGridAndBothLists()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(QString::fromStdString(page.form.ADOQuery1->statement()),
             QStringLiteral("SELECT * FROM [Sheet1$]"));
    QVERIFY(page.form.ADOQuery1->isOpen());

    const QAbstractItemModel* model = page.form.DBGrid1->model();
    QCOMPARE(model->columnCount(), kSheet1Fields.size());
    QCOMPARE(model->rowCount(), 5);
    for (int column = 0; column < model->columnCount(); ++column) {
        QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), kSheet1Fields[column]);
        QCOMPARE(page.form.DBGrid1->columnWidth(column), 100);
    }
    QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("浦发银行"));

    // Field order, one item per field: "Close" and "close" both stay.
    QCOMPARE(items(page.form.CodeComboBox), kSheet1Fields);
    QCOMPARE(items(page.form.colnameForm()->ComboBox1), kSheet1Fields);
    QCOMPARE(page.form.CodeComboBox->currentIndex(), -1);
    QCOMPARE(page.form.colnameForm()->ComboBox1->currentIndex(), -1);
}

void PreviewTest::choosingASheetEmptiesTheCodeChoice()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.form.CodeComboBox->setCurrentIndex(0);
    page.windows.colnameForm->LabeledEdit1->setText(QStringLiteral("收盘"));
    QVERIFY(page.chooseSheet(QStringLiteral("空表$")));
    QCOMPARE(page.form.CodeComboBox->currentIndex(), -1);
    QCOMPARE(items(page.form.CodeComboBox), (QStringList{"Code", "Close"}));
    // Only the list is refilled; the name typed in the dialog stays.
    QCOMPARE(page.windows.colnameForm->LabeledEdit1->text(), QStringLiteral("收盘"));
    // Column widths are set anew for the new sheet.
    QCOMPARE(page.form.DBGrid1->columnWidth(0), 100);
    QCOMPARE(page.form.DBGrid1->columnWidth(1), 100);
}

void PreviewTest::emptySheetShowsTitlesOnly()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("空表$")));
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 2);
    QCOMPARE(page.form.DBGrid1->model()->rowCount(), 0);
    QCOMPARE(items(page.form.colnameForm()->ComboBox1), (QStringList{"Code", "Close"}));
    page.form.ADOQuery1->first();
    QVERIFY(page.form.ADOQuery1->eof());
}

void PreviewTest::sheetThatCannotOpenLeavesTheQueryClosedAndListsAsTheyWere()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.form.TableNameComboBox->addItem(QStringLiteral("NoSuchSheet$"));
    QVERIFY(page.chooseSheet(QStringLiteral("NoSuchSheet$")));

    QCOMPARE(page.errors(), QStringList{QStringLiteral("The workbook has no table named 'NoSuchSheet$'")});
    QVERIFY(!page.form.ADOQuery1->isOpen());
    QCOMPARE(QString::fromStdString(page.form.ADOQuery1->statement()),
             QStringLiteral("SELECT * FROM [NoSuchSheet$]"));
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 0);
    QCOMPARE(items(page.form.CodeComboBox), kSheet1Fields);
    QCOMPARE(items(page.form.colnameForm()->ComboBox1), kSheet1Fields);
}

void PreviewTest::titleClickSortsAscendingEveryTime()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    const int sum = page.fieldColumn(QStringLiteral("Sum"));
    QVERIFY(sum >= 0);
    const QStringList sortedCodes = {"600519", "000001", "600000", "", "300750"};

    page.clickTitle(sum);
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(QString::fromStdString(page.form.ADOQuery1->sort()), QStringLiteral("Sum"));
    QCOMPARE(columnTexts(page.form.DBGrid1->model(), 0), sortedCodes);
    // A sort keeps the columns as the user left them.
    QCOMPARE(page.form.DBGrid1->columnWidth(sum), 100);

    page.clickTitle(sum);
    QCOMPARE(QString::fromStdString(page.form.ADOQuery1->sort()), QStringLiteral("Sum"));
    QCOMPARE(columnTexts(page.form.DBGrid1->model(), 0), sortedCodes);
}

void PreviewTest::rejectedSortKeepsThePreview()
{
    Page page;
    page.browse(page.bookPath);
    const QString sheet = page.form.TableNameComboBox->itemText(1);
    QVERIFY(page.chooseSheet(sheet));
    const QStringList before = columnTexts(page.form.DBGrid1->model(), 1);
    page.clickTitle(1);
    QCOMPARE(page.errors(),
             QStringList{QStringLiteral(
                 "Cannot sort by '收盘 价': a field name with spaces must be written in brackets.")});
    QCOMPARE(columnTexts(page.form.DBGrid1->model(), 1), before);
    QVERIFY(page.form.ADOQuery1->isOpen());
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 2);
}

void PreviewTest::editPostedWithTheNavigatorShowsInPreviewAndQuery()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QAbstractItemModel* model = page.form.DBGrid1->model();
    QVERIFY(model->setData(model->index(1, 1), QStringLiteral("平安")));
    QToolButton* post = page.form.DBNavigator1->button(app::DbNavigator::Post);
    QVERIFY(post->isEnabled());
    QTest::mouseClick(post, Qt::LeftButton);
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(page.form.ADOQuery1->state(), workbook::Query::State::Browse);
    QCOMPARE(page.form.ADOQuery1->cellText(1, 1), std::string("平安"));
    QCOMPARE(model->data(model->index(1, 1)).toString(), QStringLiteral("平安"));
    QVERIFY(!post->isEnabled());
    QCOMPARE(cellInFile(page.bookPath, "Sheet1$", 1, 1), std::string("平安"));
}

void PreviewTest::refusedEditShowsTheErrorAndKeepsTheRow()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QAbstractItemModel* model = page.form.DBGrid1->model();
    const int close = page.fieldColumn(QStringLiteral("Close"));
    const bool stored = model->setData(model->index(0, close), QStringLiteral("abc"));
    if (stored)
        QTest::mouseClick(page.form.DBNavigator1->button(app::DbNavigator::Post), Qt::LeftButton);
    QCOMPARE(page.errors(), QStringList{QStringLiteral("'abc' is not a valid floating point value.")});
    QCOMPARE(model->data(model->index(0, close)).toString(), QStringLiteral("10.5"));
}

// Types into the cell editor of row 1, Name, opened with F2, and leaves it open.
static QLineEdit* typeIntoNameCell(Page& page, const QString& text)
{
    page.form.activateWindow();
    if (!QTest::qWaitForWindowActive(&page.form))
        return nullptr;
    page.form.DBGrid1->setFocus();
    page.form.DBGrid1->setCurrentIndex(page.form.DBGrid1->model()->index(1, 1));
    QTest::keyClick(page.form.DBGrid1, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor || !page.form.DBGrid1->isAncestorOf(editor))
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

void PreviewTest::postWithTheEditorOpenStoresWhatWasTyped()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QVERIFY(typeIntoNameCell(page, QStringLiteral("Typed")));
    // Typing started the edit; the navigator takes no focus, so the editor
    // is still open at the click.
    QCOMPARE(page.form.ADOQuery1->state(), workbook::Query::State::Edit);
    QCOMPARE(page.form.DBGrid1->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("I"));
    QTest::mouseClick(page.form.DBNavigator1->button(app::DbNavigator::Post), Qt::LeftButton);
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(page.form.ADOQuery1->state(), workbook::Query::State::Browse);
    QCOMPARE(page.form.ADOQuery1->cellText(1, 1), std::string("Typed"));
}

void PreviewTest::cancelWithTheEditorOpenDropsWhatWasTyped()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QVERIFY(typeIntoNameCell(page, QStringLiteral("Typed")));
    QVERIFY(page.form.DBNavigator1->button(app::DbNavigator::Cancel)->isEnabled());
    QTest::mouseClick(page.form.DBNavigator1->button(app::DbNavigator::Cancel), Qt::LeftButton);
    QCOMPARE(page.form.ADOQuery1->state(), workbook::Query::State::Browse);
    QCOMPARE(page.form.ADOQuery1->cellText(1, 1), std::string("平安银行"));
    // Leaving the grid afterwards hands nothing over either.
    page.form.LabeledEdit1->setFocus();
    QCOMPARE(page.form.ADOQuery1->state(), workbook::Query::State::Browse);
    QCOMPARE(page.form.ADOQuery1->cellText(1, 1), std::string("平安银行"));
}

// The year the window's context gives, not the clock's, places a date typed
// without one (the clock is read in the context, and tests pin it there).
void PreviewTest::aDateTypedIntoTheGridTakesTheYearOfTheWindowsContext()
{
    pages::AppContext context = testing_support::fixedContext();
    context.currentYear = common::fixedYear(1990);
    Page page(context);
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QAbstractItemModel* model = page.form.DBGrid1->model();
    const int day = page.fieldColumn(QStringLiteral("Day"));
    QVERIFY(model->setData(model->index(0, day), QStringLiteral("3/1")));
    QTest::mouseClick(page.form.DBNavigator1->button(app::DbNavigator::Post), Qt::LeftButton);
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(model->data(model->index(0, day)).toString(), QStringLiteral("1990/03/01"));
}

void PreviewTest::pendingEditIsPostedWhenAnotherSheetOpens()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QAbstractItemModel* model = page.form.DBGrid1->model();
    QVERIFY(model->setData(model->index(1, 1), QStringLiteral("Kept")));
    QVERIFY(page.chooseSheet(QStringLiteral("空表$")));
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QCOMPARE(page.errors(), QStringList());
    QCOMPARE(page.form.ADOQuery1->cellText(1, 1), std::string("Kept"));
}

void PreviewTest::navigatorFollowsThePreview()
{
    Page page;
    app::DbNavigator* navigator = page.form.DBNavigator1;
    auto enabled = [navigator](app::DbNavigator::Button which) {
        return navigator->button(which)->isEnabled();
    };
    QVERIFY(!enabled(app::DbNavigator::Insert));
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    QVERIFY(!enabled(app::DbNavigator::First));
    QVERIFY(enabled(app::DbNavigator::Last));
    QTest::mouseClick(navigator->button(app::DbNavigator::Last), Qt::LeftButton);
    QCOMPARE(page.form.DBGrid1->currentIndex().row(), 4);
    QVERIFY(enabled(app::DbNavigator::First));
    QVERIFY(!enabled(app::DbNavigator::Next));
    QTest::mouseClick(navigator->button(app::DbNavigator::Edit), Qt::LeftButton);
    QVERIFY(enabled(app::DbNavigator::Post));
    QVERIFY(enabled(app::DbNavigator::Cancel));
    QVERIFY(!enabled(app::DbNavigator::Edit));
}

void PreviewTest::linkOffBlanksGridAndNavigator()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.form.DataSource1->setEnabled(false);
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 0);
    for (int index = 0; index < app::DbNavigator::kButtonCount; ++index)
        QVERIFY(!page.form.DBNavigator1->button(static_cast<app::DbNavigator::Button>(index))->isEnabled());
    // The field lists are not the link's: they stay.
    QCOMPARE(items(page.form.CodeComboBox), kSheet1Fields);
    page.form.DataSource1->setEnabled(true);
    QCOMPARE(page.form.DBGrid1->model()->rowCount(), 5);
    QCOMPARE(page.form.DBGrid1->columnWidth(0), 100);
}

void PreviewTest::ctrlDeleteAsksThroughTheDialogs()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.dialogs.questionAnswers = {false, true};
    QTest::keyClick(page.form.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(page.errors(), QStringList());
    QTest::keyClick(page.form.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(page.dialogs.texts(QStringLiteral("question")),
             (QStringList{QStringLiteral("Delete record?"), QStringLiteral("Delete record?")}));
    QCOMPARE(page.errors(), QStringList{QString::fromUtf8(workbook::kDeleteNotSupported) + QLatin1Char('.')});
    QCOMPARE(page.form.DBGrid1->model()->rowCount(), 5);
}

void PreviewTest::anotherWorkbookClosesThePreview()
{
    Page page;
    page.browse(page.bookPath);
    QVERIFY(page.chooseSheet(QStringLiteral("Sheet1$")));
    page.browse(page.bookPath);
    QCOMPARE(page.errors(), QStringList());
    QVERIFY(!page.form.ADOQuery1->isOpen());
    QCOMPARE(page.form.DBGrid1->model()->columnCount(), 0);
    QCOMPARE(page.form.CodeComboBox->count(), 0);
    QCOMPARE(page.form.colnameForm()->ComboBox1->count(), 0);
    QCOMPARE(page.form.TableNameComboBox->count(), 4);
    QCOMPARE(page.form.TableNameComboBox->currentIndex(), -1);
}

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
