// The list views of a started program's window, read from outside its process as a
// user sees them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/EntryRow.h"

namespace kestrova {

// Every list view below `window`, in creation order.
std::vector<HWND> ListViewsOf(HWND window);

// How many columns a list view shows.
int ColumnCount(HWND list);

// The rows of a list view in the process `processId`: the caption, the texts of the
// other columns as sub-items, and the check box.
std::vector<EntryRow> RowsOf(HWND list, DWORD processId);

// The list below `window` and the row in it whose registry-path column (the third
// sub-item) is `path`; a null list when no row shows it.
std::pair<HWND, int> FindRowOfPath(HWND window, DWORD processId, const std::string& path);

// Gives the row the focus from the keyboard and presses the space bar. Sent, not
// posted: the switch is done when the call returns.
void PressSpaceOn(HWND list, int row);

}  // namespace kestrova
