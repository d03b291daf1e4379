// A registry object as the program's logic uses it: one per operation, with a root
// key, an access mask whose view bits apply to every call, and a current key.
// Failures the callers rely on raise AppError with fixed texts.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

enum class TRegDataType {
    rdUnknown,
    rdString,
    rdExpandString,
    rdInteger,
    rdIntegerBE,
    rdBinary,
    rdLink,
    rdMultiString,
    rdInt64,
    rdNone,
};

class TRegistry {
public:
    explicit TRegistry(RegistryBackend& backend, std::uint32_t access = access::AllAccess);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    RegRoot RootKey = RegRoot::CurrentUser;
    std::uint32_t Access;  // defaults to KEY_ALL_ACCESS

    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    void GetKeyNames(std::vector<std::string>& strings);
    void GetValueNames(std::vector<std::string>& strings);
    bool ValueExists(const std::string& name);
    TRegDataType GetDataType(const std::string& valueName);
    std::string ReadString(const std::string& name);
    std::int32_t ReadInteger(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    bool DeleteKey(const std::string& key);
    void MoveKey(const std::string& oldName, const std::string& newName, bool deleteSource);

    bool HasCurrentKey() const;

private:
    RegistryBackend& backend_;
    // ... implementation state
};

}  // namespace kestrova
