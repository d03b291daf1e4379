// The "New" tab in a real window over the real registry: what the user sees of a
// rebuild (malformed values included), and what a check box, Delete, Refresh and Open
// registry do to the template keys.
#include "ListTabsFixture.h"
#include "RegistrySeed.h"
#include "platform/RegValueData.h"
#include "platform/RegistryCursor.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"

#include <commctrl.h>

#include <random>

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class NewMenuTabTest : public ListTabsTest {
protected:
    void SetUp() override
    {
        ListTabsTest::SetUp();
        id_ = std::to_string(std::random_device{}());
        classKey_ = "SOFTWARE\\Classes\\.kestrova" + id_;
        badKey_ = "SOFTWARE\\Classes\\.kestrovabad" + id_;
        template_ = KeyTree{}
                        .Value("NullFile", MakeStringValue(""))
                        .Value("MenuText", MakeStringValue("Kestrova sheet " + id_))
                        .Value("Flags", MakeDwordValue(5))
                        .Subkey("Config", KeyTree{}.Subkey("Inner", KeyTree{}.Value("n", MakeDwordValue(1))));
        seed_.SetString(HKLM, View32, classKey_, "", "Kestrova sheet file " + id_);
        seed_.WriteTree(HKLM, View32, classKey_ + "\\ShellNew", template_);
        // Values of the wrong type everywhere a text is read.
        seed_.SetDword(HKLM, View32, badKey_, "", 1);
        seed_.WriteTree(HKLM, View32, badKey_ + "\\ShellNew",
                        KeyTree{}
                            .Value("MenuText", RegValue{static_cast<std::uint32_t>(RegType::Binary), {1}})
                            .Value("FileName", MakeDwordValue(2))
                            .Value("NullFile", MakeDwordValue(0)));
        TabOf(List()).Rebuild();
        Pump();
    }

    void TearDown() override
    {
        seed_.DeleteTree(HKLM, View32, classKey_);
        seed_.DeleteTree(HKLM, View32, badKey_);
        ListTabsTest::TearDown();
    }

    ListView& List() { return form->ListViewNewMenu; }

    int RowOf(const std::string& classKey)
    {
        for (std::size_t i = 0; i < List().Count(); ++i)
            if (List().Row(i).target.classKey == classKey)
                return static_cast<int>(i);
        return -1;
    }

    // The user selects the template's row and presses the space bar on it.
    void UserTogglesTemplate()
    {
        const int row = RowOf(classKey_);
        ASSERT_GE(row, 0);
        PageControl().SetActivePageIndex(1);
        SetFocus(List().Handle());
        Select(List(), row);
        SendMessageW(List().Handle(), WM_KEYDOWN, VK_SPACE, 0);
        Pump();
    }

    void PressF5()
    {
        SetFocus(List().Handle());
        MSG f5{List().Handle(), WM_KEYDOWN, VK_F5, 0, 0, {}};
        EXPECT_TRUE(form->TranslateShortcut(f5));
        Pump();
    }

    kestrova::PageControl& PageControl() { return form->PageControlMenu; }

    Win32Registry realRegistry_;
    RegistrySeed seed_{realRegistry_};
    std::string id_, classKey_, badKey_;
    KeyTree template_;
};

