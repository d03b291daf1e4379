// A Kestrova.exe started for a test and the windows it shows, read from outside the
// process as a user would see them. The process is ended and its handles closed when
// the object goes, whatever the test did in between.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kestrova {

using namespace std::chrono_literals;

// Longest wait for anything the started program does: Wine may need a few seconds to
// start a process on a busy machine, and no test may hang.
inline constexpr std::chrono::milliseconds kProgramTimeout = 30s;

class KestrovaProcess {
public:
    // Starts `exe` (a Windows path) in its own folder. Throws when it cannot be started.
    explicit KestrovaProcess(const std::wstring& exe);
    ~KestrovaProcess();
    KestrovaProcess(const KestrovaProcess&) = delete;
    KestrovaProcess& operator=(const KestrovaProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }

    // The visible top-level windows of the process.
    std::vector<HWND> VisibleWindows() const;
    // Waits until the process shows a window; null when none appeared in time or the
    // process ended first.
    HWND WaitForWindow() const;
    // Waits until the process shows a window of `windowClass` ("#32770": a message box).
    HWND WaitForWindowOfClass(const std::wstring& windowClass) const;
    // Waits for the process to end; its exit code, or nothing when it still runs.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kProgramTimeout) const;

private:
    PROCESS_INFORMATION info_{};
};

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass);

// The program's own version of Windows, as Wine lets a user set one per program (by
// the executable's file name), for as long as the object lives.
class ScopedWineVersion {
public:
    ScopedWineVersion(const std::wstring& exeName, const std::wstring& version);
    ~ScopedWineVersion();
    ScopedWineVersion(const ScopedWineVersion&) = delete;
    ScopedWineVersion& operator=(const ScopedWineVersion&) = delete;

private:
    std::wstring key_;
};

// The built Kestrova.exe as a Windows path (the build tree lies on Wine's drive Z:).
std::wstring KestrovaExe();

}  // namespace kestrova
