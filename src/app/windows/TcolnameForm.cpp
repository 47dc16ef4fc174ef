#include "app/windows/TcolnameForm.h"

#include "app/UiFont.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/EnterKey.h"
#include "app/windows/LabeledEdit.h"
#include "pages/Guard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace app {

class TcolnameForm::View : public pages::MappingDialogView {
  public:
    explicit View(TcolnameForm& form)
        : m_form(form), m_comboBox1(*form.ComboBox1), m_labeledEdit1(*form.LabeledEdit1)
    {
    }

    pages::ChoiceControl& ComboBox1() override { return m_comboBox1; }
    pages::TextControl& LabeledEdit1() override { return m_labeledEdit1; }
    void showModal() override { m_form.showModal(); }
    void close() override { m_form.reject(); }

  private:
    TcolnameForm& m_form;
    ComboBoxControl m_comboBox1;
    LineEditControl m_labeledEdit1;
};

TcolnameForm::TcolnameForm(pages::Dialogs& dialogs, QListWidget& mappingList)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs), m_mappingList(mappingList)
{
    setObjectName(QStringLiteral("colnameForm"));
    setWindowTitle(QStringLiteral("设置对应关系"));
    setFont(windowFont(12));
    setFixedSize(190, 128);
    // Placed by the layout on the screen, wherever the main window is; once
    // moved by the user it reopens where it was left, since it is only hidden.
    move(476, 288);

    auto* label = new AutoSizeLabel(QString(), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(6, 6, 0, 12);
    label->setCaption(QStringLiteral("Excel列名"));
    Label1 = label;
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(3, 26, 177, 20);
    LabeledEdit1 = new LabeledEdit(QStringLiteral("LabeledEdit1"), QStringLiteral("大智慧自定义数据列名"),
                                   {120, 12}, this);
    LabeledEdit1->setBounds(QRect(6, 70, 168, 23));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(64, 102, 60, 20);
    // Neither a default nor an auto-default button: Enter presses Button1
    // only while it has the focus.
    Button1->setAutoDefault(false);

    setTabOrder(Button1, ComboBox1);
    setTabOrder(ComboBox1, LabeledEdit1);
    Button1->setFocus(Qt::OtherFocusReason);

    m_view = std::make_unique<View>(*this);
    m_logic = std::make_unique<pages::MappingDialog>(*m_view, m_mappingList);
    connect(ComboBox1, &QComboBox::activated, this,
            [this] { pages::guarded(m_dialogs, [&] { ComboBox1Change(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { pages::guarded(m_dialogs, [&] { Button1Click(); }); });
}

TcolnameForm::~TcolnameForm() = default;

pages::MappingDialogView& TcolnameForm::view()
{
    return *m_view;
}

int TcolnameForm::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    return exec();
}

void TcolnameForm::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape closes nothing. Enter is handled by the button
    // that has the focus, never by the dialog.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        clickFocusedButton(*this, *event);
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TcolnameForm::ComboBox1Change()
{
    m_logic->ComboBox1Change();
}

void TcolnameForm::Button1Click()
{
    m_logic->Button1Click();
}

} // namespace app
