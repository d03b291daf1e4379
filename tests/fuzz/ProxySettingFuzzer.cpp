// Fuzzes the reading of the user's proxy setting: any data stored as the ProxyServer
// string of the Internet settings (UTF-16 units, a NUL or none) must give a proxy or none
// without a crash, and a proxy given always names a server.
#include "platform/MemoryRegistry.h"
#include "update/SystemProxy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

using namespace kestrova;

// The Internet settings key with the proxy switched on, made once and kept open.
RegHandle InternetSettings(MemoryRegistry& registry)
{
    RegHandle key = 0;
    if (registry.CreateKey(RootHandle(RegRoot::CurrentUser),
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", access::AllAccess,
                           key) != regerr::Success ||
        registry.SetValue(key, "ProxyEnable", RegValue{static_cast<std::uint32_t>(RegType::Dword), {1, 0, 0, 0}}) !=
            regerr::Success)
        throw std::runtime_error("cannot set up the Internet settings");
    return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryRegistry registry;
    static const RegHandle settings = InternetSettings(registry);
    if (registry.SetValue(settings, "ProxyServer",
                          RegValue{static_cast<std::uint32_t>(RegType::Sz), {data, data + size}}) != regerr::Success)
        std::abort();

    SystemProxy proxy;
    if (GetSystemProxy(registry, proxy) && proxy.server.empty())
        std::abort();
    return 0;
}
