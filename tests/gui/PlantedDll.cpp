// Stands for a DLL that an ordinary user plants beside a portable copy of the program:
// once loaded, it leaves a mark at the path KESTROVA_PLANTED_MARK names.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t mark[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"KESTROVA_PLANTED_MARK", mark, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            HANDLE file = CreateFileW(mark, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
    return TRUE;
}
