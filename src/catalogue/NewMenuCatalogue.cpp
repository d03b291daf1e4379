#include "catalogue/NewMenuCatalogue.h"

#include "catalogue/KeySwitch.h"
#include "catalogue/NewMenuNames.h"
#include "catalogue/NewMenuScan.h"
#include "catalogue/RegistryNames.h"
#include "platform/AppError.h"
#include "platform/PathNames.h"
#include "platform/RegistryCursor.h"
#include "platform/RegistryEditorJump.h"

namespace kestrova {

namespace {

std::uint32_t ChangeAccess(bool view64)
{
    return access::AllAccess | (view64 ? access::Wow64_64Key : access::Wow64_32Key);
}

bool IsView64(const EntryTarget& target) { return (target.viewBits & access::Wow64_64Key) != 0; }

// A template below HKEY_LOCAL_MACHINE: the only place the list takes rows from.
bool IsTemplate(const EntryTarget& target)
{
    return target.IsKey() && target.root == RegRoot::LocalMachine && !target.path.empty();
}

}  // namespace

NewMenuCatalogue::NewMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell)
    : registry_(registry), files_(files), shell_(shell)
{
}

std::string NewMenuCatalogue::LoadRows(RowSink& rows)
{
    // A switch cut short by the end of a process is finished before anything is listed.
    FinishInterruptedSwitch(registry_);
    if (details_)
        details_->BeginScan();
    ScanNewMenu(registry_, rows, std::string(kNewMenuClassesPath), details_);
    return {};
}

void NewMenuCatalogue::SetNewMenuItemEnabled(const std::string& classKey, bool enable, bool view64)
{
    if (classKey.empty())
        return;
    RegistryCursor reg(registry_, ChangeAccess(view64));
    reg.RootKey = RegRoot::LocalMachine;
    const std::string_view fromName = enable ? kOldShellNew : kShellNew;
    const std::string_view toName = enable ? kShellNew : kOldShellNew;
    const std::string from = classKey + "\\" + std::string(fromName);
    const std::string to = classKey + "\\" + std::string(toName);
    // The key of the other name is stale: the one being switched replaces it.
    SwitchKey(registry_, RegRoot::LocalMachine, ChangeAccess(view64) & access::ViewBits, from, to);
    // A template still at its old name did not move (no rights, a step that failed
    // quietly, or a first look that failed to find it): a failed switch, not a success.
    if (reg.KeyExists(from))
        throw AppError(FillPattern("Failed to move key %s", from));
    shell_.BroadcastSettingChange();
}

bool NewMenuCatalogue::SwitchRow(const EntryRow& row)
{
    if (!IsTemplate(row.target))
        return true;
    try {
        SetNewMenuItemEnabled(row.target.classKey, row.checked, IsView64(row.target));
        return true;
    } catch (const AppError&) {
        return false;
    }
}

bool NewMenuCatalogue::DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo)
{
    if (!IsTemplate(row.target))
        return false;
    const std::uint32_t access = ChangeAccess(IsView64(row.target));
    const std::string& path = row.target.path;
    RegistryCursor reg(registry_, access);
    reg.RootKey = RegRoot::LocalMachine;
    if (!reg.KeyExists(path))
        return true;
    const std::string& classKey = row.target.classKey.empty() ? path : row.target.classKey;
    DeletedEntry entry{DeletedEntry::Kind::RegistryKey, RegRoot::LocalMachine, access & access::ViewBits, path, {},
                       kNewMenuKind, row.target, {}};
    entry.KeepCopy(backup.SaveKey(RegRoot::LocalMachine, entry.viewBits, path, kNewMenuKind, LastName(classKey)));
    try {
        if (reg.DeleteKey(path))
            undo.Remember(std::move(entry));
        return true;
    } catch (const AppError&) {
        return false;
    }
}

void NewMenuCatalogue::OpenPlace(WindowHandle, const EntryRow& row)
{
    if (IsTemplate(row.target))
        OpenRegeditAt(registry_, files_, shell_, RootKeyName(row.target.root), row.target.path);
}

}  // namespace kestrova
