// The context-menu catalogue: finds the entries at the fixed scan locations,
// switches them off and on through the backup area, and deletes them.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryDetails.h"
#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"
#include "platform/RegistryCursor.h"

#include <optional>
#include <string>

namespace kestrova {

class ContextMenuCatalogue : public ListCatalogue {
public:
    // `shell` tells Explorer when the registry changed; `files` finds the registry editor.
    ContextMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell);

    std::string_view Kind() const override { return kContextMenuKind; }

    // Fills `rows` (already emptied by the caller) with every shown entry, live
    // entries of each location followed by those found only in its backup area,
    // then sets each check box from the backup area; a placeholder row when there
    // are none. A caption value that is not a string counts as absent, so the scan
    // always completes; the returned text names each such value and its key for the
    // user (empty when there were none).
    std::string LoadRows(RowSink& rows) override;

    // Moves the entry's key between its place and the backup area, replacing the
    // copy at the far side, then broadcasts; a failure raises and skips the broadcast.
    void SetContextMenuItemEnabled(RegRoot root, const std::string& path, bool enable);

    // Applies a row's new check state. Rows without a path or a known root switch
    // nothing. Returns false when the switch failed and the box must be set back.
    bool SwitchRow(const EntryRow& row) override;

    // Deletes the key of `row` with its subkeys, unless the row is a placeholder, names
    // no root or carries a protected caption. The key is first copied by `backup`,
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

    bool IsContextMenuItemDisabled(const std::string& path);

    // With details, each row gets the columns "Shown as", "Program", "Company" and "Shows"
    // after its own, and is dimmed when its program file is missing.
    void SetDetails(EntryDetails* details) { details_ = details; }

private:
    void ScanContextMenuLocation(RegRoot root, const std::string& path, RowSink& rows);
    void ScanBackupLocation(RegRoot root, const std::string& path, RowSink& rows);
    // `details` (when given) receives what the detail columns were made of.
    EntryRow MakeRow(RegRoot root, const std::string& path, const std::string& keyToRead, const std::string& name,
                     bool checked, EntryDetailTexts* details = nullptr);
    void AddRow(RowSink& rows, RegRoot root, const std::string& path, const std::string& keyToRead,
                const std::string& name, bool checked);
    std::string DisplayName(RegRoot root, const std::string& path, const std::string& keyToRead,
                            const std::string& name);
    // The text of a string value; nothing when the value is missing or of another
    // type, which is noted in `malformed_`.
    std::optional<std::string> CaptionValue(RegistryCursor& reg, RegRoot root, const std::string& key,
                                            const std::string& valueName);

    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    std::string malformed_;  // of the scan under way
    EntryDetails* details_ = nullptr;
};

}  // namespace kestrova
