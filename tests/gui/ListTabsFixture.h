// A shown main window with the program's list tabs behind it, wired as the program wires
// them, over the real registry (which a test can make read-only), real files and a shell
// that records what it is asked to do.
#pragma once

#include "MainWindowFixture.h"
#include "RealRegistry.h"
#include "RecordingShell.h"
#include "ScratchFolder.h"
#include "app/ListTabs.h"
#include "app/MainCommands.h"
#include "app/SendToMenuCommands.h"
#include "app/UndoDeleteCommand.h"
#include "catalogue/SendToMenuSwitch.h"
#include "platform/win32/Win32FileSystem.h"
#include "settings/ProgramState.h"

#include <memory>

namespace kestrova {

class ListTabsTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The tab of a list of the window.
    CatalogueTab& TabOf(const ListView& list);

    RealRegistry registry_;
    Win32FileSystem files_;
    RecordingShell shell_;
    ScratchFolder backupFolder_{files_};
    ProgramState state_;
    std::unique_ptr<UndoDeleteCommand> deletions_;
    std::unique_ptr<ListTabs> tabs_;
    std::unique_ptr<SendToMenuSwitch> sendToSwitch_;
    std::unique_ptr<SendToMenuCommands> sendToMenu_;
    std::unique_ptr<MainCommands> commands_;
};

}  // namespace kestrova
