// What a list tab asks of the catalogue behind its list: the rows, switching one,
// deleting one with a copy first, and opening the place an entry lives.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryRow.h"
#include "platform/Shell.h"

#include <string>
#include <string_view>

namespace kestrova {

class ListCatalogue {
public:
    virtual ~ListCatalogue() = default;

    // The name this catalogue's deletions carry in backup file names and undo records.
    virtual std::string_view Kind() const = 0;

    // Fills `rows` (already emptied by the caller). The scan always completes; the returned
    // text names for the user each value that could not be read (empty when none).
    virtual std::string LoadRows(RowSink& rows) = 0;

    // What the status bar says beside the count about whose entries these are; empty
    // when there is nothing to say.
    virtual std::string StatusNote() const { return {}; }

    // Whether this run may change the row's entry; false when it lies where only an
    // administrator may write and the program runs without those rights.
    virtual bool MayChange(const EntryRow& row) { return true; }

    // Applies a row's new check state. False when the switch failed and the box must be set back.
    virtual bool SwitchRow(const EntryRow& row) = 0;

    // Deletes the row's entry once `backup` has copied it (its BackupError passes through
    // with nothing deleted); what was deleted goes to `undo`. True when the list needs a rebuild.
    virtual bool DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo) = 0;

    // Shows where the row's entry lives: its key in the registry editor, or its file in Explorer.
    virtual void OpenPlace(WindowHandle owner, const EntryRow& row) = 0;

    // Makes the row's entry show only while Shift is held, or always again. True when the
    // entry changed and the list needs a rebuild; lists without such entries change nothing.
    virtual bool SwitchOnlyWithShift(const EntryRow& row) { return false; }
};

}  // namespace kestrova
