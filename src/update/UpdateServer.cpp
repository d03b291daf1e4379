#include "update/UpdateServer.h"

#include "platform/AsciiText.h"
#include "product/ProductNames.h"
#include "update/SystemProxy.h"
#include "update/UpdateVersion.h"

#include <exception>

namespace kestrova {

namespace {

using namespace std::chrono_literals;

HttpClientOptions ClientOptions(RegistryBackend& registry, std::chrono::milliseconds connect,
                                std::chrono::milliseconds read)
{
    HttpClientOptions options;
    options.connectTimeout = connect;
    options.readTimeout = read;
    if (SystemProxy proxy; GetSystemProxy(registry, proxy)) {
        options.proxyHost = proxy.server;
        options.proxyPort = proxy.port;
        options.proxyBypass = proxy.bypass;
    }
    return options;
}

HttpClientOptions CheckClientOptions(RegistryBackend& registry)
{
    HttpClientOptions options = ClientOptions(registry, 3000ms, 5000ms);
    options.bodyLimit = kVersionFileLimit;
    return options;
}

// The version the server in `directory` names; none when it names none.
std::optional<std::string> AskVersion(RegistryBackend& registry, const HttpClientFactory& clients,
                                      const std::string& directory)
{
    try {
        const HttpResponse response = clients.Create(CheckClientOptions(registry))->Get(directory + "version.txt");
        const std::string_view version = TrimBlanks(response.body);
        if (response.status != 200 || response.body.size() > kVersionFileLimit || !IsUpdateVersion(version))
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

HttpClientOptions DownloadClientOptions(RegistryBackend& registry)
{
    return ClientOptions(registry, 30000ms, 30000ms);
}

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
