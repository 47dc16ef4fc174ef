// The mapping dialog and the mapping list: adding through the modal dialog,
// the dialog keeping its contents, deleting, and export/import of mapping
// files byte for byte.
#include "app/windows/LabeledEdit.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

using testing_support::listItems;
using testing_support::qPath;
using testing_support::readBytes;
using testing_support::TempDir;
using testing_support::WindowFixture;
using testing_support::writeBytes;

namespace fs = std::filesystem;

namespace {

// Runs `step` once the dialog is up in its nested loop; gives up (closing
// it) after a second so that a test can fail but never hang.
void whileModal(app::TcolnameForm& dialog, const std::function<void()>& step)
{
    auto* timer = new QTimer(&dialog);
    auto* tries = new int(0);
    QObject::connect(timer, &QTimer::timeout, &dialog, [=, &dialog] {
        if (dialog.isVisible() && QApplication::activeModalWidget() == &dialog) {
            timer->stop();
            step();
        } else if (++*tries > 100) {
            timer->stop();
            dialog.reject();
        }
        if (!timer->isActive()) {
            timer->deleteLater();
            delete tries;
        }
    });
    timer->start(10);
}

void pick(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

class MappingTest : public QObject {
    Q_OBJECT

  private slots:
    void addLineShowsTheDialogModallyAndOkAppends()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        app::TcolnameForm& dialog = *windows.colnameForm;
        dialog.ComboBox1->addItems({"Code", "Close", "Vol"});
        form.show();
        bool focusOnOk = false;
        whileModal(dialog, [&] {
            focusOnOk = dialog.Button1->hasFocus();
            pick(dialog.ComboBox1, 1);
            dialog.LabeledEdit1->end(false);
            dialog.LabeledEdit1->insert(QStringLiteral("收盘"));
            dialog.Button1->click();
        });
        form.AddlineButton->click();
        QVERIFY(focusOnOk);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(listItems(form.ListBox1), QStringList{QStringLiteral("Close<->Close收盘")});
    }

    void pickingAColumnOverwritesTheName()
    {
        WindowFixture windows;
        app::TcolnameForm& dialog = *windows.colnameForm;
        dialog.ComboBox1->addItems({"A", "B", "C"});
        pick(dialog.ComboBox1, 0);
        QCOMPARE(dialog.LabeledEdit1->text(), QStringLiteral("A"));
        dialog.LabeledEdit1->setText("B name");
        pick(dialog.ComboBox1, 2);
        QCOMPARE(dialog.LabeledEdit1->text(), QStringLiteral("C"));
    }

    void okWithNothingAppendsTheBareSeparator()
    {
        WindowFixture windows;
        windows.colnameForm->Button1->click();
        windows.colnameForm->Button1->click();
        QCOMPARE(listItems(windows.form1->ListBox1), QStringList({"<->", "<->"}));
    }

    void closeBoxAddsNothingAndTheDialogKeepsItsContents()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        app::TcolnameForm& dialog = *windows.colnameForm;
        dialog.ComboBox1->addItems({"Code", "Close"});
        form.show();
        bool stayedOpen = false;
        whileModal(dialog, [&] {
            pick(dialog.ComboBox1, 1);
            dialog.LabeledEdit1->setText(QStringLiteral("收盘"));
            dialog.move(300, 200);
            // Neither Escape nor Enter in the name closes the dialog.
            dialog.LabeledEdit1->setFocus();
            QTest::keyClick(dialog.LabeledEdit1, Qt::Key_Escape);
            QTest::keyClick(dialog.LabeledEdit1, Qt::Key_Return);
            stayedOpen = dialog.isVisible();
            dialog.close();
        });
        QCOMPARE(dialog.showModal(), int(QDialog::Rejected));
        QVERIFY(stayedOpen);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(form.ListBox1->count(), 0);
        QString shownColumn;
        QString shownName;
        QPoint shownAt;
        whileModal(dialog, [&] {
            shownColumn = dialog.ComboBox1->currentText();
            shownName = dialog.LabeledEdit1->text();
            shownAt = dialog.pos();
            // Enter on the focused OK button presses it.
            dialog.Button1->setFocus();
            QTest::keyClick(dialog.Button1, Qt::Key_Return);
        });
        form.AddlineButton->click();
        QCOMPARE(shownColumn, QStringLiteral("Close"));
        QCOMPARE(shownName, QStringLiteral("收盘"));
        QCOMPARE(shownAt, QPoint(300, 200));
        QCOMPARE(listItems(form.ListBox1), QStringList{QStringLiteral("Close<->收盘")});
        QVERIFY(windows.dialogs.calls.empty());
    }

