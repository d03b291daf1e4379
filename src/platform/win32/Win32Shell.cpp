#include "platform/win32/Win32Shell.h"

#include "platform/win32/DesktopShell.h"
#include "platform/win32/WideString.h"

#include <windows.h>
#include <shellapi.h>

namespace kestrova {

namespace {

constexpr UINT kBroadcastTimeoutMs = 50;

}  // namespace

bool Win32Shell::Open(WindowHandle owner, const std::string& file, const std::string& parameters,
                      const std::string& folder, int showCommand)
{
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideFolder = Widen(folder);
    const HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", wideFile.c_str(),
                                           parameters.empty() ? nullptr : wideParameters.c_str(),
                                           folder.empty() ? nullptr : wideFolder.c_str(), showCommand);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::OpenAsDesktopUser(const std::string& target)
{
    if (OpenThroughDesktopShell(Widen(target)))
        return true;
    return !IsProcessElevated() && Open(0, target, "", "", show::Show);
}

void Win32Shell::BroadcastSettingChange()
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &ignored);
}

}  // namespace kestrova
