// A started Kestrova.exe meeting one caption value of the wrong type in the registry: one
// error report naming the value and its key, then every list filled and the stored
// options applied, and the options file left as it was when the window closes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "RegistrySeed.h"
#include "RemoteListView.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "appearance/ThemePalette.h"
#include "platform/RegValueData.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class KestrovaMalformedValue : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& key : {verbs + "A", verbs + "Bad", verbs + "C", classKey})
            seed.DeleteTree(HKLM, View32, key);
    }

    PlatformFileSystem files;
    ScratchFolder program{files};  // a portable copy of the program with its options
    ScratchFolder appData{files};
    ScopedEnvironmentVariable variable{"APPDATA", appData.path().substr(0, appData.path().size() - 1)};
    Win32Registry registry;
    RegistrySeed seed{registry};
    const std::string id = std::to_string(std::random_device{}());
    const std::string verbs = "SOFTWARE\\Classes\\*\\shell\\KestrovaMalformed" + id;
    const std::string classKey = "SOFTWARE\\Classes\\.kestrovamalformed" + id;
};

TEST_F(KestrovaMalformedValue, OneReportThenEveryListFilledAndTheStoredOptionsKept)
{
    seed.SetString(HKLM, View32, verbs + "A", "MUIVerb", "Before the bad one");
    seed.SetDword(HKLM, View32, verbs + "Bad", "MUIVerb", 7);
    seed.SetString(HKLM, View32, verbs + "C", "MUIVerb", "After the bad one");
    seed.SetString(HKLM, View32, classKey + "\\ShellNew", "NullFile", "");
    const std::string sendTo = appData / "Microsoft\\Windows\\SendTo\\";
    ASSERT_TRUE(ForceDirectories(files, sendTo));
    WriteText(sendTo + "Archive.ZFSendToTarget", "");

    const std::string optionsText = "[Option]\r\nThemeAuto=0\r\nThemeLight=0\r\nThemeDark=1\r\nWindow=wsNormal\r\n"
                                    "Height=600\r\nWidth=800\r\nCheckBoxQuickUpdate=1\r\n\r\n";
    ASSERT_TRUE(files.WriteEmptyFile(program / "portable.ini"));
    ASSERT_TRUE(files.MakeDirectory(program / "Config"));
    WriteText(program / "Config\\Option.ini", optionsText);
    const std::wstring exe = Widen(program / "Kestrova.exe");
    ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), exe.c_str(), TRUE)) << "error " << GetLastError();

    KestrovaProcess kestrova(exe);
    HWND report = kestrova.WaitForWindowOfClass(L"#32770");
    ASSERT_NE(report, nullptr) << "no error report";
    std::wstring text;
    for (HWND label : ChildrenOfClass(report, L"Static"))
        text += WindowText(label);
    EXPECT_NE(text.find(Widen("Invalid data type for 'MUIVerb'")), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(Widen("HKEY_LOCAL_MACHINE\\" + verbs + "Bad")), std::wstring::npos) << Narrow(text);
    PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(report, IDOK)));

    HWND window = kestrova.WaitForWindowOfClass(L"KestrovaForm");
    ASSERT_NE(window, nullptr) << "no main window after the report";
    for (HWND other : kestrova.VisibleWindows())
        EXPECT_NE(WindowClass(other), L"#32770") << "a second report";

    // Rows of the lists, told apart by their texts rather than by window order.
    const std::vector<HWND> lists = ListViewsOf(window);
    ASSERT_EQ(lists.size(), 5u);  // one per list tab
    std::vector<EntryRow> rows;
    for (HWND list : lists)
        for (EntryRow& row : RowsOf(list, kestrova.Id()))
            rows.push_back(std::move(row));
    const std::vector<EntryRow> expected = {
        {"Before the bad one", {"All Files", "HKEY_LOCAL_MACHINE", verbs + "A"}, true},
        {"KestrovaMalformed" + id + "Bad", {"All Files", "HKEY_LOCAL_MACHINE", verbs + "Bad"}, true},
        {"After the bad one", {"All Files", "HKEY_LOCAL_MACHINE", verbs + "C"}, true},
        {".kestrovamalformed" + id, {".kestrovamalformed" + id, "HKEY_LOCAL_MACHINE (32)", classKey + "\\ShellNew"},
         true},
        {"Archive", {sendTo + "Archive.ZFSendToTarget"}, true},
    };
    // The columns the lists had before the details, which follow them.
    const auto leading = [](EntryRow row, std::size_t count) {
        row.subItems.resize(std::min(row.subItems.size(), count));
        return row;
    };
    for (const EntryRow& row : expected)
        EXPECT_NE(std::find_if(rows.begin(), rows.end(),
                               [&](const EntryRow& shown) { return leading(shown, row.subItems.size()) == row; }),
                  rows.end())
            << row.caption;

    const ThemePalette& dark = *FindStyle(kDarkStyleName);
    for (HWND list : lists) {
        EXPECT_EQ(ListView_GetBkColor(list), dark.listBackground);
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES, 0u);
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.bottom - frame.top, 600);
    EXPECT_EQ(frame.right - frame.left, 800);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(kestrova.WaitForExit(), 0u);
    EXPECT_EQ(ReadText(program / "Config\\Option.ini"), optionsText);
}

}  // namespace
}  // namespace kestrova
