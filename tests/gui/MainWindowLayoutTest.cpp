// The main window as built: sizes, controls, list styles and columns, menus, and texts
// following the component model.
#include <windows.h>
#include <commctrl.h>

#include "MainWindowFixture.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring TabText(HWND tabs, int index)
{
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring ColumnText(HWND list, int index)
{
    wchar_t text[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 256;
    SendMessageW(list, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    return text;
}

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

int ColumnWidth(const ListView& list, int index)
{
    return static_cast<int>(SendMessageW(list.Handle(), LVM_GETCOLUMNWIDTH, index, 0));
}

TEST_F(MainWindowTest, WindowHasItsCaptionClientSizeMinimumSizeAndCentre)
{
    ASSERT_EQ(form->Dpi(), 96u) << "the sizes below are those at 96 DPI";
    EXPECT_EQ(WindowText(form->Handle()), L"Kestrova");
    // The client area is 684 × 545 unless the frame is too thin for the minimum outer size.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, GetWindowLongW(form->Handle(), GWL_STYLE), FALSE, 0);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, std::max(684L, 700 - (frame.right - frame.left)));
    EXPECT_EQ(client.bottom, std::max(545L, 550 - (frame.bottom - frame.top)));

    RECT outer;
    GetWindowRect(form->Handle(), &outer);
    EXPECT_EQ((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);

    MINMAXINFO limits{};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 700);
    EXPECT_EQ(limits.ptMinTrackSize.y, 550);
}

TEST_F(MainWindowTest, ControlsAreBuiltFromTheModelInTheirPlaces)
{
    EXPECT_EQ(form->PageControlMenu.PageCount(), 5);
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 0), L"Файлы и папки");
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 1), L"Создать");
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 2), L"Отправить");
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 3), L"Другие места");
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 4), L"Меню Windows 11");
    EXPECT_TRUE(GetWindowLongW(form->PageControlMenu.Handle(), GWL_STYLE) & TCS_MULTILINE);
    // Each list sits on its own page, in page order.
    EXPECT_EQ(GetParent(form->ListViewContextMenu.Handle()), form->PageControlMenu.Sheet(0));
    EXPECT_EQ(GetParent(form->ListViewNewMenu.Handle()), form->PageControlMenu.Sheet(1));
    EXPECT_EQ(GetParent(form->ListViewMorePlaces.Handle()), form->PageControlMenu.Sheet(3));
    EXPECT_EQ(GetParent(form->ListViewSendTo.Handle()), form->PageControlMenu.Sheet(2));
    EXPECT_EQ(GetParent(form->ListViewWindows11Menu.Handle()), form->PageControlMenu.Sheet(4));
    // The Windows 11 menu page: the check box at the left and the button at the right of a
    // strip above the list, clear of each other and of the list.
    form->ShowListPage(form->ListViewWindows11Menu);
    RECT checkBox, restart, list, sheet;
    const HWND page = form->PageControlMenu.Sheet(4);
    HWND checkBoxWindow = FindWindowExW(page, nullptr, L"Button", L"Классическое контекстное меню");
    HWND restartWindow = FindWindowExW(page, nullptr, L"Button", L"Перезапустить Проводник");
    ASSERT_TRUE(checkBoxWindow && restartWindow);
    GetWindowRect(checkBoxWindow, &checkBox);
    GetWindowRect(restartWindow, &restart);
    GetWindowRect(form->ListViewWindows11Menu.Handle(), &list);
    GetWindowRect(page, &sheet);
    EXPECT_LT(checkBox.right, restart.left);
    EXPECT_LE(checkBox.bottom, list.top);
    EXPECT_LE(restart.bottom, list.top);
    EXPECT_GE(restart.right, sheet.right - 10);
    EXPECT_EQ(SendMessageW(form->StatusBarWindows11Menu.Handle(), SB_GETPARTS, 0, 0), 3);

    RECT button;
    GetWindowRect(form->SpeedButton_GeneralMenu.Handle(), &button);
    EXPECT_EQ(button.right - button.left, 22);
    EXPECT_EQ(button.bottom - button.top, 22);
    POINT corner{button.right, button.top};
    ScreenToClient(form->Handle(), &corner);
    RECT formClient;
    GetClientRect(form->Handle(), &formClient);
    EXPECT_GE(corner.x, formClient.right - 10) << "right-aligned in the title strip";
    EXPECT_LT(corner.y, 32);
    EXPECT_EQ(WindowText(form->SpeedButton_GeneralMenu.Handle()), L"≡");
    EXPECT_TRUE(form->SpeedButton_GeneralMenu.AllowAllUp());
    EXPECT_FALSE(form->SpeedButton_GeneralMenu.Down());

    RECT status;
    GetWindowRect(form->StatusBarMenu.Handle(), &status);
    EXPECT_EQ(status.bottom - status.top, 19);
    EXPECT_EQ(form->StatusBarMenu.PanelText(0), L"Элементов:");
    EXPECT_EQ(SendMessageW(form->StatusBarSendTo.Handle(), SB_GETPARTS, 0, 0), 2);
}

