// Kestrova.exe with its options file, as a user meets it: a hand-edited portable file
// sizes the window and is rewritten on close by the INI rules; an installed program
// keeps the file below the application-data folder; a failed save still closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>
#include <utility>

#include "FileContents.h"
#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "appearance/ThemePalette.h"
#include "platform/win32/WideString.h"

#include <commctrl.h>

namespace kestrova {
namespace {

constexpr int kMinOuterWidth96 = 700;
constexpr int kMinOuterHeight96 = 550;

class SettingsProcess : public ::testing::Test {
protected:
    PlatformFileSystem files;
    ScratchFolder scratch{files};  // declared before any process, so it goes after them
    const std::string options = scratch / "Config\\Option.ini";

    // A copy of Kestrova.exe in the scratch folder, with the portable marker when asked.
    std::wstring CopyOfExe(bool portable)
    {
        if (portable) {
            EXPECT_TRUE(files.WriteEmptyFile(scratch / "portable.ini"));
        }
        const std::wstring exe = Widen(scratch / "Kestrova.exe");
        EXPECT_TRUE(CopyFileW(KestrovaExe().c_str(), exe.c_str(), TRUE)) << "error " << GetLastError();
        return exe;
    }

    void WriteOptions(const std::string& text)
    {
        ASSERT_TRUE(files.MakeDirectory(scratch / "Config"));
        ASSERT_TRUE(files.WriteWholeFile(options, text));
    }

    std::string Read(const std::string& path) { return FileContents(files, path); }
};

SIZE OuterSize(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CALLBACK CollectListView(HWND window, LPARAM lists)
{
    if (WindowClass(window) == WC_LISTVIEWW)
        reinterpret_cast<std::vector<HWND>*>(lists)->push_back(window);
    return TRUE;
}

// Whether every list of the window shows the style's background, and grid lines exactly
// in the light style.
void ExpectListsInStyle(HWND window, std::string_view style)
{
    const ThemePalette& palette = *FindStyle(style);
    std::vector<HWND> lists;
    EnumChildWindows(window, CollectListView, reinterpret_cast<LPARAM>(&lists));
    ASSERT_EQ(lists.size(), 5u);  // one per list tab
    for (HWND list : lists) {
        EXPECT_EQ(ListView_GetBkColor(list), palette.listBackground) << style;
        EXPECT_EQ((ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES) != 0, !palette.dark) << style;
    }
}

// Puts the outer size in for "{H}" and "{W}".
std::string WithSize(std::string text, SIZE size)
{
    for (const auto& [mark, value] : {std::pair{"{H}", size.cy}, std::pair{"{W}", size.cx}})
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, 3, std::to_string(value));
    return text;
}

void Close(KestrovaProcess& program, HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(SettingsProcess, AHandEditedPortableFileSizesTheWindowAndIsRewrittenOnClose)
{
    const std::string foreign = "[Mine]\r\nKeep=this\r\n\r\n";
    struct Case {
        const char* what;
        std::string option;  // the [Option] lines as edited by hand
        std::string_view style;  // the style the window shows, empty for the platform's own
        bool maximized;
        int height, width;  // the stored outer size in pixels, before the minimum
        std::string rewritten;  // the [Option] lines after closing, "{H}" and "{W}" for the size
    };
    const Case cases[] = {
        {"hex and dollar numbers, two themes, maximised in the wrong case",
         "ThemeLight=1\r\nThemeDark=1\r\nWindow=WSMAXIMIZED\r\nHeight=0x258\r\nWidth=$320\r\n", kDarkStyleName,
         false, 600, 800,
         "ThemeLight=0\r\nThemeDark=1\r\nWindow=wsNormal\r\nHeight={H}\r\nWidth={W}\r\nCheckBoxQuickUpdate=1\r\nThemeAuto=0\r\n"},
        {"a size below the minimum, light", "Height=100\r\nThemeLight=1\r\nWidth=$10\r\n", kLightStyleName, false, 0,
         0, "Height={H}\r\nThemeLight=1\r\nWidth={W}\r\nCheckBoxQuickUpdate=1\r\nThemeAuto=0\r\nThemeDark=0\r\nWindow=wsNormal\r\n"},
        {"maximised, which keeps the stored size", "Window=wsMaximized\r\nHeight=0x258\r\n", "", true, 0, 0,
         "Window=wsMaximized\r\nHeight=0x258\r\nCheckBoxQuickUpdate=1\r\nThemeAuto=0\r\nThemeLight=0\r\nThemeDark=0\r\n"},
    };
    const std::wstring exe = CopyOfExe(true);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        WriteOptions("; my own settings\r\n" + foreign + "[Option]\r\n" + test.option);
        KestrovaProcess program(exe);
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);

        EXPECT_EQ(IsZoomed(window) != 0, test.maximized);
        if (!test.style.empty())
            ExpectListsInStyle(window, test.style);
        const SIZE size = OuterSize(window);
        if (!test.maximized) {
            const int dpi = static_cast<int>(GetDpiForWindow(window));
            EXPECT_EQ(size.cy, std::max(test.height, MulDiv(kMinOuterHeight96, dpi, 96)));
            EXPECT_EQ(size.cx, std::max(test.width, MulDiv(kMinOuterWidth96, dpi, 96)));
        }
        Close(program, window);

        EXPECT_EQ(Read(options), foreign + "[Option]\r\n" + WithSize(test.rewritten, size) + "\r\n");
        ASSERT_TRUE(files.RemoveFile(options));
        ASSERT_TRUE(files.RemoveEmptyDirectory(scratch / "Config"));
    }
}

TEST_F(SettingsProcess, InstalledTheFileGoesBelowApplicationDataAndNothingBesideTheProgram)
{
    const std::string installed = files.AppDataFolder() + "\\Kestrova\\Kestrova\\Config\\Option.ini";
    files.RemoveFile(installed);  // left by an earlier start of the program
    KestrovaProcess program(CopyOfExe(false));
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Close(program, window);

    EXPECT_TRUE(Read(installed).starts_with("[Option]\r\nCheckBoxQuickUpdate=1\r\nThemeAuto=0\r\n"));
    EXPECT_FALSE(files.DirectoryExists(scratch / "Config"));
    files.RemoveFile(installed);
}

TEST_F(SettingsProcess, AFailedSaveAtCloseIsReportedAndTheWindowClosesAnyway)
{
    const std::string previous = "[Option]\r\nHeight=600\r\n\r\n";
    WriteOptions(previous);
    ASSERT_TRUE(files.MakeDirectory(options + ".tmp")) << "a folder where the new file would be written";
    KestrovaProcess program(CopyOfExe(true));
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);

    PostMessageW(window, WM_CLOSE, 0, 0);
    HWND report = program.WaitForWindowOfClass(L"#32770");
    ASSERT_NE(report, nullptr) << "no error report";
    EXPECT_EQ(WindowText(report), L"Kestrova");
    bool named = false;
    for (HWND label : ChildrenOfClass(report, L"Static")) {
        const std::wstring text = WindowText(label);
        named |= text.starts_with(L"Cannot create file \"") && text.find(L"Option.ini") != std::wstring::npos;
    }
    EXPECT_TRUE(named) << "the error names the file";
    PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(report, IDOK)));
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Read(options), previous);
    files.RemoveEmptyDirectory(options + ".tmp");
}

}  // namespace
}  // namespace kestrova
