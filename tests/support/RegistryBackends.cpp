#include "RegistryBackends.h"

#include "RegistrySeed.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#ifdef _WIN32
#include "platform/win32/Win32Registry.h"
#endif

#include <exception>
#include <string>

namespace kestrova {

namespace {

const std::string kProbeKey = "KestrovaViewProbe";

// Whether a key written in the 32-bit view of the classes tree is found at the same
// path in the 64-bit view. Where the probe cannot write, Windows' rule is assumed.
bool ProbeSharesClasses(RegistryBackend& backend)
{
    RegistrySeed seed(backend);
    const std::string path = "SOFTWARE\\Classes\\" + kProbeKey;
    bool shared = true;
    try {
        seed.CreateKey(RegRoot::LocalMachine, access::Wow64_32Key, path);
        shared = seed.KeyExists(RegRoot::LocalMachine, access::Wow64_64Key, path);
    } catch (const std::exception&) {
    }
    for (std::uint32_t view : {access::Wow64_32Key, access::Wow64_64Key})
        seed.DeleteTree(RegRoot::LocalMachine, view, path);
    return shared;
}

// Whether values come back in the order they were written.
bool ProbeValuesInCreationOrder(RegistryBackend& backend)
{
    RegistrySeed seed(backend);
    const std::string path = "Software\\" + kProbeKey;
    bool inCreationOrder = true;
    try {
        seed.SetDword(RegRoot::CurrentUser, 0, path, "b", 1);
        seed.SetDword(RegRoot::CurrentUser, 0, path, "a", 2);
        RegHandle key{};
        if (backend.OpenKey(RootHandle(RegRoot::CurrentUser), path, access::Read, key) == regerr::Success) {
            std::string first;
            inCreationOrder = backend.EnumValue(key, 0, first) != regerr::Success || first == "b";
            backend.CloseKey(key);
        }
    } catch (const std::exception&) {
    }
    seed.DeleteTree(RegRoot::CurrentUser, 0, path);
    return inCreationOrder;
}

BackendCase Measured(std::string name, std::function<std::unique_ptr<RegistryBackend>()> make)
{
    std::unique_ptr<RegistryBackend> backend = make();
    return {std::move(name), std::move(make), ProbeSharesClasses(*backend), ProbeValuesInCreationOrder(*backend)};
}

}  // namespace

std::vector<BackendCase> RegistryBackends()
{
    static const std::vector<BackendCase> backends = [] {
        std::vector<BackendCase> all{
            Measured("Memory", [] { return std::make_unique<MemoryRegistry>(); }),
            Measured("MemoryClassesApart", [] { return std::make_unique<MemoryRegistry>(ClassesViews::Apart); })};
#ifdef _WIN32
        all.push_back(Measured("Win32", [] { return std::make_unique<Win32Registry>(); }));
#endif
        return all;
    }();
    return backends;
}

}  // namespace kestrova
