// A registry object as the program's logic uses it: one per operation, with a root
// key, an access mask whose view bits apply to every call, and a current key.
// Failures the callers rely on raise AppError with fixed texts.
#pragma once

#include "platform/RegKey.h"
#include "platform/RegistryBackend.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

enum class RegDataKind {
    Unknown,
    String,
    ExpandString,
    Integer,
    IntegerBigEndian,
    Binary,
    Link,
    MultiString,
    Int64,
    None,
};

class RegistryCursor {
public:
    explicit RegistryCursor(RegistryBackend& backend, std::uint32_t access = access::AllAccess);
    ~RegistryCursor();
    RegistryCursor(const RegistryCursor&) = delete;
    RegistryCursor& operator=(const RegistryCursor&) = delete;

    RegRoot RootKey = RegRoot::CurrentUser;
    std::uint32_t Access;  // defaults to KEY_ALL_ACCESS

    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    void GetKeyNames(std::vector<std::string>& strings);
    void GetValueNames(std::vector<std::string>& strings);
    bool ValueExists(const std::string& name);
    RegDataKind GetDataType(const std::string& valueName);
    std::string ReadString(const std::string& name);
    std::int32_t ReadInteger(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    // Deletes a value of the current key; true when it is gone (or was never there).
    bool DeleteValue(const std::string& name);
    bool DeleteKey(const std::string& key);
    // Copies `oldName` with every value and subkey to `newName`, then deletes the source
    // when `deleteSource` is set. A move that fails throws and leaves the entry whole at
    // the source (or, should even restoring fail, whole at the destination).
    void MoveKey(const std::string& oldName, const std::string& newName, bool deleteSource);
    // Gives the key `oldName` the name `newName` (a name, not a path) below the same
    // parent, with all its values and subkeys, in one registry call. False when it was
    // not renamed: the platform cannot rename, the key is missing, a key named `newName`
    // exists, or access is denied; nothing has changed then.
    bool RenameKey(const std::string& oldName, const std::string& newName);

    bool HasCurrentKey() const;

private:
    // Where a path starts: the root key, or the current key for a relative path.
    struct Start {
        RegHandle base;
        std::string path;
    };
    // A path as the registry sees it: the root key and the path below it.
    struct Location {
        RegRoot root;
        std::string path;
    };
    Start Resolve(const std::string& key) const;
    Location Locate(const std::string& key) const;
    std::uint32_t ViewBits() const { return Access & access::ViewBits; }

    RegKey Open(RegHandle base, const std::string& path, std::uint32_t mask);
    RegKey Create(RegHandle base, const std::string& path);
    bool ListNames(RegHandle key, bool subKeys, std::vector<std::string>& names);
    bool DeleteTree(RegHandle base, const std::string& path);
    void CopyTree(RegHandle from, const std::string& fromPath, RegHandle to, const std::string& toPath);

    RegistryBackend& backend_;
    RegKey currentKey_;
    RegRoot currentRoot_ = RegRoot::CurrentUser;
    std::string currentPath_;  // below currentRoot_, without a leading backslash
};

}  // namespace kestrova
