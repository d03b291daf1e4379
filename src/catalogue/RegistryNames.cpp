#include "catalogue/RegistryNames.h"

namespace kestrova {

std::string RootKeyName(RegRoot root)
{
    switch (root) {
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegRoot::Users: return "HKEY_USERS";
    }
    return {};
}

std::optional<RegRoot> RootKeyFromSection(std::string_view section, bool acceptUsers)
{
    if (section == "HKEY_CLASSES_ROOT") return RegRoot::ClassesRoot;
    if (section == "HKEY_CURRENT_USER") return RegRoot::CurrentUser;
    if (section == "HKEY_LOCAL_MACHINE") return RegRoot::LocalMachine;
    if (acceptUsers && section == "HKEY_USERS") return RegRoot::Users;
    return std::nullopt;
}

}  // namespace kestrova
