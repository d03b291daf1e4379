// The context-menu catalogue against every registry backend, the real one included:
// what a scan lists and what a switch or a delete does to the keys.
#include "catalogue/ContextMenuCatalogue.h"

#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "VectorRowSink.h"
#include "platform/RegFile.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class ContextMenuCatalogueConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
        deletions_ = std::make_unique<ScratchBackup>(*backend_);
        const std::string id = std::to_string(std::random_device{}());
        live_ = "SOFTWARE\\Classes\\Directory\\shell\\KestrovaTool" + id;
        backup_ = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\Directory\\shell\\KestrovaTool" + id;
        gone_ = "SOFTWARE\\Classes\\Directory\\shell\\KestrovaGone" + id;
        goneBackup_ = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\Directory\\shell\\KestrovaGone" + id;
        verb_ = KeyTree{}
                    .Value("MUIVerb", MakeStringValue("Tool " + id))
                    .Value("Position", MakeDwordValue(1))
                    .Subkey("command", KeyTree{}.Value("", MakeStringValue("tool.exe \"%1\"")));
        seed_->WriteTree(HKLM, View32, live_, verb_);
        seed_->SetString(HKLM, View32, goneBackup_, "", "Gone " + id);
    }

    void TearDown() override
    {
        for (const std::string& path : {live_, backup_, gone_, goneBackup_})
            seed_->DeleteTree(HKLM, View32, path);
    }

    std::vector<EntryRow> Scan()
    {
        VectorRowSink rows;
        catalogue().LoadRows(rows);
        return rows.rows;
    }

    static std::ptrdiff_t IndexOfPath(const std::vector<EntryRow>& rows, const std::string& path)
    {
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [&](const EntryRow& row) { return row.subItems.at(2) == path; });
        return found == rows.end() ? -1 : found - rows.begin();
    }

    ContextMenuCatalogue catalogue() { return ContextMenuCatalogue(*backend_, editorFiles, shell_); }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
    std::unique_ptr<ScratchBackup> deletions_;
    RecordingShell shell_;
    std::string live_, backup_, gone_, goneBackup_;
    KeyTree verb_;
};

TEST_P(ContextMenuCatalogueConformance, ScanListsLiveAndSwitchedOffEntries)
{
    const std::vector<EntryRow> rows = Scan();
    const auto live = IndexOfPath(rows, live_);
    const auto gone = IndexOfPath(rows, gone_);
    ASSERT_GE(live, 0);
    ASSERT_GE(gone, 0);
    EXPECT_EQ(rows[live].caption, TextOfStringData(verb_.values[0].second.data));
    EXPECT_EQ(rows[live].subItems, (std::vector<std::string>{"Directory", "HKEY_LOCAL_MACHINE", live_}));
    EXPECT_TRUE(rows[live].checked);
    EXPECT_EQ(rows[gone].caption.substr(0, 5), "Gone ");
    EXPECT_FALSE(rows[gone].checked);
    // Switched-off entries follow the live ones of their location.
    EXPECT_GT(gone, live);
}

TEST_P(ContextMenuCatalogueConformance, SwitchOffAndOnMovesTheRealKeyWhole)
{
    EntryRow row{"Tool", {"Directory", "HKEY_LOCAL_MACHINE", live_}, false, EntryTarget::Key(HKLM, View32, live_)};
    ASSERT_TRUE(catalogue().SwitchRow(row));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, live_));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, backup_), verb_);
    const std::vector<EntryRow> rows = Scan();
    ASSERT_GE(IndexOfPath(rows, live_), 0);
    EXPECT_FALSE(rows[IndexOfPath(rows, live_)].checked);

    row.checked = true;
    ASSERT_TRUE(catalogue().SwitchRow(row));
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, live_), verb_);
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, backup_));
    EXPECT_EQ(shell_.broadcasts, 2);
}

// Values of every kind a registry file must carry back unchanged.
KeyTree EveryValueType()
{
    auto raw = [](RegType type, std::vector<std::uint8_t> bytes) {
        return RegValue{static_cast<std::uint32_t>(type), std::move(bytes)};
    };
    return KeyTree{}
        .Value("", MakeStringValue("C:\\Tools\\tool.exe \"%1\" — Инструмент"))
        .Value("Expand", MakeStringValue("%SystemRoot%\\x", RegType::ExpandSz))
        .Value("Multi", raw(RegType::MultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}))
        .Value("Dword", MakeDwordValue(0xDEADBEEF))
        .Value("Qword", raw(RegType::Qword, {1, 2, 3, 4, 5, 6, 7, 8}))
        .Value("Binary", raw(RegType::Binary, std::vector<std::uint8_t>(70, 0xAB)))
        .Value("Empty binary", raw(RegType::Binary, {}))
        .Value("None", raw(RegType::None, {9}))
        .Value("Big endian", raw(RegType::DwordBigEndian, {0, 0, 0, 1}))
        .Value("Odd type", RegValue{0x4A, {1, 2}})
        .Value("Short dword", raw(RegType::Dword, {1, 2}))
        .Value("Unterminated", raw(RegType::Sz, {'x', 0}))
        .Value("Line\\break \"name\"", raw(RegType::Sz, {'a', 0, '\n', 0, 0, 0}));
}

TEST_P(ContextMenuCatalogueConformance, DeleteLeavesARegistryFileThatUndoWritesBackWhole)
{
    const KeyTree entry = KeyTree(verb_).Value("Types", MakeDwordValue(1)).Subkey("Deep", EveryValueType());
    seed_->WriteTree(HKLM, View32, live_, entry);
    const EntryRow row{"Tool", {"Directory", "HKEY_LOCAL_MACHINE", live_}, true, EntryTarget::Key(HKLM, View32, live_)};
    ASSERT_TRUE(catalogue().DeleteRow(row, deletions_->backup, deletions_->undo));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, live_));
    EXPECT_EQ(IndexOfPath(Scan(), live_), -1);

    ASSERT_TRUE(deletions_->undo.CanUndo());
    const DeletedEntry& deleted = deletions_->undo.Latest();
    std::string file;
    ASSERT_TRUE(deletions_->fs.ReadWholeFile(deleted.backupFile, file));
    EXPECT_EQ(file.substr(0, 2), "\xFF\xFE");
    const auto keys = ParseRegFile(file);
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->front().path, "HKEY_LOCAL_MACHINE\\" + live_);

    // Undo never overwrites: a key of the name again stops it, with the key untouched.
    seed_->SetString(HKLM, View32, live_, "", "new");
    EXPECT_EQ(deletions_->undo.UndoLatest(), UndoResult::NameTaken);
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, live_), KeyTree{}.Value("", MakeStringValue("new")));
    seed_->DeleteTree(HKLM, View32, live_);

    EXPECT_EQ(deletions_->undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed_->Snapshot(HKLM, View32, live_), entry);
    EXPECT_FALSE(deletions_->undo.CanUndo());
    EXPECT_EQ(deletions_->undo.UndoLatest(), UndoResult::NothingToUndo);
}

INSTANTIATE_TEST_SUITE_P(Backends, ContextMenuCatalogueConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