    void deleteRemovesTheSelectedItemsOnly()
    {
        WindowFixture windows;
        QListWidget* list = windows.form1->ListBox1;
        list->addItems({"0", "1", "2", "3", "4", "5"});
        windows.form1->DelLineButton->click();
        QCOMPARE(list->count(), 6);
        for (int i : {1, 3, 4})
            list->item(i)->setSelected(true);
        windows.form1->DelLineButton->click();
        QCOMPARE(listItems(list), QStringList({"0", "2", "5"}));
        QVERIFY(windows.dialogs.calls.empty());
    }

    void exportThenImportGivesBackTheList_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty items, also last") << QStringList({"Close<->收盘", "", "Vol<->量<->x", ""})
                                                << QByteArray("Close<->收盘\r\n\r\nVol<->量<->x\r\n\r\n");
        QTest::newRow("empty list") << QStringList() << QByteArray();
        QTest::newRow("one empty item") << QStringList({""}) << QByteArray("\r\n");
    }
    void exportThenImportGivesBackTheList()
    {
        QFETCH(QStringList, list);
        QFETCH(QByteArray, bytes);
        TempDir dir;
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.ListBox1->addItems(list);
        const fs::path file = dir.path() / "map"; // typed without ".txt": used as typed
        windows.dialogs.fileAnswers = {qPath(file), qPath(file)};
        form.OutRelaButton->click();
        QCOMPARE(QByteArray::fromStdString(readBytes(file)), bytes);
        QVERIFY(!fs::exists(dir.path() / "map.txt"));
        form.ListBox1->clear();
        form.ListBox1->addItem("stale");
        form.InRelaButton->click();
        QCOMPARE(listItems(form.ListBox1), list);
        QCOMPARE(windows.dialogs.texts("saveFile"), QStringList{QStringLiteral("文本文件|*.txt")});
        QCOMPARE(windows.dialogs.texts("openFile"), QStringList{QStringLiteral("文本文件|*.txt")});
        QCOMPARE(windows.dialogs.calls.at(0).options, (pages::FileDialogOptions{false, true, true}));
        QCOMPARE(windows.dialogs.count("error"), 0);
    }

    void importSplitsAtEveryKindOfLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("CR only") << QByteArray("a<->1\rb<->2\r") << QStringList({"a<->1", "b<->2"});
        QTest::newRow("LF only") << QByteArray("a<->1\nb<->2\n") << QStringList({"a<->1", "b<->2"});
        QTest::newRow("no last line end") << QByteArray("a<->1\r\nb<->2") << QStringList({"a<->1", "b<->2"});
        QTest::newRow("not mappings") << QByteArray("plain\r\n\r\nx") << QStringList({"plain", "", "x"});
    }
    void importSplitsAtEveryKindOfLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, list);
        TempDir dir;
        writeBytes(dir.path() / "m.txt", bytes.toStdString());
        WindowFixture windows;
        windows.dialogs.fileAnswers = {qPath(dir.path() / "m.txt")};
        windows.form1->InRelaButton->click();
        QCOMPARE(listItems(windows.form1->ListBox1), list);
    }

    void importOfAMissingFileKeepsTheList()
    {
        TempDir dir;
        WindowFixture windows;
        windows.form1->ListBox1->addItems({"a<->1"});
        windows.dialogs.fileAnswers = {qPath(dir.path() / "missing.txt"), std::nullopt};
        windows.form1->InRelaButton->click();
        QCOMPARE(windows.dialogs.texts("error"),
                 QStringList{"Cannot open file \"" + qPath(dir.path() / "missing.txt") +
                             "\". No such file or directory."});
        QCOMPARE(listItems(windows.form1->ListBox1), QStringList{"a<->1"});
        windows.form1->InRelaButton->click(); // cancelled
        QCOMPARE(listItems(windows.form1->ListBox1), QStringList{"a<->1"});
    }

    void exportIntoAMissingFolderShowsTheCreateError()
    {
        TempDir dir;
        WindowFixture windows;
        windows.form1->ListBox1->addItems({"a<->1"});
        const fs::path file = dir.path() / "no" / "m.txt";
        windows.dialogs.fileAnswers = {qPath(file)};
        windows.form1->OutRelaButton->click();
        QCOMPARE(windows.dialogs.texts("error"),
                 QStringList{"Cannot create file \"" + qPath(file) + "\". No such file or directory."});
        QCOMPARE(listItems(windows.form1->ListBox1), QStringList{"a<->1"});
    }
};

QTEST_MAIN(MappingTest)
#include "MappingTest.moc"
