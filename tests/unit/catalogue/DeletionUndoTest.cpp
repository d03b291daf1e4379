// Deleting with a copy first and putting back: no copy, no delete; the copy's name says
// what and when; SendTo files come back byte for byte; undo goes latest first and never
// overwrites what has appeared again under the entry's name.
#include "catalogue/ContextMenuCatalogue.h"
#include "PlatformFileSystem.h"
#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/NewMenuCatalogue.h"
#include "catalogue/SendToCatalogue.h"

#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "TestFiles.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegFile.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
const std::string Verb = "SOFTWARE\\Classes\\*\\shell\\Shred";
const std::string ClassKey = "SOFTWARE\\Classes\\.kst";

TEST(BackupFileName, SaysWhatAndWhenInANameEveryFileSystemTakes)
{
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 11;
    when.tm_hour = 14;
    when.tm_min = 25;
    when.tm_sec = 30;
    EXPECT_EQ(BackupFileName(when, 1, "context-menu", "Foo", ".reg"), "20261211-142530 context-menu Foo.reg");
    EXPECT_EQ(BackupFileName(when, 2, "sendto", "Quill.lnk", ""), "20261211-142530-2 sendto Quill.lnk");
    EXPECT_EQ(BackupFileName(when, 1, "context-menu", "a\\b/c:d*e?f\"g<h>i|j\tk. ", ".reg"),
              "20261211-142530 context-menu a_b_c_d_e_f_g_h_i_j_k.reg");
    // Cut short inside a Cyrillic letter, the name loses the letter, not its bytes.
    std::string longName = "x", kept = "x";
    for (int i = 0; i < 60; ++i) {
        longName += "Ж";
        kept += i < 49 ? "Ж" : "";
    }
    EXPECT_EQ(BackupFileName(when, 1, "sendto", longName, ""), "20261211-142530 sendto " + kept);
}

class DeletionUndoTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    RecordingShell shell;
    ScratchBackup deletions{hive};
    ScopedEnvironmentVariable appData{"APPDATA", deletions.folder / "AppData"};
    const std::string sendTo = deletions.folder / "AppData\\Microsoft\\Windows\\SendTo\\";
    ContextMenuCatalogue contextMenu{hive, editorFiles, shell};
    NewMenuCatalogue newMenu{hive, editorFiles, shell};
    SendToCatalogue sendToCatalogue{deletions.fs, shell};

    const EntryRow verbRow{"Shred", {"All Files", "HKEY_LOCAL_MACHINE", Verb}, true,
                           EntryTarget::Key(RegRoot::LocalMachine, access::Wow64_32Key, Verb)};
    const EntryRow templateRow{"Sheet", {".kst", "HKEY_LOCAL_MACHINE (32)", ClassKey + "\\ShellNew"}, true,
                               EntryTarget::Key(RegRoot::LocalMachine, access::Wow64_32Key, ClassKey + "\\ShellNew",
                                                ClassKey)};
    EntryRow SendToRow(const std::string& name) { return kestrova::SendToRow(sendTo + name); }

    void SetUp() override
    {
        seed.WriteTree(HKLM, View32, Verb, KeyTree{}.Value("", MakeStringValue("Shred")).Subkey(
                                               "command", KeyTree{}.Value("", MakeStringValue("shred.exe"))));
        seed.SetString(HKLM, View32, ClassKey + "\\ShellNew", "NullFile", "");
        ASSERT_TRUE(ForceDirectories(deletions.fs, sendTo));
        WriteText(sendTo + "Quill.lnk", std::string("L\0\0\0\x01\x14\x02\xFF", 8));
    }

    std::map<std::string, std::string> Backups() { return FolderContents(deletions.fs, deletions.folder / "Backup\\"); }
};

TEST_F(DeletionUndoTest, WithoutAWritableBackupFolderNothingIsDeleted)
{
    // A file where the folder should be: the folder cannot be made.
    WriteText(deletions.folder / "Backup", "in the way");
    EXPECT_THROW(contextMenu.DeleteRow(verbRow, deletions.backup, deletions.undo), BackupError);
    EXPECT_THROW(newMenu.DeleteRow(templateRow, deletions.backup, deletions.undo), BackupError);
    EXPECT_THROW(sendToCatalogue.DeleteRow(SendToRow("Quill.lnk"), deletions.backup, deletions.undo),
                 BackupError);
    EXPECT_TRUE(seed.KeyExists(HKLM, View32, Verb));
    EXPECT_TRUE(seed.KeyExists(HKLM, View32, ClassKey + "\\ShellNew"));
    EXPECT_TRUE(deletions.fs.FileExists(sendTo + "Quill.lnk"));
    EXPECT_FALSE(deletions.undo.CanUndo());
}

