// The page "自定义数据引入" through its buttons: the folder edit, the file list
// handlers with the shared open dialog's options, the folder scan, and import
// runs from the page to the record bytes on disk.
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/RadioGroup.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>

using testing_support::FakeDialogs;
using testing_support::listItems;
using testing_support::qPath;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::WindowFixture;
using testing_support::writeBytes;

namespace fs = std::filesystem;

namespace {

// SH600000, 2008-01-15, 12.5 as one record: 1200355200 seconds, 12.5f.
const std::string kRecord20080115 = std::string("\x80\xF7\x8B\x47\x00\x00\x48\x41", 8);

} // namespace

class ImportPageTest : public QObject {
    Q_OBJECT

    fs::path m_startFolder;

  private slots:
    // Runs change the current folder; every test starts from the same one.
    void init() { m_startFolder = fs::current_path(); }
    void cleanup() { fs::current_path(m_startFolder); }

    void browseButtonPutsTheChosenFolderIntoTheEdit()
    {
        WindowFixture windows;
        windows.form1->Dzh2InstallDirEdit->setText("typed");
        windows.dialogs.folderAnswers = {std::nullopt, QStringLiteral("/data/cd")};
        windows.form1->BrowDzhDirButton->click();
        QCOMPARE(windows.form1->Dzh2InstallDirEdit->text(), QStringLiteral("typed"));
        windows.form1->BrowDzhDirButton->click();
        QCOMPARE(windows.form1->Dzh2InstallDirEdit->text(), QStringLiteral("/data/cd"));
        QCOMPARE(windows.dialogs.texts("browseForFolder"),
                 QStringList({QStringLiteral("请选择大智慧新一代安装目录"),
                              QStringLiteral("请选择大智慧新一代安装目录")}));
    }

    void addFolderListsTextFilesOfEveryLevelTwice()
    {
        TempDir dir;
        const fs::path root = dir.path();
        for (const char* name : {"a.TXT", "b.Txt", "c.txt.bak", "d.text", ".hidden.txt"})
            writeBytes(root / name, "x");
        fs::create_directory(root / "e.txt");
        writeBytes(root / "e.txt" / "f.txt", "x");
        WindowFixture windows;
        windows.dialogs.folderAnswers = {qPath(root), qPath(root), std::nullopt};
        windows.form1->AddDirButton->click();
        QStringList found = listItems(windows.form1->TxtListBox);
        QCOMPARE(windows.dialogs.texts("browseForFolder"),
                 QStringList{QStringLiteral("请选择Txt文件所在的目录")});
        // The subfolder's file comes at the subfolder's place, before later entries.
        QStringList expected = {qPath(root / "a.TXT"), qPath(root / "b.Txt"), qPath(root / ".hidden.txt"),
                                qPath(root / "e.txt" / "f.txt")};
        QStringList sortedFound = found;
        sortedFound.sort();
        expected.sort();
        QCOMPARE(sortedFound, expected);
        windows.form1->AddDirButton->click();
        QCOMPARE(listItems(windows.form1->TxtListBox), found + found);
        windows.form1->AddDirButton->click(); // cancelled
        QCOMPARE(windows.form1->TxtListBox->count(), 8);
    }

