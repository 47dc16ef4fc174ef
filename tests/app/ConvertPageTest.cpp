// "转换" and the save folder's browse button on the page "Excel转txt", driven
// as a user would over the Quotes fixture (Code, Close, Vol; rows 600000,
// 000001, 300750) with scripted dialogs: the checks' boxes, the files, the
// progress label, the data link, errors, and changes made during a run.
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/LabeledEdit.h"
#include "pages/DataSource.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"
#include "workbook/Query.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::WindowFixture;

namespace {

const char* const kBook = "Quotes.xls";
const std::string kCloseLines = "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\n";
const std::string kVolumeLines = "SH600000\t2024-01-05\t123456\r\nSZ000001\t2024-01-05\t7890\r\n";

QString q(const std::string& bytes)
{
    return QString::fromStdString(bytes);
}

struct Page {
    WindowFixture windows;
    app::TForm1& form = *windows.form1;
    testing_support::FakeDialogs& dialogs = windows.dialogs;
    TempDir folder;
    QString bookPath;
    std::string out = folder.file("out");
    QString previousFolder = QDir::currentPath();

    explicit Page(const char* book = kBook) : bookPath(q(folder.file(book)))
    {
        testing_support::writeBytes(folder.file(book), readBytes(testing_support::dataPath(book)));
        QDir().mkpath(q(out));
    }
    ~Page() { QDir::setCurrent(previousFolder); }

    void openBook()
    {
        dialogs.fileAnswers.push_back(bookPath);
        QTest::mouseClick(form.Browse1Button, Qt::LeftButton);
    }
    void openSheet()
    {
        const int index = form.TableNameComboBox->findText(QStringLiteral("Sheet1$"));
        QVERIFY(index >= 0);
        form.TableNameComboBox->setCurrentIndex(index);
        emit form.TableNameComboBox->activated(index);
    }
    void chooseCode()
    {
        form.CodeComboBox->setCurrentIndex(form.CodeComboBox->findText(QStringLiteral("Code")));
    }
    void typeDate() { QTest::keyClicks(form.DateMaskEdit, "20240105"); }
    void fillAll()
    {
        openBook();
        openSheet();
        chooseCode();
        typeDate();
        form.LabeledEdit2->setText(q(out));
        form.ListBox1->addItems({QStringLiteral("Close<->收盘"), QStringLiteral("Vol<->成交量")});
    }
    void convert() { QTest::mouseClick(form.Button2, Qt::LeftButton); }
    std::string output(const char* name) const { return out + "/2024-01-05/" + name + ".txt"; }
};

} // namespace

class ConvertPageTest : public QObject {
    Q_OBJECT

  private slots:
    void checksShowTheirMessagesInTheirOrder()
    {
        Page page;
        const QStringList expected = {
            "没有指定Excel文件路径？", "没有指定txt文件路径？", "没有指定表？",
            "没有指定证券代码列？",    "指定行情日期不正确？",  "没有设置列对应关系？"};
        page.convert();
        page.openBook(); // fills the workbook path
        page.convert();
        page.form.LabeledEdit2->setText(q(page.out));
        page.convert();
        page.openSheet();
        page.convert();
        page.chooseCode();
        page.convert();
        page.typeDate();
        page.convert();
        QCOMPARE(page.dialogs.texts(QStringLiteral("info")), expected);
        QVERIFY(page.dialogs.texts(QStringLiteral("error")).isEmpty());
        QVERIFY(!QFileInfo::exists(q(page.out + "/2024-01-05")));
    }

    // The same data as .xlsx, from LibreOffice and as openpyxl saves it,
    // and as .ods: the same files as from the .xls.
    void anXlsxOrOdsConvertsAsItsXlsDoes()
    {
        for (const char* book : {"Quotes.xlsx", "QuotesOpenpyxl.xlsx", "Quotes.ods"}) {
            Page page(book);
            page.fillAll();
            page.convert();
            QVERIFY2(page.dialogs.calls.size() == 1, book); // the workbook choice only: no box
            QCOMPARE(page.form.TableNameComboBox->count(), 1);
            QCOMPARE(readBytes(page.output("收盘")), kCloseLines);
            QCOMPARE(readBytes(page.output("成交量")), kVolumeLines);
        }
    }

