// The third tab: its list filled from the SendTo folder, the list's check boxes and
// commands (refresh, open folder, delete, restore defaults) acting through the SendTo
// catalogue, and the check item that switches Explorer's whole Send to sub-menu.
#pragma once

#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/SendToCatalogue.h"
#include "catalogue/SendToMenuSwitch.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <cstddef>

namespace kestrova {

class SendToTab {
public:
    SendToTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                   UndoDeleteCommand& deletions);

    // Connects the tab's hooks of the window.
    void Wire();

    void LoadSendToList();
    // Sets the mark of SendToMenuEnabled from the registry; a malformed value leaves it
    // clear and propagates.
    void LoadSendToMenuState();
    bool ListViewSendToItemChecked(std::size_t index, bool checked);
    void SendToMenuUpdateClick();
    void SendToMenuRestoreDefaultClick();
    void SendToMenuEnabledClick();
    void SendToMenuOpenFolderClick();
    void SendToMenuDeleteClick();
    void DeleteSendToItem();

private:
    MainWindow& form_;
    UndoDeleteCommand& deletions_;
    SendToCatalogue catalogue_;
    SendToMenuSwitch menuSwitch_;
};

}  // namespace kestrova
