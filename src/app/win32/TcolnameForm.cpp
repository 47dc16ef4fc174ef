#include "app/win32/TcolnameForm.h"

#include "app/win32/Layout.h"
#include "app/win32/Win32Text.h"
#include "pages/Guard.h"

namespace win32 {

namespace {

constexpr const char* kWindowClass = "TcolnameForm";
// A tool window: small title bar with a close box only, fixed size.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

} // namespace

class TcolnameForm::View : public pages::MappingDialogView {
  public:
    explicit View(TcolnameForm& form)
        : m_form(form), m_comboBox1(form.ComboBox1), m_labeledEdit1(form.LabeledEdit1)
    {
    }

    pages::ChoiceControl& ComboBox1() override { return m_comboBox1; }
    pages::TextControl& LabeledEdit1() override { return m_labeledEdit1; }
    void showModal() override { m_form.showModal(); }
    void close() override { m_form.close(); }

  private:
    TcolnameForm& m_form;
    DropDownList m_comboBox1;
    EditText m_labeledEdit1;
};

TcolnameForm::TcolnameForm(HWND owner, pages::Dialogs& dialogs, pages::ListControl& mappingList)
    : m_owner(owner), m_dialogs(dialogs)
{
    registerWindowClass(kWindowClass, &TcolnameForm::windowProc);
    const SIZE outer = outerSize(kStyle, kExStyle, 190, 128);
    // Placed by the layout on the screen, wherever the main window is; once
    // moved by the user it reopens where it was left, since it is only hidden.
    m_window = CreateWindowExA(kExStyle, kWindowClass, ansi("设置对应关系").c_str(), kStyle, 476, 288,
                               outer.cx, outer.cy, owner, nullptr, GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const HFONT font = layoutFont(-12);
    Button1 = createButton(m_window, ansi("确定"), {64, 102, 60, 20}, font);
    ComboBox1 = createDropDownList(m_window, {3, 26, 177, 20}, font);
    const LabeledEdit edit =
        createLabeledEdit(m_window, ansi("大智慧自定义数据列名"), {120, 12}, {6, 70, 168, 23}, font);
    LabeledEdit1 = edit.edit;
    LabeledEdit1Label = edit.label;
    Label1 = createLabel(m_window, ansi("Excel列名"), 6, 6, font);
    m_view = std::make_unique<View>(*this);
    m_keyboard =
        std::make_unique<KeyboardRules>(m_window, std::vector<HWND>{Button1, ComboBox1, LabeledEdit1});
    m_logic = std::make_unique<pages::MappingDialog>(*m_view, mappingList);
}

TcolnameForm::~TcolnameForm()
{
    m_keyboard.reset();
    DestroyWindow(m_window);
}

pages::MappingDialogView& TcolnameForm::view()
{
    return *m_view;
}

void TcolnameForm::showModal()
{
    HWND previous = GetActiveWindow();
    EnableWindow(m_owner, FALSE);
    m_modal = true;
    ShowWindow(m_window, SW_SHOW);
    SetActiveWindow(m_window);
    // At its first showing the focus is on "确定", the first tab stop.
    if (!m_shownBefore)
        SetFocus(Button1);
    m_shownBefore = true;
    runNestedLoop([this] { return m_modal; });
    m_modal = false;
    // The owner first, so that the activation goes back to it, not elsewhere.
    EnableWindow(m_owner, TRUE);
    ShowWindow(m_window, SW_HIDE);
    if (previous && IsWindow(previous))
        SetActiveWindow(previous);
}

void TcolnameForm::close()
{
    if (m_modal)
        m_modal = false;
    else
        ShowWindow(m_window, SW_HIDE);
}

LRESULT CALLBACK TcolnameForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TcolnameForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT TcolnameForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const auto control = reinterpret_cast<HWND>(lParam);
        if (control == ComboBox1 && HIWORD(wParam) == CBN_SELCHANGE)
            pages::guarded(m_dialogs, [&] { m_logic->ComboBox1Change(); });
        else if (control == Button1 && HIWORD(wParam) == BN_CLICKED)
            pages::guarded(m_dialogs, [&] { m_logic->Button1Click(); });
        return 0;
    }
    case WM_CLOSE:
        // The close box hides the dialog; it never ends the application.
        close();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

} // namespace win32
