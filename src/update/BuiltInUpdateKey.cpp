// The public key of update signatures that this build embeds.
#include "update/UpdateSignature.h"

#include "platform/AppError.h"

#include "BuiltInUpdateKeyPem.h"  // generated at configure time from KESTROVA_UPDATE_PUBLIC_KEY

namespace kestrova {

const UpdatePublicKey& BuiltInUpdateKey()
{
    static const UpdatePublicKey key = [] {
        const auto parsed = ParsePublicKeyPem(kBuiltInUpdateKeyPem);
        if (!parsed)
            throw AppError("The built-in update key is not a P-256 public key");
        return *parsed;
    }();
    return key;
}

}  // namespace kestrova
