#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideString.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <vector>

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

// Functions missing from the import libraries of some toolchains are found at run time;
// null when the system lacks them.
template <typename Function>
Function FindFunction(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    if (!handle)
        handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name))) : nullptr;
}

// RegRenameKey came with Windows Vista; without it renaming is not possible.
using RegRenameKeyFunction = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);

// The native key query, and the translation of its status into a Win32 error.
using NtQueryKeyFunction = LONG(NTAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
using RtlNtStatusToDosErrorFunction = ULONG(NTAPI*)(LONG);
constexpr int KeyNameInformation = 3;
constexpr LONG StatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG StatusBufferTooSmall = static_cast<LONG>(0xC0000023);

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

long Win32Registry::DeleteValue(RegHandle key, const std::string& name)
{
    return RegDeleteValueW(ToHkey(key), Widen(name).c_str());
}

long Win32Registry::DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits)
{
    return RegDeleteKeyExW(ToHkey(parent), Widen(subKey).c_str(), viewBits & access::ViewBits, 0);
}

long Win32Registry::RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName)
{
    static const auto regRenameKey = FindFunction<RegRenameKeyFunction>(L"advapi32.dll", "RegRenameKey");
    if (!regRenameKey)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return regRenameKey(ToHkey(parent), subKey.empty() ? nullptr : Widen(subKey).c_str(), Widen(newName).c_str());
}

long Win32Registry::QueryKeyName(RegHandle key, std::string& name)
{
    static const auto ntQueryKey = FindFunction<NtQueryKeyFunction>(L"ntdll.dll", "NtQueryKey");
    static const auto toWin32Error =
        FindFunction<RtlNtStatusToDosErrorFunction>(L"ntdll.dll", "RtlNtStatusToDosError");
    if (!ntQueryKey || !toWin32Error)
        return ERROR_CALL_NOT_IMPLEMENTED;
    // KEY_NAME_INFORMATION: the name's length in bytes, then the name without a NUL. The
    // scan asks this of every top-level key, so names of usual length need no allocation.
    ULONG onStack[256];
    std::vector<ULONG> onHeap;
    ULONG* buffer = onStack;
    std::size_t capacity = std::size(onStack);
    for (;;) {
        ULONG needed = 0;
        const LONG status = ntQueryKey(ToHkey(key), KeyNameInformation, buffer,
                                       static_cast<ULONG>(capacity * sizeof(ULONG)), &needed);
        if (status == StatusBufferOverflow || status == StatusBufferTooSmall) {
            onHeap.resize(std::max<std::size_t>(needed / sizeof(ULONG) + 1, capacity * 2));
            buffer = onHeap.data();
            capacity = onHeap.size();
            continue;
        }
        if (status < 0)
            return static_cast<long>(toWin32Error(status));
        const wchar_t* text = reinterpret_cast<const wchar_t*>(buffer + 1);
        name = Narrow(std::wstring_view(text, buffer[0] / sizeof(wchar_t)));
        return ERROR_SUCCESS;
    }
}

}  // namespace kestrova
