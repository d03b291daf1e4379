// The command line's commands against the in-memory registry: what they print, the
// keys they change, their exit codes, and bad input that changes nothing.
#include "cli/ConsoleCommand.h"
#include "cli/Profile.h"

#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/NewMenuCatalogue.h"
#include "platform/AsciiText.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrova {
namespace {

PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
const std::string Classes = "SOFTWARE\\Classes\\";
const std::string OffArea = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";
const std::string ShredId = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Shred";
const std::string PackId = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\shell\\Pack";

struct Outcome {
    int code = -1;
    std::string out, err;
};

class ConsoleCommandTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    RecordingShell shell;
    ContextMenuCatalogue contextMenu{hive, editorFiles, shell};
    NewMenuCatalogue newMenu{hive, editorFiles, shell};
    ScratchBackup backup{hive};
    std::map<std::string, std::string> files;  // what readFile and writeFile see
    bool administrator = true;
    std::vector<std::string> locked;

    void SetUp() override
    {
        seed.SetValue(HKLM, View32, Classes + "*\\shell\\Shred", "", MakeStringValue("Shred, \"now\""));
        seed.SetValue(HKLM, View32, Classes + "Directory\\shell\\Pack", "MUIVerb", MakeStringValue("Упаковать"));
        seed.SetString(HKLM, View32, Classes + ".kst", "", "Kestrova sheet");
        seed.SetValue(HKLM, View32, Classes + ".kst\\ShellNew", "NullFile", MakeStringValue(""));
    }

    Outcome Command(std::vector<std::string> args)
    {
        Outcome run;
        ConsoleServices services;
        services.lists = {
            {"context", &contextMenu, true, 1, 2, false},
            {"new", &newMenu, true, 1, 2, true},
            {"more", nullptr, true, 1, 2, false},
        };
        services.backup = &backup.backup;
        services.undo = &backup.undo;
        services.readFile = [&](const std::string& path, std::size_t limit, std::string& contents) {
            const auto found = files.find(path);
            if (found == files.end())
                return ReadOutcome::Unreadable;
            if (found->second.size() > limit)
                return ReadOutcome::TooLarge;
            contents = found->second;
            return ReadOutcome::Read;
        };
        services.writeFile = [&](const std::string& path, std::string_view contents) {
            files[path] = std::string(contents);
            return true;
        };
        services.isAdministrator = [&] { return administrator; };
        services.lockList = [&](std::string_view kind) {
            locked.emplace_back(kind);
            return std::shared_ptr<void>();
        };
        services.out = [&](std::string_view text) { run.out += text; };
        services.err = [&](std::string_view text) { run.err += text; };
        services.version = "1.2.3.4";
        run.code = RunConsoleCommand(args, services);
        return run;
    }

    bool Live(const std::string& path) { return seed.Snapshot(HKLM, View32, Classes + path).has_value(); }
    bool SwitchedOff(const std::string& path) { return seed.Snapshot(HKLM, View32, OffArea + path).has_value(); }
    // The id of the one New-menu template.
    std::string NewMenuId()
    {
        const Outcome run = Command({"list", "new", "--csv"});
        const auto start = run.out.find("\r\n") + 2;
        return run.out.substr(start, run.out.find(',', start) - start);
    }
};

