#include "app/win32/DbGrid.h"

#include "app/win32/Layout.h"
#include "app/win32/Win32Text.h"
#include "workbook/Query.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr int kIndicatorWidth = 24;
constexpr UINT kFinishEditor = WM_APP + 2;

std::string markText(pages::RowMark mark)
{
    switch (mark) {
    case pages::RowMark::Current:
        return ansi("→");
    case pages::RowMark::Edit:
        return "I";
    case pages::RowMark::Insert:
        return "*";
    case pages::RowMark::None:
        break;
    }
    return {};
}

} // namespace

DbGrid::DbGrid(HWND parent, int left, int top, int width, int height)
{
    m_list = createControl(parent, WC_LISTVIEWA, "",
                           LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP |
                               WS_CLIPCHILDREN,
                           WS_EX_CLIENTEDGE, {left, top, width, height}, layoutFont(-12));
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // The titles in the layout's title font.
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(m_list, LVM_GETHEADER, 0, 0)), WM_SETFONT,
                 reinterpret_cast<WPARAM>(layoutFont(-12)), FALSE);
    SetWindowLongPtrA(m_list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DbGrid::listProc)));
    rebuildColumns();
}

DbGrid::~DbGrid()
{
    if (m_source)
        m_source->removeListener(*this);
}

void DbGrid::setDataSource(pages::DataSource& source)
{
    m_source = &source;
    m_grid = std::make_unique<pages::PreviewGrid>(source);
    source.addListener(*this);
    dataSetReset();
}

void DbGrid::rebuildColumns()
{
    std::vector<std::string> titles = m_grid ? m_grid->columns() : std::vector<std::string>{};
    // The same columns again (the link switched off and on around a run)
    // keep the widths the user gave them.
    if (titles == m_titles && SendMessageA(m_list, LVM_GETCOLUMNWIDTH, 0, 0) > 0)
        return;
    while (SendMessageA(m_list, LVM_DELETECOLUMN, 0, 0))
        ;
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = kIndicatorWidth;
    column.pszText = const_cast<char*>("");
    SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (std::size_t i = 0; i < titles.size(); ++i) {
        column.fmt = m_grid->isNumberColumn(i) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = 64;
        column.pszText = const_cast<char*>(titles[i].c_str());
        SendMessageA(m_list, LVM_INSERTCOLUMNA, i + 1, reinterpret_cast<LPARAM>(&column));
    }
    if (!titles.empty() || m_titles.empty())
        m_titles = std::move(titles);
}

void DbGrid::setColumnWidths(int pixels)
{
    for (std::size_t i = 0; i < m_titles.size(); ++i)
        SendMessageA(m_list, LVM_SETCOLUMNWIDTH, i + 1, pixels);
}

void DbGrid::dataSetReset()
{
    finishEditor(false);
    rebuildColumns();
    recordMoved();
}

void DbGrid::recordMoved()
{
    const std::size_t rows = m_grid ? m_grid->rows() : 0;
    SendMessageA(m_list, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    followCursor();
    InvalidateRect(m_list, nullptr, FALSE);
}

void DbGrid::followCursor()
{
    if (!m_source || !m_source->isActive() || m_grid->rows() == 0)
        return;
    const auto row = static_cast<int>(m_source->query().currentRow());
    if (row >= static_cast<int>(m_grid->rows()))
        return;
    if (SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) == row)
        return;
    m_following = true;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(m_list, LVM_ENSUREVISIBLE, row, FALSE);
    m_following = false;
}

std::string DbGrid::displayText(int row, int subItem) const
{
    if (!m_grid || row < 0)
        return {};
    if (subItem == 0)
        return markText(m_grid->mark(static_cast<std::size_t>(row)));
    return m_grid->cellText(static_cast<std::size_t>(row), static_cast<std::size_t>(subItem - 1));
}

bool DbGrid::notify(const NMHDR& header)
{
    if (header.hwndFrom != m_list)
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
        if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
            m_textBuffer = displayText(info.item.iItem, info.item.iSubItem);
            lstrcpynA(info.item.pszText, m_textBuffer.c_str(), info.item.cchTextMax);
        }
        return true;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool nowFocused = (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED);
        if (nowFocused && change.iItem >= 0 && !m_following && m_source && !m_source->isNotifying())
            m_source->moveTo(static_cast<std::size_t>(change.iItem));
        return true;
    }
    case LVN_COLUMNCLICK: {
        const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
        if (click.iSubItem > 0 && onTitleClick)
            onTitleClick(static_cast<std::size_t>(click.iSubItem - 1));
        return true;
    }
    default:
        return false;
    }
}

