// The context-menu catalogue: finds the entries at its places (the fixed scan locations
// of the first list, or those a derived catalogue names), switches them off and on
// through the backup area below each entry's own root, and deletes them.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryDetails.h"
#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"
#include "catalogue/MenuPlace.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"
#include "platform/RegistryCursor.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrova {

class ContextMenuCatalogue : public ListCatalogue {
public:
    // `shell` tells Explorer when the registry changed; `files` finds the registry editor.
    ContextMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell);

    std::string_view Kind() const override { return kind_; }

    // Fills `rows` (already emptied by the caller) with every shown entry, live
    // entries of each location followed by those found only in its backup area,
    // then sets each check box from the backup area; a placeholder row when there
    // are none. A caption value that is not a string counts as absent, so the scan
    // always completes; the returned text names each such value and its key for the
    // user (empty when there were none).
    std::string LoadRows(RowSink& rows) override;

    // Moves the entry's key between its place and the backup area, replacing the
    // copy at the far side, then broadcasts; a failure raises and skips the broadcast.
    void SetEntryEnabled(const EntryTarget& entry, bool enable);

    // False when the classes key of the row's root cannot be opened for writing.
    bool MayChange(const EntryRow& row) override;

    // Applies a row's new check state. Rows that point at no key switch nothing.
    // Returns false when the switch failed and the box must be set back.
    bool SwitchRow(const EntryRow& row) override;

    // Deletes the key of `row` with its subkeys (from the backup area when the entry is
    // switched off), unless the row is a placeholder, names no root or carries a
    // protected caption. The key is first copied by `backup`,
    // whose BackupError passes through with nothing deleted; a deleted key goes to
    // `undo`. Returns whether the key was deleted (the list then needs a rebuild);
    // registry errors count as not deleted.
    bool DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo) override;

    // Opens the registry editor at the row's key.
    void OpenPlace(WindowHandle owner, const EntryRow& row) override;

    // Adds the verb's Extended value when it has none and removes it when it has one,
    // touching nothing else: in the backup area while the entry is switched off, else at
    // its place. Handlers and placeholders change nothing. A failed write raises.
    bool SwitchOnlyWithShift(const EntryRow& row) override;

    // Whether the entry's key is kept in the backup area.
    bool IsSwitchedOff(const EntryTarget& entry);

    // With details, each row gets the columns "Shown as", "Program", "Company" and "Shows"
    // after its own, and is dimmed when its program file is missing.
    void SetDetails(EntryDetails* details) { details_ = details; }

protected:
    // A catalogue of other places, whose deletions carry `kind`.
    ContextMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell, const char* kind);

    // The places a scan reads, in order; asked afresh at each scan.
    virtual std::vector<MenuPlace> Places() const;

private:
    void ScanPlace(const MenuPlace& place, RowSink& rows);
    void ScanBackupOfPlace(const MenuPlace& place, RowSink& rows);
    // `details` (when given) receives what the detail columns were made of.
    EntryRow MakeRow(const MenuPlace& place, const std::string& path, const std::string& keyToRead,
                     const std::string& name, bool checked, EntryDetailTexts* details = nullptr);
    void AddRow(RowSink& rows, const MenuPlace& place, const std::string& path, const std::string& keyToRead,
                const std::string& name, bool checked);
    std::string DisplayName(const MenuPlace& place, const std::string& keyToRead, const std::string& name);
    // The text of a string value; nothing when the value is missing or of another
    // type, which is noted in `malformed_`.
    std::optional<std::string> CaptionValue(RegistryCursor& reg, RegRoot root, const std::string& key,
                                            const std::string& valueName);

    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    const char* kind_;
    std::string malformed_;  // of the scan under way
    EntryDetails* details_ = nullptr;
};

}  // namespace kestrova
