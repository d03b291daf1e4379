// Verifying a download's signature through CNG while it arrives: the signed message is
// hashed piece by piece, so the file never has to be held in memory or read twice.
#pragma once

#include "update/UpdateSignature.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace kestrova {

// Hashes the signed message (SHA-256) as its bytes arrive, then checks an ECDSA P-256
// signature over it. Throws AppError when CNG cannot open the algorithm or import the key.
class UpdateSignatureCheck {
public:
    UpdateSignatureCheck(const UpdatePublicKey& key, std::string_view fileName, std::string_view version);
    ~UpdateSignatureCheck();
    UpdateSignatureCheck(const UpdateSignatureCheck&) = delete;
    UpdateSignatureCheck& operator=(const UpdateSignatureCheck&) = delete;

    // The file's bytes, in order.
    void Add(const void* bytes, std::size_t size);
    // Whether `signature` signs the header and all bytes added; call once, at the end.
    // Any failure of CNG here counts as a signature that does not match.
    bool Matches(const UpdateSignature& signature);

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace kestrova
