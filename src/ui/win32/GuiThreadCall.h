// A worker's synchronous hand-over to the GUI thread: the step runs on the thread of a
// window, inside that window's procedure, while the worker waits for it to finish.
#pragma once

#include <windows.h>

#include <functional>

namespace kestrova {

// Runs `step` on the thread that owns `window` and returns once it has run. False when
// the window no longer exists: the step did not run.
bool RunOnWindowThread(HWND window, const std::function<void()>& step);

// For the window procedure: runs the step when `message` is a hand-over and says so.
bool RunHandedOverStep(UINT message, LPARAM lParam);

}  // namespace kestrova
