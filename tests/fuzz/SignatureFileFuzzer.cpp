// Fuzzes the readers of update signatures and keys: any bytes, read as a .sig file or
// as a PEM public key, must give a value or none without a crash.
#include "update/UpdateSignature.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)kestrova::ParseSignatureFile(bytes);
    (void)kestrova::ParsePublicKeyPem(bytes);
    return 0;
}
