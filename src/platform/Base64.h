// Decoding of base64 text (the standard alphabet, with "=" padding).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kestrova {

// The bytes `text` encodes; none when it holds anything but the 64 letters of the
// alphabet and one or two closing "=", or when its length is not a multiple of four.
// Line breaks are not skipped: callers remove them where their format allows them.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace kestrova
