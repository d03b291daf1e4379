#include "ui/win32/TaskbarProgress.h"

namespace kestrova {

TaskbarProgress::~TaskbarProgress()
{
    if (taskbar_)
        taskbar_->Release();
}

ITaskbarList3* TaskbarProgress::Taskbar()
{
    // Asked for once, at first use: the thread's COM is set up by then.
    if (!taskbar_ && !unavailable_) {
        void* found = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3, &found)))
            taskbar_ = static_cast<ITaskbarList3*>(found);
        if (taskbar_ && FAILED(taskbar_->HrInit())) {
            taskbar_->Release();
            taskbar_ = nullptr;
        }
        unavailable_ = taskbar_ == nullptr;
    }
    return taskbar_;
}

void TaskbarProgress::SetNormal(HWND window)
{
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressState(window, TBPF_NORMAL);
}

void TaskbarProgress::SetNone(HWND window)
{
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressState(window, TBPF_NOPROGRESS);
}

void TaskbarProgress::SetValue(HWND window, int value, int maximum)
{
    if (ITaskbarList3* taskbar = Taskbar())
        taskbar->SetProgressValue(window, static_cast<ULONGLONG>(value), static_cast<ULONGLONG>(maximum));
}

}  // namespace kestrova
