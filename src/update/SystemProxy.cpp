#include "update/SystemProxy.h"

#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/RegistryCursor.h"
#include "settings/IniDocument.h"

#include <optional>

namespace kestrova {

namespace {

constexpr char kInternetSettings[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr int kDefaultPort = 8080;

// The first entry of a per-protocol list that gives a non-empty address.
std::optional<std::string_view> FirstListedAddress(std::string_view list)
{
    while (true) {
        const std::size_t separator = list.find(';');
        std::string_view entry = TrimBlanks(list.substr(0, separator));
        if (const std::size_t equals = entry.find('='); equals != std::string_view::npos)
            entry = TrimBlanks(entry.substr(equals + 1));
        if (!entry.empty())
            return entry;
        if (separator == std::string_view::npos)
            return std::nullopt;
        list.remove_prefix(separator + 1);
    }
}

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
    if (value.empty())
        return false;
    std::string_view address = value;
    if (address.find('=') != std::string_view::npos) {
        const std::optional<std::string_view> listed = FirstListedAddress(address);
        if (!listed)
            return false;
        address = *listed;
    }
    if (const std::size_t colon = address.find(':'); colon != std::string_view::npos) {
        proxy.server = TrimBlanks(address.substr(0, colon));
        proxy.port = ParseIniInteger(TrimBlanks(address.substr(colon + 1))).value_or(kDefaultPort);
    } else {
        proxy.server = TrimBlanks(address);
        proxy.port = kDefaultPort;
    }
    return !proxy.server.empty();
}

}  // namespace kestrova
