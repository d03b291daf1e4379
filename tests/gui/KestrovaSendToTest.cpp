// The SendTo list of a started Kestrova.exe, read from outside the process as a user
// sees it, over a SendTo folder the test makes below its own APPDATA: every row's box,
// caption and path, and what the space bar on a row does to the files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "RemoteListView.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "catalogue/EntryRow.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

using Contents = std::map<std::string, std::string>;

// The SendTo list is the one list of the window with two columns.
HWND SendToList(HWND window)
{
    for (HWND list : ListViewsOf(window))
        if (ColumnCount(list) == 2)
            return list;
    return nullptr;
}

class KestrovaSendTo : public ::testing::Test {
protected:
    PlatformFileSystem files;
    ScratchFolder appData{files};
    ScopedEnvironmentVariable variable{"APPDATA", appData.path().substr(0, appData.path().size() - 1)};
    const std::string sendTo = appData / "Microsoft\\Windows\\SendTo\\";
};

TEST_F(KestrovaSendTo, ListsTheFolderAndTheSpaceBarSwitchesTheFocusedEntry)
{
    ASSERT_TRUE(ForceDirectories(files, sendTo));
    const Contents entries = {{"desktop.ini", "[.ShellClassInfo]"},
                              {"Archive.ZFSendToTarget", ""},
                              {"Docs.mydocs.DISABLED", "documents"},
                              {"Tools", kFolderMark}};
    for (const auto& [name, text] : entries)
        if (text == kFolderMark)
            ASSERT_TRUE(files.MakeDirectory(sendTo + name));
        else
            WriteText(sendTo + name, text);

    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";
    HWND list = SendToList(window);
    ASSERT_NE(list, nullptr);

    // NTFS lists names in their upper-case order; other file systems in their own.
    std::vector<EntryRow> rows = RowsOf(list, program.Id());
    std::sort(rows.begin(), rows.end(), [](const EntryRow& a, const EntryRow& b) { return a.caption < b.caption; });
    EXPECT_EQ(rows, (std::vector<EntryRow>{{"Archive", {sendTo + "Archive.ZFSendToTarget"}, true},
                                           {"Docs", {sendTo + "Docs.mydocs"}, false},
                                           {"Tools", {sendTo + "Tools"}, true}}));

    // Each row in turn gets the focus from the keyboard and the space bar: a file is
    // renamed with its bytes, a folder stays and so does its box.
    const std::map<std::string, std::pair<std::string, std::string>> renames = {
        {"Archive", {"Archive.ZFSendToTarget", "Archive.ZFSendToTarget.disabled"}},
        {"Docs", {"Docs.mydocs.DISABLED", "Docs.mydocs"}},
    };
    Contents expected = entries;
    const std::vector<EntryRow> before = RowsOf(list, program.Id());
    for (std::size_t row = 0; row < before.size(); ++row) {
        SCOPED_TRACE(before[row].caption);
        // Sent, not posted: the switch is done when the call returns. (Reading the files
        // while the program renames them would make the rename fail, as any open file does.)
        SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
        for (std::size_t down = 0; down < row; ++down)
            SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
        if (const auto rename = renames.find(before[row].caption); rename != renames.end()) {
            const auto& [from, to] = rename->second;
            expected[to] = expected.at(from);
            expected.erase(from);
        }
        EXPECT_EQ(FolderContents(files, sendTo), expected);
        const bool isFolder = before[row].caption == "Tools";
        EXPECT_EQ(RowsOf(list, program.Id()).at(row).checked, isFolder ? before[row].checked : !before[row].checked);
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
