#include "update/SystemProxy.h"

#include "platform/AppError.h"
#include "platform/RegistryCursor.h"
#include "update/ProxyList.h"

#include <optional>

namespace kestrova {

namespace {

constexpr char kInternetSettings[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr int kDefaultPort = 8080;

}  // namespace

bool GetSystemProxy(RegistryBackend& registry, SystemProxy& proxy)
{
    proxy = {};
    RegistryCursor key(registry);
    key.RootKey = RegRoot::CurrentUser;
    if (!key.OpenKey(kInternetSettings, false))
        return false;
    std::string value;
    try {
        proxy.enabled = key.ReadInteger("ProxyEnable") == 1;
        if (!proxy.enabled)
            return false;
        value = key.ReadString("ProxyServer");
    } catch (const AppError&) {
        // Many machines have no ProxyEnable at all: that is no proxy, not a failed check.
        return false;
    }
    const std::optional<ProxyAddress> address = FirstHttpProxy(value, kDefaultPort);
    if (!address)
        return false;
    proxy.server = address->host;
    proxy.port = address->port;
    try {
        if (key.ValueExists("ProxyOverride"))
            proxy.bypass = key.ReadString("ProxyOverride");
    } catch (const AppError&) {
        // A bypass list of another type bypasses nothing.
    }
    return true;
}

}  // namespace kestrova
