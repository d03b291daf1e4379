// Direct access to any registry backend for tests, beside RegistryCursor rather than through
// it: seeding keys, values and whole trees, and reading them back (snapshots), so that
// set-up and checks do not depend on the code under test. Failures throw.
#pragma once

#include "KeyTree.h"
#include "platform/RegistryBackend.h"

#include <optional>

namespace kestrova {

class RegistrySeed {
public:
    // `view` is access::Wow64_32Key, access::Wow64_64Key or 0 for the process's own view.
    explicit RegistrySeed(RegistryBackend& backend) : backend_(backend) {}

    void CreateKey(RegRoot root, std::uint32_t view, const std::string& path);
    void SetValue(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                  const RegValue& value);
    void SetString(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                   const std::string& text);
    void SetDword(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name,
                  std::uint32_t number);
    // Creates `path` and everything in `tree` below it (added to what is there).
    void WriteTree(RegRoot root, std::uint32_t view, const std::string& path, const KeyTree& tree);

    bool KeyExists(RegRoot root, std::uint32_t view, const std::string& path);
    std::optional<RegValue> Value(RegRoot root, std::uint32_t view, const std::string& path, const std::string& name);
    // The whole key, or nothing when it does not exist.
    std::optional<KeyTree> Snapshot(RegRoot root, std::uint32_t view, const std::string& path);
    // Removes `path` with its subkeys when it exists, for clean-up.
    void DeleteTree(RegRoot root, std::uint32_t view, const std::string& path);

private:
    RegHandle Create(RegHandle parent, const std::string& path, std::uint32_t view);
    void Write(RegHandle key, const KeyTree& tree, std::uint32_t view);
    KeyTree Read(RegHandle key, std::uint32_t view);
    void DeleteBelow(RegHandle parent, const std::string& path, std::uint32_t view);

    RegistryBackend& backend_;
};

}  // namespace kestrova
