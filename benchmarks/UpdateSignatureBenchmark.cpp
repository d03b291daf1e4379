// Measures the signature check of an update download against bare SHA-256 hashing of the
// same bytes through CNG: 64 MiB fed in 64 KiB pieces, as the download feeds them. Prints
// each one's best wall time of 7 (taking turns), the check's throughput and its time
// divided by the bare hash's; the check adds one key import and one verification, so its
// ratio should stay near 1.
//
// Usage: kestrova_update_signature_benchmark
#include "update/UpdateSignature.h"
#include "update/win32/UpdateSignatureCheck.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace kestrova {
namespace {

constexpr std::size_t kFileSize = 64u << 20;
constexpr std::size_t kPieceSize = 64u << 10;

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// SHA-256 of `bytes` in pieces, straight through CNG.
void BareHash(const std::vector<unsigned char>& bytes)
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
    for (std::size_t at = 0; at < bytes.size(); at += kPieceSize)
        BCryptHashData(hash, const_cast<PUCHAR>(bytes.data() + at), static_cast<ULONG>(kPieceSize), 0);
    unsigned char digest[32];
    BCryptFinishHash(hash, digest, sizeof digest, 0);
    BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
}

bool Check(const std::vector<unsigned char>& bytes)
{
    UpdateSignatureCheck check(BuiltInUpdateKey(), "Kestrova-setup.exe", "1.0.0.0");
    for (std::size_t at = 0; at < bytes.size(); at += kPieceSize)
        check.Add(bytes.data() + at, kPieceSize);
    return check.Matches(UpdateSignature{});
}

}  // namespace
}  // namespace kestrova

int main()
{
    using namespace kestrova;
    std::vector<unsigned char> bytes(kFileSize);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 2654435761u >> 24);

    double bare = 1e9;
    double check = 1e9;
    for (int round = 0; round < 7; ++round) {
        bare = std::min(bare, Seconds([&] { BareHash(bytes); }));
        check = std::min(check, Seconds([&] { Check(bytes); }));
    }
    std::printf("64 MiB in 64 KiB pieces, best of 7\n");
    std::printf("bare SHA-256:     %.3f s\n", bare);
    std::printf("signature check:  %.3f s (%.0f MiB/s)\n", check, 64 / check);
    std::printf("check / bare:     %.3f\n", check / bare);
    return 0;
}
