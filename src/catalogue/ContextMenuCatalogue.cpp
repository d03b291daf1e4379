#include "catalogue/ContextMenuCatalogue.h"

#include "catalogue/ContextMenuNames.h"
#include "catalogue/KeySwitch.h"
#include "catalogue/RegistryNames.h"
#include "platform/AppError.h"
#include "platform/PathNames.h"
#include "platform/RegistryEditorJump.h"
#include "platform/RegistryCursor.h"
#include "platform/RegKey.h"
#include "platform/RegValueData.h"

#include <utility>
#include <vector>

namespace kestrova {

namespace {

// The first list reads in the 32-bit view, where the entries live for a 32-bit program.
constexpr std::uint32_t kFirstListView = access::Wow64_32Key;

std::vector<std::string> SubkeyNames(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits,
                                     const std::string& path)
{
    std::vector<std::string> names;
    RegistryCursor reg(registry, access::Read | viewBits);
    reg.RootKey = root;
    if (reg.KeyExists(path) && reg.OpenKeyReadOnly(path)) {
        reg.GetKeyNames(names);
        reg.CloseKey();
    }
    return names;
}

std::vector<MenuPlace> FirstListPlaces()
{
    std::vector<MenuPlace> places;
    for (std::string_view location : kContextMenuLocations) {
        const std::string path = std::string(kClassesPrefix) + std::string(location);
        places.push_back({RegRoot::LocalMachine, kFirstListView, path, GetEntryFileType(path)});
    }
    return places;
}

}  // namespace

ContextMenuCatalogue::ContextMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell)
    : ContextMenuCatalogue(registry, files, shell, kContextMenuKind)
{
}

ContextMenuCatalogue::ContextMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell,
                                           const char* kind)
    : registry_(registry), files_(files), shell_(shell), kind_(kind)
{
}

std::vector<MenuPlace> ContextMenuCatalogue::Places() const { return FirstListPlaces(); }

std::string ContextMenuCatalogue::LoadRows(RowSink& rows)
{
    // A switch cut short by the end of a process is finished before anything is listed.
    FinishInterruptedSwitch(registry_);
    malformed_.clear();
    if (details_)
        details_->BeginScan();
    for (const MenuPlace& place : Places()) {
        ScanPlace(place, rows);
        ScanBackupOfPlace(place, rows);
    }
    for (std::size_t i = 0; i < rows.Count(); ++i)
        rows.SetChecked(i, !IsSwitchedOff(rows.Row(i).target));
    if (rows.Count() == 0)
        rows.Add(EntryRow{"", {"", "", ""}, false, {}});
    return std::exchange(malformed_, {});
}

void ContextMenuCatalogue::ScanPlace(const MenuPlace& place, RowSink& rows)
{
    for (const std::string& name : SubkeyNames(registry_, place.root, place.viewBits, place.path)) {
        if (!IsProtectedEntryName(name)) {
            const std::string entryPath = place.path + "\\" + name;
            AddRow(rows, place, entryPath, entryPath, name, true);
        }
    }
}

// Entries switched off earlier live only in the backup area; they are listed so
// that they can be switched on again. An entry present at both places already has
// its live row.
void ContextMenuCatalogue::ScanBackupOfPlace(const MenuPlace& place, RowSink& rows)
{
    const std::string backupPath = EntryBackupKey(place.root, place.path);
    for (const std::string& name : SubkeyNames(registry_, place.root, place.viewBits, backupPath)) {
        if (IsProtectedEntryName(name))
            continue;
        const std::string entryPath = place.path + "\\" + name;
        RegistryCursor reg(registry_, access::Read | place.viewBits);
        reg.RootKey = place.root;
        if (!reg.KeyExists(entryPath))
            AddRow(rows, place, entryPath, backupPath + "\\" + name, name, false);
    }
}

void ContextMenuCatalogue::AddRow(RowSink& rows, const MenuPlace& place, const std::string& path,
                                  const std::string& keyToRead, const std::string& name, bool checked)
{
    EntryDetailTexts details;
    rows.Add(MakeRow(place, path, keyToRead, name, checked, &details));
    if (details.programMissing)
        rows.SetDimmed(rows.Count() - 1, true);
    if (!details.icon.empty())
        rows.SetIcon(rows.Count() - 1, details.icon);
}

EntryRow ContextMenuCatalogue::MakeRow(const MenuPlace& place, const std::string& path, const std::string& keyToRead,
                                       const std::string& name, bool checked, EntryDetailTexts* detailTexts)
{
    EntryTarget target = EntryTarget::Key(place.root, place.viewBits, path);
    std::vector<std::string> columns{place.shown, RootKeyName(place.root), path};
    if (details_) {
        // Read where the entry's key is now: in the backup area while it is switched off.
        const EntryDetailKind kind = place.HoldsHandlers() ? EntryDetailKind::Handler : EntryDetailKind::Verb;
        const EntryDetailTexts details = details_->Read(EntryTarget::Key(place.root, place.viewBits, keyToRead), kind);
        for (std::string& text : details.Columns())
            columns.push_back(std::move(text));
        if (detailTexts)
            *detailTexts = details;
    }
    return EntryRow{DisplayName(place, keyToRead, name), std::move(columns), checked, std::move(target)};
}

std::string ContextMenuCatalogue::DisplayName(const MenuPlace& place, const std::string& keyToRead,
                                              const std::string& name)
{
    std::string displayName = name;
    RegistryCursor reg(registry_, access::Read | place.viewBits);
    reg.RootKey = place.root;
    if (!reg.OpenKeyReadOnly(keyToRead))
        return displayName;
    if (place.HoldsHandlers()) {
        // Handlers are known by their key name.
    } else if (std::optional<std::string> verb = CaptionValue(reg, place.root, keyToRead, "MUIVerb")) {
        displayName = std::move(*verb);
    } else if (std::optional<std::string> text = CaptionValue(reg, place.root, keyToRead, ""); text && !text->empty()) {
        displayName = std::move(*text);
    }
    reg.CloseKey();
    return displayName;
}

