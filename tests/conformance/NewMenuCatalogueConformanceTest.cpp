// The New-menu catalogue against every registry backend, the real one included: the
// rows of a scan over a tree rich in edge cases (held to the word-for-word reading as
// well as to the expected list), and what a switch or a delete does to the keys.
#include "catalogue/NewMenuCatalogue.h"
#include "PlatformFileSystem.h"
#include "catalogue/NewMenuScan.h"

#include "FaultInjectingRegistry.h"
#include "NewMenuReferenceScan.h"
#include "RecordingShell.h"
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "VectorRowSink.h"
#include "platform/AsciiText.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr std::uint32_t View64 = access::Wow64_64Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string Section32 = "HKEY_LOCAL_MACHINE (32)";
const std::string Section64 = "HKEY_LOCAL_MACHINE (64)";

RegValue Raw(RegType type, std::vector<std::uint8_t> data)
{
    return RegValue{static_cast<std::uint32_t>(type), std::move(data)};
}

KeyTree NullFileTemplate()
{
    return KeyTree{}.Value("NullFile", MakeStringValue(""));
}

// A template with values of several types and two levels of subkeys.
KeyTree RichTemplate()
{
    return KeyTree{}
        .Value("NullFile", MakeStringValue(""))
        .Value("ItemName", MakeStringValue("@%SystemRoot%\\system32\\notepad.exe,-470", RegType::ExpandSz))
        .Value("IconPath", MakeStringValue("%SystemRoot%\\system32\\imageres.dll,-102", RegType::ExpandSz))
        .Value("Flags", MakeDwordValue(0x12))
        .Value("Data", Raw(RegType::Binary, {0, 1, 2, 255}))
        .Subkey("Config", KeyTree{}
                              .Value("BeforeFile", Raw(RegType::MultiSz, {'a', 0, 0, 0, 0, 0}))
                              .Subkey("Inner", KeyTree{}.Value("Level", MakeDwordValue(2))));
}

