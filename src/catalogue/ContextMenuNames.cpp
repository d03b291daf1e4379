#include "catalogue/ContextMenuNames.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::array<std::string_view, 11> kHiddenIdentifiers = {
    "{00000000-0000-0000-0000-000000000000}", "{00021401-0000-0000-C000-000000000046}",
    "{000214A4-0000-0000-C000-000000000046}", "{00021500-0000-0000-C000-000000000046}",
    "{00020D75-0000-0000-C000-000000000046}", "{D969A300-E7FF-11d0-A93B-00A0C90F2719}",
    "{7BAC7B9A-0B3D-11D3-9E8D-0000F808D72C}", "{A470F8CF-A1E8-4f85-87B4-98D2D7B6C3D6}",
    "{F5F0D1A3-0A6E-4C8B-9D7A-5E6F8C9D0A1B}", "{E2A4F2D1-9B8C-4A5F-8D7E-6C5B4A3F2D1E}",
    "{A1B2C3D4-E5F6-4A5B-8C7D-9E0F1A2B3C4D}",
};

constexpr std::array<std::string_view, 46> kHiddenNames = {
    "Open", "New", "Properties", "Delete", "Rename", "Copy", "Cut", "Paste", "SendTo", "Print",
    "ScanWith", "Find", "OpenWith", "runas", "runasuser", "cmd", "PowerShell", "explore",
    "pintohome", "opennewtab", "opennewwindow", "change-passphrase", "change-pin", "encrypt-bde",
    "encrypt-bde-elev", "find", "manage-bde", "resume-bde", "resume-bde-elev", "unlock-bde",
    "opennewprocess", "removeproperties", "UpdateEncryptionSettingsWork", "pintohomefile",
    "UpdateEncryptionSettings", "Open With", "Open With EncryptionMenu",
    "{90AA3A4E-1CBA-4233-B8BB-535773D48449}", "{a2a9545d-a0c2-42b4-9708-a0b2badd77c8}",
    "{596AB062-B4D2-4215-9F74-E9109B0A8153}", "Offline Files", "EncryptionMenu",
    "PintoStartScreen", "cplopen", "config", "install",
};

template <std::size_t N>
bool IsListed(const std::array<std::string_view, N>& list, std::string_view name)
{
    return std::any_of(list.begin(), list.end(), [&](std::string_view item) { return EqualsIgnoringAsciiCase(item, name); });
}

std::string_view WithoutClassesPrefix(std::string_view path, RegRoot root)
{
    const std::string_view prefix = ClassesPrefixOf(root);
    return StartsWith(path, prefix) ? path.substr(prefix.size()) : path;
}

}  // namespace

bool IsProtectedEntryName(std::string_view name)
{
    if (IsListed(kHiddenIdentifiers, name) || IsListed(kHiddenNames, name))
        return true;
    const std::string upper = AsciiUpper(name);
    return upper.find("MICROSOFT") != std::string::npos || upper.find("WINDOWS") != std::string::npos ||
           upper.find("SYSTEM") != std::string::npos || StartsWith(upper, "MS");
}

std::string GetEntryFileType(std::string_view path, RegRoot root)
{
    const std::string_view rest = WithoutClassesPrefix(path, root);
    const std::string_view type = rest.substr(0, rest.find('\\'));
    return type == "*" ? std::string("All Files") : std::string(type);
}

std::string_view ClassesPrefixOf(RegRoot root)
{
    return root == RegRoot::CurrentUser ? kUserClassesPrefix : kClassesPrefix;
}

std::string EntryBackupKey(RegRoot root, std::string_view path)
{
    return std::string(ClassesPrefixOf(root)) + std::string(kBackupBelowClasses) +
           std::string(WithoutClassesPrefix(path, root));
}

}  // namespace kestrova