TEST_F(DeletionUndoTest, UndoPutsBackTheLatestDeletionFirstEachWhole)
{
    const auto verb = seed.Snapshot(HKLM, View32, Verb);
    const std::string link = ReadText(sendTo + "Quill.lnk");
    ASSERT_TRUE(contextMenu.DeleteRow(verbRow, deletions.backup, deletions.undo));
    ASSERT_TRUE(newMenu.DeleteRow(templateRow, deletions.backup, deletions.undo));
    ASSERT_TRUE(sendToCatalogue.DeleteRow(SendToRow("Quill.lnk"), deletions.backup, deletions.undo));
    ASSERT_TRUE(deletions.fs.MakeDirectory(sendTo + "Tools"));
    ASSERT_TRUE(sendToCatalogue.DeleteRow(SendToRow("Tools"), deletions.backup, deletions.undo));

    // One copy per entry with content; the SendTo copy holds the file's own bytes.
    const auto backups = Backups();
    ASSERT_EQ(backups.size(), 3u);
    for (const auto& [name, bytes] : backups)
        EXPECT_TRUE(name.ends_with(" context-menu Shred.reg") || name.ends_with(" new-menu .kst.reg") ||
                    (name.ends_with(" sendto Quill.lnk") && bytes == link))
            << name;

    EXPECT_EQ(deletions.undo.Latest().path, sendTo + "Tools");
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_TRUE(deletions.fs.DirectoryExists(sendTo + "Tools"));
    EXPECT_EQ(deletions.undo.Latest().row, EntryTarget::File(sendTo + "Quill.lnk"));
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(ReadText(sendTo + "Quill.lnk"), link);
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed.Snapshot(HKLM, View32, ClassKey + "\\ShellNew"), KeyTree{}.Value("NullFile", MakeStringValue("")));
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Verb), verb);
    EXPECT_FALSE(deletions.undo.CanUndo());
    // The copies stay: they are the user's to keep.
    EXPECT_EQ(Backups(), backups);
}

TEST_F(DeletionUndoTest, UndoRefusesWhileTheNameIsTakenInEitherForm)
{
    ASSERT_TRUE(sendToCatalogue.DeleteRow(SendToRow("Quill.lnk"), deletions.backup, deletions.undo));
    WriteText(sendTo + "Quill.lnk.DISABLED", "another");
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::NameTaken);
    EXPECT_FALSE(deletions.fs.FileExists(sendTo + "Quill.lnk"));
    EXPECT_EQ(ReadText(sendTo + "Quill.lnk.DISABLED"), "another");
    ASSERT_TRUE(deletions.fs.RemoveFile(sendTo + "Quill.lnk.DISABLED"));
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
}

TEST_F(DeletionUndoTest, AChangedCopyThatNamesAnotherKeyWritesNothing)
{
    ASSERT_TRUE(contextMenu.DeleteRow(verbRow, deletions.backup, deletions.undo));
    const std::string file = deletions.undo.Latest().backupFile;
    std::string bytes = FormatRegFile({RegFileKey{"HKEY_LOCAL_MACHINE\\" + Verb, {}},
                                       RegFileKey{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Elsewhere", {}}});
    ASSERT_TRUE(deletions.fs.WriteWholeFile(file, bytes));
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Failed);
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Verb));
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, "SOFTWARE\\Elsewhere"));
    EXPECT_TRUE(deletions.undo.CanUndo());
}

TEST_F(DeletionUndoTest, ACopyEditedBetweenDeleteAndUndoIsNotRestored)
{
    ASSERT_TRUE(contextMenu.DeleteRow(verbRow, deletions.backup, deletions.undo));
    const std::string keyCopy = deletions.undo.Latest().backupFile;
    // Inside the entry's own tree: the keys pass, the values are not what was deleted.
    WriteText(keyCopy, FormatRegFile({RegFileKey{"HKEY_LOCAL_MACHINE\\" + Verb + "\\command",
                                                 {{"", MakeStringValue("C:\\Users\\Public\\evil.exe")}}}}));
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Failed);
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Verb));
    EXPECT_EQ(deletions.undo.Latest().backupFile, keyCopy) << "stays the latest, to show its copy's path";

    ASSERT_TRUE(sendToCatalogue.DeleteRow(SendToRow("Quill.lnk"), deletions.backup, deletions.undo));
    WriteText(deletions.undo.Latest().backupFile, "another link");
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Failed);
    EXPECT_FALSE(deletions.fs.FileExists(sendTo + "Quill.lnk"));
}

TEST_F(DeletionUndoTest, AKeyWhoseCopyWouldNotReadBackIsNotDeleted)
{
    // A line break in a value or key name would end the line the registry file holds it on.
    const struct {
        const char* what;
        KeyTree tree;
    } cases[] = {
        {"value name", KeyTree{}.Value("line\r\nbreak", MakeStringValue("x"))},
        {"key name", KeyTree{}.Subkey("line\nbreak", KeyTree{})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seed.WriteTree(HKLM, View32, Verb, c.tree);
        const auto before = seed.Snapshot(HKLM, View32, Verb);
        EXPECT_THROW(contextMenu.DeleteRow(verbRow, deletions.backup, deletions.undo), BackupError);
        EXPECT_EQ(seed.Snapshot(HKLM, View32, Verb), before);
        EXPECT_TRUE(Backups().empty());
        EXPECT_FALSE(deletions.undo.CanUndo());
    }
}

}  // namespace
}  // namespace kestrova
