// The SendTo tab in a real window over real folders and the real registry: what the user
// sees of a rebuild, and what a check box, Open folder, Delete, Restore defaults and the
// Send to sub-menu switch do on disk and in the registry.
#include "ListTabsFixture.h"
#include "RegistrySeed.h"
#include "TestFiles.h"
#include "platform/AppError.h"
#include "platform/RegValueData.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

#include <algorithm>
#include <optional>

namespace kestrova {
namespace {

using Contents = std::map<std::string, std::string>;
constexpr const char* Folder = kFolderMark;
constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKCR = RegRoot::ClassesRoot;
const std::string HandlerKey(kSendToHandlerKey);

class SendToTabTest : public ListTabsTest {
protected:
    void SetUp() override
    {
        ListTabsTest::SetUp();
        savedHandlerKey_ = seed_.Snapshot(HKCR, View32, HandlerKey);
        form->PageControlMenu.SetActivePageIndex(2);
    }

    void TearDown() override
    {
        seed_.DeleteTree(HKCR, View32, HandlerKey);
        if (savedHandlerKey_)
            seed_.WriteTree(HKCR, View32, HandlerKey, *savedHandlerKey_);
        ListTabsTest::TearDown();
    }

    // Fills the SendTo folder with `entries` and rebuilds the list.
    void Show(const Contents& entries)
    {
        ASSERT_TRUE(ForceDirectories(files_, sendTo_));
        for (const auto& [name, text] : entries) {
            if (text == Folder)
                ASSERT_TRUE(files_.MakeDirectory(sendTo_ + name));
            else
                WriteText(sendTo_ + name, text);
        }
        TabOf(List()).Rebuild();
        Pump();
    }

    ListView& List() { return form->ListViewSendTo; }
    Contents OnDisk() { return FolderContents(files_, sendTo_); }
    std::string Count() { return form->Model().Get("StatusBarSendTo").panels.at(1).text; }

    // The rows as the user sees them; the order is the file system's, so sorted here.
    std::vector<EntryRow> Rows()
    {
        std::vector<EntryRow> rows;
        for (std::size_t i = 0; i < List().Count(); ++i)
            rows.push_back(List().Row(i));
        std::sort(rows.begin(), rows.end(), [](const EntryRow& a, const EntryRow& b) {
            return std::tie(a.caption, a.checked) < std::tie(b.caption, b.checked);
        });
        return rows;
    }

    int RowOf(const std::string& caption, bool checked)
    {
        for (std::size_t i = 0; i < List().Count(); ++i)
            if (List().Row(i).caption == caption && List().Row(i).checked == checked)
                return static_cast<int>(i);
        return -1;
    }

    // The user selects a row and presses the space bar on it.
    void UserToggles(int row)
    {
        ASSERT_GE(row, 0);
        SetFocus(List().Handle());
        Select(List(), row);
        SendMessageW(List().Handle(), WM_KEYDOWN, VK_SPACE, 0);
        Pump();
    }

    // A key pressed on the focused list, with Ctrl held down or not.
    void Press(UINT key, bool control)
    {
        SetFocus(List().Handle());
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{List().Handle(), WM_KEYDOWN, key, 1, 0, {}};
        EXPECT_TRUE(form->TranslateShortcut(message));
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        Pump();
    }

