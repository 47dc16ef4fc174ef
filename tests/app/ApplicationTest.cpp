// The application shell without windows: title rule, start-up error text, the
// handler guard, the boxes' captions and icons, filters, and the text bridge.
#include "app/Application.h"
#include "app/PlatformTranslations.h"
#include "app/QtDialogs.h"
#include "app/TextBridge.h"
#include "common/Error.h"
#include "common/IoError.h"
#include "pages/Guard.h"
#include "support/FakeDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <stdexcept>

using testing_support::FakeDialogs;

namespace {

class ThrowingObject : public QObject {
  public:
    int events = 0;
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (++events == 1)
            throw common::Error("Stream write error");
        return true;
    }
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { app::setUiCodePage(common::CodePage(65001)); }

    void titleComesFromTheExecutableName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("posix name") << "/usr/local/bin/tarnvale"
                                    << "Tarnvale";
        QTest::newRow("windows name") << "C:/Tools/TARNVALE.EXE"
                                      << "Tarnvale";
        QTest::newRow("cut at first dot") << "/opt/Tarn.Vale.bin"
                                          << "Tarn";
        QTest::newRow("mixed case") << "/x/tArNvAlE"
                                    << "Tarnvale";
        QTest::newRow("one character") << "/x/t.exe"
                                       << "T";
        QTest::newRow("starts with dot") << "/x/.hidden"
                                         << "";
    }
    void titleComesFromTheExecutableName()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(app::applicationTitle(path), title);
    }

    void startupErrorTextHasTwoLinesWithCrLf()
    {
        const void* address = reinterpret_cast<const void*>(0x4a2b10);
        const QString message =
            QStringLiteral("Error creating object.  Please verify that the Microsoft Data Access "
                           "Components 2.1 (or later) have been properly installed");
        QCOMPARE(app::startupErrorText("EOleSysError", "tarnvale", address, message),
                 QStringLiteral("Exception EOleSysError in module tarnvale at 0x4a2b10.\r\n") + message +
                     QStringLiteral(".\r\n"));
        // A message already ending with "." gets no second one.
        QCOMPARE(app::startupErrorText("Error", "tarnvale", address, "Bad."),
                 QStringLiteral("Exception Error in module tarnvale at 0x4a2b10.\r\nBad.\r\n"));
    }

    void guardShowsTheMessageWithTheFullStopRule_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("shown");
        QTest::newRow("io error") << 0 << "File not found.";
        QTest::newRow("ends with a full stop") << 1 << "Stream write error.";
        QTest::newRow("ends with a chinese character") << 2 << "自定义数据.";
        QTest::newRow("ends below the full stop") << 3 << "Floating point overflow!";
        QTest::newRow("standard exception") << 4 << "bad thing.";
    }
    void guardShowsTheMessageWithTheFullStopRule()
    {
        QFETCH(int, which);
        QFETCH(QString, shown);
        FakeDialogs dialogs;
        bool after = false;
        pages::guarded(dialogs, [&] {
            switch (which) {
            case 0:
                throw common::ioError(common::io::kFileNotFound);
            case 1:
                throw common::Error("Stream write error.");
            case 2:
                throw common::Error("自定义数据");
            case 3:
                throw common::Error("Floating point overflow!");
            default:
                throw std::runtime_error("bad thing");
            }
            after = true;
        });
        QVERIFY(!after);
        QCOMPARE(dialogs.texts("error"), QStringList{shown});
        QCOMPARE(dialogs.calls.size(), std::size_t(1));
    }

    void guardShowsNothingForAnAbortOrSuccess()
    {
        FakeDialogs dialogs;
        pages::guarded(dialogs, [] { throw common::Error("ignored", common::Error::Kind::Abort); });
        int runs = 0;
        pages::guarded(dialogs, [&] { ++runs; });
        QCOMPARE(runs, 1);
        QVERIFY(dialogs.calls.empty());
    }

    void guardConvertsMessagesFromTheCodePage()
    {
        app::setUiCodePage(common::CodePage(936));
        FakeDialogs dialogs;
        pages::guarded(dialogs, [] { throw common::Error("\xC4\xE3\xBA\xC3"); }); // 你好 in GBK
        QCOMPARE(dialogs.texts("error"), QStringList{QStringLiteral("你好.")});
    }

    void textBridgeRoundTripsGbk()
    {
        app::setUiCodePage(common::CodePage(936));
        QCOMPARE(app::fromBytes("D:\\\xCA\xD5\xC5\xCC.txt"), QStringLiteral("D:\\收盘.txt"));
        QCOMPARE(app::toBytes(QStringLiteral("收盘")), std::string("\xCA\xD5\xC5\xCC"));
    }

    void infoBoxHasPromptCaptionOkAndNoIcon()
    {
        const auto box = app::makeInfoBox(QStringLiteral("自定义数据路径不存在"));
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(box->text(), QStringLiteral("自定义数据路径不存在"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    }

    void errorBoxHasTitleCaptionOkAndStopIcon()
    {
        const auto box = app::makeErrorBox(QStringLiteral("Tarnvale"), QStringLiteral("File not found."));
        QCOMPARE(box->windowTitle(), QStringLiteral("Tarnvale"));
        QCOMPARE(box->text(), QStringLiteral("File not found."));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void platformTextsSpeakTheUsersLanguage()
    {
        QTranslator* translator = app::installPlatformTranslations(QLocale(QLocale::Chinese, QLocale::China));
        QVERIFY(translator);
        const auto box = app::makeInfoBox(QStringLiteral("自定义数据路径不存在"));
        QMessageBox question(QMessageBox::Question, QStringLiteral("Tarnvale"),
                             QStringLiteral("Delete record?"), QMessageBox::Ok | QMessageBox::Cancel);
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        const QStringList fileTexts = [&] {
            QStringList texts;
            for (const QLabel* label : files.findChildren<QLabel*>())
                texts << label->text();
            return texts;
        }();
        QCoreApplication::removeTranslator(translator);
        delete translator;
        QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        QCOMPARE(question.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        QVERIFY2(fileTexts.contains(QStringLiteral("查找范围：")), qPrintable(fileTexts.join('|')));
        // The system's own texts stay as they are.
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(question.text(), QStringLiteral("Delete record?"));
        QCOMPARE(app::makeInfoBox(QString())->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QVERIFY(!app::installPlatformTranslations(QLocale::c()));
    }

    void applicationObjectTakesItsTitleAndKeepsRunningWhenWindowsClose()
    {
        auto* application = static_cast<app::Application*>(qApp);
        QCOMPARE(application->title(), QStringLiteral("Applicationtest"));
        QVERIFY(!application->quitOnLastWindowClosed());
        QCOMPARE(QApplication::windowIcon().availableSizes().value(0), QSize(40, 40));
    }

    void backstopShowsAnErrorThatEscapedAnEventHandler()
    {
        FakeDialogs dialogs;
        auto* application = static_cast<app::Application*>(qApp);
        application->setDialogs(&dialogs);
        ThrowingObject thrower;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
        application->setDialogs(nullptr);
        QCOMPARE(dialogs.texts("error"), QStringList{QStringLiteral("Stream write error.")});
        // The application goes on delivering events.
        QEvent second(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &second);
        QCOMPARE(thrower.events, 2);
    }

    void layoutFiltersBecomeQtFilters()
    {
        QCOMPARE(app::qtFilter(QStringLiteral("文本文件|*.txt")), QStringLiteral("文本文件 (*.txt)"));
        QCOMPARE(app::qtFilter(QStringLiteral("Excel文件|*.xls|All|*.*")),
                 QStringLiteral("Excel文件 (*.xls);;All (*.*)"));
        QCOMPARE(app::qtFilter(QStringLiteral("Two|*.a;*.b")), QStringLiteral("Two (*.a *.b)"));
    }
};

// Run under the program's own application object, so that its backstop and
// settings are what the tests see.
int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ApplicationTest.moc"
