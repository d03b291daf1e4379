#include "platform/RegistryTree.h"

#include "platform/AppError.h"
#include "platform/RegKey.h"

namespace kestrova {

namespace {

// The names a key lists, subkeys or values; raises when the list cannot be read whole.
std::vector<std::string> Names(RegistryBackend& registry, RegHandle key, bool subKeys, const std::string& path)
{
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        const long result = subKeys ? registry.EnumKey(key, index, name) : registry.EnumValue(key, index, name);
        if (result == regerr::NoMoreItems)
            return names;
        if (result != regerr::Success)
            throw AppError(FillPattern("Failed to read key %s", path));
        names.push_back(std::move(name));
    }
}

void ReadInto(RegistryBackend& registry, RegHandle parent, const std::string& name, const std::string& path,
              std::uint32_t viewBits, std::vector<RegFileKey>& keys)
{
    RegHandle handle{};
    if (registry.OpenKey(parent, name, access::Read | viewBits, handle) != regerr::Success)
        throw AppError(FillPattern("Failed to open key %s", path));
    RegKey key(registry, handle);
    RegFileKey record{path, {}};
    for (const std::string& valueName : Names(registry, handle, false, path)) {
        RegValue value;
        if (registry.QueryValue(handle, valueName, value) != regerr::Success)
            throw AppError(FillPattern("Failed to get data for '%s'", valueName));
        record.values.emplace_back(valueName, std::move(value));
    }
    keys.push_back(std::move(record));
    for (const std::string& subkey : Names(registry, handle, true, path))
        ReadInto(registry, handle, subkey, path + "\\" + subkey, viewBits, keys);
}

}  // namespace

std::vector<RegFileKey> ReadKeyTree(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits,
                                    const std::string& path)
{
    std::vector<RegFileKey> keys;
    ReadInto(registry, RootHandle(root), path, path, viewBits & access::ViewBits, keys);
    return keys;
}

void WriteKeyTree(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits, const std::vector<RegFileKey>& keys)
{
    for (const RegFileKey& record : keys) {
        RegHandle handle{};
        if (registry.CreateKey(RootHandle(root), record.path, access::AllAccess | (viewBits & access::ViewBits),
                               handle) != regerr::Success)
            throw AppError(FillPattern("Failed to create key %s", record.path));
        RegKey key(registry, handle);
        for (const auto& [name, value] : record.values)
            if (registry.SetValue(handle, name, value) != regerr::Success)
                throw AppError(FillPattern("Failed to set data for '%s'", name));
    }
}

}  // namespace kestrova
