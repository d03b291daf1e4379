// Registry files as the registry editor exports and imports them ("Windows Registry
// Editor Version 5.00", UTF-16 little-endian with a byte-order mark): key trees written
// so that every value type and every byte of data comes back unchanged (the registry
// editor alone adds a closing NUL to string data that lacks one).
#pragma once

#include "platform/RegistryBackend.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrova {

// One key of a file: its full path (root name first, as in "HKEY_LOCAL_MACHINE\...")
// and its values in order; the empty name is the default value.
struct RegFileKey {
    std::string path;
    std::vector<std::pair<std::string, RegValue>> values;

    bool operator==(const RegFileKey&) const = default;
};

// The file's bytes for `keys`, in their order, each key a section of its own.
std::string FormatRegFile(const std::vector<RegFileKey>& keys);

// The keys of a file that FormatRegFile or the registry editor wrote; nothing when the
// bytes are not such a file or hold anything but keys and values to add.
std::optional<std::vector<RegFileKey>> ParseRegFile(std::string_view bytes);

}  // namespace kestrova
