// The first tab: its list filled by the context-menu catalogue, and the list's check
// boxes and commands (refresh, delete, open in the registry editor) acting through it.
#pragma once

#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <cstddef>

namespace kestrova {

class ContextMenuTab {
public:
    ContextMenuTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                   UndoDeleteCommand& deletions);

    // Connects the tab's hooks of the window.
    void Wire();

    // Rebuilds the list from the registry. Caption values of the wrong type are
    // reported once the list is complete, by an error naming each value and its key.
    void LoadContextMenuList();
    bool ListViewContextMenuItemChecked(std::size_t index, bool checked);
    void ContextMenuUpdateClick();
    void ContextMenuDeleteClick();
    void DeleteContextMenuItem();
    void ContextMenuRegOpenClick();

private:
    MainWindow& form_;
    UndoDeleteCommand& deletions_;
    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    ContextMenuCatalogue catalogue_;
};

}  // namespace kestrova
