#include "RemoteListView.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "KestrovaProcess.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

BOOL CALLBACK CollectList(HWND window, LPARAM found)
{
    if (WindowClass(window) == WC_LISTVIEWW)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> ListViewsOf(HWND window)
{
    std::vector<HWND> lists;
    EnumChildWindows(window, CollectList, reinterpret_cast<LPARAM>(&lists));
    return lists;
}

int ColumnCount(HWND list)
{
    return static_cast<int>(SendMessageW(ListView_GetHeader(list), HDM_GETITEMCOUNT, 0, 0));
}

// Texts are read through a buffer in the other process, since the list writes them
// into its caller's memory.
std::vector<EntryRow> RowsOf(HWND list, DWORD processId)
{
    std::vector<EntryRow> rows;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) {
        ADD_FAILURE() << "cannot open the process: error " << GetLastError();
        return rows;
    }
    constexpr int kTextSize = 1024;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kTextSize * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    const auto textOf = [&](int index, int subItem) {
        LVITEMW item{};
        item.iSubItem = subItem;
        item.pszText = remoteText;
        item.cchTextMax = kTextSize;
        wchar_t text[kTextSize] = {};
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
        return Narrow(text);
    };
    const int count = ListView_GetItemCount(list);
    const int columns = ColumnCount(list);
    for (int i = 0; i < count; ++i) {
        EntryRow row{textOf(i, 0), {}, ListView_GetCheckState(list, i) != 0};
        for (int column = 1; column < columns; ++column)
            row.subItems.push_back(textOf(i, column));
        rows.push_back(std::move(row));
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

std::pair<HWND, int> FindRowOfPath(HWND window, DWORD processId, const std::string& path)
{
    for (HWND list : ListViewsOf(window)) {
        const std::vector<EntryRow> rows = RowsOf(list, processId);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].subItems.size() >= 3 && rows[i].subItems[2] == path)
                return {list, static_cast<int>(i)};
    }
    return {nullptr, -1};
}

void PressSpaceOn(HWND list, int row)
{
    SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
    for (int down = 0; down < row; ++down)
        SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
}

}  // namespace kestrova
