// A key with its whole subtree read out of the registry as a list of keys (each before
// its subkeys), and such a list written back.
#pragma once

#include "platform/RegFile.h"
#include "platform/RegistryBackend.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrova {

// `path` and every key below it, in the view `viewBits`, with paths below `root`.
// Raises AppError when any part cannot be read, so a tree is only ever whole.
std::vector<RegFileKey> ReadKeyTree(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits,
                                    const std::string& path);

// Creates every key of `keys` (paths below `root`) with its values. Raises AppError at
// the first step that fails.
void WriteKeyTree(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits, const std::vector<RegFileKey>& keys);

}  // namespace kestrova