// Class keys below the scan root: what the walk must list, skip and leave, with values
// of unexpected types in several places.
KeyTree EdgeCaseClasses()
{
    const KeyTree nullFile = NullFileTemplate();
    return KeyTree{}
        .Subkey(".both", KeyTree{}.Subkey("ShellNew", nullFile).Subkey("old_ShellNew", nullFile))
        .Subkey(".docx", KeyTree{}.Subkey("Word.Document.12", KeyTree{}.Subkey("ShellNew", nullFile)))
        .Subkey(".dwordfile", KeyTree{}
                                  .Value("", MakeDwordValue(1))
                                  .Subkey("ShellNew", KeyTree{}
                                                          .Value("FileName", MakeDwordValue(7))
                                                          .Value("NullFile", MakeDwordValue(0))))
        .Subkey(".dwordmenu", KeyTree{}
                                  .Value("", MakeStringValue("Dword Type"))
                                  .Subkey("ShellNew", KeyTree{}
                                                          .Value("MenuText", MakeDwordValue(3))
                                                          .Value("ItemName", MakeStringValue("Not used"))
                                                          .Value("Data", Raw(RegType::Binary, {}))))
        .Subkey(".emptycmd", KeyTree{}.Subkey("ShellNew", KeyTree{}.Value("Command", MakeStringValue(""))))
        .Subkey(".emptymenu", KeyTree{}.Value("", MakeStringValue("")).Subkey(
                                  "ShellNew", KeyTree{}.Value("MenuText", MakeStringValue("")).Value(
                                                  "Command", MakeStringValue("new.exe"))))
        .Subkey(".expand", KeyTree{}
                               .Value("", MakeStringValue("Expand Type", RegType::ExpandSz))
                               .Subkey("ShellNew", KeyTree{}
                                                       .Value("FileName", MakeStringValue("%T%\\t.txt", RegType::ExpandSz))
                                                       .Value("MenuText", MakeStringValue("Expand Menu", RegType::ExpandSz))))
        .Subkey(".indirect", KeyTree{}.Subkey("Foo.Indirect", KeyTree{}.Subkey(
                                                                  "ShellNew", KeyTree{}
                                                                                  .Value("NullFile", MakeStringValue(""))
                                                                                  .Value("ItemName", MakeStringValue("@x.dll,-1\\2")))))
        .Subkey(".itemonly", KeyTree{}
                                 .Subkey("ShellNew", KeyTree{}.Value("ItemName", MakeStringValue("x")).Value(
                                                         "IconPath", MakeStringValue("y")))
                                 .Subkey("shell", KeyTree{}.Subkey("ShellNew", nullFile))
                                 .Subkey("Deeper", KeyTree{}.Subkey("ShellNew", KeyTree{}.Value(
                                                                                    "data", Raw(RegType::Binary, {9})))))
        .Subkey(".LNK", KeyTree{}.Subkey("ShellNew", nullFile))
        .Subkey(".nultext", KeyTree{}.Subkey("ShellNew", KeyTree{}.Value("FileName", Raw(RegType::Sz, {0, 0, 'a', 0, 0, 0}))))
        .Subkey(".off", KeyTree{}.Subkey("old_ShellNew", KeyTree{}.Value("NullFile", MakeStringValue("")).Value(
                                                             "MenuText", MakeStringValue("Off item"))))
        .Subkey(".uni", KeyTree{}.Subkey("\xC3\x9Cn\xC3\xAF", KeyTree{}).Subkey("SHELLNEW", nullFile))
        .Subkey(".\xD1\x82\xD0\xB5\xD1\x81\xD1\x82", KeyTree{}.Subkey("ShellNew", nullFile))
        .Subkey("DeepChain", KeyTree{}.Subkey(
                                 "a", KeyTree{}.Subkey("b", KeyTree{}.Subkey("c", KeyTree{}.Subkey(
                                                                                      "ShellNew", KeyTree{}.Value(
                                                                                                      "Command", MakeStringValue("cmd")))))))
        .Subkey("Mixed", KeyTree{}
                             .Value("", MakeStringValue("Mixed Type"))
                             .Subkey("CurVer", KeyTree{}.Subkey("ShellNew", nullFile))
                             .Subkey("sub", KeyTree{}.Subkey("ShellNew", KeyTree{}.Value("NullFile", MakeStringValue("")).Value(
                                                                             "MenuText", MakeStringValue("Sub caption")))))
        .Subkey("{curly}", KeyTree{}.Subkey("ShellNew", nullFile));
}

class NewMenuCatalogueConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
        const std::string id = std::to_string(std::random_device{}());
        root_ = "SOFTWARE\\Classes\\KestrovaNewMenu" + id;
        software_ = "SOFTWARE\\KestrovaNewMenu" + id;
        directShow_ = "SOFTWARE\\Classes\\DirectShow\\KestrovaNewMenu" + id;
    }

    void TearDown() override
    {
        for (std::uint32_t view : {View32, View64})
            for (const std::string& path : {root_, software_, directShow_})
                seed_->DeleteTree(HKLM, view, path);
    }

    EntryRow Row(const std::string& caption, const std::string& type, const std::string& classKey,
                 const std::string& templateName, bool checked)
    {
        const std::string key = root_ + "\\" + classKey;
        return EntryRow{caption, {type, Section32, key + "\\" + templateName}, checked,
                        EntryTarget::Key(HKLM, View32, key + "\\" + templateName, key)};
    }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
    RecordingShell shell_;
    std::string root_, software_, directShow_;
};

