// The registry backend over advapi32: the real Windows (or Wine) registry.
#pragma once

#include "platform/RegistryBackend.h"

namespace kestrova {

class Win32Registry : public RegistryBackend {
public:
    long OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override;
    long CreateKey(RegHandle parent, const std::string& subKey, std::uint32_t access, RegHandle& result) override;
    long CloseKey(RegHandle key) override;
    long EnumKey(RegHandle key, std::uint32_t index, std::string& name) override;
    long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override;
    long QueryValue(RegHandle key, const std::string& name, RegValue& value) override;
    long SetValue(RegHandle key, const std::string& name, const RegValue& value) override;
    long DeleteValue(RegHandle key, const std::string& name) override;
    long DeleteKey(RegHandle parent, const std::string& subKey, std::uint32_t viewBits) override;
    long RenameKey(RegHandle parent, const std::string& subKey, const std::string& newName) override;
    long QueryKeyName(RegHandle key, std::string& name) override;
};

}  // namespace kestrova
