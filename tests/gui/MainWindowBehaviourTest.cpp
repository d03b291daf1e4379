// The main window's behaviour with real controls: command enabling, check boxes,
// the general-menu button, shortcuts, restoring, confirmation and creation steps.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "app/SingleInstance.h"
#include "platform/AppError.h"

namespace kestrova {
namespace {

struct ListCommands {
    ListView MainWindow::*list;
    const char* open;
    const char* remove;
    const char* refresh;
};

const ListCommands kLists[] = {
    {&MainWindow::ListViewContextMenu, "ContextMenuRegOpen", "ContextMenuDelete", "ContextMenuUpdate"},
    {&MainWindow::ListViewNewMenu, "NewMenuRegOpen", "NewMenuMenuDelete", "NewMenuMenuUpdate"},
    {&MainWindow::ListViewSendTo, "SendToMenuOpenFolder", "SendToMenuDelete", "SendToMenuUpdate"},
};

TEST_F(MainWindowTest, DeleteAndOpenAreEnabledExactlyWhenARowIsSelected)
{
    for (const ListCommands& commands : kLists) {
        ListView& list = (*form).*commands.list;
        auto expectEnabled = [&](bool enabled, const char* situation) {
            EXPECT_EQ(form->MenuItemEnabled(commands.open), enabled) << commands.open << ": " << situation;
            EXPECT_EQ(form->MenuItemEnabled(commands.remove), enabled) << commands.remove << ": " << situation;
            EXPECT_TRUE(form->MenuItemEnabled(commands.refresh)) << situation;
        };
        form->UpdateListCommands(list);
        expectEnabled(false, "empty list");

        Fill(list, {"a", "b"});
        Select(list, 1);  // the list reports the selection change itself
        expectEnabled(true, "row selected");

        Select(list, -1);
        expectEnabled(false, "selection cleared");

        Select(list, 0);
        NMHDR click{list.Handle(), 0, static_cast<UINT>(NM_CLICK)};
        SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        expectEnabled(true, "click with a row selected");
    }
}

class CheckBoxTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->SetActions(&actions);
        actions.switchResult = [this](std::size_t, bool) { return switchSucceeds; };
        Fill(form->ListViewContextMenu, {"first", "second"});
        SetFocus(form->ListViewContextMenu.Handle());
        Select(form->ListViewContextMenu, 1);
    }

    // The user presses the space bar on the focused row, which toggles its box.
    void UserTogglesSecondRow() { SendMessageW(form->ListViewContextMenu.Handle(), WM_KEYDOWN, VK_SPACE, 0); }
    bool SecondRowChecked() const { return form->ListViewContextMenu.Row(1).checked; }

    RecordingActions actions;
    const std::vector<std::pair<std::size_t, bool>>& calls = actions.switches;
    bool switchSucceeds = true;
};

TEST_F(CheckBoxTest, UserChangeReachesTheProgramAndStays)
{
    UserTogglesSecondRow();
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, bool>>{{1, false}}));
    EXPECT_FALSE(SecondRowChecked());
}

TEST_F(CheckBoxTest, FailedSwitchPutsTheBoxBackWithoutASecondRequest)
{
    switchSucceeds = false;
    UserTogglesSecondRow();
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, bool>>{{1, false}}));
    EXPECT_TRUE(SecondRowChecked());

    actions.switchResult = [](std::size_t, bool) -> bool { throw AppError("Failed to create key x"); };
    UserTogglesSecondRow();
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(SecondRowChecked());
    EXPECT_TRUE(messages.empty()) << "a failed switch shows nothing";
}

TEST_F(CheckBoxTest, RebuildsAndTheProgramsOwnMarksSwitchNothing)
{
    {
        ListView::SilentChanges rebuilding(form->ListViewContextMenu);
        UserTogglesSecondRow();
    }
    EXPECT_TRUE(calls.empty()) << "while a rebuild silences the list";
    EXPECT_FALSE(form->ListViewContextMenu.ChangesSilenced());

    ListViewRowSink rows(form->ListViewContextMenu);
    rows.SetChecked(0, false);
    rows.Add({"third", {}, true});
    EXPECT_TRUE(calls.empty()) << "marks set by a rebuild";
}

// Watches the popup menu that a modal TrackPopupMenu shows, then closes it.
struct MenuWatch {
    static inline bool opened = false;
    static inline RECT rect{};

    static void Arm()
    {
        opened = false;
        SetTimer(nullptr, 0, 50, Look);
    }

    static void CALLBACK Look(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        HWND menu = FindWindowW(L"#32768", nullptr);
        opened = menu && IsWindowVisible(menu);
        if (opened)
            GetWindowRect(menu, &rect);
        EndMenu();
    }
};

