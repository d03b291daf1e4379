#include "ui/win32/SystemLibraryCalls.h"

namespace kestrova {

namespace {

// `name` of the system folder's `dll`; null when either is missing. Loaded once and kept.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

HRESULT SetSystemWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList)
{
    using Function = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const Function function = SystemFunction<Function>(L"uxtheme.dll", "SetWindowTheme");
    return function ? function(window, subAppName, subIdList) : E_NOTIMPL;
}

HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size)
{
    using Function = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const Function function = SystemFunction<Function>(L"dwmapi.dll", "DwmSetWindowAttribute");
    return function ? function(window, attribute, value, size) : E_NOTIMPL;
}

}  // namespace kestrova
