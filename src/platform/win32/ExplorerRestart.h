// Restarting Explorer through the Restart Manager, so that the shell re-reads settings
// it reads only at its start.
#pragma once

namespace kestrova {

// Shuts the shell's process down and starts it again (RmStartSession, RmRegisterResources,
// RmShutdown, RmRestart). True only once a new shell process runs; false when any step
// fails, the Restart Manager is missing, or no shell came back in time.
bool RestartExplorer();

}  // namespace kestrova
