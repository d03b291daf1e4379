// The Windows 11 menu over the in-memory registry, with packages whose folders and
// manifests a stand-in answers: rows, hiding and showing through the Blocked lists, and
// the classic-menu key with its copy and undo.
#include "catalogue/Windows11MenuCatalogue.h"

#include "FaultInjectingRegistry.h"
#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "TestFiles.h"
#include "VectorRowSink.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace kestrova {
namespace {

PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr std::uint32_t View = access::Wow64_64Key;
const std::string MachineRepository =
    "SOFTWARE\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "PackageRepository\\Packages\\";
const std::string UserRepository =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "Repository\\Packages\\";

constexpr const char* ClsidA = "9F156763-7844-4DC4-B2B1-901F640F5155";
constexpr const char* ClsidB = "{5d2b8e4c-1111-4a2b-9c3d-0123456789ab}";

// Folders and manifests by path, as the system would answer them.
class StandInPackages : public PackageSource {
public:
    std::map<std::string, std::string> installed;                // full name -> folder
    std::map<std::string, PackageManifest> manifests;            // manifest path -> contents
    std::map<std::string, std::string> resources;                // "full name?reference" -> text
    std::vector<std::string> manifestsRead;

    std::string InstalledPath(const std::string& fullName) override
    {
        auto found = installed.find(fullName);
        return found == installed.end() ? std::string() : found->second;
    }
    std::optional<PackageManifest> ReadManifest(const std::string& path) override
    {
        manifestsRead.push_back(path);
        auto found = manifests.find(path);
        return found == manifests.end() ? std::nullopt : std::optional<PackageManifest>(found->second);
    }
    std::string ResolveResource(const std::string& fullName, const std::string& reference) override
    {
        auto found = resources.find(fullName + "?" + reference);
        return found == resources.end() ? std::string() : found->second;
    }
};

class Windows11MenuCatalogueTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    RecordingShell shell;
    StandInPackages packages;
    Windows11MenuCatalogue catalogue{hive, editorFiles, shell, packages};
    ScratchBackup backup{hive};

    void Package(const std::string& fullName) { seed.CreateKey(HKLM, View, std::string(kPackagedComKey) + "\\" + fullName); }

    std::vector<EntryRow> Load()
    {
        VectorRowSink sink;
        catalogue.LoadRows(sink);
        return sink.rows;
    }

    std::optional<RegValue> Blocked(RegRoot root, const std::string& clsid)
    {
        return seed.Value(root, View, kBlockedKey, clsid);
    }
};

TEST(Windows11MenuNames, BracedClsidAcceptsOnlyClsids)
{
    EXPECT_EQ(BracedClsid("9f156763-7844-4dc4-b2b1-901f640f5155"), "{9f156763-7844-4dc4-b2b1-901f640f5155}");
    EXPECT_EQ(BracedClsid("{9F156763-7844-4DC4-B2B1-901F640F5155}"), "{9F156763-7844-4DC4-B2B1-901F640F5155}");
    for (const char* bad : {"", "{}", "9f156763-7844-4dc4-b2b1-901f640f515", "9f156763-7844-4dc4-b2b1-901f640f515g",
                            "{9f156763-7844-4dc4-b2b1-901f640f5155", "9f156763_7844-4dc4-b2b1-901f640f5155",
                            "..\\..\\9f156763-7844-4dc4-b2b1-90"})
        EXPECT_EQ(BracedClsid(bad), std::nullopt) << bad;
    EXPECT_EQ(PackageName("Contoso.Tools_1.2.3.0_x64__8wekyb3d8bbwe"), "Contoso.Tools");
}