void DbGrid::beginEdit(std::size_t row, std::size_t column)
{
    if (!m_grid || !m_grid->isEditable() || row >= m_grid->rows() || column >= m_titles.size())
        return;
    finishEditor(true);
    if (m_source)
        m_source->moveTo(row);
    RECT cell{};
    cell.top = static_cast<LONG>(column + 1);
    cell.left = LVIR_BOUNDS;
    SendMessageA(m_list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    m_editRow = row;
    m_editColumn = column;
    m_editor =
        createControl(m_list, "EDIT", "", ES_AUTOHSCROLL | WS_BORDER, 0,
                      {cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top}, layoutFont(-12));
    m_settingEditorText = true;
    SetWindowTextA(m_editor, m_grid->cellText(row, column).c_str());
    m_settingEditorText = false;
    SetWindowLongPtrA(m_editor, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_editorProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DbGrid::editorProc)));
    SendMessageA(m_editor, EM_SETSEL, 0, -1);
    SetFocus(m_editor);
}

void DbGrid::finishEditor(bool commit)
{
    if (!m_editor || m_finishingEditor)
        return;
    m_finishingEditor = true;
    HWND editor = m_editor;
    const std::string text = windowText(editor);
    m_editor = nullptr;
    if (GetFocus() == editor)
        SetFocus(m_list);
    DestroyWindow(editor);
    if (commit && m_grid)
        m_grid->setCellText(m_editRow, m_editColumn, text);
    m_finishingEditor = false;
    InvalidateRect(m_list, nullptr, FALSE);
}

bool DbGrid::holds(HWND window) const
{
    return window && (window == m_list || GetParent(window) == m_list);
}

LRESULT CALLBACK DbGrid::listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DbGrid*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN: {
        const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (self->m_source && wParam == VK_INSERT && !control) {
            self->m_source->insert();
            return 0;
        }
        if (self->m_source && wParam == VK_DELETE && control) {
            self->m_source->remove();
            return 0;
        }
        if (wParam == VK_F2 && self->m_source && self->m_source->isActive()) {
            self->beginEdit(self->m_source->query().currentRow(),
                            static_cast<std::size_t>(self->m_currentColumn));
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        SendMessageA(window, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iSubItem > 0)
            self->m_currentColumn = hit.iSubItem - 1;
        if (message == WM_LBUTTONDBLCLK && hit.iItem >= 0 && hit.iSubItem > 0) {
            self->beginEdit(static_cast<std::size_t>(hit.iItem), static_cast<std::size_t>(hit.iSubItem - 1));
            return 0;
        }
        break;
    }
    case WM_COMMAND:
        // The cell editor's first change puts the row into editing, so that
        // Post and Cancel apply to what is being typed.
        if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == self->m_editor &&
            !self->m_settingEditorText && self->m_source && self->m_source->isActive() &&
            self->m_source->query().state() == workbook::Query::State::Browse)
            self->m_source->edit();
        return 0;
    case kFinishEditor:
        if (self->m_editor && GetFocus() != self->m_editor)
            self->finishEditor(true);
        return 0;
    case WM_KILLFOCUS: {
        // Only a move of the focus to another control of the window is leaving.
        HWND next = reinterpret_cast<HWND>(wParam);
        if (self->m_source && next && !self->holds(next) &&
            GetAncestor(next, GA_ROOT) == GetAncestor(window, GA_ROOT))
            self->m_source->cancelUnchangedInsert();
        break;
    }
    default:
        break;
    }
    return CallWindowProcA(self->m_listProc, window, message, wParam, lParam);
}

LRESULT CALLBACK DbGrid::editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DbGrid*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const WNDPROC original = self->m_editorProc;
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            self->finishEditor(wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 0x1b)
            return 0;
        break;
    case WM_KILLFOCUS:
        if (self->m_editor == window) {
            // Handing the text over may show an error box: not from inside
            // the focus change.
            PostMessageA(self->m_list, kFinishEditor, 0, 0);
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

} // namespace win32
