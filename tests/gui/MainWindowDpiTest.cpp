// The main window moved to a monitor at 150 % (144 DPI) and back: every layout value,
// font and size limit follows the monitor, and nothing drifts on the way back.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "MainWindowFixture.h"

namespace kestrova {
namespace {

constexpr UINT kDpi150 = 144;

int At150(int value96) { return MulDiv(value96, 3, 2); }

// What a user sees of the window's layout, in pixels.
struct Layout {
    int titleStripHeight;
    SIZE button;
    int statusBarHeight;
    std::array<int, 2> panelEdges;
    std::array<int, 3> columnWidths;  // the three columns of the context-menu list that keep their width
    POINT listInGroupBox;
    int tabRowHeight;
    LONG fontHeight;
    LONG buttonFontHeight;
    POINT minimumSize;
};

LONG FontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

SIZE SizeOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Layout Measure(MainWindow& form)
{
    Layout layout{};
    // The title strip is the tab control that is not the page control.
    for (HWND child = FindWindowExW(form.Handle(), nullptr, WC_TABCONTROLW, nullptr); child;
         child = FindWindowExW(form.Handle(), child, WC_TABCONTROLW, nullptr))
        if (child != form.PageControlMenu.Handle())
            layout.titleStripHeight = SizeOf(child).cy;
    layout.button = SizeOf(form.SpeedButton_GeneralMenu.Handle());
    layout.statusBarHeight = SizeOf(form.StatusBarMenu.Handle()).cy;
    SendMessageW(form.StatusBarMenu.Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(layout.panelEdges.data()));
    for (int i = 0; i < 3; ++i)
        layout.columnWidths[i] =
            static_cast<int>(SendMessageW(form.ListViewContextMenu.Handle(), LVM_GETCOLUMNWIDTH, i, 0));
    HWND list = form.ListViewContextMenu.Handle();
    HWND groupBox = FindWindowExW(GetParent(list), nullptr, L"BUTTON", nullptr);
    RECT listRect;
    RECT groupRect;
    GetWindowRect(list, &listRect);
    GetWindowRect(groupBox, &groupRect);
    layout.listInGroupBox = {listRect.left - groupRect.left, listRect.top - groupRect.top};
    RECT tab{};
    TabCtrl_GetItemRect(form.PageControlMenu.Handle(), 0, &tab);
    layout.tabRowHeight = tab.bottom - tab.top;
    layout.fontHeight = FontHeight(list);
    layout.buttonFontHeight = FontHeight(form.SpeedButton_GeneralMenu.Handle());
    MINMAXINFO limits{};
    SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    layout.minimumSize = limits.ptMinTrackSize;
    return layout;
}

// What Windows sends when the window lands on a monitor of `dpi`, with the rectangle it
// suggests: the present one scaled about its top-left corner.
void MoveToMonitorOf(MainWindow& form, UINT dpi)
{
    RECT rect;
    GetWindowRect(form.Handle(), &rect);
    UINT from = form.Dpi();
    RECT suggested{rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, dpi, from),
                   rect.top + MulDiv(rect.bottom - rect.top, dpi, from)};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void ExpectSameLayout(const Layout& actual, const Layout& expected)
{
    EXPECT_EQ(actual.titleStripHeight, expected.titleStripHeight);
    EXPECT_EQ(actual.button.cx, expected.button.cx);
    EXPECT_EQ(actual.button.cy, expected.button.cy);
    EXPECT_EQ(actual.statusBarHeight, expected.statusBarHeight);
    EXPECT_EQ(actual.panelEdges, expected.panelEdges);
    EXPECT_EQ(actual.columnWidths, expected.columnWidths);
    EXPECT_EQ(actual.listInGroupBox.x, expected.listInGroupBox.x);
    EXPECT_EQ(actual.listInGroupBox.y, expected.listInGroupBox.y);
    EXPECT_EQ(actual.fontHeight, expected.fontHeight);
    EXPECT_EQ(actual.buttonFontHeight, expected.buttonFontHeight);
    EXPECT_EQ(actual.minimumSize.x, expected.minimumSize.x);
    EXPECT_EQ(actual.minimumSize.y, expected.minimumSize.y);
}

TEST_F(MainWindowTest, LayoutFollowsAMonitorAt150PercentAndComesBack)
{
    ASSERT_EQ(form->Dpi(), 96u) << "the test display runs at 96 DPI";
    const Layout at96 = Measure(*form);
    ExpectSameLayout(at96, {32, {22, 22}, 19, {80, 130}, {200, 100, 170}, {4, 18}, 0, -12, -21, {700, 550}});

    MoveToMonitorOf(*form, kDpi150);
    Pump();
    ASSERT_EQ(form->Dpi(), kDpi150);
    const Layout at144 = Measure(*form);
    ExpectSameLayout(at144, {At150(32), {At150(22), At150(22)}, At150(19), {At150(80), At150(80) + At150(50)},
                             {At150(200), At150(100), At150(170)}, {At150(4), At150(18)}, 0, At150(-12),
                             At150(-21), {At150(700), At150(550)}});
    // The tabs grow with their text and padding; a little rounding is allowed.
    EXPECT_NEAR(at144.tabRowHeight, At150(at96.tabRowHeight), 2);

    MoveToMonitorOf(*form, 96);
    Pump();
    const Layout back = Measure(*form);
    ExpectSameLayout(back, at96);
    EXPECT_EQ(back.tabRowHeight, at96.tabRowHeight);
}

}  // namespace
}  // namespace kestrova