TEST_P(NewMenuCatalogueConformance, ScanListsExactlyTheUsableTemplatesInDiscoveryOrder)
{
    // In both views: where the views share the classes this is one tree, elsewhere the
    // second pass finds every class key listed already.
    seed_->WriteTree(HKLM, View32, root_, EdgeCaseClasses());
    seed_->WriteTree(HKLM, View64, root_, EdgeCaseClasses());

    VectorRowSink fast, reference;
    const std::size_t count = ScanNewMenu(*backend_, fast, root_);
    EXPECT_EQ(count, fast.rows.size());
    EXPECT_EQ(ReferenceNewMenuScan(*backend_, reference, root_), count);
    EXPECT_EQ(fast.rows, reference.rows);

    const std::string cyrillic = ".\xD1\x82\xD0\xB5\xD1\x81\xD1\x82";
    const std::vector<EntryRow> expected = {
        Row(".both", ".both", ".both", "ShellNew", false),
        Row(".docx", ".docx", ".docx\\Word.Document.12", "ShellNew", true),
        Row(".dwordfile", ".dwordfile", ".dwordfile", "ShellNew", true),
        Row("Dword Type", "Dword Type", ".dwordmenu", "ShellNew", true),
        Row("emptymenu", ".emptymenu", ".emptymenu", "ShellNew", true),
        Row("Expand Menu", "Expand Type", ".expand", "ShellNew", true),
        Row("indirect", ".indirect", ".indirect\\Foo.Indirect", "ShellNew", true),
        Row(".itemonly", ".itemonly", ".itemonly\\Deeper", "ShellNew", true),
        Row("Off item", ".off", ".off", "old_ShellNew", false),
        Row(".uni", ".uni", ".uni", "ShellNew", true),
        Row(cyrillic, cyrillic, cyrillic, "ShellNew", true),
        Row("DeepChain", "DeepChain", "DeepChain\\a\\b\\c", "ShellNew", true),
        Row("Sub caption", "Mixed", "Mixed\\sub", "ShellNew", true),
    };
    EXPECT_EQ(fast.rows, expected);
}

TEST_P(NewMenuCatalogueConformance, ScanOfTheWholeRegistryMatchesTheWordForWordReading)
{
    seed_->WriteTree(HKLM, View32, root_, EdgeCaseClasses());
    VectorRowSink fast, reference;
    ScanNewMenu(*backend_, fast);
    ReferenceNewMenuScan(*backend_, reference, "SOFTWARE\\Classes");
    EXPECT_EQ(fast.rows, reference.rows);
    EXPECT_GE(fast.rows.size(), 13u);
}

TEST_P(NewMenuCatalogueConformance, ARedirectedTopLevelKeyIsWalkedInEachView)
{
    // The 32-bit view finds DirectShow elsewhere whether or not it shares the classes.
    seed_->WriteTree(HKLM, View32, directShow_ + "\\In32\\ShellNew",
                     NullFileTemplate().Value("MenuText", MakeStringValue("In 32")));
    seed_->WriteTree(HKLM, View64, directShow_ + "\\In64\\ShellNew",
                     NullFileTemplate().Value("MenuText", MakeStringValue("In 64")));
    seed_->WriteTree(HKLM, View64, root_ + "\\.kst\\ShellNew", NullFileTemplate());
    VectorRowSink fast, reference;
    ScanNewMenu(*backend_, fast);
    ReferenceNewMenuScan(*backend_, reference, "SOFTWARE\\Classes");
    EXPECT_EQ(fast.rows, reference.rows);

    std::vector<EntryRow> ours;
    for (const EntryRow& row : fast.rows)
        if (StartsWith(row.target.classKey, directShow_))
            ours.push_back(row);
    const auto row = [&](const std::string& caption, std::uint32_t view, const std::string& classKey) {
        return EntryRow{caption, {"DirectShow", view == View64 ? Section64 : Section32, classKey + "\\ShellNew"},
                        true, EntryTarget::Key(HKLM, view, classKey + "\\ShellNew", classKey)};
    };
    EXPECT_EQ(ours, (std::vector<EntryRow>{row("In 32", View32, directShow_ + "\\In32"),
                                           row("In 64", View64, directShow_ + "\\In64")}));
}

