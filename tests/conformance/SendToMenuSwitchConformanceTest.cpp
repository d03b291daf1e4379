// The switch of the whole Send to sub-menu against every registry backend, the real one
// included: what it writes into the handler key and how it reads the key back. The real
// key is put back as it was after each case.
#include "catalogue/SendToMenuSwitch.h"

#include "FaultInjectingRegistry.h"
#include "RecordingShell.h"
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <optional>

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKCR = RegRoot::ClassesRoot;
const std::string Key(kSendToHandlerKey);

class SendToMenuSwitchConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
        saved_ = seed_->Snapshot(HKCR, View32, Key);
        seed_->DeleteTree(HKCR, View32, Key);
    }

    void TearDown() override
    {
        seed_->DeleteTree(HKCR, View32, Key);
        if (saved_)
            seed_->WriteTree(HKCR, View32, Key, *saved_);
    }

    std::optional<RegValue> DefaultValue() { return seed_->Value(HKCR, View32, Key, ""); }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
    std::optional<KeyTree> saved_;
    RecordingShell shell_;
};

TEST_P(SendToMenuSwitchConformance, AMissingKeyReadsAsOnAndSwitchingOffCreatesItEmpty)
{
    SendToMenuSwitch menu(*backend_, shell_);
    EXPECT_FALSE(menu.IsSendToMenuDisabled());

    menu.SetSendToMenuEnabled(false);
    EXPECT_EQ(DefaultValue(), MakeStringValue(""));
    EXPECT_EQ(DefaultValue()->data, (std::vector<std::uint8_t>{0, 0})) << "REG_SZ holding only its NUL";
    EXPECT_TRUE(menu.IsSendToMenuDisabled());
    EXPECT_EQ(shell_.broadcasts, 1);

    menu.SetSendToMenuEnabled(true);
    EXPECT_EQ(DefaultValue(), MakeStringValue("{7BA4C740-9E81-11CF-99D3-00AA004AE837}"));
    EXPECT_FALSE(menu.IsSendToMenuDisabled());
    EXPECT_EQ(shell_.broadcasts, 2);
}

TEST_P(SendToMenuSwitchConformance, TheDefaultValueDecidesTheState)
{
    const struct {
        const char* what;
        std::optional<RegValue> value;  // none: the key without a default value
        bool disabled;
    } cases[] = {
        {"no default value", std::nullopt, true},
        {"empty string", MakeStringValue(""), true},
        {"the CLSID", MakeStringValue(std::string(kSendToHandlerClsid)), false},
        {"any other text", MakeStringValue("{00000000-0000-0000-0000-000000000000}"), false},
        {"expandable text", MakeStringValue("on", RegType::ExpandSz), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seed_->DeleteTree(HKCR, View32, Key);
        seed_->CreateKey(HKCR, View32, Key);
        if (c.value)
            seed_->SetValue(HKCR, View32, Key, "", *c.value);
        EXPECT_EQ(SendToMenuSwitch(*backend_, shell_).IsSendToMenuDisabled(), c.disabled);
    }
}

TEST_P(SendToMenuSwitchConformance, ADefaultValueOfAnotherTypeFailsNamingTheKey)
{
    seed_->SetDword(HKCR, View32, Key, "", 1);
    try {
        SendToMenuSwitch(*backend_, shell_).IsSendToMenuDisabled();
        ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Invalid data type for ''\n"
                                             "HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\SendTo");
    }
}

TEST_P(SendToMenuSwitchConformance, WithoutWriteAccessNothingChangesAndNothingIsSaid)
{
    seed_->SetString(HKCR, View32, Key, "", std::string(kSendToHandlerClsid));
    FaultInjectingRegistry denied(*backend_);
    denied.FailCalls({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_NO_THROW(SendToMenuSwitch(denied, shell_).SetSendToMenuEnabled(false));
    EXPECT_EQ(DefaultValue(), MakeStringValue(std::string(kSendToHandlerClsid)));
    EXPECT_EQ(shell_.broadcasts, 0);
}

TEST_P(SendToMenuSwitchConformance, AFailedWriteRaisesWithoutBroadcasting)
{
    seed_->SetString(HKCR, View32, Key, "", std::string(kSendToHandlerClsid));
    FaultInjectingRegistry failingWrite(*backend_);
    failingWrite.FailCalls({2});  // the key opens; writing its value fails
    try {
        SendToMenuSwitch(failingWrite, shell_).SetSendToMenuEnabled(false);
        ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Failed to set data for ''");
    }
    EXPECT_EQ(DefaultValue(), MakeStringValue(std::string(kSendToHandlerClsid)));
    EXPECT_EQ(shell_.broadcasts, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SendToMenuSwitchConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
