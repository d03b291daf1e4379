// Root-key names as the lists show them and as rows carry them back as text.
#pragma once

#include "platform/RegistryBackend.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

std::string RootKeyName(RegRoot root);

// The exact, case-sensitive mapping of a row's section text back to a root key.
// HKEY_USERS is accepted only where the caller allows it.
std::optional<RegRoot> RootKeyFromSection(std::string_view section, bool acceptUsers = false);

}  // namespace kestrova
