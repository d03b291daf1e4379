// The New-menu catalogue under failure: a switch broken at any registry call leaves the
// template whole at one of its two names and says truthfully which; a scan broken at
// any call, or meeting malformed data, still ends normally. And what the scan costs.
#include "catalogue/NewMenuCatalogue.h"
#include "PlatformFileSystem.h"
#include "catalogue/NewMenuScan.h"

#include "FaultInjectingRegistry.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "VectorRowSink.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
const std::string ClassKey = "SOFTWARE\\Classes\\.kst";

KeyTree Template()
{
    return KeyTree{}
        .Value("NullFile", MakeStringValue(""))
        .Value("MenuText", MakeStringValue("Kestrova sheet"))
        .Value("Flags", MakeDwordValue(3))
        .Value("Data", RegValue{static_cast<std::uint32_t>(RegType::Binary), {1, 2}})
        .Subkey("Config", KeyTree{}.Value("x", MakeStringValue("y")).Subkey("Inner", KeyTree{}.Value(
                                                                                        "n", MakeDwordValue(1))));
}

struct SwitchOutcome {
    bool reportedSwitched = false;
    std::optional<KeyTree> atShellNew, atOldShellNew;
    std::size_t calls = 0, writes = 0, failedCalls = 0, openHandles = 0;
    int broadcasts = 0;
};

SwitchOutcome SwitchOffFailingAt(bool platformRenames, std::set<std::size_t> failing)
{
    MemoryRegistry hive;
    RegistrySeed seed(hive);
    seed.SetString(HKLM, View32, ClassKey, "", "Kestrova sheet file");
    seed.WriteTree(HKLM, View32, ClassKey + "\\ShellNew", Template());
    FaultInjectingRegistry faults(hive);
    faults.renames = platformRenames;
    faults.FailCalls(std::move(failing));
    RecordingShell shell;
    SwitchOutcome outcome;
    outcome.reportedSwitched = NewMenuCatalogue(faults, editorFiles, shell).SwitchRow(
        EntryRow{"Kestrova sheet", {".kst", "HKEY_LOCAL_MACHINE (32)", ClassKey + "\\ShellNew"}, false,
                 EntryTarget::Key(HKLM, View32, ClassKey + "\\ShellNew", ClassKey)});
    outcome.atShellNew = seed.Snapshot(HKLM, View32, ClassKey + "\\ShellNew");
    outcome.atOldShellNew = seed.Snapshot(HKLM, View32, ClassKey + "\\old_ShellNew");
    outcome.calls = faults.Calls();
    outcome.writes = faults.Writes();
    outcome.failedCalls = faults.FailedCalls();
    outcome.openHandles = hive.OpenHandleCount();
    outcome.broadcasts = shell.broadcasts;
    return outcome;
}

TEST(NewMenuSwitch, AFailureAtAnyCallLeavesTheTemplateWholeAtOneNameAndTheBoxTellsWhich)
{
    for (bool platformRenames : {true, false}) {
        const SwitchOutcome undisturbed = SwitchOffFailingAt(platformRenames, {});
        ASSERT_TRUE(undisturbed.reportedSwitched);
        ASSERT_FALSE(undisturbed.atShellNew);
        ASSERT_EQ(undisturbed.atOldShellNew, Template());
        // Besides the record of the move (a key, five values, its removal) the rename is
        // one write; the move copies every key and value, then deletes.
        EXPECT_EQ(undisturbed.writes == 8, platformRenames);

        for (std::size_t call = 1; call <= undisturbed.calls; ++call) {
            const SwitchOutcome outcome = SwitchOffFailingAt(platformRenames, {call});
            const std::string where = (platformRenames ? "rename, failing call " : "move, failing call ") +
                                      std::to_string(call);
            ASSERT_EQ(outcome.failedCalls, 1u) << where;
            const bool moved = !outcome.atShellNew && outcome.atOldShellNew == Template();
            const bool stayed = outcome.atShellNew == Template() && !outcome.atOldShellNew;
            EXPECT_TRUE(moved || stayed) << where;
            EXPECT_EQ(outcome.reportedSwitched, moved) << where;
            EXPECT_EQ(outcome.broadcasts, moved ? 1 : 0) << where;
            EXPECT_EQ(outcome.openHandles, 0u) << where;
        }
    }
}

