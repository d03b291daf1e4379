#include "RegistryBackends.h"

#include "platform/MemoryRegistry.h"

#ifdef _WIN32
#include "platform/win32/Win32Registry.h"

#include <windows.h>
#endif

namespace kestrova {

namespace {

#ifdef _WIN32
bool RunningUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#endif

}  // namespace

std::vector<BackendCase> RegistryBackends()
{
    std::vector<BackendCase> backends{{"Memory", [] { return std::make_unique<MemoryRegistry>(); }}};
#ifdef _WIN32
    const bool windows = !RunningUnderWine();
    backends.push_back({"Win32", [] { return std::make_unique<Win32Registry>(); }, windows, windows});
#endif
    return backends;
}

}  // namespace kestrova