// Counts the calls of a scan and the keys it opens in the 64-bit view.
class ScanCounter : public FaultInjectingRegistry {
public:
    using FaultInjectingRegistry::FaultInjectingRegistry;
    std::size_t opens64 = 0;

    long OpenKey(RegHandle parent, const std::string& subKey, std::uint32_t mask, RegHandle& result) override
    {
        opens64 += (mask & View64) ? 1 : 0;
        return FaultInjectingRegistry::OpenKey(parent, subKey, mask, result);
    }
};

// A scan as it runs, and as it runs where the registry cannot name keys: then it walks
// both views whole, as where they are apart. Both list the same rows.
std::pair<ScanCounter, ScanCounter> ScanNamedAndUnnamed(RegistryBackend& backend, const std::string& root)
{
    std::pair<ScanCounter, ScanCounter> counters{ScanCounter(backend), ScanCounter(backend)};
    counters.second.namesKeys = false;
    VectorRowSink named, unnamed;
    ScanNewMenu(counters.first, named, root);
    ScanNewMenu(counters.second, unnamed, root);
    EXPECT_EQ(named.rows, unnamed.rows);
    return counters;
}

TEST_P(NewMenuCatalogueConformance, WhereTheViewsShareTheClassesThe64BitPassWalksNoTopLevelKey)
{
    if (!GetParam().sharesClasses)
        GTEST_SKIP() << kClassesApartReason;
    seed_->WriteTree(HKLM, View64, root_, EdgeCaseClasses());
    const auto [named, unnamed] = ScanNamedAndUnnamed(*backend_, root_);
    EXPECT_EQ(named.opens64, 1u) << "the root only";
    EXPECT_GT(unnamed.opens64, 20u);
    EXPECT_LT(named.Calls(), unnamed.Calls());
}

TEST_P(NewMenuCatalogueConformance, WhereTheViewsAreApartBothAreWalkedWhole)
{
    if (GetParam().sharesClasses)
        GTEST_SKIP() << kClassesSharedReason;
    seed_->WriteTree(HKLM, View32, root_, EdgeCaseClasses());
    seed_->WriteTree(HKLM, View64, root_, EdgeCaseClasses());
    const auto [named, unnamed] = ScanNamedAndUnnamed(*backend_, root_);
    EXPECT_EQ(named.opens64, unnamed.opens64);
    EXPECT_EQ(named.Calls(), unnamed.Calls()) << "only the two classes keys are asked their names";
}

TEST_P(NewMenuCatalogueConformance, SwitchingRenamesTheTemplateWholeAndBack)
{
    const std::string classKey = root_ + "\\.kst";
    const KeyTree classTree = KeyTree{}.Value("", MakeStringValue("kst file")).Subkey("OpenWithProgids", KeyTree{});
    seed_->WriteTree(HKLM, View32, classKey, classTree);
    seed_->WriteTree(HKLM, View32, classKey + "\\ShellNew", RichTemplate());
    NewMenuCatalogue catalogue(*backend_, editorFiles, shell_);
    const EntryRow row{".kst", {"kst file", Section32, classKey + "\\ShellNew"}, false,
                       EntryTarget::Key(HKLM, View32, classKey + "\\ShellNew", classKey)};

    ASSERT_TRUE(catalogue.SwitchRow(row));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, classKey + "\\ShellNew"));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey + "\\old_ShellNew"), RichTemplate());
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey),
              KeyTree(classTree).Subkey("old_ShellNew", RichTemplate()));

    EntryRow on = row;
    on.checked = true;
    ASSERT_TRUE(catalogue.SwitchRow(on));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree(classTree).Subkey("ShellNew", RichTemplate()));
    EXPECT_EQ(shell_.broadcasts, 2);
}

