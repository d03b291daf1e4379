// The user's Internet proxy as the system's Internet settings in the registry give it.
#pragma once

#include "platform/RegistryBackend.h"

#include <string>

namespace kestrova {

struct SystemProxy {
    std::string server;
    int port = 0;
    bool enabled = false;  // ProxyEnable is 1
};

// Reads HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings. True when the
// proxy is switched on and names a server: then `proxy.server` and `proxy.port` are the
// ones to use. A per-protocol list ("http=a:3128;https=b:3129") gives its first entry
// with a value, whatever protocol that names; a missing or non-numeric port is 8080.
// A ProxyEnable or ProxyServer that is missing or of another type means no proxy.
bool GetSystemProxy(RegistryBackend& registry, SystemProxy& proxy);

}  // namespace kestrova
