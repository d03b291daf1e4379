// The real registry, which can be made read-only, as a user without administrator
// rights finds HKEY_LOCAL_MACHINE.
#pragma once

#include "platform/win32/Win32Registry.h"

namespace kestrova {

class RealRegistry : public Win32Registry {
public:
    bool readOnly = false;

    long OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override
    {
        constexpr std::uint32_t kWriting = access::SetValue | access::CreateSubKey | 0x10000 /* DELETE */;
        if (readOnly && (access & kWriting))
            return regerr::AccessDenied;
        return Win32Registry::OpenKey(parent, subKey, access, result);
    }
    long CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override
    {
        return readOnly ? regerr::AccessDenied : Win32Registry::CreateKey(parent, subKey, access, result);
    }
    long DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits) override
    {
        return readOnly ? regerr::AccessDenied : Win32Registry::DeleteKey(parent, subKey, viewBits);
    }
    long RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName) override
    {
        return readOnly ? regerr::AccessDenied : Win32Registry::RenameKey(parent, subKey, newName);
    }
};

}  // namespace kestrova
