// The single-instance guard: a named mutex that the first process creates and holds
// for its whole life.
#pragma once

namespace kestrova {

// True when a process already holds the mutex "Kestrova". Otherwise creates it; the
// handle is never closed, so the mutex lives as long as this process.
bool IsAnotherInstanceRunning();

}  // namespace kestrova
