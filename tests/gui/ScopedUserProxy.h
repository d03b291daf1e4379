// The Wine prefix's user proxy, as the Internet settings hold it, pointed somewhere for as
// long as the object lives: the update tests point it at their server on 127.0.0.1.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kestrova {

inline constexpr wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The prefix's user proxy set to `server`, restored to what it was when the object goes.
class ScopedUserProxy {
public:
    explicit ScopedUserProxy(const std::wstring& server)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key_, nullptr);
        enable_ = Save(L"ProxyEnable");
        server_ = Save(L"ProxyServer");
        const DWORD on = 1;
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
        RegSetValueExW(key_, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                       static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
    }
    ~ScopedUserProxy()
    {
        Restore(L"ProxyEnable", enable_);
        Restore(L"ProxyServer", server_);
        RegCloseKey(key_);
    }
    ScopedUserProxy(const ScopedUserProxy&) = delete;
    ScopedUserProxy& operator=(const ScopedUserProxy&) = delete;

private:
    struct Saved {
        DWORD type = 0;
        std::string data;
    };
    std::optional<Saved> Save(const wchar_t* name)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        Saved saved{type, std::string(size, '\0')};
        RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(saved.data.data()), &size);
        return saved;
    }
    void Restore(const wchar_t* name, const std::optional<Saved>& saved)
    {
        if (!saved) {
            RegDeleteValueW(key_, name);
            return;
        }
        RegSetValueExW(key_, name, 0, saved->type, reinterpret_cast<const BYTE*>(saved->data.data()),
                       static_cast<DWORD>(saved->data.size()));
    }

    HKEY key_ = nullptr;
    std::optional<Saved> enable_;
    std::optional<Saved> server_;
};

}  // namespace kestrova
