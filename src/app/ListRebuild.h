// A list's rebuild as every tab runs it: listRebuilding set and the check-box handler detached
// while the rows are filled, the count written to the list's status bar, the first row
// selected; the flag and the handler are back also when filling fails.
#pragma once

#include "app/MainWindow.h"
#include "catalogue/EntryRow.h"

#include <functional>

namespace kestrova {

// Empties `list`, lets `fill` add its rows and writes the count. An error of `fill`
// leaves the rows added so far, skips the count and the selection, and propagates.
void RebuildList(MainWindow& form, ListView& list, const std::function<void(RowSink&)>& fill);

}  // namespace kestrova
