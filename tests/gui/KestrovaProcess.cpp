#include "KestrovaProcess.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "TestFiles.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.processId && IsWindowVisible(window))
        wanted.found.push_back(window);
    return TRUE;
}

}  // namespace

KestrovaProcess::KestrovaProcess(const std::wstring& exe)
{
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_))
        throw std::runtime_error("cannot start " + Narrow(exe) + ": error " + std::to_string(GetLastError()));
}

KestrovaProcess::~KestrovaProcess()
{
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::vector<HWND> KestrovaProcess::VisibleWindows() const
{
    WindowSearch search{info_.dwProcessId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND KestrovaProcess::WaitForWindow() const
{
    const auto deadline = std::chrono::steady_clock::now() + kProgramTimeout;
    do {
        if (std::vector<HWND> windows = VisibleWindows(); !windows.empty())
            return windows.front();
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

HWND KestrovaProcess::WaitForWindowOfClass(const std::wstring& windowClass) const
{
    const auto deadline = std::chrono::steady_clock::now() + kProgramTimeout;
    do {
        for (HWND window : VisibleWindows())
            if (WindowClass(window) == windowClass)
                return window;
        if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

std::optional<DWORD> KestrovaProcess::WaitForExit(std::chrono::milliseconds timeout) const
{
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring WindowClass(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass)
{
    std::vector<HWND> children;
    for (HWND child = FindWindowExW(parent, nullptr, windowClass, nullptr); child;
         child = FindWindowExW(parent, child, windowClass, nullptr))
        children.push_back(child);
    return children;
}

ScopedWineVersion::ScopedWineVersion(const std::wstring& exeName, const std::wstring& version)
    : key_(L"Software\\Wine\\AppDefaults\\" + exeName)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create " << Narrow(key_);
        return;
    }
    RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                   static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

ScopedWineVersion::~ScopedWineVersion() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

std::wstring KestrovaExe()
{
    std::wstring exe = Widen(BuildHostPath(KESTROVA_EXE_PATH));
    for (wchar_t& c : exe)
        if (c == L'/')
            c = L'\\';
    return exe;
}

}  // namespace kestrova
