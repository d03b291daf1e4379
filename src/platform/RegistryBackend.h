// The registry as the program's registry logic sees it: the handful of advapi32
// calls RegistryCursor is built on, with Win32's error codes. Implemented over advapi32
// and by an in-memory hive; tests wrap either to inject failures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

// Opaque key handle; the predefined root keys are their Win32 values.
using RegHandle = std::uintptr_t;

enum class RegRoot : std::uint32_t {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
    Users = 0x80000003,
};

constexpr RegHandle RootHandle(RegRoot root) { return static_cast<RegHandle>(root); }

// Access masks and view bits, as Win32 defines them.
namespace access {
constexpr std::uint32_t QueryValue = 0x0001;
constexpr std::uint32_t SetValue = 0x0002;
constexpr std::uint32_t CreateSubKey = 0x0004;
constexpr std::uint32_t EnumerateSubKeys = 0x0008;
constexpr std::uint32_t Read = 0x20019;
constexpr std::uint32_t ReadNoNotify = 0x20009;  // KEY_READ without KEY_NOTIFY
constexpr std::uint32_t Write = 0x20006;
constexpr std::uint32_t AllAccess = 0xF003F;
constexpr std::uint32_t Wow64_64Key = 0x0100;
constexpr std::uint32_t Wow64_32Key = 0x0200;
constexpr std::uint32_t ViewBits = Wow64_64Key | Wow64_32Key;
}  // namespace access

// Win32 error codes the backends report.
namespace regerr {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long InvalidParameter = 87;
constexpr long CallNotImplemented = 120;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;
constexpr long KeyDeleted = 1018;
}  // namespace regerr

// Registry value types, as Win32 defines them.
enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiSz = 7,
    Qword = 11,
};

// A value's type and raw data exactly as stored: string types are UTF-16LE bytes,
// normally with their terminating NUL.
struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const RegValue&) const = default;
};

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // RegOpenKeyExW: `subKey` relative to `parent`; empty opens `parent` itself again.
    virtual long OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) = 0;
    // RegCreateKeyExW: creates missing keys along the path, then opens the last.
    virtual long CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) = 0;
    virtual long CloseKey(RegHandle key) = 0;
    // RegEnumKeyExW / RegEnumValueW: the name at `index` in the registry's enumeration order.
    virtual long EnumKey(RegHandle key, std::uint32_t index, std::string& name) = 0;
    virtual long EnumValue(RegHandle key, std::uint32_t index, std::string& name) = 0;
    // RegQueryValueExW / RegSetValueExW; the empty name is the default value.
    virtual long QueryValue(RegHandle key, const std::string& name, RegValue& value) = 0;
    virtual long SetValue(RegHandle key, const std::string& name, const RegValue& value) = 0;
    // RegDeleteValueW; the empty name is the default value.
    virtual long DeleteValue(RegHandle key, const std::string& name) = 0;
    // RegDeleteKeyExW: deletes a key without subkeys; `viewBits` choose the view.
    virtual long DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits) = 0;
    // RegRenameKey: gives the key `subKey` below `parent` the name `newName` (one path
    // component, same parent) in one step, with all its values and subkeys. Fails when a
    // key of that name exists; regerr::CallNotImplemented where the platform cannot rename.
    virtual long RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName) = 0;
    // NtQueryKey's KeyNameInformation: the full name of the key an open handle reaches,
    // such as \REGISTRY\MACHINE\SOFTWARE\Classes. Two handles reach the same key
    // exactly when their names are equal (ignoring case), whatever view or path opened
    // them. Not for the predefined root handles.
    virtual long QueryKeyName(RegHandle key, std::string& name) = 0;
};

}  // namespace kestrova
