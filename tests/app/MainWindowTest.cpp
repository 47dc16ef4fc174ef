// The main window and the dialog as start-up leaves them: captions, initial
// values, geometry, alignment on resize, tab order, fonts, the Enter key, the
// close box, and the message box convention of the real dialogs.
#include "app/QtDialogs.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/DbGrid.h"
#include "app/windows/LabeledEdit.h"
#include "app/windows/RadioGroup.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using testing_support::WindowFixture;

namespace {

QWidget* child(QWidget* window, const char* name)
{
    return window->findChild<QWidget*>(QString::fromLatin1(name));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsOnTheFirstPageWithEverythingEmpty()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tarnvale"));
        QCOMPARE(form.help->currentWidget(), form.TabSheet1);
        QCOMPARE(form.help->tabText(0), QStringLiteral("Excel转txt"));
        QCOMPARE(form.help->tabText(1), QStringLiteral("自定义数据引入"));
        QCOMPARE(form.ListBox1->count(), 0);
        QCOMPARE(form.TxtListBox->count(), 0);
        QCOMPARE(form.CodeComboBox->count(), 0);
        QCOMPARE(form.TableNameComboBox->count(), 0);
        QCOMPARE(windows.colnameForm->ComboBox1->count(), 0);
        QCOMPARE(form.RadioGroup1->itemIndex(), 1);
        QCOMPARE(form.RadioGroup1->item(1)->text(), QStringLiteral("引入飞狐交易师"));
        QCOMPARE(form.RadioGroup1->item(0)->text(), QStringLiteral("引入大智慧新一代"));
        QCOMPARE(form.DateMaskEdit->maskedText(), QStringLiteral("    /  /  "));
        QCOMPARE(form.Label3->text(), QStringLiteral("Txt文件列表"));
        QCOMPARE(form.ProgressLabel->text(), QString());
        QCOMPARE(form.Dzh2InstallDirEdit->text(), QString());
        QCOMPARE(form.LabeledEdit1->editLabel()->text(), QStringLiteral("Excel文件："));
        QCOMPARE(form.LabeledEdit2->editLabel()->text(), QStringLiteral("Txt文件保存路径："));
        QCOMPARE(form.Button3->text(), QStringLiteral("引入"));
        QCOMPARE(form.Button2->text(), QStringLiteral("转换"));
        QCOMPARE(windows.colnameForm->windowTitle(), QStringLiteral("设置对应关系"));
        QVERIFY(!windows.colnameForm->isVisible());
    }

    void tabStripHasTheFocusAtFirstActivation()
    {
        WindowFixture windows;
        windows.form1->show();
        QVERIFY(QTest::qWaitForWindowActive(windows.form1.get()));
        QCOMPARE(QApplication::focusWidget(), windows.form1->help->tabBar());
    }

