// Signed updates: what a download's signature covers, the signature file beside it, and
// the public key that verifies it. The check itself runs on CNG (win32/UpdateSignatureCheck.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// ECDSA P-256 over SHA-256: r || s, each 32 bytes big-endian.
using UpdateSignature = std::array<std::uint8_t, 64>;

// A point of P-256, each coordinate 32 bytes big-endian.
struct UpdatePublicKey {
    std::array<std::uint8_t, 32> x{};
    std::array<std::uint8_t, 32> y{};

    bool operator==(const UpdatePublicKey&) const = default;
};

// The start of the signed message: "Kestrova update" LF, the file's name, LF, the
// version with the blanks around it trimmed, LF. The file's bytes follow it, so a
// genuine file served under another name or for another version does not verify.
std::string SignedMessageHeader(std::string_view fileName, std::string_view version);

// The signature a .sig file holds: one line of base64 (blanks and a final CR/LF around
// it tolerated) decoding to exactly 64 bytes; none otherwise (empty, several lines, bad
// base64, another length).
std::optional<UpdateSignature> ParseSignatureFile(std::string_view text);

// A P-256 public key from a PEM "PUBLIC KEY" (SubjectPublicKeyInfo of an EC key on the
// named curve, uncompressed point), as `openssl pkey -pubout` writes it; none for
// anything else (another curve, another algorithm, garbage).
std::optional<UpdatePublicKey> ParsePublicKeyPem(std::string_view pem);

// The key this build embeds (the CMake option KESTROVA_UPDATE_PUBLIC_KEY), parsed once.
const UpdatePublicKey& BuiltInUpdateKey();

}  // namespace kestrova