TEST_F(NewMenuTabTest, RebuildListsEveryTemplateMalformedOnesIncludedAndSelectsTheFirstRow)
{
    ASSERT_GE(RowOf(classKey_), 0);
    EXPECT_EQ(List().Row(RowOf(classKey_)),
              (EntryRow{"Kestrova sheet " + id_,
                        {"Kestrova sheet file " + id_, "HKEY_LOCAL_MACHINE (32)", classKey_ + "\\ShellNew",
                         "Kestrova sheet " + id_, "", "", ""},
                        true, EntryTarget::Key(HKLM, View32, classKey_ + "\\ShellNew", classKey_)}));
    ASSERT_GE(RowOf(badKey_), 0);
    EXPECT_EQ(List().Row(RowOf(badKey_)).caption, ".kestrovabad" + id_);
    EXPECT_EQ(List().Row(RowOf(badKey_)).subItems.at(0), ".kestrovabad" + id_);

    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_FALSE(List().ChangesSilenced());
    EXPECT_EQ(form->Model().Get("StatusBarNewMenu").panels.at(1).text, std::to_string(List().Count()));
    EXPECT_TRUE(form->MenuItemEnabled("NewMenuRegOpen"));
    EXPECT_TRUE(form->MenuItemEnabled("NewMenuMenuDelete"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(NewMenuTabTest, ClearingAndSettingTheBoxRenamesTheTemplateWholeAndBack)
{
    UserTogglesTemplate();
    EXPECT_FALSE(List().Row(RowOf(classKey_)).checked);
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, classKey_ + "\\ShellNew"));
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, classKey_ + "\\old_ShellNew"), template_);
    EXPECT_EQ(shell_.broadcasts, 1);
    // The row keeps the path the scan found until the list is rebuilt.
    EXPECT_EQ(List().Row(RowOf(classKey_)).subItems.at(2), classKey_ + "\\ShellNew");

    PressF5();
    ASSERT_GE(RowOf(classKey_), 0) << "a switched-off template stays listed";
    EXPECT_FALSE(List().Row(RowOf(classKey_)).checked);
    EXPECT_EQ(List().Row(RowOf(classKey_)).subItems.at(2), classKey_ + "\\old_ShellNew");

    UserTogglesTemplate();
    EXPECT_TRUE(List().Row(RowOf(classKey_)).checked);
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, classKey_ + "\\ShellNew"), template_);
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, classKey_ + "\\old_ShellNew"));
    EXPECT_EQ(shell_.broadcasts, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(NewMenuTabTest, ASwitchWithoutWriteAccessSetsTheBoxBackSilently)
{
    registry_.readOnly = true;

    UserTogglesTemplate();
    EXPECT_TRUE(List().Row(RowOf(classKey_)).checked);
    EXPECT_EQ(seed_.Snapshot(HKLM, View32, classKey_ + "\\ShellNew"), template_);
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, classKey_ + "\\old_ShellNew"));
    EXPECT_EQ(shell_.broadcasts, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(NewMenuTabTest, DeleteAsksThenRemovesTheTemplateAndRebuilds)
{
    Select(List(), RowOf(classKey_));

    messageBoxAnswer = IDNO;
    form->ClickMenuItem("NewMenuMenuDelete");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              Widen("Вы действительно хотите удалить выбранный элемент из меню? [Kestrova sheet " + id_ + "]"));
    EXPECT_TRUE(seed_.KeyExists(HKLM, View32, classKey_ + "\\ShellNew"));

    messageBoxAnswer = IDYES;
    form->ClickMenuItem("NewMenuMenuDelete");
    EXPECT_FALSE(seed_.KeyExists(HKLM, View32, classKey_ + "\\ShellNew"));
    EXPECT_TRUE(seed_.Value(HKLM, View32, classKey_, "")) << "the class key stays";
    EXPECT_EQ(RowOf(classKey_), -1);
    EXPECT_EQ(List().SelectedIndex(), 0) << "the list was rebuilt";
}

TEST_F(NewMenuTabTest, OpenRegistryGivesTheEditorTheRootWithoutTheViewSuffix)
{
    Select(List(), RowOf(classKey_));
    form->ClickMenuItem("NewMenuRegOpen");
    ASSERT_EQ(shell_.opened.size(), 1u);
    EXPECT_NE(shell_.opened[0].file.find("regedit.exe"), std::string::npos);
    RegistryCursor reg(realRegistry_, access::Read);
    reg.RootKey = RegRoot::CurrentUser;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit"));
    EXPECT_EQ(reg.ReadString("LastKey"), "HKEY_LOCAL_MACHINE\\" + classKey_ + "\\ShellNew");
}

}  // namespace
}  // namespace kestrova