    void runWritesTheFilesAndKeepsTheLastProgress()
    {
        Page page;
        page.fillAll();
        page.convert();
        QVERIFY(page.dialogs.calls.size() == 1); // the workbook choice only: no box
        QCOMPARE(readBytes(page.output("收盘")), kCloseLines);
        QCOMPARE(readBytes(page.output("成交量")), kVolumeLines);
        const QString last = QStringLiteral("正在转换<Vol>:2");
        QCOMPARE(page.form.ProgressLabel->text(), last);
        QCOMPARE(page.form.ProgressLabel->width(),
                 page.form.ProgressLabel->fontMetrics().horizontalAdvance(last));
        QVERIFY(page.form.DataSource1->isEnabled());
        QCOMPARE(QDir::currentPath(), q(page.out + "/2024-01-05"));
    }

    void errorEndsTheRunAndTheLinkComesBackOn()
    {
        Page page;
        page.fillAll();
        page.form.ListBox1->insertItem(1, QStringLiteral("Open<->开盘"));
        page.convert();
        QCOMPARE(page.dialogs.texts(QStringLiteral("error")),
                 QStringList{"ADOQuery1: Field 'Open' not found."});
        QCOMPARE(readBytes(page.output("收盘")), kCloseLines);
        QVERIFY(!QFileInfo::exists(q(page.output("开盘"))));
        QVERIFY(!QFileInfo::exists(q(page.output("成交量"))));
        QCOMPARE(page.form.ProgressLabel->text(), QStringLiteral("正在转换<Close>:2"));
        QVERIFY(page.form.DataSource1->isEnabled());
        const QList<QWidget*> blocked = testing_support::runBlockedControls(page.form);
        QCOMPARE(testing_support::enabledNames(blocked).size(), blocked.size());
    }