TEST_F(MainWindowTest, GeneralMenuButtonOpensTheMenuAndStaysDownUntilReleased)
{
    HWND button = form->SpeedButton_GeneralMenu.Handle();
    MenuWatch::Arm();
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(MenuWatch::opened);
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    EXPECT_EQ(MenuWatch::rect.right, buttonRect.right) << "the menu's right edge is at the button's corner";
    EXPECT_EQ(MenuWatch::rect.top, buttonRect.bottom);
    EXPECT_TRUE(form->SpeedButton_GeneralMenu.Down());
    EXPECT_FALSE(form->SpeedButton_GeneralMenu.AllowAllUp());

    // A click on the down button only releases it.
    MenuWatch::Arm();
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_FALSE(form->SpeedButton_GeneralMenu.Down());
    EXPECT_TRUE(form->SpeedButton_GeneralMenu.AllowAllUp());
    Pump();  // lets the armed timer run out with no menu to find
    Sleep(80);
    Pump();
    EXPECT_FALSE(MenuWatch::opened);
}

// The list's menu from the keyboard opens at the selected row: Windows marks that case
// with both coordinates -1, which a 64-bit lParam carries as 0xFFFFFFFF. Elsewhere, on
// the title bar, the system's own menu opens.
TEST_F(MainWindowTest, ContextMenuOpensAtTheSelectedRowFromTheKeyboardAndTheSystemMenuOnTheTitleBar)
{
    ListView& list = form->ListViewContextMenu;
    Fill(list, {"a", "b"});
    Select(list, 1);
    RECT row{};
    ListView_GetItemRect(list.Handle(), 1, &row, LVIR_LABEL);
    POINT rowCorner{row.left, row.bottom};
    ClientToScreen(list.Handle(), &rowCorner);

    // A right click: the list view sends the message to itself, and it travels up.
    MenuWatch::Arm();
    SendMessageW(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()),
                 MAKELPARAM(rowCorner.x + 5, rowCorner.y - 2));
    EXPECT_TRUE(MenuWatch::opened) << "a right click";
    EXPECT_EQ(MenuWatch::rect.left, rowCorner.x + 5);

    MenuWatch::Arm();
    SendMessageW(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()),
                 static_cast<LPARAM>(static_cast<DWORD>(MAKELPARAM(-1, -1))));
    EXPECT_TRUE(MenuWatch::opened) << "from the keyboard";
    EXPECT_EQ(MenuWatch::rect.left, rowCorner.x);
    EXPECT_EQ(MenuWatch::rect.top, rowCorner.y);

    RECT window;
    GetWindowRect(form->Handle(), &window);
    const POINT onTitleBar{(window.left + window.right) / 2,
                           window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    MenuWatch::Arm();
    SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()),
                 MAKELPARAM(onTitleBar.x, onTitleBar.y));
    EXPECT_TRUE(MenuWatch::opened) << "the system menu";
}

TEST_F(MainWindowTest, MouseOverTheWindowAndThemeOrAboutCommandsReleaseTheButton)
{
    auto pressDown = [&] {
        form->SpeedButton_GeneralMenu.SetAllowAllUp(false);
        form->SpeedButton_GeneralMenu.SetDown(true);
    };
    pressDown();
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 40));
    EXPECT_FALSE(form->SpeedButton_GeneralMenu.Down());
    EXPECT_TRUE(form->SpeedButton_GeneralMenu.AllowAllUp());

    RecordingActions actions;
    form->SetActions(&actions);
    bool buttonDownInCommand = true;
    actions.onCommand = [&](Command) { buttonDownInCommand = form->SpeedButton_GeneralMenu.Down(); };
    for (const char* item : {"ThemeDark", "AboutMenu", "CheckUpdateMenu"}) {
        pressDown();
        form->ClickMenuItem(item);
        EXPECT_FALSE(buttonDownInCommand) << item << ": released before the command's own work";
    }

    pressDown();
    form->ClickMenuItem("SendToMenuEnabled");
    EXPECT_TRUE(form->SpeedButton_GeneralMenu.Down()) << "list commands leave the button alone";
    EXPECT_EQ(actions.ran, (std::vector<RecordingActions::Ran>{{Command::ThemeDark, nullptr},
                                                               {Command::ShowAbout, nullptr},
                                                               {Command::CheckForUpdates, nullptr},
                                                               {Command::SwitchSendToMenu, &form->ListViewSendTo}}));
}

TEST_F(MainWindowTest, CtrlTabMovesThroughThePagesAndFocusesTheirLists)
{
    auto pressCtrlTab = [&](bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        const bool used = form->TranslateShortcut(message);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return used;
    };
    SetFocus(form->ListViewContextMenu.Handle());
    const struct {
        bool shift;
        int page;
        HWND focus;
    } steps[] = {
        {false, 1, form->ListViewNewMenu.Handle()},
        {false, 2, form->ListViewSendTo.Handle()},
        {false, 3, form->ListViewMorePlaces.Handle()},
        {false, 4, form->ListViewWindows11Menu.Handle()},
        {false, 0, form->ListViewContextMenu.Handle()},  // wraps round
        {true, 4, form->ListViewWindows11Menu.Handle()},
    };
    for (const auto& step : steps) {
        EXPECT_TRUE(pressCtrlTab(step.shift));
        EXPECT_EQ(form->PageControlMenu.ActivePageIndex(), step.page);
        EXPECT_TRUE(IsWindowVisible(form->PageControlMenu.Sheet(step.page)));
        EXPECT_EQ(GetFocus(), step.focus);
    }
}

