#include "update/UpdateServer.h"

#include "platform/AsciiText.h"
#include "product/ProductNames.h"
#include "update/SystemProxy.h"

#include <exception>

namespace kestrova {

namespace {

using namespace std::chrono_literals;

HttpClientOptions CheckClientOptions(RegistryBackend& registry)
{
    HttpClientOptions options;
    options.connectTimeout = 3000ms;
    options.readTimeout = 5000ms;
    if (SystemProxy proxy; GetSystemProxy(registry, proxy)) {
        options.proxyHost = proxy.server;
        options.proxyPort = proxy.port;
    }
    return options;
}

// The version the server in `directory` names; none when it names none.
std::optional<std::string> AskVersion(RegistryBackend& registry, const HttpClientFactory& clients,
                                      const std::string& directory)
{
    try {
        const HttpResponse response = clients.Create(CheckClientOptions(registry))->Get(directory + "version.txt");
        const std::string_view version = TrimBlanks(response.body);
        if (response.status != 200 || version.empty())
            return std::nullopt;
        return std::string(version);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::string GetUpdateName() { return kUpdateName; }
std::string GetSetupFileName() { return GetUpdateName() + "-setup.exe"; }
std::string GetZipFileName() { return GetUpdateName() + ".zip"; }

std::string UpdateDirectory(std::string_view baseUrl) { return std::string(baseUrl) + GetUpdateName() + "/"; }

std::optional<ServerRelease> FetchServerVersion(RegistryBackend& registry, const HttpClientFactory& clients,
                                                bool portableMode)
{
    for (const char* base : kUpdateBaseUrls) {
        const std::string directory = UpdateDirectory(base);
        if (std::optional<std::string> version = AskVersion(registry, clients, directory))
            return ServerRelease{*version, directory + (portableMode ? GetZipFileName() : GetSetupFileName())};
    }
    return std::nullopt;
}

}  // namespace kestrova
