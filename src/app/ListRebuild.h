// How every tab rebuilds its list: a rebuild switches nothing, paints once, and leaves
// the list usable even when it fails part-way.
#pragma once

#include "app/MainWindow.h"

#include <cstddef>
#include <functional>

namespace kestrova {

// With FLoading set, painting suspended and the check-box handler detached, empties
// `list`, lets `fill` write the new rows and writes the count it returns into the
// list's status bar; then selects and focuses the first row. When `fill` throws, the
// rows written so far stay, the count and selection are left alone, the handler and
// FLoading are restored, and the error propagates.
void RebuildList(MainWindow& form, ListView& list, const std::function<std::size_t(RowSink& rows)>& fill);

}  // namespace kestrova
