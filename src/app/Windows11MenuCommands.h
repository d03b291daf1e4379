// The Windows 11 menu tab's own commands: the classic-menu check box, rows sharing a
// CLSID kept in step, the note that Explorer must restart, and the restart button.
#pragma once

#include "app/MainWindow.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/Windows11MenuCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace kestrova {

class Windows11MenuCommands {
public:
    // `osBuild` is the build the system reports; `restartExplorer` is true once Explorer
    // runs again. The catalogue's loads refresh the check box from then on.
    Windows11MenuCommands(MainWindow& form, Windows11MenuCatalogue& catalogue, ClassicMenuSwitch& classic,
                          UndoDeleteCommand& deletions, std::uint32_t osBuild, std::function<bool()> restartExplorer);

    const ListView& List() const { return form_.ListViewWindows11Menu; }

    // The check box shows the registry; on Windows 10 it is disabled and the label says why.
    void ShowClassicMenu();
    // The user changed the check box: the key is created, or deleted with its copy.
    void SwitchClassicMenu();
    // Row `index` switched to `checked`: every row of the same CLSID shows it too.
    void RowSwitched(std::size_t index, bool checked);
    void RestartExplorer();

private:
    void NoteRestartNeeded(bool needed);

    MainWindow& form_;
    ClassicMenuSwitch& classic_;
    UndoDeleteCommand& deletions_;
    bool windows11_;
    std::optional<bool> classicOn_;  // as last shown
    std::function<bool()> restartExplorer_;
};

}  // namespace kestrova
