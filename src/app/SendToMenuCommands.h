// The Send to list's own commands: putting the standard entries back, and the check item
// that switches Explorer's whole Send to sub-menu. Whether the sub-menu is on lives in
// the program's state; the item's mark shows it.
#pragma once

#include "app/MainWindow.h"
#include "catalogue/SendToCatalogue.h"
#include "catalogue/SendToMenuSwitch.h"
#include "settings/ProgramState.h"

namespace kestrova {

class SendToMenuCommands {
public:
    SendToMenuCommands(MainWindow& form, ProgramState& state, SendToCatalogue& catalogue,
                       SendToMenuSwitch& menuSwitch);

    // Reads whether the sub-menu is on. A malformed value leaves it off and propagates.
    void LoadMenuState();
    // Asks, then empties the folder to its standard entries; true when that was done and
    // the list wants a rebuild. A standard entry that cannot be created raises its failure.
    bool RestoreDefaults();
    // Switches the sub-menu to the other state; one that fails leaves the state as it was.
    void SwitchMenu();

private:
    void ShowMenuState();

    MainWindow& form_;
    ProgramState& state_;
    SendToCatalogue& catalogue_;
    SendToMenuSwitch& menuSwitch_;
};

}  // namespace kestrova
