// The SendTo catalogue over the platform's real file system: POSIX on Linux, kernel32
// under Wine. Each case builds a SendTo folder below a scratch APPDATA, acts, and
// compares the whole folder afterwards, so a switch that touched a file's bytes or the
// wrong file shows.
#include "catalogue/SendToCatalogue.h"

#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "ScratchBackup.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "VectorRowSink.h"
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include "platform/win32/WideString.h"

#include <windows.h>
#endif

namespace kestrova {
namespace {

using Contents = std::map<std::string, std::string>;

// A folder below the SendTo folder; everything else is a file with its text.
constexpr const char* Folder = kFolderMark;

class SendToCatalogueTest : public ::testing::Test {
protected:
    PlatformFileSystem fs;
    ScratchFolder appData{fs};
    // APPDATA as Windows sets it, without a trailing backslash.
    ScopedEnvironmentVariable variable{"APPDATA", appData.path().substr(0, appData.path().size() - 1)};
    const std::string sendTo = appData / "Microsoft\\Windows\\SendTo\\";
    RecordingShell shell;
    SendToCatalogue catalogue{fs, shell};
    MemoryRegistry noRegistry;
    ScratchBackup deletions{noRegistry};

    // Creates the SendTo folder holding `entries`.
    void Make(const Contents& entries)
    {
        ASSERT_TRUE(ForceDirectories(fs, sendTo));
        for (const auto& [name, text] : entries) {
            if (text == Folder)
                ASSERT_TRUE(fs.MakeDirectory(sendTo + name)) << name;
            else
                WriteText(sendTo + name, text);
        }
    }

    // A SendTo folder holding only `entries`.
    void Remake(const Contents& entries)
    {
        RemoveTree(fs, appData / "Microsoft");
        Make(entries);
    }

    Contents OnDisk() { return FolderContents(fs, sendTo); }

    std::vector<EntryRow> Load()
    {
        VectorRowSink sink;
        catalogue.LoadRows(sink);
        return sink.rows;
    }

