#include "catalogue/EntryDetails.h"

#include "FakeEntryProbe.h"
#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "VectorRowSink.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/NewMenuCatalogue.h"
#include "RegistrySeed.h"
#include "VersionResourceBuilder.h"
#include "platform/BlobVersionInfo.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrova {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr std::uint32_t View64 = access::Wow64_64Key;
const std::string Classes = "SOFTWARE\\Classes\\";
const std::string Clsid = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";

TEST(RemoveAccelerators, DropsSingleAmpersandsAndKeepsOneOfEachPair)
{
    const struct {
        std::string text, expected;
    } cases[] = {
        {"&Open", "Open"},       {"Save && Exit", "Save & Exit"}, {"a&&&b", "a&b"},
        {"end&", "end"},         {"&&&&", "&&"},                  {"", ""},
        {"Plain", "Plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveAccelerators(c.text), c.expected) << c.text;
}

TEST(CommandProgram, TakesTheProgramWithoutQuotesOrArguments)
{
    const std::set<std::string> existing = {"C:\\Program Files\\Tool\\run me.exe", "C:\\Tools\\run"};
    const auto isFile = [&](const std::string& path) { return existing.count(path) != 0; };
    const struct {
        std::string line, expected;
        bool probe;
    } cases[] = {
        {"\"C:\\Program Files\\A\\a.exe\" \"%1\"", "C:\\Program Files\\A\\a.exe", false},
        {"  \"C:\\A\\a.exe\"\"%1\"", "C:\\A\\a.exe", false},
        {"\"C:\\unterminated\\a.exe", "C:\\unterminated\\a.exe", false},
        {"notepad.exe %1", "notepad.exe", false},
        {"rundll32 shell32.dll,Control_RunDLL", "rundll32", false},
        {"C:\\Program Files\\A\\a.exe /open %1", "C:\\Program Files\\A\\a.exe", false},
        {"C:\\Program Files\\Tool\\run me.exe %1", "C:\\Program Files\\Tool\\run me.exe", true},
        {"C:\\Tools\\run %1", "C:\\Tools\\run", true},
        {"C:\\Tools\\run %1", "C:\\Tools\\run", false},
        {"C:\\Tools\\script.CMD", "C:\\Tools\\script.CMD", false},
        {"", "", false},
        {"   ", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandProgram(c.line, c.probe ? std::function<bool(const std::string&)>(isFile) : nullptr),
                  c.expected)
            << c.line;
}

TEST(ParseIconLocation, SplitsPathAndIndex)
{
    const struct {
        std::string text;
        IconLocation expected;
    } cases[] = {
        {"C:\\A\\a.exe,2", {"C:\\A\\a.exe", 2}},
        {"C:\\A\\a.dll,-101", {"C:\\A\\a.dll", -101}},
        {"\"C:\\Program Files\\A\\a.exe\",0", {"C:\\Program Files\\A\\a.exe", 0}},
        {"C:\\A\\a.ico", {"C:\\A\\a.ico", 0}},
        {"C:\\A,B\\a.ico", {"C:\\A,B\\a.ico", 0}},
        {" C:\\A\\a.exe , 3 ", {"C:\\A\\a.exe", 3}},
        {"C:\\A\\a.exe,99999999999", {"C:\\A\\a.exe,99999999999", 0}},
        {"", {"", 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIconLocation(c.text), c.expected) << c.text;
}

TEST(LooksLikeClsid, NeedsBracesDashesAndHexDigits)
{
    EXPECT_TRUE(LooksLikeClsid(Clsid));
    EXPECT_TRUE(LooksLikeClsid("{b41db860-64e4-11d2-9906-e49fadc173ca}"));
    EXPECT_FALSE(LooksLikeClsid("B41DB860-64E4-11D2-9906-E49FADC173CA"));
    EXPECT_FALSE(LooksLikeClsid("{B41DB860-64E4-11D2-9906-E49FADC173CG}"));
    EXPECT_FALSE(LooksLikeClsid("{B41DB860064E4-11D2-9906-E49FADC173CA}"));
    EXPECT_FALSE(LooksLikeClsid("PackRat"));
}

class EntryDetailsTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    FakeEntryProbe probe;
    BlobVersionInfo versions;
    EntryDetails details{hive, probe, versions};

    EntryDetailsTest()
    {
        probe.environment["SYSTEMROOT"] = "C:\\Windows";
        probe.environment["PROGRAMFILES"] = "C:\\Program Files";
        details.BeginScan(DetailWords{});
    }

    void Program(const std::string& path, const std::string& company, const std::string& description = {})
    {
        probe.AddFile(path);
        versions.SetResource(path, VersionResourceBuilder()
                                       .Translation(0x0409, 0x04B0)
                                       .String("040904B0", "CompanyName", company)
                                       .String("040904B0", "FileDescription", description)
                                       .Build());
    }
    void Set(std::uint32_t view, const std::string& path, const std::string& name, const std::string& text)
    {
        seed.SetString(HKLM, view, Classes + path, name, text);
    }
    EntryDetailTexts Verb(const std::string& path)
    {
        return details.Read(EntryTarget::Key(HKLM, View32, Classes + path), EntryDetailKind::Verb);
    }
    EntryDetailTexts Handler(const std::string& path)
    {
        return details.Read(EntryTarget::Key(HKLM, View32, Classes + path), EntryDetailKind::Handler);
    }
};

TEST_F(EntryDetailsTest, VerbShowsWhatExplorerShowsAndTheProgramThatRuns)
{
    Set(View32, "*\\shell\\Pin", "MUIVerb", "@%SystemRoot%\\system32\\shell32.dll,-8506");
    Set(View32, "*\\shell\\Pin", "", "ignored");
    probe.indirect["@C:\\Windows\\system32\\shell32.dll,-8506"] = "Pin to &Start && more";
    Set(View32, "*\\shell\\Pin\\command", "", "\"%ProgramFiles%\\Pinner\\pin.exe\" \"%1\"");
    Program("C:\\Program Files\\Pinner\\pin.exe", "Pinner Ltd");

    Set(View32, "*\\shell\\Pin", "Icon", "%SystemRoot%\\pins.dll,-3");
    const EntryDetailTexts texts = Verb("*\\shell\\Pin");
    EXPECT_EQ(texts.icon, "C:\\Windows\\pins.dll,-3");
    EXPECT_EQ(texts.Columns(),
              (std::vector<std::string>{"Pin to Start & more", "C:\\Program Files\\Pinner\\pin.exe", "Pinner Ltd",
                                        "always"}));
    EXPECT_FALSE(texts.programMissing);
}

TEST_F(EntryDetailsTest, VerbTextFallsBackFromMuiVerbToDefaultToKeyNameAndStaysEmptyWhenUnresolved)
{
    Set(View32, "*\\shell\\ByDefault", "", "&Default text");
    seed.CreateKey(HKLM, View32, Classes + "*\\shell\\By&Name");
    Set(View32, "*\\shell\\Broken", "MUIVerb", "@C:\\gone.dll,-1");
    Set(View32, "*\\shell\\Broken", "", "not used");

    EXPECT_EQ(Verb("*\\shell\\ByDefault").shownAs, "Default text");
    EXPECT_EQ(Verb("*\\shell\\By&Name").shownAs, "ByName");
    EXPECT_EQ(Verb("*\\shell\\Broken").shownAs, "");
}

TEST_F(EntryDetailsTest, MissingProgramIsFlaggedAndBareNamesAreLookedUp)
{
    Set(View32, "*\\shell\\Gone\\command", "", "C:\\Uninstalled\\tool.exe \"%1\"");
    Set(View32, "*\\shell\\Bare\\command", "", "notepad.exe %1");
    Set(View32, "*\\shell\\Unknown\\command", "", "nowhere.exe %1");
    probe.programs["notepad.exe"] = "C:\\Windows\\notepad.exe";
    Program("C:\\Windows\\notepad.exe", "Windows Maker");

    const EntryDetailTexts gone = Verb("*\\shell\\Gone");
    EXPECT_EQ(gone.program, "C:\\Uninstalled\\tool.exe (missing)");
    EXPECT_TRUE(gone.programMissing);
    EXPECT_EQ(gone.company, "");

    EXPECT_EQ(gone.icon, "") << "a missing program gives no icon";
    const EntryDetailTexts bare = Verb("*\\shell\\Bare");
    EXPECT_EQ(bare.icon, "C:\\Windows\\notepad.exe,0");
    EXPECT_EQ(bare.program, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(bare.company, "Windows Maker");

    const EntryDetailTexts unknown = Verb("*\\shell\\Unknown");
    EXPECT_EQ(unknown.program, "nowhere.exe");
    EXPECT_FALSE(unknown.programMissing);
}

TEST_F(EntryDetailsTest, ShowsTellsWhenTheVerbAppears)
{
    const struct {
        std::vector<std::string> values;
        std::string expected;
    } cases[] = {
        {{}, "always"},
        {{"Extended"}, "with Shift"},
        {{"LegacyDisable"}, "never"},
        {{"ProgrammaticAccessOnly"}, "never"},
        {{"Extended", "LegacyDisable"}, "never"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string path = "*\\shell\\Verb" + std::to_string(n++);
        seed.CreateKey(HKLM, View32, Classes + path);
        for (const std::string& value : c.values)
            Set(View32, path, value, "");
        EXPECT_EQ(Verb(path).shows, c.expected) << path;
    }
    // Handlers and templates never tell.
    seed.CreateKey(HKLM, View32, Classes + "*\\shellex\\ContextMenuHandlers\\" + Clsid);
    EXPECT_EQ(Handler("*\\shellex\\ContextMenuHandlers\\" + Clsid).shows, "");
}

TEST_F(EntryDetailsTest, ClsidsAreReadInTheSixtyFourBitViewOnSixtyFourBitWindows)
{
    Set(View32, "*\\shell\\Delegated\\command", "DelegateExecute", Clsid);
    Set(View64, "CLSID\\" + Clsid + "\\InprocServer32", "", "%SystemRoot%\\system32\\wide.dll");
    Set(View32, "CLSID\\" + Clsid + "\\InprocServer32", "", "C:\\Windows\\SysWOW64\\narrow.dll");
    Program("C:\\Windows\\system32\\wide.dll", "Wide Company");
    Program("C:\\Windows\\SysWOW64\\narrow.dll", "Narrow Company");

    EntryDetailTexts texts = Verb("*\\shell\\Delegated");
    EXPECT_EQ(texts.program, "C:\\Windows\\system32\\wide.dll");
    EXPECT_EQ(texts.company, "Wide Company");

    probe.windows64 = false;
    EntryDetails onThirtyTwoBit{hive, probe, versions};
    onThirtyTwoBit.BeginScan(DetailWords{});
    texts = onThirtyTwoBit.Read(EntryTarget::Key(HKLM, View32, Classes + "*\\shell\\Delegated"), EntryDetailKind::Verb);
    EXPECT_EQ(texts.program, "C:\\Windows\\SysWOW64\\narrow.dll");
    EXPECT_EQ(texts.company, "Narrow Company");
}

TEST_F(EntryDetailsTest, HandlerTextComesFromItsClsidOrItsDll)
{
    const std::string other = "{11111111-2222-3333-4444-555555555555}";
    const std::string third = "{66666666-7777-8888-9999-AAAAAAAAAAAA}";
    // Named by its default value, with a LocalizedString.
    Set(View32, "*\\shellex\\ContextMenuHandlers\\PackRat", "", Clsid);
    Set(View64, "CLSID\\" + Clsid, "LocalizedString", "@%SystemRoot%\\pack.dll,-5");
    Set(View64, "CLSID\\" + Clsid, "", "Pack Rat handler");
    Set(View64, "CLSID\\" + Clsid + "\\InprocServer32", "", "C:\\Pack\\pack.dll");
    probe.indirect["@C:\\Windows\\pack.dll,-5"] = "Pack with Rat";
    Program("C:\\Pack\\pack.dll", "Rat Soft", "Rat shell extension");
    // Named by its key, with a default value only.
    Set(View32, "Directory\\shellex\\ContextMenuHandlers\\" + other, "", "");
    Set(View64, "CLSID\\" + other, "", "Other handler");
    // Only a DLL.
    Set(View32, "Folder\\shellex\\ContextMenuHandlers\\Third", "", third);
    Set(View64, "CLSID\\" + third + "\\InprocServer32", "", "C:\\Pack\\pack.dll");

    EXPECT_EQ(Handler("*\\shellex\\ContextMenuHandlers\\PackRat").Columns(),
              (std::vector<std::string>{"Pack with Rat", "C:\\Pack\\pack.dll", "Rat Soft", ""}));
    EXPECT_EQ(Handler("Directory\\shellex\\ContextMenuHandlers\\" + other).Columns(),
              (std::vector<std::string>{"Other handler", "", "", ""}));
    EXPECT_EQ(Handler("Folder\\shellex\\ContextMenuHandlers\\Third").Columns(),
              (std::vector<std::string>{"Rat shell extension", "C:\\Pack\\pack.dll", "Rat Soft", ""}));
    // The two handlers of the one DLL read its version information once.
    EXPECT_EQ(details.VersionReads(), 1u);
}

TEST_F(EntryDetailsTest, TemplateTextComesFromMenuTextOrItsClass)
{
    const auto Template = [&](const std::string& classKey) {
        return details
            .Read(EntryTarget::Key(HKLM, View64, Classes + classKey + "\\ShellNew", Classes + classKey),
                  EntryDetailKind::NewMenuTemplate)
            .Columns();
    };
    Set(View64, ".note\\ShellNew", "MenuText", "Sticky note");
    Set(View64, ".txt", "", "txtfile");
    seed.CreateKey(HKLM, View64, Classes + ".txt\\ShellNew");
    Set(View64, "txtfile", "FriendlyTypeName", "@%SystemRoot%\\system32\\notepad.exe,-469");
    Set(View64, "txtfile", "", "Text file");
    probe.indirect["@C:\\Windows\\system32\\notepad.exe,-469"] = "Text Document";
    Set(View64, ".doc\\Word.Document.8\\ShellNew", "NullFile", "");
    Set(View64, "Word.Document.8", "", "Word 97 document");
    Set(View64, ".raw\\ShellNew", "NullFile", "");

    EXPECT_EQ(Template(".note"), (std::vector<std::string>{"Sticky note", "", "", ""}));
    EXPECT_EQ(Template(".txt"), (std::vector<std::string>{"Text Document", "", "", ""}));
    EXPECT_EQ(Template(".doc\\Word.Document.8"), (std::vector<std::string>{"Word 97 document", "", "", ""}));
    EXPECT_EQ(Template(".raw"), (std::vector<std::string>{"", "", "", ""}));
}

TEST_F(EntryDetailsTest, WordsAreTheTranslatedOnesAndFilesAreReadAgainEachScan)
{
    Set(View32, "*\\shell\\Gone\\command", "", "C:\\Uninstalled\\tool.exe");
    Set(View32, "*\\shell\\Gone", "Extended", "");
    details.BeginScan(DetailWords{"(нет файла)", "всегда", "с Shift", "никогда"});
    EXPECT_EQ(Verb("*\\shell\\Gone").program, "C:\\Uninstalled\\tool.exe (нет файла)");
    EXPECT_EQ(Verb("*\\shell\\Gone").shows, "с Shift");

    Program("C:\\Uninstalled\\tool.exe", "Back Again");
    EXPECT_TRUE(Verb("*\\shell\\Gone").programMissing);  // known for the scan under way
    details.BeginScan(DetailWords{});
    EXPECT_EQ(Verb("*\\shell\\Gone").company, "Back Again");
}

}  // namespace
}  // namespace kestrova

namespace kestrova {
namespace {

PlatformFileSystem editorFiles;

TEST_F(EntryDetailsTest, ContextMenuRowsGetTheDetailsAfterTheirOwnColumnsAlsoWhenSwitchedOff)
{
    RecordingShell shell;
    ContextMenuCatalogue catalogue{hive, editorFiles, shell};
    catalogue.SetDetails(&details);
    Set(View32, "*\\shell\\Shred", "MUIVerb", "&Shred");
    Set(View32, "*\\shell\\Shred\\command", "", "C:\\Shredder\\shred.exe %1");
    Program("C:\\Shredder\\shred.exe", "Shred Co");
    // Switched off: its key lives in the backup area only.
    const std::string backup = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";
    seed.SetString(HKLM, View32, backup + "Directory\\shell\\Old", "Extended", "");
    seed.SetString(HKLM, View32, backup + "Directory\\shell\\Old\\command", "", "C:\\Gone\\old.exe");

    VectorRowSink sink;
    catalogue.LoadRows(sink);
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[0].caption, "&Shred");
    EXPECT_EQ(sink.rows[0].subItems,
              (std::vector<std::string>{"All Files", "HKEY_LOCAL_MACHINE", Classes + "*\\shell\\Shred", "Shred",
                                        "C:\\Shredder\\shred.exe", "Shred Co", "always"}));
    EXPECT_EQ(sink.rows[1].subItems,
              (std::vector<std::string>{"Directory", "HKEY_LOCAL_MACHINE", Classes + "Directory\\shell\\Old", "Old",
                                        "C:\\Gone\\old.exe (missing)", "", "with Shift"}));
    EXPECT_FALSE(sink.rows[1].checked);
    EXPECT_EQ(sink.dimmed, (std::vector<std::size_t>{1}));
}

TEST_F(EntryDetailsTest, OnlyWithShiftAddsAndRemovesExactlyExtendedAlsoOnSwitchedOffEntries)
{
    RecordingShell shell;
    ContextMenuCatalogue catalogue{hive, editorFiles, shell};
    const std::string backup = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";
    const KeyTree verb = KeyTree{}
                             .Value("", MakeStringValue("Shred"))
                             .Value("Position", MakeDwordValue(2))
                             .Subkey("command", KeyTree{}.Value("", MakeStringValue("shred.exe %1")));
    seed.WriteTree(HKLM, View32, Classes + "*\\shell\\Live", verb);
    seed.WriteTree(HKLM, View32, backup + "*\\shell\\Off", verb);
    seed.WriteTree(HKLM, View32, Classes + "*\\shellex\\ContextMenuHandlers\\Pack", KeyTree{}.Value("", MakeStringValue(Clsid)));
    const auto row = [&](const std::string& path) {
        return EntryRow{"", {}, true, EntryTarget::Key(HKLM, View32, Classes + path)};
    };

    for (const auto& [path, key] : {std::pair{std::string("*\\shell\\Live"), Classes + "*\\shell\\Live"},
                                    std::pair{std::string("*\\shell\\Off"), backup + "*\\shell\\Off"}}) {
        ASSERT_TRUE(catalogue.SwitchOnlyWithShift(row(path))) << path;
        KeyTree shifted = verb;
        shifted.Value("Extended", MakeStringValue(""));
        EXPECT_EQ(seed.Snapshot(HKLM, View32, key), shifted) << path;
        ASSERT_TRUE(catalogue.SwitchOnlyWithShift(row(path))) << path;
        EXPECT_EQ(seed.Snapshot(HKLM, View32, key), verb) << path;
    }
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Classes + "*\\shell\\Off"));
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, backup + "*\\shell\\Live"));

    // Handlers and rows that point nowhere change nothing.
    EXPECT_FALSE(catalogue.SwitchOnlyWithShift(row("*\\shellex\\ContextMenuHandlers\\Pack")));
    EXPECT_FALSE(catalogue.SwitchOnlyWithShift(EntryRow{}));
    EXPECT_FALSE(catalogue.SwitchOnlyWithShift(row("*\\shell\\Nowhere")));
    EXPECT_FALSE(seed.Value(HKLM, View32, Classes + "*\\shellex\\ContextMenuHandlers\\Pack", "Extended"));
}

TEST_F(EntryDetailsTest, NewMenuRowsShowTheDetailsAfterTheirThreeColumns)
{
    RecordingShell shell;
    NewMenuCatalogue catalogue{hive, editorFiles, shell};
    catalogue.SetDetails(&details);
    Set(View32, ".kst", "", "Kestrova sheet");
    Set(View32, ".kst\\ShellNew", "NullFile", "");
    Set(View32, ".kst\\ShellNew", "MenuText", "@%SystemRoot%\\sheets.dll,-7");
    probe.indirect["@C:\\Windows\\sheets.dll,-7"] = "Sheet";

    VectorRowSink sink;
    catalogue.LoadRows(sink);
    ASSERT_EQ(sink.rows.size(), 1u);
    EXPECT_EQ(sink.rows[0].subItems,
              (std::vector<std::string>{"Kestrova sheet", "HKEY_LOCAL_MACHINE (32)", Classes + ".kst\\ShellNew", "Sheet",
                                        "", "", ""}));
    EXPECT_EQ(sink.rows[0].target.classKey, Classes + ".kst");
}

}  // namespace
}  // namespace kestrova
