// The theme entries with real controls: each entry's style read back from the controls
// as they are shown (list colours through the list's own messages, everything painted
// by us as pixels on screen), grid lines, marks, the general-menu button, the system
// entry over a registry the test controls, and WM_SETTINGCHANGE.
#include <algorithm>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "RegistrySeed.h"
#include "app/MainCommands.h"
#include "app/ThemeMenu.h"
#include "appearance/ThemePalette.h"
#include "appearance/win32/AppStyle.h"
#include "platform/MemoryRegistry.h"

namespace kestrova {
namespace {

const std::string Personalize = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr std::uint32_t kWindows10Build = 19045;

const ThemePalette& Light() { return *FindStyle(kLightStyleName); }
const ThemePalette& Dark() { return *FindStyle(kDarkStyleName); }

// The colour on screen at a point of a control's client area.
Colour PixelOf(HWND control, POINT point)
{
    HDC dc = GetDC(control);
    COLORREF colour = GetPixel(dc, point.x, point.y);
    ReleaseDC(control, dc);
    return colour;
}

// Every pixel of the window's client area, children included, as shown.
std::vector<DWORD> Screenshot(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + client.right * client.bottom);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixels;
}

class ThemeTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        style.Add(*form);
        themes = std::make_unique<ThemeMenu>(*form, state, style, hive);
        MainWindowParts parts;
        parts.themes = themes.get();
        commands = std::make_unique<MainCommands>(parts);
        form->SetActions(commands.get());
        seed.CreateKey(RegRoot::CurrentUser, 0, Personalize);
        Fill(form->ListViewContextMenu, {"first", "second"});
    }

    void TearDown() override
    {
        form->SetActions(nullptr);
        commands.reset();
        themes.reset();
        style.Remove(*form);
        MainWindowTest::TearDown();
    }

    void SystemTheme(std::optional<std::uint32_t> appsUseLightTheme)
    {
        seed.DeleteTree(RegRoot::CurrentUser, 0, Personalize);
        seed.CreateKey(RegRoot::CurrentUser, 0, Personalize);
        if (appsUseLightTheme)
            seed.SetDword(RegRoot::CurrentUser, 0, Personalize, "AppsUseLightTheme", *appsUseLightTheme);
    }
    void SystemThemeUnreadable()
    {
        seed.SetString(RegRoot::CurrentUser, 0, Personalize, "AppsUseLightTheme", "0");
    }

    // Picks an entry from the general menu as a user does: the menu's command reaches the window.
    void Choose(const char* entry)
    {
        SpeedButton& button = form->SpeedButton_GeneralMenu;
        button.SetAllowAllUp(false);  // as while the menu is open
        button.SetDown(true);
        HMENU themeMenu = form->PopupMenu("ThemeMenu");
        const char* entries[] = {"ThemeAuto", "ThemeLight", "ThemeDark"};
        for (int i = 0; i < 3; ++i)
            if (std::string(entries[i]) == entry)
                SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(themeMenu, i), 0), 0);
        Pump();
    }

    void SettingChanged()
    {
        SendMessageW(form->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        Pump();
    }

    std::vector<const char*> CheckedEntries() const
    {
        std::vector<const char*> checked;
        for (const char* entry : {"ThemeAuto", "ThemeLight", "ThemeDark"})
            if (form->MenuItemChecked(entry))
                checked.push_back(entry);
        return checked;
    }

    bool GridLines() const
    {
        bool all = true;
        bool any = false;
        for (const ListView* list : {&form->ListViewContextMenu, &form->ListViewNewMenu, &form->ListViewSendTo}) {
            all = all && list->GridLines();
            any = any || list->GridLines();
        }
        EXPECT_EQ(all, any) << "the three lists agree";
        return all;
    }

    // The palette each control shows, read back from the control.
    void ExpectShown(const ThemePalette& palette)
    {
        SCOPED_TRACE(std::string(palette.name));
        for (const ListView* list : {&form->ListViewContextMenu, &form->ListViewNewMenu, &form->ListViewSendTo}) {
            EXPECT_EQ(ListView_GetBkColor(list->Handle()), palette.listBackground);
            EXPECT_EQ(ListView_GetTextColor(list->Handle()), palette.listText);
            EXPECT_EQ(ListView_GetTextBkColor(list->Handle()), palette.listBackground);
        }
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();

        HWND list = form->ListViewContextMenu.Handle();
        RECT listClient;
        GetClientRect(list, &listClient);
        EXPECT_EQ(PixelOf(list, {listClient.right / 2, listClient.bottom - 3}), palette.listBackground) << "list";

        HWND header = ListView_GetHeader(list);
        RECT column{};
        Header_GetItemRect(header, 0, &column);
        EXPECT_EQ(PixelOf(header, {column.left + 2, column.top + 2}), palette.headerBackground) << "header";

        HWND titleStrip = nullptr;
        for (HWND child = FindWindowExW(form->Handle(), nullptr, WC_TABCONTROLW, nullptr); child;
             child = FindWindowExW(form->Handle(), child, WC_TABCONTROLW, nullptr))
            if (child != form->PageControlMenu.Handle())
                titleStrip = child;
        EXPECT_EQ(PixelOf(titleStrip, {5, 5}), palette.face) << "title strip";
        EXPECT_EQ(PixelOf(form->SpeedButton_GeneralMenu.Handle(), {1, 1}), palette.face) << "general-menu button";

        HWND tabs = form->PageControlMenu.Handle();
        RECT tabsClient;
        GetClientRect(tabs, &tabsClient);
        RECT shownTab{};
        TabCtrl_GetItemRect(tabs, 0, &shownTab);
        EXPECT_EQ(PixelOf(tabs, {tabsClient.right - 5, (shownTab.top + shownTab.bottom) / 2}), palette.face)
            << "tab strip";
        EXPECT_EQ(PixelOf(tabs, {shownTab.left + 3, shownTab.bottom - 2}), palette.page) << "shown tab";

        HWND sheet = GetParent(list);
        HWND groupBox = FindWindowExW(sheet, nullptr, L"BUTTON", nullptr);
        RECT groupClient;
        GetClientRect(groupBox, &groupClient);
        EXPECT_EQ(PixelOf(groupBox, {0, groupClient.bottom / 2}), palette.border) << "group box frame";
        EXPECT_EQ(PixelOf(sheet, {2, groupClient.bottom / 2}), palette.page) << "page inside the group box";

        HWND statusBar = form->StatusBarMenu.Handle();
        RECT statusClient;
        GetClientRect(statusBar, &statusClient);
        EXPECT_EQ(PixelOf(statusBar, {statusClient.right - 3, statusClient.bottom / 2}), palette.face)
            << "status bar";
    }

    MemoryRegistry hive;
    RegistrySeed seed{hive};
    AppStyle style{kWindows10Build};
    ProgramState state;
    std::unique_ptr<ThemeMenu> themes;
    std::unique_ptr<MainCommands> commands;
};

