// The calls into uxtheme and dwmapi, which are no Known DLLs: each DLL is loaded from the
// system folder at its first use (LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32), never
// from the program's folder, where an ordinary user may plant one.
#pragma once

#include <windows.h>

namespace kestrova {

// SetWindowTheme; E_NOTIMPL when uxtheme cannot be had.
HRESULT SetSystemWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList);

// DwmSetWindowAttribute; E_NOTIMPL when dwmapi cannot be had.
HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size);

}  // namespace kestrova
