// The main window's options on the real window: the stored theme shown as the only
// marked entry, the size held to the minimum the window enforces at its DPI, and the size
// and state saved from a minimised window as the window will come back.
#include "MainWindowFixture.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "app/MainWindowSettings.h"
#include "app/ThemeMenu.h"
#include "appearance/win32/AppStyle.h"
#include "platform/MemoryRegistry.h"
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
    SettingsFile file{files, versionInfo, scratch / "Kestrova.exe", true, 1251};
    ProgramState state;

    void Store(const std::string& text)
    {
        files.MakeDirectory(scratch / "Config");
        ASSERT_TRUE(files.WriteWholeFile(scratch / "Config\\Option.ini", text));
    }

    IniDocument Stored() { return file.Open(); }
};

TEST_F(MainWindowSettingsTest, TheLastStoredThemeIsShownAndTheSizeKeepsTheMinimum)
{
    MainWindowSettings settings(*form, state, file);
    AppStyle style(19045);
    MemoryRegistry hive;
    ThemeMenu themes(*form, state, style, hive);
    const int width = form->Scale(700) + 50;
    Store("[Option]\nThemeAuto=1\nThemeDark=1\nHeight=100\nWidth=" + std::to_string(width) + "\n");
    settings.Load();
    themes.ShowChosen();

    EXPECT_EQ(state.theme, ThemeChoice::Dark);
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
    MainWindowSettings settings(*form, state, file);
    Store("[Option]\nHeight=0x258\n");
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);

    ShowWindow(form->Handle(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(IsIconic(form->Handle()));
    settings.Save();
    EXPECT_EQ(Stored().ReadString("Option", "Window", ""), "wsNormal");
    EXPECT_EQ(Stored().ReadInteger("Option", "Height", 0), rect.bottom - rect.top);
    EXPECT_EQ(Stored().ReadInteger("Option", "Width", 0), rect.right - rect.left);

    ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
    Store("[Option]\nHeight=0x258\n");
    ShowWindow(form->Handle(), SW_MINIMIZE);
    Pump();
    settings.Save();
    EXPECT_EQ(Stored().ReadString("Option", "Window", ""), "wsMaximized");
    EXPECT_EQ(Stored().ReadString("Option", "Height", ""), "0x258") << "kept while maximised";
    EXPECT_FALSE(Stored().ValueExists("Option", "Width"));
}

}  // namespace
}  // namespace kestrova
