// The command line's view of a list and its rows: the table of list names, each row's
// id and the fields that `list` prints. An id is the section column and the path column
// joined by a backslash for registry lists, or the file's name for the SendTo list.
#pragma once

#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// One row of the table of lists the command line knows by name.
struct ConsoleList {
    std::string_view name;                  // as typed: "context", "new", "sendto", ...
    ListCatalogue* catalogue = nullptr;     // null: a list this build does not have yet
    bool needsAdministrator = false;        // switching or deleting its entries writes HKLM
    // Column of the row's sub-items holding the section; none for lists of files.
    std::optional<std::size_t> sectionColumn;
    std::size_t pathColumn = 0;
    // The entry's key is renamed when switched (ShellNew and old_ShellNew), so the id the
    // path gives names the same entry in either state.
    bool templateKeyRenames = false;
};

// What `list` prints of one entry, and the row that switches or deletes it.
struct ConsoleEntry {
    std::string id;
    std::string list;
    std::string name;
    std::string shownAs;
    std::string section;
    std::string path;
    bool on = false;
    EntryRow row;
};

// The text a row shows in the menu. The caption until the lists carry a column of their
// own for it; everything that prints it takes it from here.
std::string ShownAs(const EntryRow& row);

// Whether the row is the placeholder an empty list shows.
bool IsPlaceholderRow(const EntryRow& row);

ConsoleEntry DescribeRow(const ConsoleList& list, const EntryRow& row);

// Whether `id` names the entry: the same text without regard to case (registry and file
// names ignore it), or for lists whose key is renamed when switched, its other name.
bool IdNamesEntry(const ConsoleList& list, std::string_view id, const ConsoleEntry& entry);

// The catalogue's rows, placeholders left out. Unreadable values do not stop it.
std::vector<ConsoleEntry> LoadEntries(const ConsoleList& list);

}  // namespace kestrova
