// The main window's options: what loading does to the window, in order, and to the
// program's state, and what saving writes, on a window double that records what is done
// to it.
#include "settings/WindowSettings.h"

#include "FaultInjectingFileSystem.h"
#include "FileContents.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "platform/AppError.h"
#include "platform/BlobVersionInfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrova {
namespace {

constexpr unsigned kCyrillicCodePage = 1251;

// A main window at its layout size (720 x 600) with a 700 x 550 minimum.
class RecordingWindow : public SettingsWindow {
public:
    std::vector<std::string> log;
    bool maximized = false;
    int height = 600;
    int width = 720;

    bool IsMaximized() const override { return maximized; }
    void Maximize() override
    {
        log.push_back("maximize");
        maximized = true;
    }
    int OuterHeight() const override { return height; }
    int OuterWidth() const override { return width; }
    void SetOuterHeight(int value) override
    {
        log.push_back("height " + std::to_string(value));
        height = value;
    }
    void SetOuterWidth(int value) override
    {
        log.push_back("width " + std::to_string(value));
        width = value;
    }
    int MinimumOuterHeight() const override { return 550; }
    int MinimumOuterWidth() const override { return 700; }
};

TEST(WindowSettingsTest, LoadingTakesTheLastStoredThemeThenMaximisesOrSizes)
{
    using enum ThemeChoice;
    const struct {
        const char* what;
        std::string text;
        std::optional<ThemeChoice> theme;
        std::vector<std::string> log;
    } cases[] = {
        {"no file", "", std::nullopt, {"height 600", "width 800"}},
        {"hand-edited", "[option]\n; mine\nthemeauto=1\nThemeDark=$1\nWindow=WSMAXIMIZED\nHeight=0x258\nWidth=$2D0\n",
         Dark, {"height 600", "width 720"}},
        {"one theme", "[Option]\nThemeLight=1\n", Light, {"height 600", "width 800"}},
        {"maximised", "[Option]\nWindow=wsMaximized\nHeight=900\nWidth=1200\n", std::nullopt, {"maximize"}},
        {"below the minimum", "[Option]\nWindow=wsNormal\nHeight=100\nWidth=-5\n", std::nullopt,
         {"height 550", "width 700"}},
        {"not numbers", "[Option]\nHeight=tall\nWidth=\nThemeLight=yes\n", std::nullopt, {"height 600", "width 800"}},
    };
    for (const auto& c : cases) {
        RecordingWindow window;
        window.width = 800;  // a current size the window keeps where nothing else is stored
        ProgramState state;
        state.theme = System;  // the stored options replace whatever was there
        LoadSettings(IniDocument::Parse(c.text, kCyrillicCodePage), window, state);
        EXPECT_EQ(state.theme, c.theme) << c.what;
        EXPECT_EQ(window.log, c.log) << c.what;
    }
}

TEST(WindowSettingsTest, SavingWritesThemesWindowAndSizeButKeepsTheSizeWhileMaximised)
{
    RecordingWindow window;
    ProgramState state;
    state.theme = ThemeChoice::Light;
    IniDocument document = IniDocument::Parse("[Option]\nCheckBoxQuickUpdate=1\nHeight=640\n", kCyrillicCodePage);

    window.maximized = true;
    SaveSettings(document, window, state);
    EXPECT_EQ(document.ReadSectionValues("Option"),
              (std::vector<std::string>{"CheckBoxQuickUpdate=1", "Height=640", "ThemeAuto=0", "ThemeLight=1",
                                        "ThemeDark=0", "Window=wsMaximized"}));

    window.maximized = false;
    state.quickUpdate = false;
    SaveSettings(document, window, state);
    EXPECT_EQ(document.ReadSectionValues("Option"),
              (std::vector<std::string>{"CheckBoxQuickUpdate=0", "Height=600", "ThemeAuto=0", "ThemeLight=1",
                                        "ThemeDark=0", "Window=wsNormal", "Width=720"}));
}

TEST(WindowSettingsTest, WithoutTheUpdateWindowTheQuickUpdateKeyIsNotWritten)
{
    RecordingWindow window;
    IniDocument document(kCyrillicCodePage);
    ProgramState state;
    SaveSettings(document, window, state);
    EXPECT_FALSE(document.ValueExists("Option", "CheckBoxQuickUpdate"));
    EXPECT_EQ(document.ReadString("Option", "ThemeAuto", ""), "0") << "no theme chosen marks none";
    state.quickUpdate = true;
    SaveSettings(document, window, state);
    EXPECT_EQ(document.ReadString("Option", "CheckBoxQuickUpdate", ""), "1");
}

class WindowSettingsFileTest : public ::testing::Test {
protected:
    PlatformFileSystem real;
    ScratchFolder dir{real};
    FaultInjectingFileSystem fs{real};
    BlobVersionInfo versionInfo;
    SettingsFile file{fs, versionInfo, dir / "Kestrova.exe", true, kCyrillicCodePage};
    const std::string path = dir / "Config\\Option.ini";

    std::string Contents() { return FileContents(real, path); }
};

TEST_F(WindowSettingsFileTest, AHandEditedFileIsRewrittenByTheIniRules)
{
    ASSERT_TRUE(real.MakeDirectory(dir / "Config"));
    const std::string edited = "; edited by hand\n"
                               "[Mine]\n"
                               "Keep = this\n"
                               "\n"
                               "[Option]\n"
                               "ThemeDark=1\n"
                               "Height=$300\n"
                               "Width=0x320\n";
    ASSERT_TRUE(real.WriteWholeFile(path, edited));
    RecordingWindow window;
    ProgramState state;
    LoadSettings(file, window, state);
    EXPECT_EQ(window.height, 768);
    EXPECT_EQ(window.width, 800);
    EXPECT_EQ(state.theme, ThemeChoice::Dark);
    EXPECT_EQ(Contents(), edited) << "loading writes nothing";

    window.height = 700;
    SaveSettings(file, window, state);
    EXPECT_EQ(Contents(), "[Mine]\r\n"
                          "Keep=this\r\n"
                          "\r\n"
                          "[Option]\r\n"
                          "ThemeDark=1\r\n"
                          "Height=700\r\n"
                          "Width=800\r\n"
                          "ThemeAuto=0\r\n"
                          "ThemeLight=0\r\n"
                          "Window=wsNormal\r\n"
                          "\r\n");
}

TEST_F(WindowSettingsFileTest, AFailedSaveIsAnErrorAndLeavesTheFileAsItWas)
{
    RecordingWindow window;
    const ProgramState state;
    SaveSettings(file, window, state);
    const std::string saved = Contents();
    window.height = 900;
    fs.fault = FileFault::WriteFailsHalfway;
    EXPECT_THROW(SaveSettings(file, window, state), AppError);
    EXPECT_EQ(Contents(), saved);
}

}  // namespace
}  // namespace kestrova
