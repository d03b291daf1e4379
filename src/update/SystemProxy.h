// The user's Internet proxy as the system's Internet settings in the registry give it.
#pragma once

#include "platform/RegistryBackend.h"

#include <string>

namespace kestrova {

struct SystemProxy {
    std::string server;    // an IPv6 address without its brackets
    int port = 0;
    bool enabled = false;  // ProxyEnable is 1
    std::string bypass;    // ProxyOverride: the hosts reached without the proxy, as WinHTTP takes them
};

// Reads HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings. True when the
// proxy is switched on and names a server: then `proxy.server` and `proxy.port` are the
// ones to use. ProxyServer is read as WinHTTP reads a proxy list (ProxyList.h): its first
// entry that names a server, whatever protocol it is for, except a SOCKS proxy; a missing
// or non-numeric port is 8080. A ProxyEnable or ProxyServer that is missing or of another
// type means no proxy.
bool GetSystemProxy(RegistryBackend& registry, SystemProxy& proxy);

}  // namespace kestrova