std::optional<std::string> ContextMenuCatalogue::CaptionValue(RegistryCursor& reg, RegRoot root, const std::string& key,
                                                              const std::string& valueName)
{
    if (!reg.ValueExists(valueName))
        return std::nullopt;
    const RegDataKind type = reg.GetDataType(valueName);
    if (type == RegDataKind::String || type == RegDataKind::ExpandString)
        return reg.ReadString(valueName);
    if (!malformed_.empty())
        malformed_ += "\n\n";
    malformed_ += FillPattern("Invalid data type for '%s'", valueName) + "\n" + RootKeyName(root) + "\\" + key;
    return std::nullopt;
}

bool ContextMenuCatalogue::IsSwitchedOff(const EntryTarget& entry)
{
    if (!entry.IsKey())
        return false;
    RegistryCursor reg(registry_, access::Read | entry.viewBits);
    reg.RootKey = entry.root;
    return reg.KeyExists(EntryBackupKey(entry.root, entry.path));
}

void ContextMenuCatalogue::SetEntryEnabled(const EntryTarget& entry, bool enable)
{
    RegistryCursor reg(registry_, access::AllAccess | entry.viewBits);
    reg.RootKey = entry.root;
    const std::string backup = EntryBackupKey(entry.root, entry.path);
    const std::string& from = enable ? backup : entry.path;
    const std::string& to = enable ? entry.path : backup;
    // The copy at the far side is stale: the one being moved replaces it.
    SwitchKey(registry_, entry.root, entry.viewBits, from, to);
    // A key still at its old place did not move (no rights, or a step that failed
    // quietly): that is a failed switch, not a silent success.
    if (reg.KeyExists(from))
        throw AppError(FillPattern("Failed to move key %s", from));
    shell_.BroadcastSettingChange();
}

bool ContextMenuCatalogue::MayChange(const EntryRow& row)
{
    if (!row.target.IsKey())
        return true;
    RegistryCursor reg(registry_, access::AllAccess | row.target.viewBits);
    reg.RootKey = row.target.root;
    const bool writable = reg.OpenKey(std::string(WithoutTrailingSeparators(ClassesPrefixOf(row.target.root))), false);
    reg.CloseKey();
    return writable;
}

bool ContextMenuCatalogue::SwitchRow(const EntryRow& row)
{
    if (!row.target.IsKey())
        return true;
    try {
        SetEntryEnabled(row.target, row.checked);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

bool ContextMenuCatalogue::DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo)
{
    const EntryTarget& target = row.target;
    // An empty path would name the root key itself.
    if (!target.IsKey() || target.path.empty() || IsProtectedEntryName(row.caption))
        return false;
    RegistryCursor reg(registry_, access::AllAccess | target.viewBits);
    reg.RootKey = target.root;
    // A switched-off entry lives only in the backup area; deleting it deletes it there.
    const std::string path = reg.KeyExists(target.path) ? target.path : EntryBackupKey(target.root, target.path);
    if (!reg.KeyExists(path))
        return false;
    DeletedEntry entry{DeletedEntry::Kind::RegistryKey, target.root, target.viewBits, path, {}, kind_, target, {}};
    entry.KeepCopy(backup.SaveKey(target.root, target.viewBits, path, kind_, LastName(path)));
    try {
        if (!reg.DeleteKey(path))
            return false;
    } catch (const AppError&) {
        return false;
    }
    undo.Remember(std::move(entry));
    return true;
}

bool ContextMenuCatalogue::SwitchOnlyWithShift(const EntryRow& row)
{
    const EntryTarget& target = row.target;
    if (!target.IsKey() || target.path.empty() || target.path.find("\\shellex\\") != std::string::npos)
        return false;
    // A switched-off entry is switched on from its backup copy, which is the one to change.
    const std::string backupPath = EntryBackupKey(target.root, target.path);
    const std::uint32_t view = target.viewBits & access::ViewBits;
    std::string path;
    for (const std::string* candidate : {&backupPath, &target.path}) {
        RegHandle probe{};
        if (registry_.OpenKey(RootHandle(target.root), *candidate, access::QueryValue | view, probe) ==
            regerr::Success) {
            registry_.CloseKey(probe);
            path = *candidate;
            break;
        }
    }
    if (path.empty())
        return false;
    RegHandle handle{};
    if (registry_.OpenKey(RootHandle(target.root), path, access::QueryValue | access::SetValue | view, handle) !=
        regerr::Success)
        throw AppError(FillPattern("Failed to open key %s", path));
    RegKey key(registry_, handle);
    RegValue existing;
    const bool extended = registry_.QueryValue(key.Get(), "Extended", existing) == regerr::Success;
    const long result = extended ? registry_.DeleteValue(key.Get(), "Extended")
                                 : registry_.SetValue(key.Get(), "Extended", MakeStringValue(""));
    if (result != regerr::Success)
        throw AppError(FillPattern("Failed to set data for '%s'", "Extended"));
    shell_.BroadcastSettingChange();
    return true;
}

void ContextMenuCatalogue::OpenPlace(WindowHandle, const EntryRow& row)
{
    if (row.target.IsKey())
        OpenRegeditAt(registry_, files_, shell_, RootKeyName(row.target.root), row.target.path);
}

}  // namespace kestrova