    void addFilesUsesMultiSelectOnceThenLeavesTheDialogWithoutOptions()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        windows.dialogs.filesAnswers = {QStringList{"/x/1.txt", "/x/2.txt"}, std::nullopt};
        form.AddTxtButton->click();
        QCOMPARE(listItems(form.TxtListBox), QStringList({"/x/1.txt", "/x/2.txt"}));
        const FakeDialogs::Call& first = windows.dialogs.calls.at(0);
        QCOMPARE(first.text, QStringLiteral("文本文件|*.txt"));
        QCOMPARE(first.options, (pages::FileDialogOptions{true, true, true}));
        QCOMPARE(form.openDialog1Options(), pages::FileDialogOptions::none());
        // Multiple selection is added to what is left: no other option.
        form.AddTxtButton->click();
        QCOMPARE(windows.dialogs.calls.at(1).options, (pages::FileDialogOptions{true, false, false}));
        QCOMPARE(form.openDialog1Options(), pages::FileDialogOptions::none());
        QCOMPARE(form.TxtListBox->count(), 2);
        // The mapping import on the first page now opens one file only, with the read-only box.
        form.InRelaButton->click();
        QCOMPARE(windows.dialogs.calls.at(2).options, pages::FileDialogOptions::none());
    }

    void deleteButtonsRemoveAllOrTheSelectedEntries()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.DelFileListButton->click(); // empty: nothing happens
        form.TxtListBox->addItems({"0", "1", "2", "3", "4", "5"});
        form.Button4->click(); // no selection
        QCOMPARE(form.TxtListBox->count(), 6);
        for (int i : {1, 3, 4})
            form.TxtListBox->item(i)->setSelected(true);
        form.Button4->click();
        QCOMPARE(listItems(form.TxtListBox), QStringList({"0", "2", "5"}));
        form.DelFileListButton->click();
        QCOMPARE(form.TxtListBox->count(), 0);
        QVERIFY(windows.dialogs.calls.empty());
    }

    void importRunWritesTheRecordForTheChosenTarget_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("extension");
        QTest::newRow("飞狐交易师") << 1 << ".adt";
        QTest::newRow("大智慧新一代") << 0 << ".dat";
    }
    void importRunWritesTheRecordForTheChosenTarget()
    {
        QFETCH(int, item);
        QFETCH(QString, extension);
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        fs::create_directories(dir.path() / "x");
        const fs::path input = dir.path() / "x" / "PE.txt";
        writeBytes(input, "SH600000\t2008-01-15\t12.5\r\nSH600000\tbad\t1\r\n");
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItem(qPath(input));
        form.RadioGroup1->setItemIndex(item);
        form.Button3->click();
        QVERIFY(windows.dialogs.calls.empty());
        QCOMPARE(readBytes(customData / "PE" / ("SH600000" + extension.toStdString())), kRecord20080115);
        QCOMPARE(form.Label3->text(), QStringLiteral("转换完成"));
        QCOMPARE(form.Label3->width(),
                 form.Label3->fontMetrics().horizontalAdvance(QStringLiteral("转换完成")));
        QVERIFY(form.Label3->updatesEnabled());
        QVERIFY(!form.runInProgress());
        QCOMPARE(fs::current_path(), customData);
    }

    void missingCustomDataFolderShowsThePromptAndNothingElse()
    {
        TempDir dir;
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\n");
        writeBytes(dir.path() / "afile", "");
        for (const QString& folderText :
             {QString(), qPath(dir.path() / "missing"), qPath(dir.path() / "afile")}) {
            WindowFixture windows;
            app::TForm1& form = *windows.form1;
            form.Dzh2InstallDirEdit->setText(folderText);
            form.TxtListBox->addItem(qPath(dir.path() / "PE.txt"));
            form.Button3->click();
            QCOMPARE(windows.dialogs.texts("info"), QStringList{QStringLiteral("自定义数据路径不存在")});
            QCOMPARE(windows.dialogs.calls.size(), std::size_t(1));
            QCOMPARE(form.Label3->text(), QStringLiteral("Txt文件列表"));
        }
        QVERIFY(!fs::exists(dir.path() / "PE"));
        QCOMPARE(fs::current_path(), m_startFolder);
    }

    void entryDeletedFromDiskEndsTheRunWithFileNotFound()
    {
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\n");
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItems(
            {qPath(dir.path() / "PE.txt"), qPath(dir.path() / "gone.txt"), qPath(dir.path() / "PE.txt")});
        form.Button3->click();
        QCOMPARE(windows.dialogs.texts("error"), QStringList{QStringLiteral("File not found.")});
        QCOMPARE(readBytes(customData / "PE" / "SH600000.adt"), kRecord20080115);
        // The failing file's data-name folder stays; the label shows the last file read.
        QVERIFY(fs::is_directory(customData / "gone"));
        QCOMPARE(form.Label3->text(), QStringLiteral("正在转换:") + qPath(dir.path() / "PE.txt"));
        QVERIFY(form.Label3->updatesEnabled());
        QVERIFY(!form.runInProgress());
    }

    void controlsTakeNoInputDuringTheRunAndComeBackAfterIt()
    {
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\nSZ000001\t2008-01-15\t12.5\r\n");
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        form.help->setCurrentWidget(form.TabSheet2);
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItems({qPath(dir.path() / "PE.txt"), qPath(dir.path() / "PE.txt")});
        form.TxtListBox->item(1)->setSelected(true);
        const QList<QWidget*> blocked = testing_support::runBlockedControls(form);
        form.Browse2Button->setEnabled(false); // comes back as it was
        QStringList enabledDuringRun{"not run"};
        QString progressDuringRun;
        // The user's clicks while the first file is read: the list's buttons,
        // the other target, the page tabs.
        QTimer::singleShot(0, &form, [&] {
            enabledDuringRun = testing_support::enabledNames(blocked);
            for (QWidget* control :
                 {static_cast<QWidget*>(form.DelFileListButton), static_cast<QWidget*>(form.Button4),
                  static_cast<QWidget*>(form.AddTxtButton), static_cast<QWidget*>(form.RadioGroup1->item(0))})
                QTest::mouseClick(control, Qt::LeftButton);
            QTest::keyClicks(form.Dzh2InstallDirEdit, "x");
            progressDuringRun = form.Label3->text();
            form.help->tabBar()->setCurrentIndex(0);
        });
        QTest::mouseClick(form.Button3, Qt::LeftButton);
        QCOMPARE(enabledDuringRun, QStringList());
        QCOMPARE(progressDuringRun, QStringLiteral("正在转换:") + qPath(dir.path() / "PE.txt"));
        QCOMPARE(form.help->currentWidget(), form.TabSheet1);
        QVERIFY(windows.dialogs.calls.empty());
        // Both entries read, to the target chosen at the click.
        QCOMPARE(form.TxtListBox->count(), 2);
        QCOMPARE(form.RadioGroup1->itemIndex(), 1);
        QCOMPARE(form.Dzh2InstallDirEdit->text(), qPath(customData));
        QCOMPARE(readBytes(customData / "PE" / "SH600000.adt"), kRecord20080115 + kRecord20080115);
        QCOMPARE(readBytes(customData / "PE" / "SZ000001.adt"), kRecord20080115 + kRecord20080115);
        QCOMPARE(testing_support::enabledNames(blocked).size(), blocked.size() - 1);
        QVERIFY(!form.Browse2Button->isEnabled());
        QVERIFY(!form.runInProgress());
    }

    void focusComesBackToTheButtonThatStartedTheRun()
    {
        TempDir dir;
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.help->setCurrentWidget(form.TabSheet2);
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\n");
        form.Dzh2InstallDirEdit->setText(qPath(dir.path()));
        form.TxtListBox->addItem(qPath(dir.path() / "PE.txt"));
        form.Button3->setFocus();
        QWidget* focusDuringRun = form.Button3;
        QTimer::singleShot(0, &form, [&] { focusDuringRun = QApplication::focusWidget(); });
        QTest::keyClick(form.Button3, Qt::Key_Space);
        QCOMPARE(form.Label3->text(), QStringLiteral("转换完成"));
        QVERIFY(focusDuringRun != form.Button3);
        QCOMPARE(QApplication::focusWidget(), form.Button3);
    }

    void controlsComeBackWhenAnErrorEndsTheRun()
    {
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItem(qPath(dir.path() / "gone.txt"));
        const QList<QWidget*> blocked = testing_support::runBlockedControls(form);
        QStringList enabledAtTheBox{"no box"};
        windows.dialogs.onMessage = [&](const FakeDialogs::Call&) {
            enabledAtTheBox = testing_support::enabledNames(blocked);
        };
        form.Button3->click();
        QCOMPARE(windows.dialogs.texts("error"), QStringList{QStringLiteral("File not found.")});
        QCOMPARE(enabledAtTheBox.size(), blocked.size());
        QCOMPARE(testing_support::enabledNames(blocked).size(), blocked.size());
        QVERIFY(!form.runInProgress());
    }

    // Two clicks 50 ms apart: the second press reaches the button as a double
    // click, during the run of the first or after it.
    void doubleClickImportsOnce_data()
    {
        QTest::addColumn<bool>("duringTheRun");
        QTest::newRow("second click during the run") << true;
        QTest::newRow("second click after a short run") << false;
    }
    void doubleClickImportsOnce()
    {
        QFETCH(bool, duringTheRun);
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\n");
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        form.help->setCurrentWidget(form.TabSheet2);
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItem(qPath(dir.path() / "PE.txt"));
        const auto secondClick = [&] {
            QTest::mouseDClick(form.Button3, Qt::LeftButton, {}, QPoint(), 50);
            QTest::mouseRelease(form.Button3, Qt::LeftButton);
        };
        bool secondSawRun = false;
        if (duringTheRun) {
            QTimer::singleShot(0, &form, [&] {
                secondSawRun = form.runInProgress() && !form.Button3->isEnabled();
                secondClick();
            });
        }
        QTest::mousePress(form.Button3, Qt::LeftButton);
        QTest::mouseRelease(form.Button3, Qt::LeftButton);
        if (!duringTheRun)
            secondClick();
        QCOMPARE(secondSawRun, duringTheRun);
        QVERIFY(windows.dialogs.calls.empty());
        QCOMPARE(readBytes(customData / "PE" / "SH600000.adt"), kRecord20080115);
        QCOMPARE(form.Label3->text(), QStringLiteral("转换完成"));
        QVERIFY(form.Button3->isEnabled());
        // A click after the double click's time is a new request.
        QTest::mouseClick(form.Button3, Qt::LeftButton, {}, QPoint(),
                          QApplication::doubleClickInterval() + 1);
        QCOMPARE(readBytes(customData / "PE" / "SH600000.adt"), kRecord20080115 + kRecord20080115);
    }

    void closingTheWindowDuringARunLetsItFinishThenEnds()
    {
        TempDir dir;
        const fs::path customData = dir.path() / "cd";
        fs::create_directory(customData);
        writeBytes(dir.path() / "PE.txt", "SH600000\t2008-01-15\t12.5\r\nSZ000001\t2008-01-15\t12.5\r\n");
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        form.Dzh2InstallDirEdit->setText(qPath(customData));
        form.TxtListBox->addItems({qPath(dir.path() / "PE.txt"), qPath(dir.path() / "PE.txt")});
        bool runEnded = false;
        QTimer::singleShot(0, &form, [&] {
            QTimer::singleShot(0, &form, [&] { form.close(); }); // comes during the run
            form.Button3->click();
            runEnded = true;
        });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        giveUp.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(runEnded);
        QVERIFY(form.isVisible());
        QCOMPARE(form.Label3->text(), QStringLiteral("转换完成"));
        QCOMPARE(readBytes(customData / "PE" / "SZ000001.adt"), kRecord20080115 + kRecord20080115);
    }

    void emptyListOnlyReportsDone()
    {
        TempDir dir;
        WindowFixture windows;
        windows.form1->Dzh2InstallDirEdit->setText(qPath(dir.path()));
        windows.form1->Button3->click();
        QCOMPARE(windows.form1->Label3->text(), QStringLiteral("转换完成"));
        QVERIFY(fs::is_empty(dir.path()));
        QCOMPARE(fs::current_path(), m_startFolder);
    }
};

QTEST_MAIN(ImportPageTest)
#include "ImportPageTest.moc"
