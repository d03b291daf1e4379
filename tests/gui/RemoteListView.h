// The list views of a started program's window, read from outside its process as a
// user sees them.
#pragma once

#include <windows.h>

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

}  // namespace kestrova