TEST_F(ThemeTest, EachEntryMarksItselfReleasesTheButtonAndSetsStyleAndGridLines)
{
    struct Case {
        const char* entry;
        std::optional<std::uint32_t> appsUseLightTheme;
        const ThemePalette& shown;
        bool gridLines;
    };
    const Case cases[] = {
        {"ThemeDark", 1, Dark(), false},
        {"ThemeLight", 0, Light(), true},
        {"ThemeAuto", 0, Dark(), false},
        {"ThemeAuto", 1, Light(), true},
        {"ThemeAuto", std::nullopt, Light(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        SystemTheme(c.appsUseLightTheme);
        Choose(c.entry);
        EXPECT_EQ(CheckedEntries(), std::vector<const char*>{c.entry});
        EXPECT_FALSE(form->SpeedButton_GeneralMenu.Down());
        EXPECT_TRUE(form->SpeedButton_GeneralMenu.AllowAllUp());
        EXPECT_EQ(style.Active(), &c.shown);
        EXPECT_EQ(GridLines(), c.gridLines);
        ExpectShown(c.shown);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ThemeTest, SwitchingBackToLightRestoresTheLightLookExactly)
{
    Choose("ThemeLight");
    const std::vector<DWORD> light = Screenshot(form->Handle());
    Choose("ThemeDark");
    EXPECT_NE(Screenshot(form->Handle()), light);
    Choose("ThemeLight");
    EXPECT_TRUE(Screenshot(form->Handle()) == light);
}

// The check mark has moved, but an unreadable system theme is reported and leaves the
// style as it was.
TEST_F(ThemeTest, SystemEntryWithAnUnreadableSystemThemeReportsItAndKeepsTheStyle)
{
    Choose("ThemeDark");
    SystemThemeUnreadable();
    Choose("ThemeAuto");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Invalid data type for 'AppsUseLightTheme'");
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(CheckedEntries(), std::vector<const char*>{"ThemeAuto"});
    EXPECT_EQ(style.Active(), &Dark());
    EXPECT_FALSE(GridLines());
    ExpectShown(Dark());
}

TEST_F(ThemeTest, SettingChangeFollowsTheSystemOnlyWithTheSystemEntryAndLeavesGridLines)
{
    SystemTheme(1);
    Choose("ThemeAuto");
    SystemTheme(0);
    SettingChanged();
    EXPECT_EQ(style.Active(), &Dark());
    EXPECT_TRUE(GridLines()) << "grid lines are the entries' business only";
    ExpectShown(Dark());

    SystemThemeUnreadable();
    SettingChanged();
    EXPECT_EQ(style.Active(), &Dark());
    EXPECT_TRUE(messages.empty()) << "a settings change never reports";

    for (const char* entry : {"ThemeLight", "ThemeDark"}) {
        SystemTheme(1);
        Choose(entry);
        const ThemePalette* chosen = style.Active();
        SystemTheme(chosen == &Dark() ? 1 : 0);
        SettingChanged();
        EXPECT_EQ(style.Active(), chosen) << entry;
    }
}

// Without the focus a selected row would take the system's face colour, which dark
// text cannot be read on; each style gives it its own colour instead.
TEST_F(ThemeTest, SelectedRowOfAListWithoutTheFocusTakesTheStylesColour)
{
    HWND list = form->ListViewContextMenu.Handle();
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    for (const char* entry : {"ThemeDark", "ThemeLight"}) {
        SCOPED_TRACE(entry);
        Choose(entry);
        SetFocus(form->SpeedButton_GeneralMenu.Handle());
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
        // The rows may be wider than the list: the colour is read at the visible end.
        RECT client{};
        GetClientRect(list, &client);
        RECT row{};
        ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS);
        const LONG right = std::min(row.right, client.right);
        EXPECT_EQ(PixelOf(list, {right - 3, (row.top + row.bottom) / 2}), style.Active()->inactiveSelection);
        RECT unselected{};
        ListView_GetItemRect(list, 1, &unselected, LVIR_BOUNDS);
        EXPECT_EQ(PixelOf(list, {std::min(unselected.right, client.right) - 3, (unselected.top + unselected.bottom) / 2}),
                  style.Active()->listBackground);
    }
}

TEST_F(ThemeTest, UnknownStyleNameChangesNothing)
{
    const COLORREF platformBackground = ListView_GetBkColor(form->ListViewContextMenu.Handle());
    SetAppTheme(style, "Windows10 Blue");
    EXPECT_EQ(style.Active(), nullptr);
    EXPECT_EQ(ListView_GetBkColor(form->ListViewContextMenu.Handle()), platformBackground);

    Choose("ThemeDark");
    SetAppTheme(style, "windows11 modern light");
    EXPECT_EQ(style.Active(), &Dark());
    ExpectShown(Dark());
}

}  // namespace
}  // namespace kestrova
