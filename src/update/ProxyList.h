// The proxy text of the Internet settings read as WinHTTP reads a proxy list: entries
// "[<scheme>=][<scheme>://]<server>[:<port>]" separated by ";" or blanks, a server being a
// name, an IPv4 address or an IPv6 address in brackets.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

struct ProxyAddress {
    std::string host;  // without the brackets of an IPv6 address
    int port = 0;
};

// The first entry that names a server, skipping "socks=" entries (a SOCKS proxy is not
// an HTTP proxy); a missing or non-numeric port is `defaultPort`. None when no entry
// names a server.
std::optional<ProxyAddress> FirstHttpProxy(std::string_view list, int defaultPort);

// "host:port" as WinHTTP takes a proxy, with an IPv6 address in brackets.
std::string ProxyForWinHttp(const std::string& host, int port);

}  // namespace kestrova
