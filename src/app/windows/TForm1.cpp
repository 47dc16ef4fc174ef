#include "app/windows/TForm1.h"

#include "app/TextBridge.h"
#include "app/UiFont.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/DbGrid.h"
#include "app/windows/DbNavigator.h"
#include "app/windows/DoubleClickAsOneClick.h"
#include "app/windows/EnterKey.h"
#include "app/windows/Form1View.h"
#include "app/windows/LabeledEdit.h"
#include "app/windows/RadioGroup.h"
#include "app/windows/TcolnameForm.h"
#include "pages/Guard.h"
#include "pages/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

namespace {

// The layout's client area; the frame comes on top (799 x 572 in all).
constexpr int kClientWidth = 783;
constexpr int kClientHeight = 536;
constexpr int kPanel1Height = 199;

template <typename Widget> Widget* named(Widget* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    return named(new QPushButton(QString::fromUtf8(caption), parent), name, geometry);
}

AutoSizeLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QPoint position,
                         int height = 12)
{
    auto* label = new AutoSizeLabel(QString(), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(position);
    label->resize(0, height);
    label->setCaption(QString::fromUtf8(caption));
    return label;
}

QComboBox* makeDropDownList(QWidget* parent, const char* name, QRect geometry)
{
    // Not editable: the user can only pick an item.
    return named(new QComboBox(parent), name, geometry);
}

QListWidget* makeMultiSelectList(QWidget* parent, const char* name, QRect geometry)
{
    auto* list = named(new QListWidget(parent), name, geometry);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

} // namespace

TForm1::TForm1(pages::Dialogs& dialogs, pages::AppContext context, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarnvale"));
    setFont(windowFont(12));
    move(190, 113);
    resize(kClientWidth, kClientHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    help = named(new QTabWidget(this), "help", QRect(0, 0, kClientWidth, kClientHeight));
    layout->addWidget(help);

    createExcelPage(dialogs, context.settings.dateSeparator);
    createImportPage();
    createPages(dialogs, std::move(context));
    help->setCurrentWidget(TabSheet1);
    setTabOrders();
    connectHandlers();
    // At first activation the tab strip has the focus, as the first tab stop.
    help->setFocus(Qt::OtherFocusReason);
}

TForm1::~TForm1()
{
    // The controls would go with the window's children, after the page layer
    // (a member) is gone; the grid and navigator leave its data link as they
    // go, so they go first.
    delete help;
    help = nullptr;
}

void TForm1::createPages(pages::Dialogs& dialogs, pages::AppContext context)
{
    m_view = std::make_unique<Form1View>(*this);
    m_pages = std::make_unique<pages::MainWindow>(*m_view, *m_view, *m_view, dialogs, std::move(context));
    pages::ExcelPage& excel = m_pages->excelPage();
    ADOConnection1 = &excel.ADOConnection1;
    ADOQuery1 = &excel.ADOQuery1;
    DataSource1 = &excel.DataSource1;
    DBGrid1->setDataSource(*DataSource1);
    DBNavigator1->setDataSource(*DataSource1);
}

pages::Dialogs& TForm1::dialogs() const
{
    return m_pages->dialogs();
}

const pages::AppContext& TForm1::context() const
{
    return m_pages->context();
}

void TForm1::setColnameForm(TcolnameForm* form)
{
    m_colnameForm = form;
    m_pages->excelPage().setColnameForm(form ? &form->view() : nullptr);
}

pages::FileDialogOptions& TForm1::openDialog1Options()
{
    return m_pages->openDialog1Options();
}

bool TForm1::runInProgress() const
{
    return m_pages->runInProgress();
}

QString TForm1::openWorkbookPath() const
{
    return fromBytes(m_pages->excelPage().openWorkbookPath());
}

void TForm1::createExcelPage(pages::Dialogs& dialogs, char dateSeparator)
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    help->addTab(TabSheet1, QStringLiteral("Excel转txt"));

    // Panel1 is aligned to the top, DBGrid1 fills the rest.
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = named(new QFrame(TabSheet1), "Panel1", QRect(0, 0, 775, kPanel1Height));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(kPanel1Height);
    layout->addWidget(Panel1);
    DBGrid1 = named(new DbGrid(TabSheet1), "DBGrid1", QRect(0, kPanel1Height, 775, 310));
    DBGrid1->horizontalHeader()->setFont(windowFont(12));
    layout->addWidget(DBGrid1, 1);

    createPanel1Controls(dialogs, dateSeparator);
}

void TForm1::createPanel1Controls(pages::Dialogs& dialogs, char dateSeparator)
{
    LabeledEdit1 =
        new LabeledEdit(QStringLiteral("LabeledEdit1"), QStringLiteral("Excel文件："), {66, 12}, Panel1);
    LabeledEdit1->setBounds(QRect(13, 19, 199, 20));
    DBNavigator1 = named(new DbNavigator(Panel1), "DBNavigator1", QRect(6, 166, 200, 20));
    Button2 = makeButton(Panel1, "Button2", "转换", QRect(243, 166, 60, 20));
    LabeledEdit2 = new LabeledEdit(QStringLiteral("LabeledEdit2"), QStringLiteral("Txt文件保存路径："),
                                   {102, 12}, Panel1);
    LabeledEdit2->setBounds(QRect(13, 58, 199, 20));
    Browse1Button = makeButton(Panel1, "Browse1Button", "浏览...", QRect(224, 19, 60, 20));
    Browse2Button = makeButton(Panel1, "Browse2Button", "浏览...", QRect(224, 58, 60, 20));
    CodeComboBox = makeDropDownList(Panel1, "CodeComboBox", QRect(109, 115, 167, 20));
    TableNameComboBox = makeDropDownList(Panel1, "TableNameComboBox", QRect(109, 83, 167, 20));
    InRelaButton = makeButton(Panel1, "InRelaButton", "导入", QRect(550, 26, 60, 20));
    OutRelaButton = makeButton(Panel1, "OutRelaButton", "导出", QRect(550, 51, 60, 20));
    AddlineButton = makeButton(Panel1, "AddlineButton", "添加行", QRect(550, 77, 60, 20));
    DelLineButton = makeButton(Panel1, "DelLineButton", "删除行", QRect(550, 102, 60, 20));
    ListBox1 = makeMultiSelectList(Panel1, "ListBox1", QRect(301, 32, 237, 122));
    DateMaskEdit = named(new app::DateMaskEdit(dialogs, dateSeparator, Panel1), "DateMaskEdit",
                         QRect(109, 141, 165, 20));
    Label1 = makeLabel(Panel1, "Label1", "设置列对应关系:", {301, 13});
    Label5 = makeLabel(Panel1, "Label5", "选择要转换的表:", {13, 83});
    Label2 = makeLabel(Panel1, "Label2", "指定证券代码列：", {13, 115});
    Label6 = makeLabel(Panel1, "Label6", "行情日期：", {13, 141});
    ProgressLabel = makeLabel(Panel1, "ProgressLabel", "", {314, 166});
}

void TForm1::createImportPage()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    help->addTab(TabSheet2, QStringLiteral("自定义数据引入"));

    Label4 = makeLabel(TabSheet2, "Label4", "自定义数据路径", {0, 6});
    Dzh2InstallDirEdit = named(new QLineEdit(TabSheet2), "Dzh2InstallDirEdit", QRect(0, 26, 494, 20));
    BrowDzhDirButton = makeButton(TabSheet2, "BrowDzhDirButton", "浏览...", QRect(518, 32, 60, 20));
    Label3 = makeLabel(TabSheet2, "Label3", "Txt文件列表", {0, 51});
    TxtListBox = makeMultiSelectList(TabSheet2, "TxtListBox", QRect(0, 70, 487, 321));
    AddDirButton = makeButton(TabSheet2, "AddDirButton", "添加目录", QRect(518, 77, 60, 20));
    AddTxtButton = makeButton(TabSheet2, "AddTxtButton", "添加文件", QRect(518, 102, 60, 20));
    DelFileListButton = makeButton(TabSheet2, "DelFileListButton", "删除列表", QRect(518, 128, 60, 20));
    Button4 = makeButton(TabSheet2, "Button4", "删除选中", QRect(518, 154, 60, 20));
    Button3 = makeButton(TabSheet2, "Button3", "引入", QRect(518, 186, 60, 20));
    RadioGroup1 = named(
        new RadioGroup({QStringLiteral("引入大智慧新一代"), QStringLiteral("引入飞狐交易师")}, TabSheet2),
        "RadioGroup1", QRect(499, 218, 116, 52));
    RadioGroup1->setFont(windowFont(11));
    RadioGroup1->setItemIndex(1);
}

