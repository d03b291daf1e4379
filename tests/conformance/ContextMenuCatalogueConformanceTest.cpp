// The context-menu catalogue against every registry backend, the real one included:
// what a scan lists and what a switch or a delete does to the keys.
#include "catalogue/ContextMenuCatalogue.h"

#include "RecordingShell.h"
#include "RegistryBackends.h"
#include "RegistrySeed.h"
#include "VectorRowSink.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class ContextMenuCatalogueConformance : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override
    {
        backend_ = GetParam().make();
        seed_ = std::make_unique<RegistrySeed>(*backend_);
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

    ContextMenuCatalogue catalogue() { return ContextMenuCatalogue(*backend_, shell_); }

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<RegistrySeed> seed_;
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
    EntryRow row{"Tool", {"Directory", "HKEY_LOCAL_MACHINE", live_}, false};
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

TEST_P(ContextMenuCatalogueConformance, DeleteRemovesTheKeyWithItsSubkeys)
{
    EXPECT_TRUE(catalogue().DeleteContextMenuItem(EntryRow{"Tool", {"Directory", "HKEY_LOCAL_MACHINE", live_}, true}));
    EXPECT_FALSE(seed_->KeyExists(HKLM, View32, live_));
    EXPECT_EQ(IndexOfPath(Scan(), live_), -1);
}

INSTANTIATE_TEST_SUITE_P(Backends, ContextMenuCatalogueConformance, testing::ValuesIn(RegistryBackends()),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrova
