// The admin-only folder an update is saved in and started from, with the real file
// system's security.
#include "update/win32/UpdateFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "platform/win32/WideString.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova {
namespace {

constexpr DWORD kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                               FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type)
{
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(sid, buffer);
}

// What is wrong with the folder's security for an admin-only folder; empty when nothing.
std::string SecurityFaults(const std::wstring& folder)
{
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              &owner, nullptr, &dacl, nullptr, &security) != ERROR_SUCCESS)
        return "no security readable";
    std::string faults;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(security, &control, &revision);
    if (!(control & SE_DACL_PROTECTED))
        faults += "DACL inherits; ";
    if (!owner || !IsWellKnown(owner, WinBuiltinAdministratorsSid))
        faults += "owner is not Administrators; ";
    if (!dacl)
        faults += "no DACL (everyone may do anything); ";
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        GetAce(dacl, i, reinterpret_cast<void**>(&header));
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        PSID sid = &ace->SidStart;
        if (!IsWellKnown(sid, WinLocalSystemSid) && !IsWellKnown(sid, WinBuiltinAdministratorsSid) &&
            (ace->Mask & kWriteRights))
            faults += "someone else may write; ";
    }
    LocalFree(security);
    return faults;
}

TEST(UpdateFolder, IsBelowProgramDataAndNotInTheUsersTemporaryFolder)
{
    const std::wstring folder = UpdateFolderPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.ends_with(L"\\Kestrova\\Update\\")) << Narrow(folder);
    wchar_t temp[MAX_PATH];
    const std::wstring tempFolder(temp, GetTempPathW(MAX_PATH, temp));
    EXPECT_FALSE(folder.starts_with(tempFolder)) << Narrow(folder);
}

// Whether this file system keeps the security a folder is created with; Wine's may not.
bool KeepsSecurity(const std::string& folder)
{
    PSECURITY_DESCRIPTOR probe = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;SY)", SDDL_REVISION_1, &probe, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, probe, FALSE};
    CreateDirectoryW(Widen(folder).c_str(), &attributes);
    LocalFree(probe);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetNamedSecurityInfoW(Widen(folder).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &security) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(security, &control, &revision);
    const bool kept = (control & SE_DACL_PROTECTED) && dacl && dacl->AceCount == 1;
    LocalFree(security);
    return kept;
}

TEST(UpdateFolder, ANewOrAnExistingFolderIsLeftWritableByAdministratorsAndSystemOnly)
{
    PlatformFileSystem fs;
    ScratchFolder scratch(fs);
    if (!KeepsSecurity(scratch / "Probe"))
        GTEST_SKIP() << "this file system keeps no security descriptor a folder is given (Wine without xattrs)";
    // One made beforehand by somebody else, open to everyone, with a file in it.
    PSECURITY_DESCRIPTOR open = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &open, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, open, FALSE};
    ASSERT_TRUE(CreateDirectoryW(Widen(scratch / "Taken").c_str(), &attributes));
    ASSERT_TRUE(CreateDirectoryW(Widen(scratch / "Taken\\Update").c_str(), &attributes));
    LocalFree(open);

    for (const char* name : {"New\\Update\\", "Taken\\Update\\"}) {
        SCOPED_TRACE(name);
        const std::wstring folder = Widen(scratch / name);
        ASSERT_NO_THROW(MakeAdminOnlyFolder(folder));
        EXPECT_EQ(SecurityFaults(folder), "");
        EXPECT_EQ(SecurityFaults(folder.substr(0, folder.size() - 7)), "") << "and its parent";
        // Files made in it inherit the same.
        ASSERT_TRUE(fs.WriteWholeFile(Narrow(folder) + "file.txt", "x"));
        EXPECT_EQ(SecurityFaults(folder + L"file.txt"), "");
    }
}

TEST(UpdateFolder, AFolderThatLeadsElsewhereIsRefused)
{
    PlatformFileSystem fs;
    ScratchFolder scratch(fs);
    ASSERT_TRUE(fs.MakeDirectory(scratch / "Elsewhere"));
    ASSERT_TRUE(fs.MakeDirectory(scratch / "K"));
    if (!CreateSymbolicLinkW(Widen(scratch / "K\\Update").c_str(), Widen(scratch / "Elsewhere").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "this system made no folder link (error " << GetLastError() << ")";
    if (!fs.DirectoryExists(scratch / "K\\Update")) {
        RemoveDirectoryW(Widen(scratch / "K\\Update").c_str());
        GTEST_SKIP() << "this system made a folder link that leads nowhere (Wine)";
    }
    EXPECT_ANY_THROW(MakeAdminOnlyFolder(Widen(scratch / "K\\Update\\")));
    RemoveDirectoryW(Widen(scratch / "K\\Update").c_str());
}

}  // namespace
}  // namespace kestrova
