#include "platform/win32/AccountNames.h"

#include "platform/win32/WideString.h"

#include <windows.h>

#include <vector>

namespace kestrova {

namespace {

std::string AccountOfToken(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameLength = 256;
    DWORD domainLength = 256;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use))
        return {};
    return Narrow(std::wstring(domain) + L"\\" + name);
}

std::string AccountOfProcess(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    std::string account = AccountOfToken(token);
    CloseHandle(token);
    return account;
}

}  // namespace

std::string ProcessAccountName() { return AccountOfProcess(GetCurrentProcess()); }

std::string ShellAccountName()
{
    const HWND shell = GetShellWindow();
    DWORD processId = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &processId) || processId == 0)
        return {};
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    std::string account = AccountOfProcess(process);
    CloseHandle(process);
    return account;
}

}  // namespace kestrova
