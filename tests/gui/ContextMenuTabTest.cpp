// The first tab in a real window over the real registry: what the user sees of a
// rebuild, and what a check box, Delete, Refresh and Open registry do to the keys.
#include "ListTabsFixture.h"
#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/RegValueData.h"
#include "platform/RegistryCursor.h"
#include "platform/TextCase.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

#include <commctrl.h>

#include <algorithm>
#include <random>

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string BackupPrefix = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";

class ContextMenuTabTest : public ListTabsTest {
protected:
    void SetUp() override
    {
        ListTabsTest::SetUp();
        const std::string id = std::to_string(std::random_device{}());
        name_ = "KestrovaTab" + id;
        path_ = "SOFTWARE\\Classes\\Directory\\shell\\" + name_;
        backup_ = BackupPrefix + "Directory\\shell\\" + name_;
        verb_ = KeyTree{}
                    .Value("MUIVerb", MakeStringValue("Tab tool " + id))
                    .Subkey("command", KeyTree{}.Value("", MakeStringValue("tool.exe \"%1\"")));
        seed_.WriteTree(HKLM, View32, path_, verb_);
        TabOf(List()).Rebuild();
        Pump();
    }

    void TearDown() override
    {
        for (const std::string& path : {path_, backup_, badVerb_})
            if (!path.empty())
                seed_.DeleteTree(HKLM, View32, path);
        ListTabsTest::TearDown();
    }

    ListView& List() { return form->ListViewContextMenu; }

    int RowOf(const std::string& path)
    {
        for (std::size_t i = 0; i < List().Count(); ++i)
            if (List().Row(i).subItems.at(2) == path)
                return static_cast<int>(i);
        return -1;
    }

    // The user selects the entry's row and presses the space bar on it.
    void UserTogglesEntry()
    {
        const int row = RowOf(path_);
        ASSERT_GE(row, 0);
        SetFocus(List().Handle());
        Select(List(), row);
        SendMessageW(List().Handle(), WM_KEYDOWN, VK_SPACE, 0);
        Pump();
    }

    Win32Registry realRegistry_;
    RegistrySeed seed_{realRegistry_};
    std::string name_, path_, backup_, badVerb_;
    KeyTree verb_;
};

TEST_F(ContextMenuTabTest, RebuildShowsTheEntryAndSelectsTheFirstRow)
{
    const int row = RowOf(path_);
    ASSERT_GE(row, 0);
    // The details follow the list's own columns: a bare program name that the system
    // does not find is shown as it is.
    const std::string caption = TextOfStringData(verb_.values[0].second.data);
    const EntryRow shown = List().Row(row);
    EXPECT_EQ(shown.caption, caption);
    EXPECT_EQ(shown.subItems,
              (std::vector<std::string>{"Directory", "HKEY_LOCAL_MACHINE", path_, caption, "tool.exe", "", "всегда"}));
    EXPECT_TRUE(shown.checked);
    EXPECT_EQ(shown.target, EntryTarget::Key(HKLM, View32, path_));
    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_FALSE(List().ChangesSilenced());
    EXPECT_EQ(form->Model().Get("StatusBarMenu").panels.at(1).text, std::to_string(List().Count()));
}

TEST_F(ContextMenuTabTest, ClearingAndSettingTheBoxMovesTheKeyAndBack)
{
    UserTogglesEntry();
    EXPECT_FALSE(List().Row(RowOf(path_)).checked);
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, path_));
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, backup_), verb_);
    EXPECT_EQ(shell_.broadcasts, 1);

    form->ClickMenuItem("ContextMenuUpdate");  // Refresh, as F5 does
    ASSERT_GE(RowOf(path_), 0) << "a switched-off entry stays listed";
    EXPECT_FALSE(List().Row(RowOf(path_)).checked);

    UserTogglesEntry();
    EXPECT_TRUE(List().Row(RowOf(path_)).checked);
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), verb_);
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, backup_));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ContextMenuTabTest, WithoutWriteAccessASwitchOrDeleteSaysAdministratorRightsAreNeededAndChangesNothing)
{
    registry_.readOnly = true;
    const std::wstring needed = Widen(form->LangText("LangAdministratorNeeded"));

    UserTogglesEntry();
    EXPECT_TRUE(List().Row(RowOf(path_)).checked);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(needed), std::wstring::npos) << Narrow(messages[0].text);

    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuDelete");
    ASSERT_EQ(messages.size(), 2u) << "no question before the refusal";
    EXPECT_NE(messages[1].text.find(needed), std::wstring::npos) << Narrow(messages[1].text);
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), verb_);
    EXPECT_EQ(shell_.broadcasts, 0);
}

