#include "app/SendToMenuCommands.h"

namespace kestrova {

namespace {

constexpr const char* kMenuEnabledItem = "SendToMenuEnabled";

// Built in, not translated: the question before the SendTo folder is emptied.
constexpr const char* kRestoreQuestion =
    "Восстановить все элементы SendTo по умолчанию?\r\n"
    "Будут удалены все пользовательские элементы и созданы стандартные.";

}  // namespace

SendToMenuCommands::SendToMenuCommands(MainWindow& form, ProgramState& state, SendToCatalogue& catalogue,
                                       SendToMenuSwitch& menuSwitch)
    : form_(form), state_(state), catalogue_(catalogue), menuSwitch_(menuSwitch)
{
}

void SendToMenuCommands::ShowMenuState() { form_.SetMenuItemChecked(kMenuEnabledItem, state_.sendToMenuEnabled); }

void SendToMenuCommands::LoadMenuState()
{
    state_.sendToMenuEnabled = false;
    ShowMenuState();
    state_.sendToMenuEnabled = !menuSwitch_.IsSendToMenuDisabled();
    ShowMenuState();
}

bool SendToMenuCommands::RestoreDefaults()
{
    if (!form_.AskConfirmation(kRestoreQuestion))
        return false;
    catalogue_.RestoreDefaults();
    return true;
}

void SendToMenuCommands::SwitchMenu()
{
    const bool on = !state_.sendToMenuEnabled;
    menuSwitch_.SetSendToMenuEnabled(on);
    state_.sendToMenuEnabled = on;
    ShowMenuState();
}

}  // namespace kestrova