TEST_F(MainWindowTest, ListsAreCheckBoxReportsWithTheirColumns)
{
    struct Expected {
        ListView* list;
        std::vector<std::wstring> captions;
    };
    const Expected lists[] = {
        {&form->ListViewContextMenu,
         {L"Название", L"Тип", L"Раздел", L"Путь реестра", L"В меню", L"Программа", L"Компания", L"Показ"}},
        {&form->ListViewNewMenu,
         {L"Название", L"Тип", L"Раздел", L"Путь реестра", L"В меню", L"Программа", L"Компания", L"Показ"}},
        {&form->ListViewSendTo, {L"Название", L"Путь"}},
    };
    for (const Expected& expected : lists) {
        HWND list = expected.list->Handle();
        LONG style = GetWindowLongW(list, GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
        EXPECT_FALSE(style & (LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING));
        auto extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        EXPECT_EQ(extended & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
                  DWORD(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
        HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(expected.captions.size()));
        for (std::size_t i = 0; i < expected.captions.size(); ++i)
            EXPECT_EQ(ColumnText(list, static_cast<int>(i)), expected.captions[i]);

        // The path column takes what the others leave, never below its minimum.
        RECT client;
        GetClientRect(list, &client);
        int others = 0;
        const int count = static_cast<int>(expected.captions.size());
        const int filling = count == 2 ? 1 : 3;
        for (int i = 0; i < count; ++i)
            if (i != filling)
                others += ColumnWidth(*expected.list, i);
        int minimum = filling == 1 ? 300 : 100;
        EXPECT_EQ(ColumnWidth(*expected.list, filling), std::max(minimum, static_cast<int>(client.right) - others));
    }
    EXPECT_EQ(ColumnWidth(form->ListViewContextMenu, 0), 200);
    EXPECT_EQ(ColumnWidth(form->ListViewContextMenu, 1), 100);
    EXPECT_EQ(ColumnWidth(form->ListViewContextMenu, 2), 170);
}

TEST_F(MainWindowTest, ColumnsKeepTheirFixedAndMinimumWidthsAgainstTheHeader)
{
    HWND list = form->ListViewContextMenu.Handle();
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    auto notify = [&](UINT code, int column, int width) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        NMHEADERW change{{header, static_cast<UINT_PTR>(GetDlgCtrlID(header)), code}, column, 0, &item};
        return SendMessageW(form->Handle(), WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
    };
    EXPECT_TRUE(notify(HDN_BEGINTRACKW, 1, 0)) << "fixed column cannot be dragged";
    EXPECT_TRUE(notify(HDN_BEGINTRACKW, 3, 0)) << "filling column is sized by the window";
    EXPECT_FALSE(notify(HDN_BEGINTRACKW, 0, 0));
    EXPECT_TRUE(notify(HDN_ITEMCHANGINGW, 0, 150)) << "below the minimum of 200";
    EXPECT_FALSE(notify(HDN_ITEMCHANGINGW, 0, 250));
}

TEST_F(MainWindowTest, PopupMenusCarryCaptionsShortcutsSeparatorsAndMarks)
{
    HMENU general = form->PopupMenu("PopupMenu_General");
    ASSERT_EQ(GetMenuItemCount(general), 6);
    EXPECT_EQ(MenuText(general, 0), L"Тема");
    EXPECT_NE(GetSubMenu(general, 0), nullptr);
    EXPECT_NE(GetSubMenu(general, 1), nullptr) << "the language sub-menu exists while empty";
    EXPECT_TRUE(GetMenuState(general, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(general, 5), L"О программе\tF1");

    HMENU themes = GetSubMenu(general, 0);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(themes, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    EXPECT_TRUE(form->MenuItemChecked("ThemeAuto"));
    EXPECT_FALSE(form->MenuItemChecked("ThemeDark"));

    HMENU sendTo = form->PopupMenu("PopupMenuSendTo");
    ASSERT_EQ(GetMenuItemCount(sendTo), 10);
    EXPECT_EQ(MenuText(sendTo, 0), L"Отменить удаление\tCtrl+Z");
    EXPECT_TRUE(GetMenuState(sendTo, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(sendTo, 2), L"Обновить\tF5");
    EXPECT_EQ(MenuText(sendTo, 7), L"Открыть папку\tCtrl+O");
    EXPECT_EQ(GetMenuItemCount(form->PopupMenu("PopupMenuEdit")), 8);
    EXPECT_EQ(MenuText(form->PopupMenu("PopupMenuEdit"), 3), L"Только с Shift");
    EXPECT_EQ(GetMenuItemCount(form->PopupMenu("PopupMenuNewMenu")), 7);
    EXPECT_EQ(form->PopupMenu("PopupMenuLanguage"), nullptr) << "the hidden menu only carries texts";
    EXPECT_EQ(form->LangText("LangError"), "Ошибка");
}

TEST_F(MainWindowTest, TextsChangedInTheModelAppearOnScreen)
{
    WindowModel& model = form->Model();
    model.SetCaption("Kestrova 1.2.3.4 (32-bit)");
    model.SetText("TabSheet3", TextAttribute::Caption, "New");
    model.SetText("GroupBoxSendTo", TextAttribute::Caption, "Items");
    model.SetText("ContextMenuDelete", TextAttribute::Caption, "Delete");
    model.SetText("SendToMenuOpenFolder", TextAttribute::Caption, "Open folder");
    model.SetColumnCaption("ListViewSendTo", 1, "Path");
    model.SetPanelText("StatusBarNewMenu", 0, "Items:");
    form->SetStatusPanelText("StatusBarNewMenu", 1, "12");

    EXPECT_EQ(WindowText(form->Handle()), L"Kestrova 1.2.3.4 (32-bit)");
    EXPECT_EQ(TabText(form->PageControlMenu.Handle(), 1), L"New");
    HWND sendToSheet = form->PageControlMenu.Sheet(2);
    EXPECT_NE(FindWindowExW(sendToSheet, nullptr, L"BUTTON", L"Items"), nullptr);
    EXPECT_EQ(MenuText(form->PopupMenu("PopupMenuEdit"), 7), L"Delete");
    EXPECT_EQ(MenuText(form->PopupMenu("PopupMenuSendTo"), 7), L"Open folder\tCtrl+O");
    EXPECT_EQ(ColumnText(form->ListViewSendTo.Handle(), 1), L"Path");
    EXPECT_EQ(form->StatusBarNewMenu.PanelText(0), L"Items:");
    EXPECT_EQ(form->StatusBarNewMenu.PanelText(1), L"12");
}

TEST_F(MainWindowTest, RowSinkKeepsRowsAsGivenAndShowsThem)
{
    ListViewRowSink rows(form->ListViewSendTo);
    EntryRow withExtra{"Desktop", {"C:\\Users\\x\\SendTo\\Desktop.lnk", "hidden extra"}, false};
    rows.Add(withExtra);
    rows.Add({"Mail", {"C:\\mail"}, true});
    ASSERT_EQ(rows.Count(), 2u);
    EXPECT_EQ(rows.Row(0), withExtra) << "a row may carry more sub-items than there are columns";
    EXPECT_TRUE(rows.Row(1).checked);
    rows.SetChecked(0, true);
    EXPECT_TRUE(rows.Row(0).checked);
    EXPECT_EQ(ListView_GetItemCount(form->ListViewSendTo.Handle()), 2);
    wchar_t text[64] = {};
    ListView_GetItemText(form->ListViewSendTo.Handle(), 1, 1, text, 64);
    EXPECT_STREQ(text, L"C:\\mail");

    form->ListViewSendTo.SelectAndFocusFirstRow();
    EXPECT_EQ(form->ListViewSendTo.SelectedIndex(), 0);
    EXPECT_EQ(ListView_GetNextItem(form->ListViewSendTo.Handle(), -1, LVNI_FOCUSED), 0);
    form->ListViewSendTo.Clear();
    EXPECT_EQ(rows.Count(), 0u);
    EXPECT_EQ(ListView_GetItemCount(form->ListViewSendTo.Handle()), 0);
}

}  // namespace
}  // namespace kestrova
