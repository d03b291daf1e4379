// The New-menu catalogue: lists the ShellNew templates below the classes key in both
// registry views, switches a template off and on by renaming ShellNew to old_ShellNew
// and back, and deletes templates.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryDetails.h"
#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <cstddef>
#include <string>

namespace kestrova {

class NewMenuCatalogue : public ListCatalogue {
public:
    // `shell` tells Explorer when the registry changed; `files` finds the registry editor.
    NewMenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell);

    std::string_view Kind() const override { return kNewMenuKind; }

    // Fills `rows` (already emptied by the caller) with every usable template, in the
    // order found. Malformed or unreadable keys never end it and are not reported.
    std::string LoadRows(RowSink& rows) override;

    // Gives the template key of `classKey` (below HKEY_LOCAL_MACHINE, in the 64-bit or
    // the 32-bit view) its other name, replacing a stale key of that name, then
    // broadcasts. A template still at its old name afterwards is a failure: it raises
    // and skips the broadcast. A class key without the template moves nothing.
    void SetNewMenuItemEnabled(const std::string& classKey, bool enable, bool view64);

    // Applies a row's new check state. Returns false when the switch failed and the
    // box must be set back.
    bool SwitchRow(const EntryRow& row) override;

    // Deletes the row's template key with its subkeys, once `backup` has copied it (its
    // BackupError passes through with nothing deleted); a deleted key goes to `undo`.
    // Returns whether the list needs a rebuild: not for a row whose section names no
    // HKEY_LOCAL_MACHINE view, nor when deleting failed with an error; a key that was
    // already gone still needs one.
    bool DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo) override;

    // Opens the registry editor at the row's template key, under the root key name
    // without the view suffix (" (32)", " (64)"), which the editor would not know.
    void OpenPlace(WindowHandle owner, const EntryRow& row) override;

    // With details, each row gets the columns "Shown as", "Program", "Company" and "Shows"
    // after its own four sub-items.
    void SetDetails(EntryDetails* details) { details_ = details; }

private:
    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    EntryDetails* details_ = nullptr;
};

}  // namespace kestrova
