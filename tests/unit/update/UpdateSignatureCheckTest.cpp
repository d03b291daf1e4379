// The CNG check of update signatures against files signed by scripts/sign-update: the
// genuine file holds however it arrives; a changed byte, another key, another version or
// another file name does not.
#include "update/win32/UpdateSignatureCheck.h"

#include "FileContents.h"
#include "PlatformFileSystem.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kestrova {
namespace {

// payload.bin, signed for version 1.2.3 with the development key; the other signatures
// differ from that in one point each.
constexpr char kVersion[] = "1.2.3";
constexpr char kFileName[] = "payload.bin";

std::string ReadFile(const std::string& linuxPath)
{
    PlatformFileSystem fs;
    return FileContents(fs, BuildHostPath(linuxPath));
}

std::string Fixture(const std::string& name) { return ReadFile(KESTROVA_SIGNATURE_FIXTURES "/" + name); }

UpdateSignature SignatureFile(const std::string& name)
{
    const auto signature = ParseSignatureFile(Fixture(name));
    EXPECT_TRUE(signature) << name;
    return signature.value_or(UpdateSignature{});
}

UpdatePublicKey DevelopmentKey()
{
    const auto key = ParsePublicKeyPem(ReadFile(KESTROVA_SOURCE_DIR "/keys/update-development.pub.pem"));
    EXPECT_TRUE(key);
    return key.value_or(UpdatePublicKey{});
}

// Feeds `bytes` in pieces of `pieceSize` and checks `signature` against them.
bool Matches(const std::string& bytes, std::size_t pieceSize, const UpdateSignature& signature,
             const std::string& fileName = kFileName, const std::string& version = kVersion)
{
    UpdateSignatureCheck check(DevelopmentKey(), fileName, version);
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        check.Add(bytes.data() + at, std::min(pieceSize, bytes.size() - at));
    return check.Matches(signature);
}

TEST(UpdateSignatureCheck, TheGenuineFileMatchesInAnyPieces)
{
    const std::string payload = Fixture(kFileName);
    const UpdateSignature genuine = SignatureFile("payload.bin.sig");
    for (std::size_t pieceSize : {payload.size(), std::size_t{1}, std::size_t{7}, std::size_t{1000}, std::size_t{65536}})
        EXPECT_TRUE(Matches(payload, pieceSize, genuine)) << "pieces of " << pieceSize;
    // version.txt's body as served, blanks and all.
    EXPECT_TRUE(Matches(payload, 64, genuine, kFileName, " 1.2.3\r\n"));
}

TEST(UpdateSignatureCheck, AnythingElseDoesNotMatch)
{
    const std::string payload = Fixture(kFileName);
    const UpdateSignature genuine = SignatureFile("payload.bin.sig");

    std::string changed = payload;
    changed[changed.size() / 2] ^= 0x01;
    EXPECT_FALSE(Matches(changed, 4096, genuine)) << "one bit changed";
    EXPECT_FALSE(Matches(payload.substr(0, payload.size() - 1), 4096, genuine)) << "the last byte missing";
    EXPECT_FALSE(Matches(payload + '\0', 4096, genuine)) << "a byte added";
    EXPECT_FALSE(Matches(payload, 4096, SignatureFile("payload.bin.other-key.sig"))) << "another key";
    EXPECT_FALSE(Matches(payload, 4096, SignatureFile("payload.bin.version-1.2.4.sig"))) << "version 1.2.4";
    EXPECT_FALSE(Matches(payload, 4096, genuine, kFileName, "1.2.4")) << "checked as 1.2.4";
    EXPECT_FALSE(Matches(payload, 4096, SignatureFile("payload.bin.as-Kestrova.zip.sig"))) << "signed as Kestrova.zip";
    EXPECT_FALSE(Matches(payload, 4096, genuine, "Kestrova.zip")) << "checked as Kestrova.zip";
    EXPECT_FALSE(Matches(payload, 4096, UpdateSignature{})) << "all zero";
}

}  // namespace
}  // namespace kestrova
