// Packages as Windows knows them: the installed folder from the packaging API where the
// system has it, AppxManifest.xml read with the system's XmlLite, and resource
// references resolved by the shell.
#pragma once

#include "catalogue/Windows11MenuCatalogue.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The largest manifest read; a bigger file counts as unreadable.
inline constexpr std::size_t kMaxManifestBytes = 4u << 20;

// The list's part of a manifest held in `bytes`; none when it is not well-formed XML,
// declares a DTD, nests too deep or holds too much.
std::optional<PackageManifest> ParseManifest(std::string_view bytes);

class Win32PackageSource : public PackageSource {
public:
    std::string InstalledPath(const std::string& fullName) override;
    // The folder may be one an ordinary user can write: the file is read only when it is
    // a plain file no larger than kMaxManifestBytes.
    std::optional<PackageManifest> ReadManifest(const std::string& path) override;
    std::string ResolveResource(const std::string& fullName, const std::string& reference) override;
};

}  // namespace kestrova
