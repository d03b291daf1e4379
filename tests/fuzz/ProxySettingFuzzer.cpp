// Fuzzes the reading of the user's proxy setting: any data stored as the ProxyServer
// string of the Internet settings (UTF-16 units, a NUL or none), taken as the registry
// gives its text and read as a proxy list, must give a proxy or none without a crash; a
// proxy given names a server that is a single entry of the list, with a port in range.
#include "platform/RegValueData.h"
#include "update/ProxyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrova;
    constexpr int kDefaultPort = 8080;
    const std::string text = TextOfStringData(std::vector<std::uint8_t>(data, data + size));

    const std::optional<ProxyAddress> proxy = FirstHttpProxy(text, kDefaultPort);
    if (!proxy)
        return 0;
    if (proxy->host.empty() || proxy->port <= 0 || proxy->port > 65535 ||
        proxy->host.find_first_of("; \t\r\n") != std::string::npos)
        std::abort();
    (void)ProxyForWinHttp(proxy->host, proxy->port);
    return 0;
}