TEST_F(ContextMenuTabTest, DeleteAsksThenRemovesTheKeyAndRebuilds)
{
    Select(List(), RowOf(path_));
    const std::string caption = List().Row(RowOf(path_)).caption;

    messageBoxAnswer = IDNO;
    form->ClickMenuItem("ContextMenuDelete");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Widen("Вы действительно хотите удалить выбранный элемент из контекстного меню? [" +
                                      caption + "]"));
    EXPECT_TRUE(seed_.KeyExists(HKLM, View32, path_));

    messageBoxAnswer = IDYES;
    form->ClickMenuItem("ContextMenuDelete");
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, path_));
    EXPECT_EQ(RowOf(path_), -1);
    EXPECT_EQ(List().SelectedIndex(), 0) << "the list was rebuilt";
}

TEST_F(ContextMenuTabTest, DeleteLeavesARegistryFileAndCtrlZPutsTheEntryBackSelected)
{
    EXPECT_FALSE(form->MenuItemEnabled("ContextMenuUndo")) << "nothing to undo yet";
    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuDelete");
    ASSERT_FALSE(seed_.KeyExists(HKLM, View32, path_));
    const auto copies = files_.FindEntries(backupFolder_ / "Backup\\*.reg");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(copies[0].name.ends_with(" context-menu " + name_ + ".reg")) << copies[0].name;
    for (const char* item : {"ContextMenuUndo", "NewMenuMenuUndo", "SendToMenuUndo"})
        EXPECT_TRUE(form->MenuItemEnabled(item)) << item;

    SetFocus(List().Handle());
    MSG ctrlZ{List().Handle(), WM_KEYDOWN, 'Z', 0, 0, {}};
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const bool used = form->TranslateShortcut(ctrlZ);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(used);
    Pump();
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), verb_);
    ASSERT_GE(RowOf(path_), 0);
    EXPECT_EQ(List().SelectedIndex(), RowOf(path_));
    EXPECT_FALSE(form->MenuItemEnabled("ContextMenuUndo"));
    EXPECT_EQ(messages.size(), 1u) << "only the confirmation was shown";
}

TEST_F(ContextMenuTabTest, UndoRefusesWhileTheKeyExistsAgainAndSaysSo)
{
    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuDelete");
    seed_.SetString(HKLM, View32, path_, "", "again");
    messages.clear();
    form->ClickMenuItem("ContextMenuUndo");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Widen("Удаление не отменено: элемент с таким именем уже существует.\nHKEY_LOCAL_MACHINE\\" + path_));
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), KeyTree{}.Value("", MakeStringValue("again")));
    EXPECT_TRUE(form->MenuItemEnabled("ContextMenuUndo"));
}

TEST_F(ContextMenuTabTest, ADeleteWhoseCopyCannotBeWrittenDeletesNothingAndSaysWhy)
{
    ASSERT_TRUE(files_.WriteWholeFile(backupFolder_ / "Backup", "a file where the folder belongs"));
    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuDelete");
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), verb_);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text.rfind(Widen("Не удалось сохранить резервную копию, поэтому ничего не удалено.\n"), 0), 0u);
    EXPECT_FALSE(form->MenuItemEnabled("ContextMenuUndo"));
}

TEST_F(ContextMenuTabTest, OpenRegistryWritesTheRowsKeyAndStartsTheEditor)
{
    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuRegOpen");
    ASSERT_EQ(shell_.opened.size(), 1u);
    EXPECT_NE(shell_.opened[0].file.find("regedit.exe"), std::string::npos);
    RegistryCursor reg(realRegistry_, access::Read);
    reg.RootKey = RegRoot::CurrentUser;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit"));
    EXPECT_EQ(reg.ReadString("LastKey"), "HKEY_LOCAL_MACHINE\\" + path_);
}

TEST_F(ContextMenuTabTest, AMalformedCaptionValueIsListedByKeyNameAndReportedOnceTheListIsComplete)
{
    badVerb_ = "SOFTWARE\\Classes\\*\\shell\\" + name_ + "Bad";
    seed_.SetDword(HKLM, View32, badVerb_, "MUIVerb", 1);
    const std::string report = "Invalid data type for 'MUIVerb'\nHKEY_LOCAL_MACHINE\\" + badVerb_;

    try {
        TabOf(List()).Rebuild();
        ADD_FAILURE() << "the malformed value was not reported";
    } catch (const AppError& error) {
        EXPECT_EQ(error.what(), report);
    }
    ASSERT_GE(RowOf(badVerb_), 0);
    EXPECT_EQ(List().Row(RowOf(badVerb_)).caption, name_ + "Bad");
    EXPECT_GE(RowOf(path_), 0) << "the scan went on past the malformed entry";
    EXPECT_EQ(form->Model().Get("StatusBarMenu").panels.at(1).text, std::to_string(List().Count()));
    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_FALSE(List().ChangesSilenced());

    // F5 on the list refreshes it; the report then reaches the general error report, once.
    messages.clear();
    SetFocus(List().Handle());
    MSG f5{List().Handle(), WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_TRUE(form->TranslateShortcut(f5));
    Pump();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back().text, Widen(report + "."));
}

}  // namespace
}  // namespace kestrova