TEST_F(ConsoleCommandTest, ListPrintsEveryEntryAsJsonAndCsvWithItsIdAndState)
{
    ASSERT_EQ(Command({"off", ShredId}).code, kExitDone);
    const Outcome json = Command({"list", "context", "--json"});
    EXPECT_EQ(json.code, kExitDone);
    EXPECT_EQ(json.out,
              "[\n"
              "  {\"id\": \"" + std::string("HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Classes\\\\*\\\\shell\\\\Shred") +
                  "\", \"list\": \"context\", \"name\": \"Shred, \\\"now\\\"\", \"shownAs\": \"Shred, \\\"now\\\"\", "
                  "\"section\": \"HKEY_LOCAL_MACHINE\", \"path\": \"SOFTWARE\\\\Classes\\\\*\\\\shell\\\\Shred\", "
                  "\"on\": false},\n"
                  "  {\"id\": \"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Classes\\\\Directory\\\\shell\\\\Pack\", "
                  "\"list\": \"context\", \"name\": \"Упаковать\", \"shownAs\": \"Упаковать\", "
                  "\"section\": \"HKEY_LOCAL_MACHINE\", \"path\": \"SOFTWARE\\\\Classes\\\\Directory\\\\shell\\\\Pack\", "
                  "\"on\": true}\n"
                  "]\n");
    EXPECT_EQ(json.err, "");

    const Outcome csv = Command({"list", "--csv"});
    EXPECT_EQ(csv.code, kExitDone);
    EXPECT_TRUE(csv.out.starts_with("id,list,name,shownAs,section,path,on\r\n" + ShredId +
                                    ",context,\"Shred, \"\"now\"\"\",\"Shred, \"\"now\"\"\",HKEY_LOCAL_MACHINE,"
                                    "SOFTWARE\\Classes\\*\\shell\\Shred,off\r\n"))
        << csv.out;
    EXPECT_NE(csv.out.find(",new,"), std::string::npos) << "every list without a name";
    EXPECT_EQ(locked, (std::vector<std::string>{"context-menu", "new-menu", "context-menu", "context-menu", "new-menu"}))
        << "each list read is locked: every list for a switch, the one named for a list";
}

TEST_F(ConsoleCommandTest, OffAndOnMoveExactlyTheNamedKeyAndAreIdempotent)
{
    const Outcome off = Command({"off", ShredId});
    EXPECT_EQ(off.code, kExitDone);
    EXPECT_EQ(off.out, "switched off: " + ShredId + "\n");
    EXPECT_FALSE(Live("*\\shell\\Shred"));
    EXPECT_TRUE(SwitchedOff("*\\shell\\Shred"));
    EXPECT_TRUE(Live("Directory\\shell\\Pack"));

    // Already off, named in another letter case: no error, nothing moves.
    const Outcome again = Command({"off", AsciiUpper(ShredId)});
    EXPECT_EQ(again.code, kExitDone);
    EXPECT_EQ(again.out, "already off: " + ShredId + "\n");
    EXPECT_TRUE(SwitchedOff("*\\shell\\Shred"));

    EXPECT_EQ(Command({"on", ShredId}).code, kExitDone);
    EXPECT_TRUE(Live("*\\shell\\Shred"));
    EXPECT_FALSE(SwitchedOff("*\\shell\\Shred"));
}

TEST_F(ConsoleCommandTest, BadInputSaysWhyOnStandardErrorAndChangesNothing)
{
    files["junk.txt"] = "[context]\n" + ShredId + "\n" + std::string("\x7F" "ELF\x01\x01\x00\x00", 8);
    files["huge.txt"] = std::string(kMaxProfileSize + 1, 'x');
    files["printers.txt"] = "[printers]\nx\n";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string errorStart;
    };
    const Case cases[] = {
        {{"frobnicate"}, kExitError, "Kestrova: unknown command \"frobnicate\""},
        {{"off", ShredId, "HKEY_LOCAL_MACHINE\\nothing"}, kExitError, "Kestrova: no entry has the id"},
        {{"on"}, kExitError, "Kestrova: on: name at least one entry id"},
        {{"delete", ShredId}, kExitError, "Kestrova: delete asks no question: add --yes"},
        {{"list", "printers"}, kExitError, "Kestrova: there is no list \"printers\"; the lists are context, new, more"},
        {{"list", "more"}, kExitError, "Kestrova: the list \"more\" is not in this version of Kestrova"},
        {{"list", "--xml"}, kExitError, "Kestrova: list: unknown option --xml"},
        {{"profile", "apply", "missing.txt"}, kExitError, "Kestrova: cannot read the profile missing.txt"},
        {{"profile", "apply", "junk.txt"}, kExitError, "Kestrova: the profile junk.txt is not a profile (line 3"},
        {{"profile", "apply", "huge.txt"}, kExitError, "Kestrova: the profile huge.txt is larger than 1024 KiB"},
        {{"profile", "apply", "printers.txt"}, kExitError, "Kestrova: the profile printers.txt is not a profile"},
        {{"profile", "load", "x"}, kExitError, "Kestrova: profile: use"},
    };
    for (const Case& c : cases) {
        const Outcome run = Command(c.args);
        EXPECT_EQ(run.code, c.code) << c.args[0];
        EXPECT_TRUE(run.err.starts_with(c.errorStart)) << run.err;
        EXPECT_EQ(run.out, "") << c.errorStart;
        EXPECT_TRUE(Live("*\\shell\\Shred")) << c.errorStart;
        EXPECT_TRUE(Live("Directory\\shell\\Pack")) << c.errorStart;
    }
}

