#include "update/win32/UpdateFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <memory>

#include "platform/AppError.h"
#include "platform/win32/WhereNamedFile.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

// Owner Administrators; protected DACL: SYSTEM and Administrators full control, users read
// and execute; each inherited by files and folders below.
constexpr wchar_t kAdminOnly[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

[[noreturn]] void Fail(const std::string& what, const std::wstring& path, DWORD error)
{
    throw AppError(what + " " + Narrow(path) + " (error " + std::to_string(error) + ")");
}

struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

// Creates one folder with the admin-only security, or gives an existing one that security.
void MakeOneFolder(const std::wstring& path, PSECURITY_DESCRIPTOR security)
{
    if (IsLinkByName(path))
        Fail("Not a plain folder:", path, ERROR_CANT_ACCESS_FILE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    if (!CreateDirectoryW(path.c_str(), &attributes) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("Cannot create the folder", path, GetLastError());
    // Whoever made it first may have made it a link elsewhere, or kept rights to it.
    UniqueHandle folder(CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (folder.get() == INVALID_HANDLE_VALUE) {
        folder.release();
        Fail("Cannot open the folder", path, GetLastError());
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(folder.get(), &information))
        Fail("Cannot read the folder", path, GetLastError());
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || IsLinkByName(path))
        Fail("Not a plain folder:", path, ERROR_CANT_ACCESS_FILE);
    if (!ReachedAsNamed(folder.get(), path))
        Fail("The folder leads elsewhere:", path, ERROR_CANT_ACCESS_FILE);
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    GetSecurityDescriptorOwner(security, &owner, &defaulted);
    GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted);
    const DWORD error = SetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                            PROTECTED_DACL_SECURITY_INFORMATION,
                                        owner, nullptr, dacl, nullptr);
    if (error != ERROR_SUCCESS)
        Fail("Cannot protect the folder", path, error);
}

}  // namespace

std::wstring UpdateFolderPath()
{
    PWSTR programData = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DONT_VERIFY, nullptr, &programData)) && *programData)
        folder = WithoutTrailingBackslash(programData) + L"\\Kestrova\\Update\\";
    CoTaskMemFree(programData);
    return folder;
}

void MakeAdminOnlyFolder(const std::wstring& folder)
{
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdminOnly, SDDL_REVISION_1, &raw, nullptr))
        Fail("Cannot describe the security of", folder, GetLastError());
    const std::unique_ptr<void, LocalFreeDeleter> security(raw);
    const std::wstring path = WithoutTrailingBackslash(folder);
    const std::size_t parentEnd = path.find_last_of(L'\\');
    if (parentEnd != std::wstring::npos)
        MakeOneFolder(path.substr(0, parentEnd), security.get());
    MakeOneFolder(path, security.get());
}

std::wstring PrepareUpdateFolder()
{
    const std::wstring folder = UpdateFolderPath();
    if (folder.empty())
        throw AppError("The system names no ProgramData folder for the update");
    MakeAdminOnlyFolder(folder);
    return folder;
}

}  // namespace kestrova