    void controlsSitWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("LabeledEdit1") << "LabeledEdit1" << QRect(13, 19, 199, 20);
        QTest::newRow("DBNavigator1") << "DBNavigator1" << QRect(6, 166, 200, 20);
        QTest::newRow("Button2") << "Button2" << QRect(243, 166, 60, 20);
        QTest::newRow("LabeledEdit2") << "LabeledEdit2" << QRect(13, 58, 199, 20);
        QTest::newRow("Browse2Button") << "Browse2Button" << QRect(224, 58, 60, 20);
        QTest::newRow("TableNameComboBox") << "TableNameComboBox" << QRect(109, 83, 167, 20);
        QTest::newRow("DelLineButton") << "DelLineButton" << QRect(550, 102, 60, 20);
        QTest::newRow("ListBox1") << "ListBox1" << QRect(301, 32, 237, 122);
        QTest::newRow("DateMaskEdit") << "DateMaskEdit" << QRect(109, 141, 165, 20);
        QTest::newRow("Dzh2InstallDirEdit") << "Dzh2InstallDirEdit" << QRect(0, 26, 494, 20);
        QTest::newRow("BrowDzhDirButton") << "BrowDzhDirButton" << QRect(518, 32, 60, 20);
        QTest::newRow("TxtListBox") << "TxtListBox" << QRect(0, 70, 487, 321);
        QTest::newRow("Button4") << "Button4" << QRect(518, 154, 60, 20);
        QTest::newRow("Button3") << "Button3" << QRect(518, 186, 60, 20);
        QTest::newRow("RadioGroup1") << "RadioGroup1" << QRect(499, 218, 116, 52);
    }
    void controlsSitWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        WindowFixture windows;
        windows.form1->show();
        QWidget* control = child(windows.form1.get(), name.toLatin1().constData());
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void labelsStartAtTheirPositionsAndFitTheirCaptions()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        QCOMPARE(form.Label1->pos(), QPoint(301, 13));
        QCOMPARE(form.Label6->pos(), QPoint(13, 141));
        QCOMPARE(form.Label3->pos(), QPoint(0, 51));
        QCOMPARE(form.Label3->height(), 12);
        QCOMPARE(form.Label3->width(), form.Label3->fontMetrics().horizontalAdvance(form.Label3->text()));
        form.Label3->setCaption(QStringLiteral("转换完成"));
        QCOMPARE(form.Label3->width(),
                 form.Label3->fontMetrics().horizontalAdvance(QStringLiteral("转换完成")));
        QCOMPARE(form.Label3->pos(), QPoint(0, 51));
    }

    void labeledEditLabelsSitThreePixelsAbove()
    {
        WindowFixture windows;
        const QLabel* label = windows.form1->LabeledEdit1->editLabel();
        QCOMPARE(label->parentWidget(), windows.form1->Panel1);
        QCOMPARE(label->x(), 13);
        QCOMPARE(label->geometry().bottom() + 1, 19 - 3);
        const QLabel* dialogLabel = windows.colnameForm->LabeledEdit1->editLabel();
        QCOMPARE(dialogLabel->text(), QStringLiteral("大智慧自定义数据列名"));
        QCOMPARE(dialogLabel->x(), 6);
        QCOMPARE(dialogLabel->geometry().bottom() + 1, 70 - 3);
        // The label follows its edit.
        windows.form1->show();
        windows.form1->LabeledEdit2->move(40, 100);
        QCOMPARE(windows.form1->LabeledEdit2->editLabel()->pos(), QPoint(40, 100 - 12 - 3));
    }

    void panelSpansTheTopAndGridFillsTheRestOnResize()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        QCOMPARE(form.size(), QSize(783, 536));
        form.show();
        form.resize(1000, 700);
        QApplication::processEvents();
        QCOMPARE(form.help->geometry(), QRect(0, 0, 1000, 700));
        const QRect page = form.TabSheet1->rect();
        QCOMPARE(form.Panel1->geometry(), QRect(0, 0, page.width(), 199));
        QCOMPARE(form.DBGrid1->geometry(), QRect(0, 199, page.width(), page.height() - 199));
        QCOMPARE(form.Button2->geometry(), QRect(243, 166, 60, 20));
        QCOMPARE(form.TxtListBox->geometry(), QRect(0, 70, 487, 321));
    }

    void dialogIsAFixedToolWindowAtItsLayoutPosition()
    {
        WindowFixture windows;
        app::TcolnameForm& dialog = *windows.colnameForm;
        QCOMPARE(dialog.pos(), QPoint(476, 288));
        QCOMPARE(dialog.size(), QSize(190, 128));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY((dialog.windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(dialog.ComboBox1->geometry(), QRect(3, 26, 177, 20));
        QCOMPARE(dialog.LabeledEdit1->geometry(), QRect(6, 70, 168, 23));
        QCOMPARE(dialog.Button1->geometry(), QRect(64, 102, 60, 20));
        QCOMPARE(dialog.Label1->pos(), QPoint(6, 6));
        QVERIFY(!dialog.Button1->autoDefault());
        QVERIFY(!dialog.Button1->isDefault());
    }

    void tabWalksTheImportPageInLayoutOrder()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.help->setCurrentWidget(form.TabSheet2);
        form.TxtListBox->setFocus();
        const QStringList expected = {
            "AddDirButton", "AddTxtButton", "DelFileListButton", "Dzh2InstallDirEdit", "BrowDzhDirButton",
            "Button3",      "Button4"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.RadioGroup1->item(1)); // the selected item
    }

    void tabWalksThePanelInLayoutOrder()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Button2->setFocus();
        const QStringList expected = {"LabeledEdit2",      "Browse1Button", "Browse2Button", "CodeComboBox",
                                      "TableNameComboBox", "InRelaButton",  "OutRelaButton", "AddlineButton",
                                      "DelLineButton",     "ListBox1",      "DateMaskEdit"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void captionsUseTheWindowFontWithCjkGlyphs()
    {
        WindowFixture windows;
        const QFont font = windows.form1->font();
        QCOMPARE(font.families().value(0), QStringLiteral("宋体"));
        QCOMPARE(font.pixelSize(), 12);
        QCOMPARE(windows.form1->Button3->font().pixelSize(), 12);
        QCOMPARE(windows.form1->RadioGroup1->font().pixelSize(), 11);
        QCOMPARE(windows.form1->RadioGroup1->item(0)->font().pixelSize(), 11);
        QCOMPARE(windows.colnameForm->font().pixelSize(), 12);
        // Whatever family fontconfig resolves to, it must draw the captions.
        const QFontMetrics metrics(windows.form1->Label3->font());
        for (const QChar c : QStringLiteral("自定义数据引入转换"))
            QVERIFY2(metrics.inFont(c), qPrintable(QFontInfo(windows.form1->font()).family()));
    }

    void enterClicksOnlyTheFocusedButton()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.help->setCurrentWidget(form.TabSheet2);
        form.TxtListBox->addItems({"a", "b"});
        form.Dzh2InstallDirEdit->setFocus();
        QTest::keyClick(form.Dzh2InstallDirEdit, Qt::Key_Return);
        QCOMPARE(form.TxtListBox->count(), 2);
        form.DelFileListButton->setFocus();
        QTest::keyClick(form.DelFileListButton, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(form.TxtListBox->count(), 2);
        QTest::keyClick(form.DelFileListButton, Qt::Key_Return);
        QCOMPARE(form.TxtListBox->count(), 0);
    }

    void closingTheMainWindowEndsTheEventLoopAndKeepsItShown()
    {
        WindowFixture windows;
        windows.form1->show();
        QTimer::singleShot(0, windows.form1.get(), [&] {
            windows.form1->close();
            QVERIFY(windows.form1->isVisible());
        });
        // A loop that does not end gives 99 after a few seconds instead of hanging.
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        giveUp.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(windows.form1->isVisible());
    }

    void messageBoxBlocksTheWindowAndGivesTheFocusBack()
    {
        WindowFixture windows;
        app::TForm1& form = *windows.form1;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.help->setCurrentWidget(form.TabSheet2);
        form.Button3->setFocus();
        QString caption;
        QString text;
        bool iconless = false;
        // Dismisses the box as soon as it is up; retried until it is.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                caption = box->windowTitle();
                text = box->text();
                iconless = box->icon() == QMessageBox::NoIcon;
                box->button(QMessageBox::Ok)->click();
            }
        });
        closer.start(10);
        app::QtDialogs dialogs(QStringLiteral("Tarnvale"));
        dialogs.info(app::toBytes(QStringLiteral("自定义数据路径不存在")));
        closer.stop();
        QCOMPARE(caption, QStringLiteral("提示"));
        QCOMPARE(text, QStringLiteral("自定义数据路径不存在"));
        QVERIFY(iconless);
        QTRY_COMPARE(QApplication::focusWidget(), form.Button3);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
