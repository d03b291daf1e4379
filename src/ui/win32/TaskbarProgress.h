// The progress a window shows on its taskbar button: none, or a value out of a maximum.
// Where the shell offers no taskbar (or none yet), the calls do nothing.
#pragma once

#include <windows.h>
#include <shobjidl.h>

namespace kestrova {

class TaskbarProgress {
public:
    TaskbarProgress() = default;
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void SetNormal(HWND window);  // a bar from now on
    void SetNone(HWND window);    // no bar
    void SetValue(HWND window, int value, int maximum);

private:
    ITaskbarList3* Taskbar();

    ITaskbarList3* taskbar_ = nullptr;
    bool unavailable_ = false;
};

}  // namespace kestrova
