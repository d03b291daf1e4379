// The SendTo catalogue: lists the user's SendTo folder, switches entries off and on
// with a ".disabled" suffix, shows one in Explorer, deletes entries, and puts the
// standard entries back.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

#include <array>
#include <string>
#include <string_view>

namespace kestrova {

// The suffix that switches an entry off; recognised in any letter case, written in lower case.
inline constexpr std::string_view kDisabledSuffix = ".disabled";

// The entries a restore creates, in this order, as empty files.
inline constexpr std::array<std::string_view, 5> kStandardSendToEntries = {
    "Compressed (zipped) Folder.ZFSendToTarget", "Desktop (create shortcut).DeskLink", "Documents.mydocs",
    "Mail Recipient.MAPIMail",                   "Bluetooth device.lnk",
};

// A row's caption: the name after the last backslash without its last extension, or
// the whole name when nothing would remain.
std::string SendToCaption(const std::string& path);

// The row of the entry at `path` (its switched-on form): caption, the path, box set.
EntryRow SendToRow(const std::string& path);

class SendToCatalogue : public ListCatalogue {
public:
    SendToCatalogue(FileSystem& files, Shell& shell);

    std::string_view Kind() const override { return kSendToKind; }

    // APPDATA's "Microsoft\Windows\SendTo\", created with its missing parents when
    // absent. Empty when APPDATA is unset: there is then no SendTo folder to act on.
    std::string GetSendToFolder();

    // Fills `rows` (already emptied by the caller) with one row per entry of the folder,
    // in the file system's order, "desktop.ini" left out; a placeholder row when none.
    std::string LoadRows(RowSink& rows) override;

    // Renames the entry's file between `path` and `path` + ".disabled". Nothing happens
    // when there is no file to rename; a rename that fails raises its failure text.
    void SetSendToItemEnabled(const std::string& path, bool enable);

    // Applies a row's new check state. The placeholder switches nothing. Returns false
    // when the box must be set back: the rename failed, or there was no file to rename
    // (a folder, which is never switched, or an entry gone since the rebuild).
    bool SwitchRow(const EntryRow& row) override;

    // Opens Explorer on the row's folder with its file selected; nothing for the
    // placeholder, a folder, or an entry that is gone.
    void OpenPlace(WindowHandle owner, const EntryRow& row) override;

    // Deletes the row's file once `backup` has copied it (its BackupError passes through
    // with nothing deleted), or removes it when it is an empty folder; what was deleted
    // goes to `undo`. Returns whether something was deleted (the list then needs a rebuild).
    bool DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo) override;

    // Empties the folder except "desktop.ini" and what cannot be deleted (such as a
    // folder that is not empty), then creates the standard entries. A standard entry
    // that cannot be created stops it with its failure.
    void RestoreDefaults();

    // Creates a zero-length file unless a file of that name exists; a path longer than
    // 259 UTF-16 units, or a create that fails, raises a failure.
    void CreateEmptyFile(const std::string& path);

private:
    // The file on disk a row stands for: the form its box shows first, then the other.
    // Empty when neither exists.
    std::string FileOfRow(const EntryRow& row);

    FileSystem& files_;
    Shell& shell_;
};

}  // namespace kestrova
