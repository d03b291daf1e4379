#include "platform/win32/NamedMutexLock.h"

#include "platform/AppError.h"
#include "platform/win32/WideString.h"

#include <windows.h>
#include <sddl.h>

namespace kestrova {

namespace {

// Everyone may wait on and release the mutex (SYNCHRONIZE | MUTEX_MODIFY_STATE), whichever
// account created it: an elevated window and a script run as SYSTEM share it.
HANDLE CreateShared(const std::wstring& name)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                                             &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    HANDLE handle = CreateMutexW(&attributes, FALSE, name.c_str());
    if (!handle)
        handle = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    if (descriptor)
        LocalFree(descriptor);
    return handle;
}

}  // namespace

NamedMutexLock::NamedMutexLock(const std::string& name, unsigned long timeoutMs)
{
    HANDLE handle = CreateShared(Widen(name));
    if (!handle)
        throw AppError(FillPattern("Cannot open the lock %s", name));
    const DWORD waited = WaitForSingleObject(handle, timeoutMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(handle);
        throw AppError(FillPattern("The list is being changed by another Kestrova (%s); try again", name));
    }
    handle_ = handle;
}

NamedMutexLock::~NamedMutexLock()
{
    if (handle_) {
        ReleaseMutex(handle_);
        CloseHandle(handle_);
    }
}

}  // namespace kestrova
