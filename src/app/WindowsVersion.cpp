#include "app/WindowsVersion.h"

#include "platform/AppError.h"
#include "platform/RegistryCursor.h"

#include <charconv>
#include <optional>
#include <string>

namespace kestrova {

namespace {

constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The whole text as a decimal number; nothing for any other text.
std::optional<std::uint32_t> ParseNumber(const std::string& text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// A REG_DWORD value; nothing when it is missing, of another type or malformed.
std::optional<std::uint32_t> ReadDword(RegistryCursor& reg, const char* name)
{
    if (reg.GetDataType(name) != RegDataKind::Integer)
        return std::nullopt;
    try {
        return static_cast<std::uint32_t>(reg.ReadInteger(name));
    } catch (const AppError&) {
        return std::nullopt;
    }
}

std::optional<std::string> ReadText(RegistryCursor& reg, const char* name)
{
    if (!reg.ValueExists(name))
        return std::nullopt;
    try {
        return reg.ReadString(name);
    } catch (const AppError&) {
        return std::nullopt;
    }
}

}  // namespace

OsVersion ReportedOsVersion(const OsVersion& fromApi, RegistryBackend& registry)
{
    OsVersion version = fromApi;
    if (fromApi.major < 6 || (fromApi.major == 6 && fromApi.minor <= 1))
        return version;

    RegistryCursor reg(registry, access::Read);
    reg.RootKey = RegRoot::LocalMachine;
    if (!reg.OpenKeyReadOnly(kCurrentVersionKey))
        return version;

    if (const auto major = ReadDword(reg, "CurrentMajorVersionNumber")) {
        version.major = *major;
    } else if (const auto text = ReadText(reg, "CurrentVersion")) {
        if (const auto major = ParseNumber(text->substr(0, text->find('.'))))
            version.major = *major;
    }

    for (const char* name : {"CurrentBuild", "CurrentBuildNumber"}) {
        const auto text = ReadText(reg, name);
        if (const auto build = text ? ParseNumber(*text) : std::nullopt) {
            version.build = *build;
            break;
        }
    }
    return version;
}

bool IsWindows10Or11(const OsVersion& reported)
{
    return reported.major == 10 && reported.build >= 10240;
}

}  // namespace kestrova