void TForm1::setTabOrders()
{
    // Depth first, each parent's children in their layout tab order.
    const QList<QWidget*> chain = {help,
                                   DBGrid1,
                                   LabeledEdit1,
                                   DBNavigator1,
                                   Button2,
                                   LabeledEdit2,
                                   Browse1Button,
                                   Browse2Button,
                                   CodeComboBox,
                                   TableNameComboBox,
                                   InRelaButton,
                                   OutRelaButton,
                                   AddlineButton,
                                   DelLineButton,
                                   ListBox1,
                                   DateMaskEdit,
                                   TxtListBox,
                                   AddDirButton,
                                   AddTxtButton,
                                   DelFileListButton,
                                   Dzh2InstallDirEdit,
                                   BrowDzhDirButton,
                                   Button3,
                                   Button4,
                                   RadioGroup1->item(0),
                                   RadioGroup1->item(1)};
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void TForm1::run(const std::function<void()>& body)
{
    pages::guarded(dialogs(), body);
}

void TForm1::onClick(QPushButton* button, void (TForm1::*handler)())
{
    connect(button, &QPushButton::clicked, this, [this, handler] { run([&] { (this->*handler)(); }); });
}

void TForm1::connectHandlers()
{
    onClick(Browse1Button, &TForm1::Browse1ButtonClick);
    connect(LabeledEdit1, &QLineEdit::returnPressed, this,
            [this] { run([&] { LabeledEdit1ReturnPressed(); }); });
    connect(TableNameComboBox, &QComboBox::activated, this,
            [this] { run([&] { TableNameComboBoxChange(); }); });
    connect(DBGrid1, &DbGrid::titleClicked, this,
            [this](int column) { run([&] { DBGrid1TitleClick(column); }); });
    onClick(Button2, &TForm1::Button2Click);
    onClick(Browse2Button, &TForm1::Browse2ButtonClick);
    onClick(InRelaButton, &TForm1::InRelaButtonClick);
    onClick(OutRelaButton, &TForm1::OutRelaButtonClick);
    onClick(AddlineButton, &TForm1::AddlineButtonClick);
    onClick(DelLineButton, &TForm1::DelLineButtonClick);
    onClick(BrowDzhDirButton, &TForm1::BrowDzhDirButtonClick);
    onClick(AddDirButton, &TForm1::AddDirButtonClick);
    onClick(AddTxtButton, &TForm1::AddTxtButtonClick);
    onClick(DelFileListButton, &TForm1::DelFileListButtonClick);
    onClick(Button4, &TForm1::Button4Click);
    onClick(Button3, &TForm1::Button3Click);
    // A double click asks for one run (pages/WindowView.h).
    takeDoubleClickAsOneClick(*Button2);
    takeDoubleClickAsOneClick(*Button3);
}

void TForm1::Browse1ButtonClick()
{
    m_pages->excelPage().Browse1ButtonClick();
}

void TForm1::LabeledEdit1ReturnPressed()
{
    m_pages->excelPage().LabeledEdit1ReturnPressed();
}

void TForm1::TableNameComboBoxChange()
{
    m_pages->excelPage().TableNameComboBoxChange();
}

void TForm1::DBGrid1TitleClick(int column)
{
    if (column >= 0)
        m_pages->excelPage().DBGrid1TitleClick(static_cast<std::size_t>(column));
}

void TForm1::Button2Click()
{
    m_pages->excelPage().Button2Click();
}

void TForm1::Browse2ButtonClick()
{
    m_pages->excelPage().Browse2ButtonClick();
}

void TForm1::InRelaButtonClick()
{
    m_pages->excelPage().InRelaButtonClick();
}

void TForm1::OutRelaButtonClick()
{
    m_pages->excelPage().OutRelaButtonClick();
}

void TForm1::AddlineButtonClick()
{
    m_pages->excelPage().AddlineButtonClick();
}

void TForm1::DelLineButtonClick()
{
    m_pages->excelPage().DelLineButtonClick();
}

void TForm1::BrowDzhDirButtonClick()
{
    m_pages->importPage().BrowDzhDirButtonClick();
}

void TForm1::AddDirButtonClick()
{
    m_pages->importPage().AddDirButtonClick();
}

void TForm1::AddTxtButtonClick()
{
    m_pages->importPage().AddTxtButtonClick();
}

void TForm1::DelFileListButtonClick()
{
    m_pages->importPage().DelFileListButtonClick();
}

void TForm1::Button4Click()
{
    m_pages->importPage().Button4Click();
}

void TForm1::Button3Click()
{
    m_pages->importPage().Button3Click();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        clickFocusedButton(*this, *event);
    else
        QWidget::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing posts the quit request and leaves the window on the screen: a
    // run in progress goes on to its end, then the event loop ends. Not
    // QEvent::Quit: Qt answers that by closing every window first, which
    // would come back here.
    event->ignore();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace app