TEST_F(Windows11MenuCatalogueTest, ListsEveryVerbOfEveryPackageFromTheFirstFolderThatAnswers)
{
    // The system's answer wins over both repositories; the machine's over the user's.
    Package("Contoso.Tools_1.0.0.0_x64__abc");
    packages.installed["Contoso.Tools_1.0.0.0_x64__abc"] = "C:\\Apps\\Tools";
    seed.SetString(HKLM, View, MachineRepository + "Contoso.Tools_1.0.0.0_x64__abc", "Path", "C:\\Wrong");
    packages.manifests["C:\\Apps\\Tools\\AppxManifest.xml"] =
        PackageManifest{"ms-resource:AppName", {{"*", "Open", ClsidA}, {"Directory\\Background", "Here", ClsidA}}};
    packages.resources["Contoso.Tools_1.0.0.0_x64__abc?ms-resource:AppName"] = "Contoso Tools";

    Package("Fabrikam.Zip_2.0.0.0_neutral__def");
    seed.SetString(HKLM, View, MachineRepository + "Fabrikam.Zip_2.0.0.0_neutral__def", "Path", "D:\\Zip\\");
    seed.SetString(HKCU, View, UserRepository + "Fabrikam.Zip_2.0.0.0_neutral__def", "PackageRootFolder", "E:\\Wrong");
    packages.manifests["D:\\Zip\\AppxManifest.xml"] = PackageManifest{"Fabrikam Zip", {{".zip", "Extract", ClsidB}}};

    Package("Woodgrove.Sparse_3.0.0.0_x86__ghi");
    seed.SetString(HKCU, View, UserRepository + "Woodgrove.Sparse_3.0.0.0_x86__ghi", "PackageRootFolder", "F:\\Sparse");
    // An unresolved reference stays as written; an empty name falls back to the package name.
    packages.manifests["F:\\Sparse\\AppxManifest.xml"] = PackageManifest{"ms-resource:Missing", {{"Directory", "Go", ClsidB}}};

    Package("Northwind.Quiet_1.0.0.0_x64__jkl");
    seed.SetString(HKLM, View, MachineRepository + "Northwind.Quiet_1.0.0.0_x64__jkl", "Path", "G:\\Quiet");
    packages.manifests["G:\\Quiet\\AppxManifest.xml"] = PackageManifest{"", {{"*", "Hush", ClsidA}}};

    const std::string clsidA = std::string("{") + ClsidA + "}";
    const EntryTarget tools = EntryTarget::Key(HKLM, View, std::string(kPackagedComKey) + "\\Contoso.Tools_1.0.0.0_x64__abc", clsidA);
    const EntryTarget zip = EntryTarget::Key(HKLM, View, std::string(kPackagedComKey) + "\\Fabrikam.Zip_2.0.0.0_neutral__def", ClsidB);
    const EntryTarget sparse = EntryTarget::Key(HKLM, View, std::string(kPackagedComKey) + "\\Woodgrove.Sparse_3.0.0.0_x86__ghi", ClsidB);
    const EntryTarget quiet = EntryTarget::Key(HKLM, View, std::string(kPackagedComKey) + "\\Northwind.Quiet_1.0.0.0_x64__jkl", clsidA);
    const std::vector<EntryRow> expected = {
        {"Contoso Tools", {"Open", "*", clsidA, "Contoso.Tools_1.0.0.0_x64__abc"}, true, tools},
        {"Contoso Tools", {"Here", "Directory\\Background", clsidA, "Contoso.Tools_1.0.0.0_x64__abc"}, true, tools},
        {"Fabrikam Zip", {"Extract", ".zip", ClsidB, "Fabrikam.Zip_2.0.0.0_neutral__def"}, true, zip},
        {"Northwind.Quiet", {"Hush", "*", clsidA, "Northwind.Quiet_1.0.0.0_x64__jkl"}, true, quiet},
        {"ms-resource:Missing", {"Go", "Directory", ClsidB, "Woodgrove.Sparse_3.0.0.0_x86__ghi"}, true, sparse},
    };
    std::vector<EntryRow> rows = Load();
    // The registry's order of packages is its own; compare by package.
    std::sort(rows.begin(), rows.end(), [](const EntryRow& a, const EntryRow& b) { return a.subItems[3] < b.subItems[3]; });
    std::vector<EntryRow> sorted = expected;
    std::stable_sort(sorted.begin(), sorted.end(), [](const EntryRow& a, const EntryRow& b) { return a.subItems[3] < b.subItems[3]; });
    EXPECT_EQ(rows, sorted);
}

TEST_F(Windows11MenuCatalogueTest, APackageWithoutFolderManifestOrValidClsidCostsOnlyItsOwnRows)
{
    Package("NoFolder_1_x64__a");                 // no folder anywhere
    Package("Broken_1_x64__b");                   // a manifest that does not read
    seed.SetString(HKLM, View, MachineRepository + "Broken_1_x64__b", "Path", "C:\\Broken");
    Package("BadClsid_1_x64__c");
    seed.SetString(HKLM, View, MachineRepository + "BadClsid_1_x64__c", "Path", "C:\\Bad");
    packages.manifests["C:\\Bad\\AppxManifest.xml"] =
        PackageManifest{"Bad", {{"*", "Evil", "..\\..\\x"}, {"*", "Fine", ClsidB}}};
    seed.SetDword(HKLM, View, MachineRepository + "NoFolder_1_x64__a", "Path", 7);  // not a string: no folder
    // Network and device paths are never read, whoever wrote them.
    for (const char* remote : {"\\\\server\\share", "\\\\?\\C:\\Apps", "Apps\\Relative"}) {
        const std::string name = std::string("Remote") + std::to_string(std::strlen(remote)) + "_1_x64__d";
        Package(name);
        seed.SetString(HKCU, View, UserRepository + name, "PackageRootFolder", remote);
        packages.manifests[std::string(remote) + "\\AppxManifest.xml"] = PackageManifest{"Remote", {{"*", "Far", ClsidB}}};
    }

    const std::vector<EntryRow> rows = Load();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].subItems[0], "Fine");
    EXPECT_EQ(packages.manifestsRead.size(), 2u);  // no manifest asked for without a folder

    // With no rows at all, one placeholder that switches nothing.
    MemoryRegistry empty;
    Windows11MenuCatalogue none{empty, editorFiles, shell, packages};
    VectorRowSink sink;
    bool loaded = false;
    none.loaded = [&] { loaded = true; };
    none.LoadRows(sink);
    ASSERT_EQ(sink.rows.size(), 1u);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(none.SwitchRow(sink.rows[0]));
}