    void changesDuringTheRunDoNotReachIt()
    {
        Page page;
        page.fillAll();
        bool linkOffDuringRun = false;
        const QList<QWidget*> blocked = testing_support::runBlockedControls(page.form);
        QStringList enabledDuringRun{"not run"};
        // Runs from the run's first event processing, as a user's clicks would;
        // the controls take none, what a program does reaches the copy only.
        QTimer::singleShot(0, &page.form, [&] {
            linkOffDuringRun = !page.form.DataSource1->isEnabled();
            enabledDuringRun = testing_support::enabledNames(blocked);
            QTest::mouseClick(page.form.Button2, Qt::LeftButton);
            QTest::mouseClick(page.form.DelLineButton, Qt::LeftButton);
            QTest::keyClick(page.form.LabeledEdit1, Qt::Key_Return); // would reopen the workbook
            page.form.ListBox1->clear();
            page.form.ListBox1->addItem(QStringLiteral("Close<->intruder"));
            page.form.CodeComboBox->setCurrentIndex(page.form.CodeComboBox->findText(QStringLiteral("Vol")));
            page.form.DBGrid1TitleClick(2);      // the grid is blank: nothing to click
            page.form.ADOQuery1->setSort("Vol"); // the query changed under the run all the same
        });
        page.convert();
        QVERIFY(linkOffDuringRun);
        QCOMPARE(enabledDuringRun, QStringList());
        QVERIFY(page.form.ADOQuery1->isOpen());
        QCOMPARE(testing_support::enabledNames(blocked).size(), blocked.size());
        QVERIFY(page.dialogs.texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(readBytes(page.output("收盘")), kCloseLines);
        QCOMPARE(readBytes(page.output("成交量")), kVolumeLines);
        QVERIFY(!QFileInfo::exists(q(page.output("intruder"))));
    }

    void pathTypedSinceTheWorkbookOpenedStopsTheRun()
    {
        Page page;
        page.fillAll();
        const QString opened = page.form.LabeledEdit1->text();
        const QString other = q(page.folder.file("other.xls"));
        page.form.LabeledEdit1->setText(other);
        page.form.LabeledEdit2->clear();
        page.convert(); // right after the path's own check, before the save folder's
        page.form.LabeledEdit2->setText(q(page.out));
        page.convert();
        page.form.LabeledEdit1->clear();
        page.convert();
        QCOMPARE(page.dialogs.texts(QStringLiteral("info")),
                 (QStringList{"指定的Excel文件没有打开？", "指定的Excel文件没有打开？",
                              "没有指定Excel文件路径？"}));
        QVERIFY(!QFileInfo::exists(q(page.out + "/2024-01-05")));
        // The text that was opened, typed back, names the open workbook again.
        page.form.LabeledEdit1->setText(opened);
        page.convert();
        QCOMPARE(readBytes(page.output("收盘")), kCloseLines);
        QCOMPARE(page.dialogs.count(QStringLiteral("info")), 3);
    }

    void fieldsDifferingOnlyInCaseGiveEachItsOwnColumn()
    {
        Page page;
        // Mixed's Sheet1: Code, ..., Close (10.5, 12.25, ...), ..., close (7, 8, ...).
        const QString mixed = q(page.folder.file("Mixed.xls"));
        testing_support::writeBytes(mixed.toStdString(), readBytes(testing_support::dataPath("Mixed.xls")));
        page.dialogs.fileAnswers.push_back(mixed);
        QTest::mouseClick(page.form.Browse1Button, Qt::LeftButton);
        page.openSheet();
        page.chooseCode();
        page.typeDate();
        page.form.LabeledEdit2->setText(q(page.out));
        page.form.ListBox1->addItems({QStringLiteral("close<->c2"), QStringLiteral("Close<->c1")});
        page.convert();
        QVERIFY(page.dialogs.texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(readBytes(page.output("c2")),
                 "SH600000\t2024-01-05\t7\r\nSZ000001\t2024-01-05\t8\r\nSH600519\t2024-01-05\t11\r\n");
        QCOMPARE(
            readBytes(page.output("c1")),
            "SH600000\t2024-01-05\t10.5\r\nSZ000001\t2024-01-05\t12.25\r\nSH600519\t2024-01-05\t-2.5\r\n");
    }

    void browseStartsAtTheWorkbookFolderAndCreatesTheChoice()
    {
        Page page;
        page.form.LabeledEdit1->setText(q(page.folder.file("sub/book.xls")));
        const QString chosen = q(page.folder.file("new/deeper"));
        page.dialogs.folderAnswers.push_back(chosen);
        QTest::mouseClick(page.form.Browse2Button, Qt::LeftButton);
        QCOMPARE(page.dialogs.texts(QStringLiteral("selectDirectory")),
                 QStringList{q(page.folder.file("sub/"))});
        QCOMPARE(page.form.LabeledEdit2->text(), chosen);
        QVERIFY(QFileInfo(chosen).isDir());
    }

    void browseCancelOrAnEmptyPathLeavesTheSaveFolder()
    {
        Page page;
        page.form.LabeledEdit2->setText(QStringLiteral("kept"));
        page.dialogs.folderAnswers = {std::nullopt, QString()};
        QTest::mouseClick(page.form.Browse2Button, Qt::LeftButton);
        QCOMPARE(page.form.LabeledEdit2->text(), QStringLiteral("kept"));
        QVERIFY(page.dialogs.texts(QStringLiteral("error")).isEmpty());
        QTest::mouseClick(page.form.Browse2Button, Qt::LeftButton);
        QCOMPARE(page.form.LabeledEdit2->text(), QStringLiteral("kept"));
        QCOMPARE(page.dialogs.texts(QStringLiteral("error")), QStringList{"Unable to create directory."});
        QCOMPARE(page.dialogs.texts(QStringLiteral("selectDirectory")), (QStringList{QString(), QString()}));
    }
};

QTEST_MAIN(ConvertPageTest)
#include "ConvertPageTest.moc"
