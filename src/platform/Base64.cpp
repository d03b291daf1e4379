#include "platform/Base64.h"

namespace kestrova {

namespace {

// The six bits `c` stands for, or -1 for a character outside the alphabet.
int SextetOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    text.remove_suffix(padding);

    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (char c : text) {
        const int sextet = SextetOf(c);
        if (sextet < 0)
            return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<std::uint8_t>(bits >> bitCount));
            bits &= (1u << bitCount) - 1;
        }
    }
    return bytes;
}

}  // namespace kestrova
