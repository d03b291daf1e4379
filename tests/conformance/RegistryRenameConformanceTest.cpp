// Renaming a key in one registry call, against every backend: the in-memory hive must
// rename as the real registry does.
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "platform/RegValueData.h"
#include "platform/RegistryCursor.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;

KeyTree Entry()
{
    return KeyTree{}
        .Value("", MakeStringValue("Default"))
        .Value("Expand", MakeStringValue("%T%", RegType::ExpandSz))
        .Value("Number", MakeDwordValue(5))
        .Value("Bytes", RegValue{static_cast<std::uint32_t>(RegType::Binary), {0, 7}})
        .Value("Nothing", RegValue{static_cast<std::uint32_t>(RegType::None), {}})
        .Subkey("Sub", KeyTree{}.Value("v", MakeStringValue("x")).Subkey("Deeper", KeyTree{}).Subkey(
                           "Leaf", KeyTree{}.Value("n", MakeDwordValue(1))));
}

class RegistryRenameConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
        const std::string id = std::to_string(std::random_device{}());
        user_ = "Software\\KestrovaRename" + id;
        classes_ = "SOFTWARE\\Classes\\KestrovaRename" + id;
    }

    void TearDown() override
    {
        seed_->DeleteTree(HKCU, 0, user_);
        seed_->DeleteTree(HKLM, View32, classes_);
    }

    bool PlatformRenames()
    {
        seed_->CreateKey(HKCU, 0, user_ + "\\Probe");
        RegistryCursor registry(*backend_);
        const bool renamed = registry.RenameKey(user_ + "\\Probe", "Probed");
        seed_->DeleteTree(HKCU, 0, user_ + "\\Probed");
        seed_->DeleteTree(HKCU, 0, user_ + "\\Probe");
        return renamed;
    }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
    std::string user_, classes_;
};

TEST_P(RegistryRenameConformance, RenameCarriesEveryValueAndSubkey)
{
    if (!PlatformRenames())
        GTEST_SKIP() << "this system's registry has no RegRenameKey";
    seed_->WriteTree(HKLM, View32, classes_ + "\\.kst\\ShellNew", Entry());
    seed_->SetString(HKLM, View32, classes_ + "\\.kst", "", "kept");
    RegistryCursor registry(*backend_, access::AllAccess | View32);
    registry.RootKey = HKLM;
    ASSERT_TRUE(registry.RenameKey(classes_ + "\\.kst\\ShellNew", "old_ShellNew"));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classes_ + "\\.kst"),
              KeyTree{}.Value("", MakeStringValue("kept")).Subkey("old_ShellNew", Entry()));

    // Relative to the current key, and back.
    ASSERT_TRUE(registry.OpenKey("\\" + classes_, false));
    ASSERT_TRUE(registry.RenameKey(".kst\\old_ShellNew", "ShellNew"));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classes_ + "\\.kst\\ShellNew"), Entry());
}

TEST_P(RegistryRenameConformance, RenameChangesNothingWhenTheTargetExistsOrTheSourceIsMissing)
{
    if (!PlatformRenames())
        GTEST_SKIP() << "this system's registry has no RegRenameKey";
    const KeyTree target = KeyTree{}.Value("t", MakeStringValue("target"));
    seed_->WriteTree(HKCU, 0, user_ + "\\Source", Entry());
    seed_->WriteTree(HKCU, 0, user_ + "\\Target", target);
    RegistryCursor registry(*backend_);
    EXPECT_FALSE(registry.RenameKey(user_ + "\\Source", "Target"));
    EXPECT_FALSE(registry.RenameKey(user_ + "\\Source", "TARGET"));
    EXPECT_FALSE(registry.RenameKey(user_ + "\\Missing", "Other"));
    EXPECT_EQ(seed_->Snapshot(HKCU, 0, user_),
              KeyTree{}.Subkey("Source", Entry()).Subkey("Target", target));
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryRenameConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
