// Message loops of a window's own: showing it modally, and letting pending messages run
// in the middle of a handler.
#pragma once

#include <windows.h>

#include <vector>

namespace kestrova {

// One modal showing at a time of one window.
class ModalLoop {
public:
    // Disables the thread's other visible windows, shows `window` and runs its messages
    // (with the dialog keys Tab, Enter and Escape) until End is called; then enables the
    // others again, hides `window` and activates the window that was active before. A
    // WM_QUIT that arrives meanwhile ends the loop and is posted again for the outer one.
    void Run(HWND window);
    // Lets Run return once the present message is handled.
    void End() { ending_ = true; }
    bool Running() const { return running_; }

private:
    bool running_ = false;
    bool ending_ = false;
};

// Handles every message already queued for the thread, then returns; a WM_QUIT among
// them is posted again for the loop that owns it.
void ProcessPendingMessages();

}  // namespace kestrova
