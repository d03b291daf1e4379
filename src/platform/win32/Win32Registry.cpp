#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideString.h"

#include <windows.h>

namespace kestrova {

namespace {

// The predefined roots are sign-extended constants in a 64-bit process, so they are
// mapped by value; every other handle is the HKEY itself.
HKEY ToHkey(RegHandle handle)
{
    switch (static_cast<RegRoot>(handle)) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
    }
    return reinterpret_cast<HKEY>(handle);
}

// RegRenameKey came with Windows Vista and is missing from the import libraries of
// some toolchains, so it is found at run time; without it renaming is not possible.
using RegRenameKeyFunction = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);

RegRenameKeyFunction FindRegRenameKey()
{
    HMODULE advapi32 = GetModuleHandleW(L"advapi32.dll");
    if (!advapi32)
        advapi32 = LoadLibraryW(L"advapi32.dll");
    return advapi32 ? reinterpret_cast<RegRenameKeyFunction>(
                          reinterpret_cast<void (*)()>(GetProcAddress(advapi32, "RegRenameKey")))
                    : nullptr;
}

RegHandle FromHkey(HKEY key)
{
    return reinterpret_cast<RegHandle>(key);
}

constexpr DWORD MaxKeyNameLength = 256;      // 255 characters and the NUL
constexpr DWORD MaxValueNameLength = 16384;  // 16383 characters and the NUL

// Runs RegEnumKeyExW or RegEnumValueW (`enumerate`) with a name buffer of `capacity`
// units, the NUL included; `name` is set only on success.
template <typename Enumerate>
LSTATUS EnumName(DWORD capacity, std::string& name, Enumerate enumerate)
{
    std::wstring buffer(capacity, L'\0');
    DWORD length = capacity;
    const LSTATUS status = enumerate(buffer.data(), &length);
    if (status == ERROR_SUCCESS)
        name = Narrow(std::wstring_view(buffer.data(), length));
    return status;
}

}  // namespace

long Win32Registry::OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result)
{
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(ToHkey(parent), Widen(subKey).c_str(), 0, access, &key);
    if (status == ERROR_SUCCESS)
        result = FromHkey(key);
    return status;
}

long Win32Registry::CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result)
{
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExW(ToHkey(parent), Widen(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          access, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS)
        result = FromHkey(key);
    return status;
}

long Win32Registry::CloseKey(RegHandle key)
{
    return RegCloseKey(ToHkey(key));
}

long Win32Registry::EnumKey(RegHandle key, std::uint32_t index, std::string& name)
{
    return EnumName(MaxKeyNameLength, name, [&](wchar_t* buffer, DWORD* length) {
        return RegEnumKeyExW(ToHkey(key), index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}

long Win32Registry::EnumValue(RegHandle key, std::uint32_t index, std::string& name)
{
    return EnumName(MaxValueNameLength, name, [&](wchar_t* buffer, DWORD* length) {
        return RegEnumValueW(ToHkey(key), index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}

long Win32Registry::QueryValue(RegHandle key, const std::string& name, RegValue& value)
{
    const std::wstring wideName = Widen(name);
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        std::vector<std::uint8_t> data(size);
        status = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue;  // the value grew between the two calls
        if (status != ERROR_SUCCESS)
            return status;
        data.resize(size);
        value.type = type;
        value.data = std::move(data);
        return ERROR_SUCCESS;
    }
}

long Win32Registry::SetValue(RegHandle key, const std::string& name, const RegValue& value)
{
    static const BYTE noData = 0;  // empty data still needs a valid pointer
    return RegSetValueExW(ToHkey(key), Widen(name).c_str(), 0, value.type,
                          value.data.empty() ? &noData : value.data.data(), static_cast<DWORD>(value.data.size()));
}

long Win32Registry::DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits)
{
    return RegDeleteKeyExW(ToHkey(parent), Widen(subKey).c_str(), viewBits & access::ViewBits, 0);
}

long Win32Registry::RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName)
{
    static const RegRenameKeyFunction regRenameKey = FindRegRenameKey();
    if (!regRenameKey)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return regRenameKey(ToHkey(parent), subKey.empty() ? nullptr : Widen(subKey).c_str(), Widen(newName).c_str());
}

}  // namespace kestrova
