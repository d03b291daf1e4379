// Encoding of registry value data: the core's UTF-8 text to the registry's UTF-16LE
// string data and back, and 32-bit integers as REG_DWORD data.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// A string value: `text` as UTF-16LE with its terminating NUL.
RegValue MakeStringValue(std::string_view text, RegType type = RegType::Sz);
RegValue MakeDwordValue(std::uint32_t number);

// The text of string data up to its first NUL (an odd trailing byte is ignored).
std::string TextOfStringData(const std::vector<std::uint8_t>& data);

// The number held by REG_DWORD data of exactly four bytes.
std::optional<std::uint32_t> DwordOfData(const std::vector<std::uint8_t>& data);

}  // namespace kestrova
