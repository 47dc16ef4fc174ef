#include "app/win32/DbNavigator.h"

#include "app/win32/Layout.h"

#include <cmath>

namespace win32 {

namespace {

// A glyph drawn in a 15 x 15 box: polygons (points in that box) and bars.
void drawGlyph(HDC dc, DbNavigator::Button which, int x, int y, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 2, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    auto polygon = [&](std::initializer_list<POINT> points) {
        std::array<POINT, 4> shifted{};
        int count = 0;
        for (POINT point : points)
            shifted[static_cast<std::size_t>(count++)] = {x + point.x, y + point.y};
        Polygon(dc, shifted.data(), count);
    };
    auto bar = [&](int left, int top, int width, int height) {
        RECT rect{x + left, y + top, x + left + width, y + top + height};
        FillRect(dc, &rect, brush);
    };
    auto line = [&](std::initializer_list<POINT> points) {
        SelectObject(dc, pen);
        bool first = true;
        for (POINT point : points) {
            if (first)
                MoveToEx(dc, x + point.x, y + point.y, nullptr);
            else
                LineTo(dc, x + point.x, y + point.y);
            first = false;
        }
        SelectObject(dc, GetStockObject(NULL_PEN));
    };
    switch (which) {
    case DbNavigator::First:
        bar(3, 3, 2, 10);
        polygon({{11, 3}, {5, 8}, {11, 13}});
        break;
    case DbNavigator::Prior:
        polygon({{10, 3}, {4, 8}, {10, 13}});
        break;
    case DbNavigator::Next:
        polygon({{5, 3}, {11, 8}, {5, 13}});
        break;
    case DbNavigator::Last:
        polygon({{4, 3}, {10, 8}, {4, 13}});
        bar(10, 3, 2, 10);
        break;
    case DbNavigator::Insert:
        bar(3, 7, 10, 2);
        bar(7, 3, 2, 10);
        break;
    case DbNavigator::Delete:
        bar(3, 7, 10, 2);
        break;
    case DbNavigator::Edit:
        polygon({{8, 3}, {13, 12}, {3, 12}});
        break;
    case DbNavigator::Post:
        line({{3, 8}, {6, 11}, {12, 4}});
        break;
    case DbNavigator::Cancel:
        line({{4, 4}, {11, 11}});
        line({{11, 4}, {4, 11}});
        break;
    case DbNavigator::Refresh: {
        // Most of a circle, open at the top right, and an arrow head there.
        SelectObject(dc, pen);
        constexpr double kPi = 3.14159265358979;
        for (int step = 0; step <= 14; ++step) {
            const double angle = kPi / 3 + step * (14 * kPi / 9) / 14;
            const int px = x + 7 + static_cast<int>(4.5 * std::cos(angle) + 0.5);
            const int py = y + 8 - static_cast<int>(4.5 * std::sin(angle) + 0.5);
            if (step == 0)
                MoveToEx(dc, px, py, nullptr);
            else
                LineTo(dc, px, py);
        }
        SelectObject(dc, GetStockObject(NULL_PEN));
        polygon({{8, 1}, {13, 4}, {8, 7}});
        break;
    }
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace

DbNavigator::DbNavigator(HWND parent, int left, int top, int width, int height)
{
    m_bar = createContainer(parent, {left, top, width, height}, Border::None, 0);
    // Equal buttons across the whole bar; the pixels left over go to the first ones.
    const int base = width / kButtonCount;
    const int extra = width % kButtonCount;
    int x = 0;
    for (int index = 0; index < kButtonCount; ++index) {
        const int w = base + (index < extra ? 1 : 0);
        m_buttons[static_cast<std::size_t>(index)] =
            createControl(m_bar, "BUTTON", "", BS_OWNERDRAW, 0, {x, 0, w, height}, nullptr);
        x += w;
    }
    updateButtons();
}

DbNavigator::~DbNavigator()
{
    if (m_source)
        m_source->removeListener(*this);
}

void DbNavigator::setDataSource(pages::DataSource& source)
{
    m_source = &source;
    source.addListener(*this);
    updateButtons();
}

void DbNavigator::updateButtons()
{
    std::array<bool, kButtonCount> on{};
    if (m_source)
        on = pages::navigatorEnabled(pages::navigatorState(*m_source));
    for (std::size_t index = 0; index < m_buttons.size(); ++index)
        EnableWindow(m_buttons[index], on[index]);
}

bool DbNavigator::command(HWND control)
{
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons[index] == control) {
            if (m_source)
                pages::pressNavigatorButton(*m_source, static_cast<Button>(index));
            return true;
        }
    }
    return false;
}

bool DbNavigator::drawItem(const DRAWITEMSTRUCT& item)
{
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons[index] != item.hwndItem)
            continue;
        RECT rect = item.rcItem;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        const bool disabled = (item.itemState & ODS_DISABLED) != 0;
        const int x = (rect.right - rect.left - 15) / 2 + (pressed ? 1 : 0);
        const int y = (rect.bottom - rect.top - 15) / 2 + (pressed ? 1 : 0);
        if (disabled)
            drawGlyph(item.hDC, static_cast<Button>(index), x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawGlyph(item.hDC, static_cast<Button>(index), x, y,
                  GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        return true;
    }
    return false;
}

} // namespace win32
