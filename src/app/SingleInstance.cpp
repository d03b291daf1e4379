#include "app/SingleInstance.h"

#include <windows.h>

namespace kestrova {

bool IsAnotherInstanceRunning()
{
    HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"Kestrova");
    if (!existing)
        CreateMutexW(nullptr, FALSE, L"Kestrova");
    return existing != nullptr;
}

}  // namespace kestrova
