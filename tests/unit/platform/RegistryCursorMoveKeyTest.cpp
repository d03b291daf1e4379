// MoveKey under failure: a registry call failing at any step must leave the entry
// whole at exactly one place, and a failure that stopped the move must be reported.
// With two failures, restoring may fail too; the entry must still be whole somewhere.
#include "FaultInjectingRegistry.h"
#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"
#include "platform/RegistryCursor.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrova {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
const std::string Source = "SOFTWARE\\Classes\\*\\shell\\Foo";
const std::string Backup = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\*\\shell\\Foo";

KeyTree Entry()
{
    return KeyTree{}
        .Value("", MakeStringValue("Foo"))
        .Value("Flags", MakeDwordValue(7))
        .Value("Data", RegValue{static_cast<std::uint32_t>(RegType::Binary), {1, 2, 3}})
        .Value("Path", MakeStringValue("%ProgramFiles%", RegType::ExpandSz))
        .Subkey("command", KeyTree{}.Value("", MakeStringValue("foo.exe \"%1\"")))
        .Subkey("DropTarget", KeyTree{}
                                  .Value("Clsid", MakeStringValue("{1}"))
                                  .Subkey("Inner", KeyTree{}.Value("Level", MakeDwordValue(2))));
}

struct Outcome {
    std::optional<KeyTree> atSource, atBackup;
    std::optional<std::string> error;
    std::size_t failedCalls = 0, writes = 0, calls = 0, openHandles = 0;
};

Outcome MoveFailingAt(std::set<std::size_t> failing)
{
    MemoryRegistry hive;
    RegistrySeed seed(hive);
    seed.WriteTree(HKLM, View32, Source, Entry());
    FaultInjectingRegistry faults(hive);
    faults.FailCalls(std::move(failing));
    Outcome outcome;
    {
        RegistryCursor registry(faults, 0xF023F);
        registry.RootKey = HKLM;
        try {
            registry.MoveKey(Source, Backup, true);
        } catch (const AppError& error) {
            outcome.error = error.what();
        }
    }
    outcome.atSource = seed.Snapshot(HKLM, View32, Source);
    outcome.atBackup = seed.Snapshot(HKLM, View32, Backup);
    outcome.failedCalls = faults.FailedCalls();
    outcome.writes = faults.Writes();
    outcome.calls = faults.Calls();
    outcome.openHandles = hive.OpenHandleCount();
    return outcome;
}

TEST(MoveKey, AFailureAtAnyCallLeavesTheEntryWholeAtOnePlace)
{
    const Outcome undisturbed = MoveFailingAt({});
    ASSERT_FALSE(undisturbed.error);
    ASSERT_FALSE(undisturbed.atSource);
    ASSERT_EQ(undisturbed.atBackup, Entry());

    std::set<std::string> errors;
    for (std::size_t call = 1; call <= undisturbed.calls; ++call) {
        const Outcome outcome = MoveFailingAt({call});
        ASSERT_EQ(outcome.failedCalls, 1u);
        const bool moved = !outcome.atSource && outcome.atBackup == Entry();
        const bool stayed = outcome.atSource == Entry() && !outcome.atBackup;
        EXPECT_TRUE(moved || stayed) << "failing call " << call;
        if (outcome.error) {
            EXPECT_TRUE(stayed) << "failing call " << call << ": " << *outcome.error;
            errors.insert(outcome.error->substr(0, outcome.error->find_first_of("'\\")));
        } else {
            // A failure may pass unreported only when it did no harm: the move went
            // through, or it stopped the move before anything was written.
            EXPECT_TRUE(moved || outcome.writes == 0) << "failing call " << call;
        }
        EXPECT_EQ(outcome.openHandles, 0u) << "failing call " << call;
    }
    // The sweep reached the copy and the deletion of the source.
    EXPECT_EQ(errors, (std::set<std::string>{"Failed to create key SOFTWARE", "Failed to delete key SOFTWARE",
                                             "Failed to get data for ", "Failed to open key SOFTWARE",
                                             "Failed to read key SOFTWARE", "Failed to set data for "}));
}

TEST(MoveKey, TwoFailedCallsStillLeaveTheEntryWholeSomewhere)
{
    const std::size_t calls = MoveFailingAt({}).calls;
    for (std::size_t first = 1; first <= calls; ++first) {
        const std::size_t callsAfterFirstFailure = MoveFailingAt({first}).calls;
        for (std::size_t second = first + 1; second <= callsAfterFirstFailure; ++second) {
            const Outcome outcome = MoveFailingAt({first, second});
            EXPECT_TRUE(outcome.atSource == Entry() || outcome.atBackup == Entry())
                << "failing calls " << first << " and " << second;
            if (!outcome.error && outcome.atSource) {
                EXPECT_EQ(outcome.writes, 0u) << "failing calls " << first << " and " << second;
            }
        }
    }
}

TEST(MoveKey, RefusesToMoveAKeyIntoItsOwnSubtree)
{
    MemoryRegistry hive;
    RegistrySeed seed(hive);
    seed.WriteTree(RegRoot::CurrentUser, 0, "Software\\Entry", Entry());
    RegistryCursor registry(hive);
    ASSERT_TRUE(registry.OpenKey("Software", false));
    EXPECT_THROW(registry.MoveKey("Entry", "\\SOFTWARE\\ENTRY\\Copy", true), AppError);
    EXPECT_EQ(seed.Snapshot(RegRoot::CurrentUser, 0, "Software\\Entry"), Entry());
}

TEST(OpenKeyReadOnly, FallsBackToSmallerMasksWithTheViewBits)
{
    const struct {
        std::set<std::size_t> failing;
        bool opens;
        std::uint32_t access;
    } cases[] = {
        {{}, true, 0x20219},
        {{1}, true, 0x20209},
        {{1, 2}, true, 0x0201},
        {{1, 2, 3}, false, 0xF023F},
    };
    for (const auto& c : cases) {
        MemoryRegistry hive;
        RegistrySeed(hive).CreateKey(RegRoot::LocalMachine, View32, "SOFTWARE\\Classes\\Foo");
        FaultInjectingRegistry faults(hive);
        faults.FailCalls(c.failing);
        RegistryCursor registry(faults, 0xF023F);
        registry.RootKey = RegRoot::LocalMachine;
        EXPECT_EQ(registry.OpenKeyReadOnly("SOFTWARE\\Classes\\Foo"), c.opens) << c.failing.size();
        EXPECT_EQ(registry.Access, c.access) << c.failing.size();
        EXPECT_EQ(registry.HasCurrentKey(), c.opens) << c.failing.size();
    }
}

}  // namespace
}  // namespace kestrova
