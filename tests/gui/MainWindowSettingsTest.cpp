// The main window's options on the real window: stored themes clicked in menu order,
// the size held to the minimum the window enforces at its DPI, and the size and state
// saved from a minimised window as the window will come back.
#include "MainWindowFixture.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "app/MainWindowSettings.h"
#include "platform/BlobVersionInfo.h"
#include "settings/IniDocument.h"

#include <string>
#include <vector>

namespace kestrova {
namespace {

class MainWindowSettingsTest : public MainWindowTest {
protected:
    PlatformFileSystem files;
    ScratchFolder scratch{files};
    BlobVersionInfo versionInfo;
    bool portable = true;
    SettingsFile file{files, versionInfo, scratch / "Kestrova.exe", portable, 1251};
    std::vector<std::string> clicks;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        form->handlers.ThemeAutoClick = [this] { clicks.push_back("ThemeAuto"); };
        form->handlers.ThemeLightClick = [this] { clicks.push_back("ThemeLight"); };
        form->handlers.ThemeDarkClick = [this] { clicks.push_back("ThemeDark"); };
    }

    void Store(const std::string& text)
    {
        files.MakeDirectory(scratch / "Config");
        ASSERT_TRUE(files.WriteWholeFile(scratch / "Config\\Option.ini", text));
    }

    IniDocument Stored() { return file.Open(); }
};

TEST_F(MainWindowSettingsTest, StoredThemesAreClickedInOrderAndTheSizeKeepsTheMinimum)
{
    MainWindowSettings settings(*form, file);
    settings.Wire();
    const int width = form->Scale(700) + 50;
    Store("[Option]\nThemeAuto=1\nThemeDark=1\nHeight=100\nWidth=" + std::to_string(width) + "\n");
    form->handlers.LoadSettings();

    EXPECT_EQ(clicks, (std::vector<std::string>{"ThemeAuto", "ThemeDark"}));
    EXPECT_FALSE(form->MenuItemChecked("ThemeAuto"));
    EXPECT_FALSE(form->MenuItemChecked("ThemeLight"));
    EXPECT_TRUE(form->MenuItemChecked("ThemeDark"));
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);
    EXPECT_EQ(rect.bottom - rect.top, form->Scale(550));
    EXPECT_EQ(rect.right - rect.left, width);
}

TEST_F(MainWindowSettingsTest, AMinimisedWindowIsSavedAsItWillBeRestored)
{
    MainWindowSettings settings(*form, file);
    settings.Wire();
    Store("[Option]\nHeight=0x258\n");
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);

    ShowWindow(form->Handle(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(form->Handle()));
    form->handlers.FormClose();
    EXPECT_EQ(Stored().ReadString("Option", "Window", ""), "wsNormal");
    EXPECT_EQ(Stored().ReadInteger("Option", "Height", 0), rect.bottom - rect.top);
    EXPECT_EQ(Stored().ReadInteger("Option", "Width", 0), rect.right - rect.left);

    ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
    Store("[Option]\nHeight=0x258\n");
    ShowWindow(form->Handle(), SW_MINIMIZE);
    Pump();
    form->handlers.FormClose();
    EXPECT_EQ(Stored().ReadString("Option", "Window", ""), "wsMaximized");
    EXPECT_EQ(Stored().ReadString("Option", "Height", ""), "0x258") << "kept while maximised";
    EXPECT_FALSE(Stored().ValueExists("Option", "Width"));
}

}  // namespace
}  // namespace kestrova