TEST_P(NewMenuCatalogueConformance, SwitchingReplacesAStaleTargetAndMovesNothingWithoutSource)
{
    const std::string classKey = root_ + "\\.kst";
    seed_->WriteTree(HKLM, View32, classKey + "\\ShellNew", RichTemplate());
    seed_->SetString(HKLM, View32, classKey + "\\old_ShellNew\\Stale", "Old", "stale");
    NewMenuCatalogue catalogue(*backend_, editorFiles, shell_);

    catalogue.SetNewMenuItemEnabled(classKey, false, false);
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree{}.Subkey("old_ShellNew", RichTemplate()));

    // The old_ShellNew is gone since the last scan: nothing moves, the broadcast still goes.
    seed_->DeleteTree(HKLM, View32, classKey + "\\old_ShellNew");
    EXPECT_TRUE(catalogue.SwitchRow(EntryRow{".kst", {"", Section32, classKey + "\\old_ShellNew"}, true,
                                             EntryTarget::Key(HKLM, View32, classKey + "\\old_ShellNew", classKey)}));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree{});
    EXPECT_EQ(shell_.broadcasts, 2);
    EXPECT_TRUE(catalogue.SwitchRow(EntryRow{".kst", {"", Section32, "", ""}, true, EntryTarget::Key(HKLM, View32, "", "")}));
    EXPECT_EQ(shell_.broadcasts, 2) << "an empty class key switches nothing";
}

TEST_P(NewMenuCatalogueConformance, ARowSwitchesAndDeletesInItsOwnView)
{
    // Below SOFTWARE the views are apart on every backend: each has its own class key.
    const std::string classKey = software_ + "\\.kst";
    seed_->WriteTree(HKLM, View32, classKey + "\\ShellNew", NullFileTemplate());
    seed_->WriteTree(HKLM, View64, classKey + "\\ShellNew", RichTemplate());
    NewMenuCatalogue catalogue(*backend_, editorFiles, shell_);
    ScratchBackup deletions(*backend_);
    const EntryRow row64{".kst", {"", "HKEY_LOCAL_MACHINE (64)", classKey + "\\ShellNew"}, false,
                         EntryTarget::Key(HKLM, View64, classKey + "\\ShellNew", classKey)};
    const EntryRow row32{"", {"", Section32, classKey + "\\ShellNew"}, true,
                         EntryTarget::Key(HKLM, View32, classKey + "\\ShellNew", classKey)};

    ASSERT_TRUE(catalogue.SwitchRow(row64));
    EXPECT_EQ(seed_->Snapshot(HKLM, View64, classKey), KeyTree{}.Subkey("old_ShellNew", RichTemplate()));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree{}.Subkey("ShellNew", NullFileTemplate()));

    EXPECT_TRUE(catalogue.DeleteRow(row32, deletions.backup, deletions.undo));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree{});
    EXPECT_TRUE(seed_->KeyExists(HKLM, View64, classKey + "\\old_ShellNew"));
    // A key already gone still asks for a rebuild; a key of another root asks for nothing.
    EXPECT_TRUE(catalogue.DeleteRow(row32, deletions.backup, deletions.undo));
    EXPECT_FALSE(catalogue.DeleteRow(EntryRow{"", {"", "HKEY_CURRENT_USER", classKey + "\\old_ShellNew"}, true,
                                              EntryTarget::Key(RegRoot::CurrentUser, View64, classKey + "\\old_ShellNew",
                                                               classKey)},
                                     deletions.backup, deletions.undo));
    EXPECT_TRUE(seed_->KeyExists(HKLM, View64, classKey + "\\old_ShellNew"));

    // Undo writes the deleted template back in the view it came from.
    ASSERT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, classKey), KeyTree{}.Subkey("ShellNew", NullFileTemplate()));
    EXPECT_EQ(seed_->Snapshot(HKLM, View64, classKey), KeyTree{}.Subkey("old_ShellNew", RichTemplate()));
}

INSTANTIATE_TEST_SUITE_P(Backends, NewMenuCatalogueConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
