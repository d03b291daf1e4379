// Reading the P-256 public key of update signatures from its PEM text.
#include "update/UpdateSignature.h"

#include "platform/AsciiText.h"
#include "platform/Base64.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::string_view kPemBegin = "-----BEGIN PUBLIC KEY-----";
constexpr std::string_view kPemEnd = "-----END PUBLIC KEY-----";

// DER is canonical, so every SubjectPublicKeyInfo of an uncompressed P-256 point starts
// with these bytes: SEQUENCE { SEQUENCE { OID ecPublicKey, OID prime256v1 },
// BIT STRING { no unused bits, 0x04 (uncompressed) ... and X, Y follow.
constexpr std::uint8_t kP256KeyInfoPrefix[] = {
    0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2A, 0x86, 0x48, 0xCE, 0x3D, 0x02, 0x01, 0x06,
    0x08, 0x2A, 0x86, 0x48, 0xCE, 0x3D, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04,
};

// The base64 between the PEM's BEGIN and END lines, its line breaks removed.
std::optional<std::string> PemBody(std::string_view pem)
{
    pem = TrimBlanks(pem);
    if (!StartsWith(pem, kPemBegin) || !pem.ends_with(kPemEnd))
        return std::nullopt;
    const std::string_view lines = pem.substr(kPemBegin.size(), pem.size() - kPemBegin.size() - kPemEnd.size());
    std::string body;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(body), [](char c) { return !IsBlankOrControl(c); });
    return body;
}

}  // namespace

std::optional<UpdatePublicKey> ParsePublicKeyPem(std::string_view pem)
{
    const auto body = PemBody(pem);
    if (!body)
        return std::nullopt;
    const auto der = DecodeBase64(*body);
    UpdatePublicKey key;
    constexpr std::size_t prefixSize = sizeof kP256KeyInfoPrefix;
    if (!der || der->size() != prefixSize + key.x.size() + key.y.size() ||
        !std::equal(std::begin(kP256KeyInfoPrefix), std::end(kP256KeyInfoPrefix), der->begin()))
        return std::nullopt;
    const auto x = der->begin() + prefixSize;
    std::copy(x, x + key.x.size(), key.x.begin());
    std::copy(x + key.x.size(), der->end(), key.y.begin());
    return key;
}

}  // namespace kestrova
