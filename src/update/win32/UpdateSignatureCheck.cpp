#include "update/win32/UpdateSignatureCheck.h"

#include "platform/AppError.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <sstream>

namespace kestrova {

namespace {

constexpr ULONG kSha256Size = 32;

[[noreturn]] void ThrowStatus(const char* what, NTSTATUS status)
{
    std::ostringstream message;
    message << what << " failed (status 0x" << std::hex << std::uppercase << static_cast<ULONG>(status) << ")";
    throw AppError(message.str());
}

void Check(const char* what, NTSTATUS status)
{
    if (!BCRYPT_SUCCESS(status))
        ThrowStatus(what, status);
}

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct KeyDestroyer {
    void operator()(BCRYPT_KEY_HANDLE handle) const { BCryptDestroyKey(handle); }
};
struct HashDestroyer {
    void operator()(BCRYPT_HASH_HANDLE handle) const { BCryptDestroyHash(handle); }
};
using Algorithm = std::unique_ptr<void, AlgorithmCloser>;
using Key = std::unique_ptr<void, KeyDestroyer>;
using Hash = std::unique_ptr<void, HashDestroyer>;

Algorithm OpenAlgorithm(const wchar_t* name)
{
    BCRYPT_ALG_HANDLE handle = nullptr;
    Check("BCryptOpenAlgorithmProvider", BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0));
    return Algorithm(handle);
}

Key ImportKey(BCRYPT_ALG_HANDLE ecdsa, const UpdatePublicKey& key)
{
    // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y big-endian.
    std::array<UCHAR, sizeof(BCRYPT_ECCKEY_BLOB) + 64> blob{};
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::copy(key.x.begin(), key.x.end(), blob.begin() + sizeof header);
    std::copy(key.y.begin(), key.y.end(), blob.begin() + sizeof header + key.x.size());
    BCRYPT_KEY_HANDLE handle = nullptr;
    Check("BCryptImportKeyPair", BCryptImportKeyPair(ecdsa, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle, blob.data(),
                                                     static_cast<ULONG>(blob.size()), 0));
    return Key(handle);
}

Hash CreateHash(BCRYPT_ALG_HANDLE sha256)
{
    // Null buffer: CNG keeps the hash object's memory itself (Windows 7 and later).
    BCRYPT_HASH_HANDLE handle = nullptr;
    Check("BCryptCreateHash", BCryptCreateHash(sha256, &handle, nullptr, 0, nullptr, 0, 0));
    return Hash(handle);
}

}  // namespace

// Declared in this order so that they go in reverse: the key and the hash before the
// algorithms they came from.
struct UpdateSignatureCheck::Handles {
    Algorithm ecdsa;
    Algorithm sha256;
    Key key;
    Hash hash;
};

UpdateSignatureCheck::UpdateSignatureCheck(const UpdatePublicKey& key, std::string_view fileName,
                                           std::string_view version)
    : handles_(std::make_unique<Handles>())
{
    handles_->ecdsa = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    handles_->key = ImportKey(handles_->ecdsa.get(), key);
    handles_->sha256 = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM);
    handles_->hash = CreateHash(handles_->sha256.get());
    const std::string header = SignedMessageHeader(fileName, version);
    Add(header.data(), header.size());
}

UpdateSignatureCheck::~UpdateSignatureCheck() = default;

void UpdateSignatureCheck::Add(const void* bytes, std::size_t size)
{
    auto* next = static_cast<PUCHAR>(const_cast<void*>(bytes));  // CNG only reads them
    while (size > 0) {
        const ULONG piece = static_cast<ULONG>(std::min<std::size_t>(size, std::numeric_limits<ULONG>::max()));
        Check("BCryptHashData", BCryptHashData(handles_->hash.get(), next, piece, 0));
        next += piece;
        size -= piece;
    }
}

bool UpdateSignatureCheck::Matches(const UpdateSignature& signature)
{
    std::array<UCHAR, kSha256Size> digest{};
    if (!BCRYPT_SUCCESS(BCryptFinishHash(handles_->hash.get(), digest.data(), kSha256Size, 0)))
        return false;
    UpdateSignature copy = signature;  // BCryptVerifySignature takes a non-const buffer
    return BCRYPT_SUCCESS(BCryptVerifySignature(handles_->key.get(), nullptr, digest.data(), kSha256Size,
                                                copy.data(), static_cast<ULONG>(copy.size()), 0));
}

}  // namespace kestrova