TEST_F(ConsoleCommandTest, WithoutAdministratorRightsAChangeExitsFiveAndChangesNothing)
{
    administrator = false;
    const Outcome off = Command({"off", PackId, ShredId});
    EXPECT_EQ(off.code, kExitNeedsAdministrator);
    EXPECT_TRUE(off.err.find("administrator rights are needed") != std::string::npos) << off.err;
    EXPECT_TRUE(Live("*\\shell\\Shred"));
    EXPECT_EQ(Command({"delete", ShredId, "--yes"}).code, kExitNeedsAdministrator);
    EXPECT_TRUE(Live("*\\shell\\Shred"));
    // Nothing to change needs no rights; nor does a look.
    EXPECT_EQ(Command({"on", ShredId}).code, kExitDone);
    EXPECT_EQ(Command({"list"}).code, kExitDone);
}

TEST_F(ConsoleCommandTest, DeleteKeepsACopyFirstAndDeletesOnlyTheNamedKey)
{
    const Outcome run = Command({"delete", "--yes", ShredId});
    EXPECT_EQ(run.code, kExitDone) << run.err;
    EXPECT_FALSE(Live("*\\shell\\Shred"));
    EXPECT_TRUE(Live("Directory\\shell\\Pack"));
    ASSERT_TRUE(backup.undo.CanUndo());
    const std::string copy = backup.undo.Latest().backupFile;
    EXPECT_EQ(run.out, "deleted: " + ShredId + " (copy: " + copy + ")\n");
    // The copy is the one the window's undo puts back from.
    EXPECT_EQ(backup.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_TRUE(Live("*\\shell\\Shred"));
}

TEST_F(ConsoleCommandTest, ProfileApplyConvergesThenFindsNothingToDo)
{
    const std::string templateOn = NewMenuId();
    ASSERT_TRUE(templateOn.ends_with("\\ShellNew")) << templateOn;
    ASSERT_EQ(Command({"off", ShredId, templateOn}).code, kExitDone);
    const Outcome save = Command({"profile", "save", "p.txt"});
    EXPECT_EQ(save.code, kExitDone);
    EXPECT_EQ(save.out, "saved 2 switched-off entries of 2 lists to p.txt\n");
    // The saved id of the template is its switched-off key name; it names the same
    // template once that is switched on again.
    const std::string templateOff = templateOn.substr(0, templateOn.size() - 8) + "old_ShellNew";
    EXPECT_NE(files["p.txt"].find("[new]\r\n" + templateOff + "\r\n"), std::string::npos) << files["p.txt"];

    // Changed by hand: Shred and the template on, Pack off.
    ASSERT_EQ(Command({"on", ShredId, templateOff}).code, kExitDone);
    ASSERT_EQ(Command({"off", PackId}).code, kExitDone);
    files["p.txt"] += "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.gone\\ShellNew\r\n";

    const Outcome dryRun = Command({"profile", "apply", "p.txt", "--dry-run"});
    EXPECT_EQ(dryRun.code, kExitChanged);
    EXPECT_TRUE(Live("*\\shell\\Shred")) << "a dry run changes nothing";

    const Outcome apply = Command({"profile", "apply", "p.txt"});
    EXPECT_EQ(apply.code, kExitChanged) << apply.err;
    EXPECT_EQ(apply.out, "not on this machine, skipped: new HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.gone\\ShellNew\n"
                         "switched off: " + ShredId + "\nswitched on: " + PackId + "\nswitched off: " + templateOn + "\n");
    EXPECT_FALSE(Live("*\\shell\\Shred"));
    EXPECT_TRUE(Live("Directory\\shell\\Pack"));
    EXPECT_EQ(NewMenuId(), templateOff);

    const Outcome second = Command({"profile", "apply", "p.txt"});
    EXPECT_EQ(second.code, kExitDone) << second.out;
    EXPECT_EQ(Command({"profile", "apply", "p.txt", "--dry-run"}).code, kExitDone);
}

}  // namespace
}  // namespace kestrova
