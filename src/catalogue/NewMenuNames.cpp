#include "catalogue/NewMenuNames.h"

#include "platform/AsciiText.h"
#include "platform/RegistryBackend.h"

#include <algorithm>
#include <array>

namespace kestrova {

namespace {

constexpr std::array<std::string_view, 33> kSkippedClassNames = {
    "WOW6432Node", ".lnk", "CLSID", "AllFilesystemObjects", "Applications", "Directory", "Drive", "Folder",
    "HKCU", "HKLM", "Interface", "MediaPlayer", "Media Type", "MIME", "Playlist", "Printers", "Screensavers",
    "SystemFileAssociations", "Tasks", "TypeLib", "Unknown", "AppID", "AppX", "BitLocker", "Briefcase", "CSC",
    "Extensions", "Installer", "Licenses", "ProgID", "Protocols", "Subsystems", "WOW64",
};

constexpr std::array<std::string_view, 10> kNeverEnteredSubkeyNames = {
    "ShellNew", "old_ShellNew", "Shell", "Shellex", "shellex", "PersistentHandler", "Treatment", "CurVer",
    "DefaultIcon", "CLSID",
};

constexpr std::string_view kSection = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kSuffix32 = " (32)";
constexpr std::string_view kSuffix64 = " (64)";

template <std::size_t N>
bool IsListed(const std::array<std::string_view, N>& list, std::string_view name)
{
    return std::any_of(list.begin(), list.end(),
                       [&](std::string_view item) { return EqualsIgnoringAsciiCase(item, name); });
}

}  // namespace

bool IsSkippedClassName(std::string_view name)
{
    return StartsWith(name, "{") || IsListed(kSkippedClassNames, name);
}

bool IsNeverEnteredSubkeyName(std::string_view name)
{
    return IsListed(kNeverEnteredSubkeyNames, name);
}

bool TemplateValueCountsByPresence(std::string_view valueName)
{
    return EqualsIgnoringAsciiCase(valueName, "NullFile") || EqualsIgnoringAsciiCase(valueName, "Data");
}

bool TemplateValueCountsByText(std::string_view valueName)
{
    return EqualsIgnoringAsciiCase(valueName, "FileName") || EqualsIgnoringAsciiCase(valueName, "Command");
}

std::string NewMenuSection(std::uint32_t accessMask)
{
    return std::string(kSection) + std::string((accessMask & access::Wow64_64Key) ? kSuffix64 : kSuffix32);
}

}  // namespace kestrova