// Extensions with the keys real machines have below them, and templates of several kinds.
void SeedClasses(RegistrySeed& seed, const std::string& root)
{
    for (int i = 0; i < 4; ++i) {
        const std::string number = std::to_string(i);
        const std::string ext = root + "\\.e" + number;
        const std::string progId = "e" + number + "file";
        seed.SetString(HKLM, View32, ext, "", progId);
        seed.SetString(HKLM, View32, ext + "\\OpenWithProgids", progId, "");
        seed.CreateKey(HKLM, View32, ext + "\\PersistentHandler");
        seed.SetString(HKLM, View32, root + "\\" + progId + "\\shell\\open\\command", "", "e.exe");
    }
    seed.WriteTree(HKLM, View32, root + "\\.e1\\ShellNew", Template());
    seed.WriteTree(HKLM, View32, root + "\\.e2\\e2file\\old_ShellNew", Template());
    seed.SetValue(HKLM, View32, root + "\\.e3\\ShellNew", "MenuText", MakeDwordValue(1));
    seed.SetValue(HKLM, View32, root + "\\.e3\\ShellNew", "FileName", MakeDwordValue(1));
    seed.SetString(HKLM, View32, root + "\\.e3\\ShellNew", "Command", "run.exe");
    seed.SetValue(HKLM, View32, root + "\\.e3", "", MakeDwordValue(9));
}

TEST(NewMenuScan, NoFailedCallEndsTheScanAndMalformedValuesOnlyChangeTexts)
{
    MemoryRegistry hive;
    RegistrySeed seed(hive);
    SeedClasses(seed, "SOFTWARE\\Classes\\Scan");
    FaultInjectingRegistry faults(hive);
    VectorRowSink undisturbed;
    ScanNewMenu(faults, undisturbed, "SOFTWARE\\Classes\\Scan");
    ASSERT_EQ(undisturbed.rows.size(), 3u);
    // A DWORD default value gives the type no text, a DWORD MenuText the caption none:
    // both are the top-level name.
    EXPECT_EQ(undisturbed.rows[2].caption, ".e3");
    EXPECT_EQ(undisturbed.rows[2].subItems[0], ".e3");

    const std::size_t calls = faults.Calls();
    for (long error : {regerr::AccessDenied, regerr::FileNotFound, regerr::KeyDeleted}) {
        for (std::size_t call = 1; call <= calls; ++call) {
            FaultInjectingRegistry failing(hive);
            failing.FailCalls({call}, error);
            VectorRowSink rows;
            std::size_t count = 0;
            EXPECT_NO_THROW(count = ScanNewMenu(failing, rows, "SOFTWARE\\Classes\\Scan")) << call;
            EXPECT_EQ(count, rows.rows.size()) << call;
            EXPECT_LE(rows.rows.size(), undisturbed.rows.size()) << call;
            EXPECT_EQ(hive.OpenHandleCount(), 0u) << call;
        }
    }
}

TEST(NewMenuScan, WithoutTemplatesItMakesTheCallsOfABareWalkOfEachViewThatIsAKeyOfItsOwn)
{
    // Per view walked: the root (open, 10 names and the end, close), each extension
    // (open, 3 names and the end, close) and its OpenWithProgids (open, the end, close).
    constexpr std::size_t walk = 13 + 10 * (6 + 3);
    struct Case {
        ClassesViews views;
        bool namesKeys;
        std::size_t calls;
    };
    // Both classes keys are asked their names, also where the registry cannot tell. Where
    // both views reach one classes key, so is each extension, and the 64-bit view's
    // classes key is only opened and closed.
    const Case cases[] = {
        {ClassesViews::Shared, true, walk + 2 + 10 + 2},
        {ClassesViews::Shared, false, 2 * walk + 2},
        {ClassesViews::Apart, true, 2 * walk + 2},
    };
    for (const Case& c : cases) {
        MemoryRegistry hive(c.views);
        RegistrySeed seed(hive);
        const std::string root = "SOFTWARE\\Classes\\Bare";
        for (std::uint32_t view : {View32, access::Wow64_64Key}) {
            for (int i = 0; i < 10; ++i) {
                const std::string ext = root + "\\.e" + std::to_string(i);
                seed.SetString(HKLM, view, ext + "\\OpenWithProgids", "progid", "");
                seed.SetString(HKLM, view, ext + "\\shell\\open\\command", "", "x.exe");  // never entered
                seed.CreateKey(HKLM, view, ext + "\\DefaultIcon");                       // never entered
            }
        }
        FaultInjectingRegistry counting(hive);
        counting.namesKeys = c.namesKeys;
        VectorRowSink rows;
        ScanNewMenu(counting, rows, root);
        EXPECT_EQ(counting.Calls(), c.calls) << "apart " << (c.views == ClassesViews::Apart) << ", named " << c.namesKeys;
        EXPECT_TRUE(rows.rows.empty());
        EXPECT_EQ(hive.OpenHandleCount(), 0u);
    }
}

}  // namespace
}  // namespace kestrova