    // Chooses a command of the list's popup menu as a mouse click on it would.
    void Choose(const std::wstring& caption)
    {
        HMENU menu = form->PopupMenu("PopupMenuSendTo");
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
            if (caption == text) {
                SendMessageW(form->Handle(), WM_COMMAND, GetMenuItemID(menu, i), 0);
                Pump();
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << Narrow(caption);
    }

    EntryRow Row(const std::string& caption, const std::string& name, bool checked)
    {
        return EntryRow{caption, {sendTo_ + name}, checked, EntryTarget::File(sendTo_ + name)};
    }

    ScratchFolder appData_{files_};
    ScopedEnvironmentVariable variable_{"APPDATA", appData_.path().substr(0, appData_.path().size() - 1)};
    const std::string sendTo_ = appData_ / "Microsoft\\Windows\\SendTo\\";
    RegistrySeed seed_{registry_};
    std::optional<KeyTree> savedHandlerKey_;
};

TEST_F(SendToTabTest, RebuildShowsEveryEntryWithItsStateAndTheCount)
{
    Show({{"desktop.ini", "[.ShellClassInfo]"},
          {"Mail Recipient.MAPIMail", ""},
          {"Documents.mydocs.DISABLED", ""},
          {"Tools", Folder}});
    EXPECT_EQ(Rows(), (std::vector<EntryRow>{Row("Documents", "Documents.mydocs", false),
                                             Row("Mail Recipient", "Mail Recipient.MAPIMail", true),
                                             Row("Tools", "Tools", true)}));
    EXPECT_EQ(Count(), "3");
    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_TRUE(form->MenuItemEnabled("SendToMenuOpenFolder"));
    EXPECT_TRUE(form->MenuItemEnabled("SendToMenuDelete"));
    EXPECT_FALSE(List().ChangesSilenced());
}

TEST_F(SendToTabTest, AnEmptyFolderShowsOnePlaceholderThatActsOnNothing)
{
    Show({});
    EXPECT_EQ(Rows(), (std::vector<EntryRow>{{"", {""}, false}}));
    EXPECT_EQ(Count(), "1");
    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_TRUE(form->MenuItemEnabled("SendToMenuOpenFolder"));

    UserToggles(0);
    form->ClickMenuItem("SendToMenuOpenFolder");
    form->ClickMenuItem("SendToMenuDelete");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Вы действительно хотите удалить выбранный элемент из меню? []");
    EXPECT_TRUE(shell_.opened.empty());
    EXPECT_TRUE(OnDisk().empty());
    EXPECT_TRUE(files_.DirectoryExists(sendTo_));
}

TEST_F(SendToTabTest, TheBoxRenamesTheFileAndBackWithoutTouchingItsBytes)
{
    const std::string bytes("shortcut\0with\r\nbinary\xff", 23);
    Show({{"Mail Recipient.MAPIMail", bytes}, {"Other.lnk", "other"}});

    UserToggles(RowOf("Mail Recipient", true));
    EXPECT_EQ(OnDisk(), (Contents{{"Mail Recipient.MAPIMail.disabled", bytes}, {"Other.lnk", "other"}}));
    EXPECT_GE(RowOf("Mail Recipient", false), 0);

    form->ClickMenuItem("SendToMenuUpdate");
    ASSERT_GE(RowOf("Mail Recipient", false), 0) << "the rebuild shows it switched off";

    UserToggles(RowOf("Mail Recipient", false));
    EXPECT_EQ(OnDisk(), (Contents{{"Mail Recipient.MAPIMail", bytes}, {"Other.lnk", "other"}}));
    EXPECT_GE(RowOf("Mail Recipient", true), 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(shell_.broadcasts, 0);
}

TEST_F(SendToTabTest, ASwitchThatCannotSucceedLeavesItsBoxAsItWas)
{
    const Contents entries = {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}, {"Tools", Folder}};
    Show(entries);
    for (const auto& [caption, checked] : {std::pair{"Docs", true}, {"Docs", false}, {"Tools", true}}) {
        SCOPED_TRACE(std::string(caption) + (checked ? " set" : " clear"));
        const int row = RowOf(caption, checked);
        UserToggles(row);
        EXPECT_EQ(List().Row(row).checked, checked);
        EXPECT_EQ(OnDisk(), entries);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SendToTabTest, DeleteAsksThenDeletesTheRowsFileAndRebuilds)
{
    Show({{"Twin.lnk", "live"}, {"Twin.lnk.disabled", "off"}, {"Other.lnk", "other"}});
    Select(List(), RowOf("Twin", false));

    messageBoxAnswer = IDNO;
    form->ClickMenuItem("SendToMenuDelete");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Вы действительно хотите удалить выбранный элемент из меню? [Twin]");
    EXPECT_EQ(OnDisk().size(), 3u);

    messageBoxAnswer = IDYES;
    form->ClickMenuItem("SendToMenuDelete");
    EXPECT_EQ(OnDisk(), (Contents{{"Twin.lnk", "live"}, {"Other.lnk", "other"}}));
    EXPECT_EQ(Rows(), (std::vector<EntryRow>{Row("Other", "Other.lnk", true), Row("Twin", "Twin.lnk", true)}));
    EXPECT_EQ(Count(), "2");
}

TEST_F(SendToTabTest, CtrlOShowsTheEntryInExplorerAndF5Rebuilds)
{
    Show({{"Docs.mydocs.disabled", ""}});
    Press('O', true);
    ASSERT_EQ(shell_.opened.size(), 1u);
    wchar_t windows[MAX_PATH];
    const std::string explorer = Narrow(std::wstring(windows, GetSystemWindowsDirectoryW(windows, MAX_PATH))) +
                                 "\\explorer.exe";
    EXPECT_EQ(shell_.opened[0], (ShellOpenCall{reinterpret_cast<WindowHandle>(form->Handle()), explorer,
                                               "/select, \"" + sendTo_ + "Docs.mydocs.disabled\"", "",
                                               SW_SHOWNORMAL}));

    WriteText(sendTo_ + "New.lnk", "");
    Press(VK_F5, false);
    EXPECT_EQ(Count(), "2");
    EXPECT_GE(RowOf("New", true), 0);
}

TEST_F(SendToTabTest, RestoreDefaultsAsksThenLeavesTheStandardEntries)
{
    Show({{"desktop.ini", "ini"}, {"Mine.lnk", "mine"}, {"Fax.lnk.disabled", "fax"}, {"Kept", Folder},
          {"Kept\\Inner.lnk", "inner"}});
    const Contents before = OnDisk();

    messageBoxAnswer = IDNO;
    Choose(L"Восстановить по умолчанию");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Восстановить все элементы SendTo по умолчанию?\r\n"
                                L"Будут удалены все пользовательские элементы и созданы стандартные.");
    EXPECT_EQ(messages[0].type & MB_YESNO, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(OnDisk(), before);

    messageBoxAnswer = IDYES;
    Choose(L"Восстановить по умолчанию");
    Contents restored = {{"desktop.ini", "ini"}, {"Kept", Folder}, {"Kept\\Inner.lnk", "inner"}};
    for (std::string_view name : kStandardSendToEntries)
        restored[std::string(name)] = "";
    EXPECT_EQ(OnDisk(), restored);
    EXPECT_EQ(Rows(), (std::vector<EntryRow>{Row("Bluetooth device", "Bluetooth device.lnk", true),
                                             Row("Compressed (zipped) Folder",
                                                 "Compressed (zipped) Folder.ZFSendToTarget", true),
                                             Row("Desktop (create shortcut)", "Desktop (create shortcut).DeskLink",
                                                 true),
                                             Row("Documents", "Documents.mydocs", true),
                                             Row("Kept", "Kept", true),
                                             Row("Mail Recipient", "Mail Recipient.MAPIMail", true)}));
    EXPECT_EQ(Count(), "6");
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(SendToTabTest, ARestoreThatCannotCreateAnEntryStopsAndIsReported)
{
    Show({{"Documents.mydocs", Folder}, {"Documents.mydocs\\Inner.lnk", "inner"}});
    const std::vector<EntryRow> before = Rows();
    Choose(L"Восстановить по умолчанию");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, Widen("Cannot create file \"" + sendTo_ + "Documents.mydocs\""));
    EXPECT_EQ(messages[1].title, L"Kestrova");
    EXPECT_EQ(messages[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(files_.FileExists(sendTo_ + "Mail Recipient.MAPIMail")) << "later entries are not created";
    EXPECT_EQ(Rows(), before) << "the list is not rebuilt";
}

TEST_F(SendToTabTest, TheSendToMenuItemShowsAndSwitchesTheHandlerKey)
{
    seed_.DeleteTree(HKCR, View32, HandlerKey);
    sendToMenu_->LoadMenuState();
    EXPECT_TRUE(form->MenuItemChecked("SendToMenuEnabled")) << "a missing key reads as on";

    Choose(L"Включить меню SendTo");
    EXPECT_FALSE(form->MenuItemChecked("SendToMenuEnabled"));
    EXPECT_EQ(seed_.Value(HKCR, View32, HandlerKey, ""), MakeStringValue(""));
    Choose(L"Включить меню SendTo");
    EXPECT_TRUE(form->MenuItemChecked("SendToMenuEnabled"));
    EXPECT_EQ(seed_.Value(HKCR, View32, HandlerKey, ""), MakeStringValue("{7BA4C740-9E81-11CF-99D3-00AA004AE837}"));
    EXPECT_EQ(shell_.broadcasts, 2);

    seed_.DeleteTree(HKCR, View32, HandlerKey);
    seed_.CreateKey(HKCR, View32, HandlerKey);
    sendToMenu_->LoadMenuState();
    EXPECT_FALSE(form->MenuItemChecked("SendToMenuEnabled")) << "a key without a default value reads as off";
    EXPECT_TRUE(messages.empty());
}

TEST_F(SendToTabTest, AMalformedHandlerValueIsReportedAtStartAndTheRestStillRuns)
{
    Show({{"Mail Recipient.MAPIMail", ""}});
    List().Clear();
    seed_.SetDword(HKCR, View32, HandlerKey, "", 1);
    bool newMenuLoaded = false;
    form->RunCreationSteps({[&] { TabOf(List()).Rebuild(); }, [&] { sendToMenu_->LoadMenuState(); },
                            [&] { newMenuLoaded = true; }});
    ASSERT_EQ(messages.size(), 1u);
    // The general error report ends a text that ends in a letter with a full stop.
    EXPECT_EQ(messages[0].text,
              L"Invalid data type for ''\nHKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\SendTo.");
    EXPECT_EQ(messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(form->MenuItemChecked("SendToMenuEnabled"));
    EXPECT_EQ(Rows(), (std::vector<EntryRow>{Row("Mail Recipient", "Mail Recipient.MAPIMail", true)}));
    EXPECT_TRUE(newMenuLoaded);
}

}  // namespace
}  // namespace kestrova