TEST_F(Windows11MenuCatalogueTest, HidingWritesTheCaptionUnderTheMachineAndShowingClearsBothRoots)
{
    Package("Contoso.Tools_1_x64__abc");
    seed.SetString(HKLM, View, MachineRepository + "Contoso.Tools_1_x64__abc", "Path", "C:\\Tools");
    packages.manifests["C:\\Tools\\AppxManifest.xml"] =
        PackageManifest{"Contoso Tools", {{"*", "Open", ClsidA}, {"Directory", "Open", ClsidA}, {"*", "Other", ClsidB}}};
    const std::string clsidA = std::string("{") + ClsidA + "}";
    // Blocked under the user in another letter case: the value names are case-insensitive.
    seed.SetString(HKCU, View, kBlockedKey, "{9f156763-7844-4dc4-b2b1-901f640f5155}", "");

    std::vector<EntryRow> rows = Load();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].checked);
    EXPECT_FALSE(rows[1].checked);  // the same CLSID shows the same state
    EXPECT_TRUE(rows[2].checked);

    rows[0].checked = true;
    EXPECT_TRUE(catalogue.SwitchRow(rows[0]));
    EXPECT_EQ(Blocked(HKCU, clsidA), std::nullopt);
    EXPECT_EQ(Blocked(HKLM, clsidA), std::nullopt);
    for (const EntryRow& row : Load())
        EXPECT_TRUE(row.checked) << row.subItems[0];

    rows[2].checked = false;
    EXPECT_TRUE(catalogue.SwitchRow(rows[2]));
    EXPECT_EQ(Blocked(HKLM, ClsidB), MakeStringValue("Contoso Tools"));
    EXPECT_EQ(Blocked(HKCU, ClsidB), std::nullopt);
    EXPECT_FALSE(Load()[2].checked);

    // A hide the registry refuses sets the box back.
    FaultInjectingRegistry failing(hive);
    Windows11MenuCatalogue refused{failing, editorFiles, shell, packages};
    std::set<std::size_t> every;
    for (std::size_t call = 1; call <= 50; ++call)
        every.insert(call);
    failing.FailCalls(every);
    rows[0].checked = false;
    EXPECT_FALSE(refused.SwitchRow(rows[0]));
    EXPECT_EQ(Blocked(HKLM, clsidA), std::nullopt);
}

TEST_F(Windows11MenuCatalogueTest, ClassicMenuIsOnOnlyWithAnEmptyDefaultAndGoesOffWithItsCopyAndUndo)
{
    const std::string server = std::string(kClassicMenuKey) + "\\InprocServer32";
    ClassicMenuSwitch classic(hive);
    EXPECT_FALSE(classic.IsOn());
    seed.CreateKey(HKCU, View, server);
    EXPECT_FALSE(classic.IsOn());  // no default value
    seed.SetString(HKCU, View, server, "", "C:\\other.dll");
    EXPECT_FALSE(classic.IsOn());

    // Turning on over another server keeps a copy of it first.
    ASSERT_TRUE(classic.TurnOn(backup.backup));
    EXPECT_TRUE(classic.IsOn());
    EXPECT_EQ(seed.Value(HKCU, View, server, ""), MakeStringValue(""));
    EXPECT_EQ(FolderContents(backup.fs, backup.folder / "Backup\\").size(), 1u);

    seed.SetString(HKCU, View, kClassicMenuKey, "Note", "kept");
    const std::optional<KeyTree> before = seed.Snapshot(HKCU, View, kClassicMenuKey);
    ASSERT_TRUE(classic.TurnOff(backup.backup, backup.undo));
    EXPECT_FALSE(seed.KeyExists(HKCU, View, kClassicMenuKey));
    EXPECT_FALSE(classic.IsOn());
    EXPECT_FALSE(classic.TurnOff(backup.backup, backup.undo));  // nothing left to delete
    ASSERT_TRUE(backup.undo.CanUndo());
    EXPECT_EQ(backup.undo.Latest().catalogue, kWindows11MenuKind);
    EXPECT_EQ(backup.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed.Snapshot(HKCU, View, kClassicMenuKey), before);
    EXPECT_TRUE(classic.IsOn());
}

}  // namespace
}  // namespace kestrova
