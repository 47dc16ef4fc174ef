// The "Select Directory" chooser on its own: its controls, where it starts,
// picking and entering folders, and OK on a folder that does not exist.
#include "app/SelectDirectoryDialog.h"

#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using app::SelectDirectoryDialog;
using testing_support::FakeDialogs;
using testing_support::TempDir;

namespace {

const QString kCreateQuestion = QStringLiteral("The specified directory does not exist. Create it?");

QString qPath(const TempDir& temp, const QString& name = QString())
{
    const QString base = QString::fromStdString(temp.path().string());
    return name.isEmpty() ? base : base + QLatin1Char('/') + name;
}

QLineEdit* pathBox(SelectDirectoryDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("DirectoryNameEdit"));
}
QTreeWidget* tree(SelectDirectoryDialog& dialog)
{
    return dialog.findChild<QTreeWidget*>(QStringLiteral("DirectoryTree"));
}
QStringList files(SelectDirectoryDialog& dialog)
{
    QStringList names;
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("FileList"));
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}
QStringList childNames(QTreeWidgetItem* item)
{
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i)
        names << item->child(i)->text(0);
    return names;
}
QPushButton* button(SelectDirectoryDialog& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))->button(which);
}

// tmp/{Beta/, alpha/{inner/}, quotes.txt, b.xls}
void makeFolders(const TempDir& temp)
{
    QDir root(qPath(temp));
    QVERIFY(root.mkpath(QStringLiteral("alpha/inner")));
    QVERIFY(root.mkdir(QStringLiteral("Beta")));
    testing_support::writeBytes(temp.path() / "quotes.txt", "x");
    testing_support::writeBytes(temp.path() / "b.xls", "y");
    testing_support::writeBytes(temp.path() / "alpha" / "in-alpha.txt", "z");
}

} // namespace

class SelectDirectoryDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsItsControls()
    {
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, QString());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Directory"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        labels.sort();
        QCOMPARE(labels, (QStringList{QStringLiteral("&Directories:"), QStringLiteral("&Files: (*.*)"),
                                      QStringLiteral("Directory &Name:")}));
        QVERIFY(button(dialog, QDialogButtonBox::Ok));
        QVERIFY(button(dialog, QDialogButtonBox::Cancel));
        QVERIFY(button(dialog, QDialogButtonBox::Help));
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("DriveList"))); // no drives here
    }

    void startsInTheGivenFolderWithItsFoldersAndFiles()
    {
        TempDir temp;
        makeFolders(temp);
        FakeDialogs dialogs;
        // A folder part as the browse button passes it, with its trailing separator.
        SelectDirectoryDialog dialog(dialogs, qPath(temp) + QLatin1Char('/'));
        QCOMPARE(pathBox(dialog)->text(), qPath(temp));
        QTreeWidgetItem* current = tree(dialog)->currentItem();
        QVERIFY(current);
        QCOMPARE(childNames(current), (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta")}));
        QCOMPARE(files(dialog), (QStringList{QStringLiteral("b.xls"), QStringLiteral("quotes.txt")}));
        QTreeWidgetItem* top = tree(dialog)->topLevelItem(0);
        QCOMPARE(top->text(0), QStringLiteral("/"));
    }

    void startsInTheCurrentFolderOtherwise_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::newRow("empty") << QString();
        QTest::newRow("missing") << QStringLiteral("/no/such/folder/at/all");
        QTest::newRow("relative") << QStringLiteral("alpha");
        QTest::newRow("a file") << QStringLiteral("QUOTES");
    }
    void startsInTheCurrentFolderOtherwise()
    {
        QFETCH(QString, requested);
        TempDir temp;
        makeFolders(temp);
        if (requested == QStringLiteral("QUOTES"))
            requested = qPath(temp, QStringLiteral("quotes.txt"));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(qPath(temp, QStringLiteral("alpha"))));
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, requested);
        QDir::setCurrent(previous);
        QCOMPARE(pathBox(dialog)->text(), qPath(temp, QStringLiteral("alpha")));
        QCOMPARE(files(dialog), QStringList{QStringLiteral("in-alpha.txt")});
    }

    void pickingAFolderPutsItsFullPathInTheBox()
    {
        TempDir temp;
        makeFolders(temp);
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, qPath(temp));
        QTreeWidgetItem* alpha = tree(dialog)->currentItem()->child(0);
        tree(dialog)->setCurrentItem(alpha);
        QCOMPARE(pathBox(dialog)->text(), qPath(temp, QStringLiteral("alpha")));
        QCOMPARE(files(dialog), QStringList{QStringLiteral("in-alpha.txt")});
        // Its parent, higher up in the tree, gives its path without a separator at the end.
        tree(dialog)->setCurrentItem(alpha->parent()->parent());
        QCOMPARE(pathBox(dialog)->text(), QFileInfo(qPath(temp)).absolutePath());
    }

    void openingAFolderShowsItsSubfolders()
    {
        TempDir temp;
        makeFolders(temp);
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, qPath(temp));
        QTreeWidgetItem* alpha = tree(dialog)->currentItem()->child(0);
        emit tree(dialog)->itemActivated(alpha, 0);
        QCOMPARE(pathBox(dialog)->text(), qPath(temp, QStringLiteral("alpha")));
        QCOMPARE(childNames(tree(dialog)->currentItem()), QStringList{QStringLiteral("inner")});
    }

    void okOnAnExistingFolderAsksNothing()
    {
        TempDir temp;
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, qPath(temp));
        dialog.show();
        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.path(), qPath(temp));
        QVERIFY(dialogs.calls.empty());
    }

    void okOnAMissingFolderAsksAndNoKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("missing") << QStringLiteral("new/deeper");
        QTest::newRow("empty") << QString();
    }
    void okOnAMissingFolderAsksAndNoKeepsTheDialogOpen()
    {
        QFETCH(QString, typed);
        TempDir temp;
        if (!typed.isEmpty())
            typed = qPath(temp, typed);
        FakeDialogs dialogs;
        dialogs.questionAnswers = {false, true};
        SelectDirectoryDialog dialog(dialogs, qPath(temp));
        dialog.show();
        pathBox(dialog)->setText(typed);

        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialogs.texts(QStringLiteral("yesNo")), QStringList{kCreateQuestion});

        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.path(), typed);
        QCOMPARE(dialogs.count(QStringLiteral("yesNo")), 2);
        // Creating it is the caller's part, after the dialog has closed.
        QVERIFY(typed.isEmpty() || !QFileInfo::exists(typed));
    }

    void cancelRejects()
    {
        TempDir temp;
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, qPath(temp));
        dialog.show();
        pathBox(dialog)->setText(qPath(temp, QStringLiteral("missing")));
        QTest::mouseClick(button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialogs.calls.empty());
    }

    void helpExplainsTheChooser()
    {
        FakeDialogs dialogs;
        SelectDirectoryDialog dialog(dialogs, QString());
        dialog.show();
        QTest::mouseClick(button(dialog, QDialogButtonBox::Help), Qt::LeftButton);
        QCOMPARE(dialogs.count(QStringLiteral("info")), 1);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(SelectDirectoryDialogTest)
#include "SelectDirectoryDialogTest.moc"
