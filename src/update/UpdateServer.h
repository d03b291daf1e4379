// The update server: the program's folder below each base URL, the files in it, and
// asking the primary, then the mirror, for the newest version.
#pragma once

#include "platform/RegistryBackend.h"
#include "update/HttpClient.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

std::string GetUpdateName();
std::string GetSetupFileName();  // the installer
std::string GetZipFileName();    // the portable archive

// The program's folder below a base URL, ending with a slash.
std::string UpdateDirectory(std::string_view baseUrl);

// The client of a download: the user's proxy, and a transfer that receives nothing for
// 30 s fails.
HttpClientOptions DownloadClientOptions(RegistryBackend& registry);

struct ServerRelease {
    std::string version;
    std::string downloadUrl;  // the archive in portable mode, else the installer
};

// Asks each base URL in turn for "version.txt", each through a fresh client with the
// user's proxy, a 3 s connect and a 5 s read limit. A base URL that fails, answers other
// than 200, or with a body longer than 1 KiB or that is no version once trimmed
// (IsUpdateVersion) gives way to the next. None when no base URL gave a version.
std::optional<ServerRelease> FetchServerVersion(RegistryBackend& registry, const HttpClientFactory& clients,
                                                bool portableMode);

}  // namespace kestrova