namespace kestrova {
namespace {

TEST_F(ContextMenuTabTest, OnlyWithShiftAddsAndRemovesExtendedAndTheRowStaysSelected)
{
    Select(List(), RowOf(path_));
    form->ClickMenuItem("ContextMenuOnlyWithShift");
    KeyTree shifted = verb_;
    shifted.Value("Extended", MakeStringValue(""));
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), shifted);
    ASSERT_GE(RowOf(path_), 0);
    EXPECT_EQ(List().SelectedIndex(), RowOf(path_));
    EXPECT_EQ(List().Row(RowOf(path_)).subItems.at(6), "с Shift");

    form->ClickMenuItem("ContextMenuOnlyWithShift");
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, path_), verb_);
    EXPECT_EQ(List().Row(RowOf(path_)).subItems.at(6), "всегда");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ContextMenuTabTest, AHeaderClickSortsASecondReversesAndARefreshKeepsTheOrderAndTheTargets)
{
    const auto click = [&](int column) {
        NMLISTVIEW click{};
        click.hdr = {List().Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(List().Handle())), LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageW(form->Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
        Pump();
    };
    const auto paths = [&] {
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < List().Count(); ++i) {
            const EntryRow row = List().Row(i);
            EXPECT_EQ(row.target.path, row.subItems.at(2)) << "a row keeps its own target";
            shown.push_back(row.subItems.at(2));
        }
        return shown;
    };
    const std::vector<std::string> scanOrder = paths();
    std::vector<std::string> ascending = scanOrder;
    std::sort(ascending.begin(), ascending.end(), [](const std::string& a, const std::string& b) {
        return CompareIgnoringCase(a, b) < 0;
    });

    click(3);
    EXPECT_EQ(paths(), ascending);
    click(3);
    EXPECT_EQ(paths(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    form->ClickMenuItem("ContextMenuUpdate");
    EXPECT_EQ(paths(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    EXPECT_EQ(List().SortColumn(), 3);
    EXPECT_TRUE(List().SortDescending());

    // The box of a sorted row switches that row's entry.
    UserTogglesEntry();
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, path_));
    EXPECT_TRUE(seed_.KeyExists(HKLM, View32, backup_));
}

TEST_F(ContextMenuTabTest, AnEntryWhoseProgramIsMissingIsDimmed)
{
    seed_.SetString(HKLM, View32, path_ + "\\command", "", "\"C:\\Kestrova\\gone\\" + name_ + ".exe\" \"%1\"");
    TabOf(List()).Rebuild();
    Pump();
    const int row = RowOf(path_);
    ASSERT_GE(row, 0);
    EXPECT_EQ(List().Row(row).subItems.at(4), "C:\\Kestrova\\gone\\" + name_ + ".exe (нет файла)");
    EXPECT_TRUE(List().Dimmed(static_cast<std::size_t>(row)));
}

}  // namespace
}  // namespace kestrova

namespace kestrova {
namespace {

TEST_F(ContextMenuTabTest, RowsShowTheIconOfTheirIconValueOrTheGenericOne)
{
    seed_.SetString(HKLM, View32, path_, "Icon", "%SystemRoot%\\system32\\shell32.dll,3");
    const std::string plain = "SOFTWARE\\Classes\\Directory\\shell\\" + name_ + "Plain";
    seed_.WriteTree(HKLM, View32, plain, KeyTree{}.Value("Icon", MakeStringValue("C:\\Kestrova\\none.ico,0")));
    TabOf(List()).Rebuild();
    Pump();
    const int withIcon = List().IconIndex(static_cast<std::size_t>(RowOf(path_)));
    const int generic = List().IconIndex(static_cast<std::size_t>(RowOf(plain)));
    seed_.DeleteTree(HKLM, View32, plain);
    EXPECT_GT(withIcon, 0) << "the icon of the Icon value";
    EXPECT_EQ(generic, 0) << "a file without icons gives the generic one";
}

}  // namespace
}  // namespace kestrova