TEST_F(MainWindowTest, ShortcutsReachTheirCommandsWhereTheyApply)
{
    RecordingActions actions;
    form->SetActions(&actions);

    auto press = [&](HWND focus, UINT key, bool control) {
        SetFocus(focus);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{focus, WM_KEYDOWN, key, 1, 0, {}};
        bool used = form->TranslateShortcut(message);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return used;
    };

    EXPECT_TRUE(press(form->ListViewNewMenu.Handle(), VK_F1, false));
    EXPECT_TRUE(press(form->PageControlMenu.Handle(), VK_F1, false));
    press(form->ListViewNewMenu.Handle(), VK_F5, false);
    press(form->ListViewSendTo.Handle(), VK_F5, false);
    press(form->PageControlMenu.Handle(), VK_F5, false);  // no list has the focus
    form->UpdateListCommands(form->ListViewSendTo);
    press(form->ListViewSendTo.Handle(), 'O', true);      // no row: Open folder is disabled
    Fill(form->ListViewSendTo, {"Desktop"});
    Select(form->ListViewSendTo, 0);
    press(form->ListViewSendTo.Handle(), 'O', true);
    press(form->ListViewContextMenu.Handle(), 'O', true);  // not this list's shortcut

    EXPECT_EQ(actions.ran, (std::vector<RecordingActions::Ran>{{Command::ShowAbout, nullptr},
                                                               {Command::ShowAbout, nullptr},
                                                               {Command::RefreshList, &form->ListViewNewMenu},
                                                               {Command::RefreshList, &form->ListViewSendTo},
                                                               {Command::OpenEntryPlace, &form->ListViewSendTo}}));

    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG outside{elsewhere, WM_KEYDOWN, VK_F1, 1, 0, {}};
    EXPECT_FALSE(form->TranslateShortcut(outside)) << "F1 belongs to this window only";
    DestroyWindow(elsewhere);
}

TEST_F(MainWindowTest, RestoredWindowComesBackCentred)
{
    auto expectCentred = [&](const char* from) {
        RECT outer;
        GetWindowRect(form->Handle(), &outer);
        EXPECT_FALSE(IsZoomed(form->Handle())) << from;
        EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << from;
        EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << from;
    };
    SetWindowPos(form->Handle(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    expectCentred("maximized");

    SetWindowPos(form->Handle(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(form->Handle()));
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    expectCentred("minimized");
}

TEST_F(MainWindowTest, ConfirmDeletionAsksYesNoWithTheCaptionInBrackets)
{
    messageBoxAnswer = IDYES;
    EXPECT_TRUE(form->ConfirmDeletion(form->LangText("LangDeleteContextMenu"), "Foo"));
    messageBoxAnswer = IDNO;
    EXPECT_FALSE(form->AskConfirmation("Restore?"));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, L"Вы действительно хотите удалить выбранный элемент из контекстного меню? [Foo]");
    EXPECT_EQ(messages[0].title, L"Confirm");
    EXPECT_EQ(messages[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(messages[1].text, L"Restore?");
}

TEST_F(MainWindowTest, CreationRunsEveryStepInOrderAndReportsEachFailure)
{
    std::vector<std::string> steps;
    auto step = [&steps](const char* name) { return [&steps, name] { steps.push_back(name); }; };
    auto failingStep = [&steps](const char* name, const char* error) {
        return [&steps, name, error] {
            steps.push_back(name);
            throw AppError(error);
        };
    };
    form->PageControlMenu.SetActivePageIndex(2);

    form->RunCreationSteps({step("caption"), failingStep("context", "Invalid data type for 'MUIVerb'"),
                            step("sendto"), failingStep("state", "Invalid data type for ''"), step("settings")});

    EXPECT_EQ(steps, (std::vector<std::string>{"caption", "context", "sendto", "state", "settings"}));
    EXPECT_EQ(form->PageControlMenu.ActivePageIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(form->PageControlMenu.Sheet(0)));
    EXPECT_FALSE(IsWindowVisible(form->PageControlMenu.Sheet(2)));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, L"Invalid data type for 'MUIVerb'") << "\"'\" sorts before \".\"";
    EXPECT_EQ(messages[0].title, L"Kestrova");
    EXPECT_EQ(messages[0].type, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(messages[1].text, L"Invalid data type for ''");
}

TEST(SingleInstance, SecondTestFindsTheMutexTheFirstCreated)
{
    EXPECT_FALSE(IsAnotherInstanceRunning());
    EXPECT_TRUE(IsAnotherInstanceRunning());
}

}  // namespace
}  // namespace kestrova
