// A key's whole content for comparisons in tests: its values with type and raw data
// in enumeration order, and its subkeys recursively.
#pragma once

#include "platform/RegistryBackend.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kestrova {

struct KeyTree {
    std::vector<std::pair<std::string, RegValue>> values;
    std::vector<std::pair<std::string, KeyTree>> subkeys;

    // Builders for seeding: KeyTree{}.Value("a", MakeDwordValue(1)).Subkey("s", KeyTree{}).
    KeyTree& Value(const std::string& name, const RegValue& value);
    KeyTree& Subkey(const std::string& name, const KeyTree& tree);

    // Equal content: the order of values and of subkeys is left out, because the
    // registry's value order differs between Windows (creation order) and Wine (by name).
    bool operator==(const KeyTree& other) const;
};

// Readable form for test failure messages.
void PrintTo(const KeyTree& tree, std::ostream* out);

}  // namespace kestrova
