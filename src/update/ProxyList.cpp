#include "update/ProxyList.h"

#include "platform/AsciiText.h"
#include "settings/IniDocument.h"

namespace kestrova {

namespace {

bool IsSeparator(char c) { return c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<ProxyAddress> ParseEntry(std::string_view entry, int defaultPort)
{
    if (const std::size_t equals = entry.find('='); equals != std::string_view::npos) {
        if (EqualsIgnoringAsciiCase(entry.substr(0, equals), "socks"))
            return std::nullopt;
        entry.remove_prefix(equals + 1);
    }
    if (const std::size_t scheme = entry.find("://"); scheme != std::string_view::npos)
        entry.remove_prefix(scheme + 3);
    ProxyAddress address;
    std::string_view rest;
    if (entry.starts_with('[')) {
        const std::size_t close = entry.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        address.host = entry.substr(1, close - 1);
        rest = entry.substr(close + 1);
    } else {
        const std::size_t colon = entry.find(':');
        address.host = entry.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : entry.substr(colon);
    }
    if (address.host.empty())
        return std::nullopt;
    address.port = defaultPort;
    if (rest.starts_with(':'))
        address.port = ParseIniInteger(rest.substr(1)).value_or(defaultPort);
    if (address.port <= 0 || address.port > 65535)
        address.port = defaultPort;
    return address;
}

}  // namespace

std::optional<ProxyAddress> FirstHttpProxy(std::string_view list, int defaultPort)
{
    while (!list.empty()) {
        std::size_t end = 0;
        while (end < list.size() && !IsSeparator(list[end]))
            ++end;
        if (const std::optional<ProxyAddress> address = ParseEntry(list.substr(0, end), defaultPort))
            return address;
        list.remove_prefix(end < list.size() ? end + 1 : end);
    }
    return std::nullopt;
}

std::string ProxyForWinHttp(const std::string& host, int port)
{
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace kestrova
