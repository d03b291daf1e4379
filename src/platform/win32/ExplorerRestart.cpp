#include "platform/win32/ExplorerRestart.h"

#include <windows.h>
#include <restartmanager.h>

namespace kestrova {

namespace {

// rstrtmgr is no Known DLL: loaded from the system folder only, at its first use.
template <typename Function>
Function RestartManagerFunction(const char* name)
{
    static HMODULE module = LoadLibraryExW(L"rstrtmgr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The shell's process as the Restart Manager names it: its id and its start time.
bool ShellProcess(RM_UNIQUE_PROCESS& process)
{
    DWORD id = 0;
    HWND shell = GetShellWindow();
    if (!shell || !GetWindowThreadProcessId(shell, &id) || !id)
        return false;
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!handle)
        return false;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool known = GetProcessTimes(handle, &created, &exited, &kernel, &user);
    CloseHandle(handle);
    process = {id, created};
    return known;
}

}  // namespace

bool RestartExplorer()
{
    using StartSession = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR[]);
    using RegisterResources = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR[], UINT, RM_UNIQUE_PROCESS[], UINT, LPCWSTR[]);
    using Shutdown = DWORD(WINAPI*)(DWORD, ULONG, RM_WRITE_STATUS_CALLBACK);
    using Restart = DWORD(WINAPI*)(DWORD, DWORD, RM_WRITE_STATUS_CALLBACK);
    using EndSession = DWORD(WINAPI*)(DWORD);
    const auto startSession = RestartManagerFunction<StartSession>("RmStartSession");
    const auto registerResources = RestartManagerFunction<RegisterResources>("RmRegisterResources");
    const auto shutdown = RestartManagerFunction<Shutdown>("RmShutdown");
    const auto restart = RestartManagerFunction<Restart>("RmRestart");
    const auto endSession = RestartManagerFunction<EndSession>("RmEndSession");
    RM_UNIQUE_PROCESS before{};
    if (!startSession || !registerResources || !shutdown || !restart || !endSession || !ShellProcess(before))
        return false;

    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (startSession(&session, 0, key) != ERROR_SUCCESS)
        return false;
    bool restarted = registerResources(session, 0, nullptr, 1, &before, 0, nullptr) == ERROR_SUCCESS &&
                     shutdown(session, RmForceShutdown, nullptr) == ERROR_SUCCESS &&
                     restart(session, 0, nullptr) == ERROR_SUCCESS;
    endSession(session);
    if (!restarted)
        return false;
    // A Restart Manager that reports success without doing anything must not pass for a
    // restart: only a shell process other than the old one counts.
    for (int waited = 0; waited < 100; ++waited) {
        RM_UNIQUE_PROCESS after{};
        if (ShellProcess(after) && (after.dwProcessId != before.dwProcessId ||
                                    CompareFileTime(&after.ProcessStartTime, &before.ProcessStartTime) != 0))
            return true;
        Sleep(100);
    }
    return false;
}

}  // namespace kestrova