    EntryRow Row(const std::string& caption, const std::string& name, bool checked)
    {
        return EntryRow{caption, {sendTo + name}, checked, EntryTarget::File(sendTo + name)};
    }
};

TEST_F(SendToCatalogueTest, GetSendToFolderCreatesTheFolderBelowAppData)
{
    EXPECT_FALSE(fs.DirectoryExists(appData / "Microsoft"));
    EXPECT_EQ(catalogue.GetSendToFolder(), sendTo);
    EXPECT_TRUE(fs.DirectoryExists(sendTo));

    // Without APPDATA the path would start at the root of the drive: there is no folder.
    const ScopedEnvironmentVariable unset("APPDATA", "");
    EXPECT_EQ(catalogue.GetSendToFolder(), "");
    EXPECT_EQ(Load(), (std::vector<EntryRow>{{"", {""}, false, {}}}));
}

TEST_F(SendToCatalogueTest, ListShowsEveryEntryWithItsCaptionPathAndState)
{
    const struct {
        const char* what;
        Contents entries;
        std::vector<std::pair<std::string, EntryRow>> rows;  // caption, name of the path, checked
    } cases[] = {
        {"missing folder", {}, {}},
        {"only desktop.ini", {{"Desktop.INI", "[.ShellClassInfo]"}}, {}},
        {"all kinds",
         {{"desktop.ini", "x"},
          {"Documents.mydocs.disabled", ""},
          {"Mail Recipient.MAPIMail.DISABLED", ""},
          {"Fax.lnk.Disabled", ""},
          {"Bluetooth device.lnk", "shortcut"},
          {"archive.tar.gz", ""},
          {".hidden", ""},
          {"NoDot", ""},
          {"Tools", Folder},
          {"Old.disabled", Folder}},
         {{"Documents", {"Documents", {"Documents.mydocs"}, false}},
          {"Mail Recipient", {"Mail Recipient", {"Mail Recipient.MAPIMail"}, false}},
          {"Fax", {"Fax", {"Fax.lnk"}, false}},
          {"Bluetooth device", {"Bluetooth device", {"Bluetooth device.lnk"}, true}},
          {"archive.tar", {"archive.tar", {"archive.tar.gz"}, true}},
          {".hidden", {".hidden", {".hidden"}, true}},
          {"NoDot", {"NoDot", {"NoDot"}, true}},
          {"Tools", {"Tools", {"Tools"}, true}},
          {"Old", {"Old", {"Old"}, false}}}},
        {"a file and its switched-off twin",
         {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}},
         {{"Docs", {"Docs", {"Docs.mydocs"}, true}}, {"Docs", {"Docs", {"Docs.mydocs"}, false}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(fs, appData / "Microsoft");
        if (!c.entries.empty())
            Make(c.entries);
        std::vector<EntryRow> expected;
        for (const auto& [caption, row] : c.rows)
            expected.push_back(Row(caption, row.subItems[0], row.checked));
        if (expected.empty())
            expected.push_back({"", {""}, false, {}});

        std::vector<EntryRow> rows = Load();
        EXPECT_TRUE(fs.DirectoryExists(sendTo));
        // Rows come in the file system's order, which differs between file systems.
        const auto byText = [](const EntryRow& a, const EntryRow& b) {
            return std::tie(a.caption, a.checked) < std::tie(b.caption, b.checked);
        };
        std::sort(rows.begin(), rows.end(), byText);
        std::sort(expected.begin(), expected.end(), byText);
        EXPECT_EQ(rows, expected);
    }
}

TEST_F(SendToCatalogueTest, RowsFollowTheFileSystemsOrder)
{
    Make({{"b", ""}, {"A.disabled", ""}, {"c", Folder}, {"desktop.ini", ""}});
    std::vector<std::string> found;
    for (const FoundEntry& entry : fs.FindEntries(sendTo + "*.*"))
        if (entry.name != "." && entry.name != ".." && entry.name != "desktop.ini")
            found.push_back(SendToCaption(entry.name));
    std::vector<std::string> listed;
    for (const EntryRow& row : Load())
        listed.push_back(row.caption);
    EXPECT_EQ(listed, found);
}

#ifdef _WIN32
TEST_F(SendToCatalogueTest, HiddenAndSystemEntriesAreListed)
{
    Make({{"Secret.lnk", ""}});
    ASSERT_TRUE(SetFileAttributesW(Widen(sendTo + "Secret.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(Load(), (std::vector<EntryRow>{Row("Secret", "Secret.lnk", true)}));
}
#endif

TEST_F(SendToCatalogueTest, SwitchingRenamesOnlyTheRowsFileAndNeverItsContents)
{
    const struct {
        const char* what;
        Contents before;
        std::string path;  // the row's path, below the SendTo folder
        bool checked;      // the box as the user left it
        bool boxStays;     // SwitchRow's answer: false sets the box back
        Contents after;
    } cases[] = {
        {"switch off", {{"Mail.MAPIMail", "mail"}}, "Mail.MAPIMail", false, true, {{"Mail.MAPIMail.disabled", "mail"}}},
        {"switch on", {{"Mail.MAPIMail.disabled", "mail"}}, "Mail.MAPIMail", true, true, {{"Mail.MAPIMail", "mail"}}},
        {"switch on a suffix in capitals",
         {{"Docs.mydocs.DISABLED", "docs"}},
         "Docs.mydocs",
         true,
         true,
         {{"Docs.mydocs", "docs"}}},
        {"switch off beside a switched-off twin",
         {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}},
         "Docs.mydocs",
         false,
         false,
         {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}}},
        {"switch on beside a live twin",
         {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}},
         "Docs.mydocs",
         true,
         false,
         {{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}}},
        {"a folder is never switched off", {{"Tools", Folder}}, "Tools", false, false, {{"Tools", Folder}}},
        {"a folder is never switched on",
         {{"Old.disabled", Folder}},
         "Old",
         true,
         false,
         {{"Old.disabled", Folder}}},
        {"an entry gone since the rebuild", {{"Other.lnk", "x"}}, "Gone.lnk", false, false, {{"Other.lnk", "x"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Remake(c.before);
        EXPECT_EQ(catalogue.SwitchRow(Row("caption", c.path, c.checked)), c.boxStays);
        EXPECT_EQ(OnDisk(), c.after);
    }
    EXPECT_EQ(shell.broadcasts, 0);
}

TEST_F(SendToCatalogueTest, AFailedRenameRaisesItsText)
{
    Make({{"Docs.mydocs", "live"}, {"Docs.mydocs.disabled", "off"}});
    const auto failureOf = [&](bool enable) {
        try {
            catalogue.SetSendToItemEnabled(sendTo + "Docs.mydocs", enable);
        } catch (const AppError& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(failureOf(false), "Не удалось отключить элемент SendTo");
    EXPECT_EQ(failureOf(true), "Не удалось включить элемент SendTo");
    // No file to rename is no failure.
    EXPECT_NO_THROW(catalogue.SetSendToItemEnabled(sendTo + "Missing.lnk", false));
    EXPECT_NO_THROW(catalogue.SetSendToItemEnabled(sendTo + "Missing.lnk", true));
}

TEST_F(SendToCatalogueTest, ThePlaceholderSwitchesOpensAndDeletesNothing)
{
    Make({});
    const EntryRow placeholder = Load().at(0);
    EXPECT_TRUE(catalogue.SwitchRow(EntryRow{placeholder.caption, placeholder.subItems, true, placeholder.target}));
    catalogue.OpenPlace(1, placeholder);
    EXPECT_FALSE(catalogue.DeleteRow(placeholder, deletions.backup, deletions.undo));
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(fs.DirectoryExists(sendTo));
}

TEST_F(SendToCatalogueTest, ShowInExplorerSelectsTheRowsFile)
{
    const Contents entries = {{"Mail.MAPIMail", ""},
                              {"Docs.mydocs.DISABLED", ""},
                              {"Twin.lnk", ""},
                              {"Twin.lnk.disabled", ""},
                              {"Tools", Folder}};
    const struct {
        std::string path;
        bool checked;
        std::string selected;  // empty: Explorer is not started
    } cases[] = {
        {"Mail.MAPIMail", true, "Mail.MAPIMail"},
        {"Docs.mydocs", false, "Docs.mydocs.disabled"},
        {"Docs.mydocs", true, "Docs.mydocs.disabled"},
        {"Twin.lnk", true, "Twin.lnk"},
        {"Twin.lnk", false, "Twin.lnk.disabled"},
        {"Tools", true, ""},
        {"Gone.lnk", true, ""},
    };
    Make(entries);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        shell.opened.clear();
        catalogue.OpenPlace(42, Row("caption", c.path, c.checked));
        if (c.selected.empty()) {
            EXPECT_TRUE(shell.opened.empty());
            continue;
        }
        ASSERT_EQ(shell.opened.size(), 1u);
        const ShellOpenCall& call = shell.opened[0];
        EXPECT_EQ(call.owner, 42u);
        EXPECT_EQ(call.file, fs.WindowsFolder() + "\\explorer.exe");
        // A file found under another case of its suffix is named with the lower-case suffix.
        EXPECT_EQ(call.parameters, "/select, \"" + sendTo + c.selected + "\"");
        EXPECT_EQ(call.folder, "");
        EXPECT_EQ(call.showCommand, show::Normal);
    }
}

TEST_F(SendToCatalogueTest, DeleteRemovesTheRowsFileOrEmptyFolderForGood)
{
    const struct {
        const char* what;
        Contents before;
        std::string path;
        bool checked;
        bool deleted;
        Contents after;
    } cases[] = {
        {"a file", {{"Mail.MAPIMail", "m"}, {"Other.lnk", "o"}}, "Mail.MAPIMail", true, true, {{"Other.lnk", "o"}}},
        {"a switched-off file", {{"Docs.mydocs.disabled", "d"}}, "Docs.mydocs", false, true, {}},
        {"the switched-off twin",
         {{"Twin.lnk", "live"}, {"Twin.lnk.disabled", "off"}},
         "Twin.lnk",
         false,
         true,
         {{"Twin.lnk", "live"}}},
        {"the live twin",
         {{"Twin.lnk", "live"}, {"Twin.lnk.disabled", "off"}},
         "Twin.lnk",
         true,
         true,
         {{"Twin.lnk.disabled", "off"}}},
        {"an empty folder", {{"Tools", Folder}}, "Tools", true, true, {}},
        {"a folder with files",
         {{"Tools", Folder}, {"Tools\\Inner.lnk", "i"}},
         "Tools",
         true,
         false,
         {{"Tools", Folder}, {"Tools\\Inner.lnk", "i"}}},
        {"an entry gone since the rebuild", {{"Other.lnk", "o"}}, "Gone.lnk", true, false, {{"Other.lnk", "o"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Remake(c.before);
        EXPECT_EQ(catalogue.DeleteRow(Row("caption", c.path, c.checked), deletions.backup, deletions.undo), c.deleted);
        EXPECT_EQ(OnDisk(), c.after);
    }
}

TEST_F(SendToCatalogueTest, RestoreEmptiesTheFolderAndCreatesTheStandardEntries)
{
    Make({{"desktop.ini", "[.ShellClassInfo]"},
          {"Mine.lnk", "mine"},
          {"Documents.mydocs", "old documents"},
          {"Fax.lnk.disabled", "fax"},
          {"Empty", Folder},
          {"Kept", Folder},
          {"Kept\\Inner.lnk", "inner"}});
    catalogue.RestoreDefaults();
    EXPECT_EQ(OnDisk(), (Contents{{"desktop.ini", "[.ShellClassInfo]"},
                                  {"Kept", Folder},
                                  {"Kept\\Inner.lnk", "inner"},
                                  {"Compressed (zipped) Folder.ZFSendToTarget", ""},
                                  {"Desktop (create shortcut).DeskLink", ""},
                                  {"Documents.mydocs", ""},
                                  {"Mail Recipient.MAPIMail", ""},
                                  {"Bluetooth device.lnk", ""}}));
    std::vector<EntryRow> rows = Load();
    EXPECT_EQ(rows.size(), 6u);
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const EntryRow& row) { return row.checked; }));

    // A missing folder is created and filled.
    RemoveTree(fs, appData / "Microsoft");
    catalogue.RestoreDefaults();
    EXPECT_EQ(OnDisk().size(), kStandardSendToEntries.size());
}

TEST_F(SendToCatalogueTest, RestoreStopsAtAStandardEntryThatCannotBeCreated)
{
    // A folder that cannot be removed holds the third entry's name.
    Make({{"Documents.mydocs", Folder}, {"Documents.mydocs\\Inner.lnk", "inner"}});
    try {
        catalogue.RestoreDefaults();
        ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + sendTo + "Documents.mydocs\"");
    }
    EXPECT_EQ(OnDisk(), (Contents{{"Compressed (zipped) Folder.ZFSendToTarget", ""},
                                  {"Desktop (create shortcut).DeskLink", ""},
                                  {"Documents.mydocs", Folder},
                                  {"Documents.mydocs\\Inner.lnk", "inner"}}));
}

TEST_F(SendToCatalogueTest, CreateEmptyFileKeepsAnExistingFileAndRefusesLongPaths)
{
    Make({{"Kept.lnk", "content"}});
    catalogue.CreateEmptyFile(sendTo + "Kept.lnk");
    catalogue.CreateEmptyFile(sendTo + "New.lnk");
    EXPECT_EQ(OnDisk(), (Contents{{"Kept.lnk", "content"}, {"New.lnk", ""}}));

    const std::string longName(259 - sendTo.size(), 'n');
    catalogue.CreateEmptyFile(sendTo + longName);
    EXPECT_TRUE(fs.FileExists(sendTo + longName)) << "259 characters are allowed";
    EXPECT_THROW(catalogue.CreateEmptyFile(sendTo + longName + "x"), AppError);
    EXPECT_FALSE(fs.FileExists(sendTo + longName + "x"));
    EXPECT_THROW(catalogue.CreateEmptyFile(sendTo + "Missing\\New.lnk"), AppError);
}

}  // namespace
}  // namespace kestrova
