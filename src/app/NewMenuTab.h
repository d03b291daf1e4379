// The "New" tab: its list filled by the New-menu catalogue, and the list's check boxes
// and commands (refresh, delete, open in the registry editor) acting through it.
#pragma once

#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/NewMenuCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <cstddef>

namespace kestrova {

class NewMenuTab {
public:
    NewMenuTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                   UndoDeleteCommand& deletions);

    // Connects the tab's hooks of the window.
    void Wire();

    // Rebuilds the list and its count from the registry; the first row is selected.
    void LoadNewMenuList();
    bool ListViewNewMenuItemChecked(std::size_t index, bool checked);
    void NewMenuMenuUpdateClick();
    void NewMenuMenuDeleteClick();
    void DeleteNewMenuItem();
    // Opens the registry editor at the row's template key, under the root key name
    // without the view suffix (" (32)", " (64)"), which the editor would not know.
    void NewMenuRegOpenClick();

private:
    MainWindow& form_;
    UndoDeleteCommand& deletions_;
    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    NewMenuCatalogue catalogue_;
};

}  // namespace kestrova
