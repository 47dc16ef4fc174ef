#include "support/WindowFixture.h"

#include "app/TextBridge.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/RadioGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace testing_support {

WindowFixture::WindowFixture(pages::AppContext context)
{
    app::setUiCodePage(context.codePage);
    form1 = std::make_unique<app::TForm1>(dialogs, std::move(context));
    colnameForm = std::make_unique<app::TcolnameForm>(dialogs, *form1->ListBox1);
    form1->setColnameForm(colnameForm.get());
}

WindowFixture::~WindowFixture()
{
    // The dialog refers to the main window's list: it goes first.
    form1->setColnameForm(nullptr);
    colnameForm.reset();
    form1.reset();
}

QList<QWidget*> runBlockedControls(const app::TForm1& form)
{
    return {form.Button2,
            form.Button3,
            form.InRelaButton,
            form.OutRelaButton,
            form.AddlineButton,
            form.DelLineButton,
            form.Browse1Button,
            form.Browse2Button,
            form.TableNameComboBox,
            form.CodeComboBox,
            form.DateMaskEdit,
            form.BrowDzhDirButton,
            form.AddDirButton,
            form.AddTxtButton,
            form.DelFileListButton,
            form.Button4,
            form.Dzh2InstallDirEdit,
            form.RadioGroup1};
}

QStringList enabledNames(const QList<QWidget*>& controls)
{
    QStringList names;
    for (const QWidget* control : controls) {
        if (control->isEnabled())
            names << control->objectName();
    }
    return names;
}

} // namespace testing_support
