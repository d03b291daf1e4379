// A switch of either registry catalogue ended by the end of the process before any one
// of its registry calls, followed by the next run's listing on the same hive: the entry
// is whole at exactly one place, no temporary key is left, and the list tells which.
#include "catalogue/ContextMenuCatalogue.h"
#include "PlatformFileSystem.h"
#include "catalogue/KeySwitch.h"
#include "catalogue/NewMenuCatalogue.h"

#include "FaultInjectingRegistry.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "VectorRowSink.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;

KeyTree Entry()
{
    return KeyTree{}
        .Value("", MakeStringValue("Shred permanently"))
        .Value("Icon", MakeStringValue("%SystemRoot%\\shred.ico", RegType::ExpandSz))
        .Value("NullFile", MakeStringValue(""))
        .Value("Position", MakeDwordValue(2))
        .Value("Flags", RegValue{static_cast<std::uint32_t>(RegType::Binary), {1, 2, 3}})
        .Subkey("command", KeyTree{}.Value("", MakeStringValue("shred.exe \"%1\"")))
        .Subkey("DropTarget", KeyTree{}.Subkey("Options", KeyTree{}.Value("Mode", MakeDwordValue(7))));
}

KeyTree Stale()
{
    return KeyTree{}.Value("", MakeStringValue("stale")).Value("NullFile", MakeStringValue("")).Subkey("old", KeyTree{});
}

// One switch of one catalogue: the entry's two places, the view, how the switch is
// asked for, and which row of the next listing shows the entry switched on or off.
struct SwitchCase {
    std::string name;
    std::uint32_t view;
    std::string live, switchedOff;
    std::function<bool(RegistryBackend&, RecordingShell&, bool enable)> switchRow;
    std::function<std::optional<bool>(RegistryBackend&, RecordingShell&)> listedOn;
};

std::optional<bool> CheckOfRowWhose(const std::vector<EntryRow>& rows, std::size_t subItem, const std::string& text)
{
    for (const EntryRow& row : rows)
        if (row.subItems.size() > subItem && row.subItems[subItem] == text)
            return row.checked;
    return std::nullopt;
}

std::vector<SwitchCase> Cases()
{
    const std::string verb = "SOFTWARE\\Classes\\*\\shell\\Shred";
    const std::string classKey = "SOFTWARE\\Classes\\.kst";
    return {
        {"context menu", access::Wow64_32Key, verb, "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\*\\shell\\Shred",
         [verb](RegistryBackend& registry, RecordingShell& shell, bool enable) {
             return ContextMenuCatalogue(registry, editorFiles, shell)
                 .SwitchRow(EntryRow{"Shred", {"All Files", "HKEY_LOCAL_MACHINE", verb}, enable,
                                     EntryTarget::Key(RegRoot::LocalMachine, access::Wow64_32Key, verb)});
         },
         [verb](RegistryBackend& registry, RecordingShell& shell) {
             VectorRowSink rows;
             ContextMenuCatalogue(registry, editorFiles, shell).LoadRows(rows);
             return CheckOfRowWhose(rows.rows, 2, verb);
         }},
        {"New menu", access::Wow64_64Key, classKey + "\\ShellNew", classKey + "\\old_ShellNew",
         [classKey](RegistryBackend& registry, RecordingShell& shell, bool enable) {
             return NewMenuCatalogue(registry, editorFiles, shell)
                 .SwitchRow(EntryRow{"Kestrova sheet",
                                     {".kst", "HKEY_LOCAL_MACHINE (64)", classKey + "\\ShellNew"}, enable,
                                     EntryTarget::Key(RegRoot::LocalMachine, access::Wow64_64Key,
                                                      classKey + "\\ShellNew", classKey)});
         },
         [classKey](RegistryBackend& registry, RecordingShell& shell) {
             VectorRowSink rows;
             NewMenuCatalogue(registry, editorFiles, shell).LoadRows(rows);
             for (const EntryRow& row : rows.rows)
                 if (row.target.classKey == classKey)
                     return std::optional<bool>(row.checked);
             return std::optional<bool>();
         }},
    };
}

TEST(InterruptedSwitch, EndedBeforeAnyCallTheNextRunFindsTheEntryWholeAtOnePlaceAndListedSo)
{
    std::size_t cases = 0;
    for (const SwitchCase& c : Cases()) {
        for (bool enable : {false, true}) {
            for (bool withStaleCopy : {false, true}) {
                const std::string& from = enable ? c.switchedOff : c.live;
                const std::string& to = enable ? c.live : c.switchedOff;
                bool sweptPastTheEnd = false;
                for (std::size_t end = 1; !sweptPastTheEnd; ++end) {
                    MemoryRegistry hive;
                    RegistrySeed seed(hive);
                    seed.SetString(HKLM, c.view, "SOFTWARE\\Classes\\.kst", "", "Kestrova sheet file");
                    seed.WriteTree(HKLM, c.view, from, Entry());
                    if (withStaleCopy)
                        seed.WriteTree(HKLM, c.view, to, Stale());
                    FaultInjectingRegistry ending(hive);
                    ending.EndRunAt(end);
                    RecordingShell shell;
                    c.switchRow(ending, shell, enable);
                    sweptPastTheEnd = ending.FailedCalls() == 0;
                    ++cases;

                    // The next run, on the same hive.
                    const std::optional<bool> listedOn = c.listedOn(hive, shell);
                    const auto atFrom = seed.Snapshot(HKLM, c.view, from);
                    const auto atTo = seed.Snapshot(HKLM, c.view, to);
                    const std::string where = c.name + (enable ? " on" : " off") +
                                              (withStaleCopy ? " over a stale copy" : "") + ", ended before call " +
                                              std::to_string(end);
                    const bool stayed = atFrom == Entry() && atTo == (withStaleCopy ? std::optional(Stale()) : std::nullopt);
                    const bool moved = atTo == Entry() && !atFrom;
                    EXPECT_TRUE(stayed || moved) << where;
                    if (sweptPastTheEnd) {
                        EXPECT_TRUE(moved) << where;
                    }
                    EXPECT_FALSE(seed.KeyExists(HKLM, c.view, PendingCopyKey(to))) << where;
                    EXPECT_FALSE(seed.KeyExists(HKLM, access::Wow64_32Key, kPendingSwitchKey)) << where;
                    // With both keys present the entry is listed as switched off.
                    const bool on = seed.KeyExists(HKLM, c.view, c.live) && !seed.KeyExists(HKLM, c.view, c.switchedOff);
                    EXPECT_EQ(listedOn, std::optional(on)) << where;
                }
            }
        }
    }
    std::cout << "[ cases    ] " << cases << " interrupted switches\n";
}

}  // namespace
}  // namespace kestrova
