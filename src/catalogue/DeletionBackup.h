// The copy kept of every entry before it is deleted: a registry key as a registry file,
// a SendTo file as a copy of its bytes, both in the Backup folder beside the options
// file. A delete goes ahead only once its copy is on disk.
#pragma once

#include "catalogue/EntryRow.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace kestrova {

// The catalogues a deleted entry comes from, as backup file names and undo records
// name them.
inline constexpr const char* kContextMenuKind = "context-menu";
inline constexpr const char* kNewMenuKind = "new-menu";
inline constexpr const char* kSendToKind = "sendto";

// A copy could not be written; the delete must not happen. The text says why.
class BackupError : public std::runtime_error {
public:
    explicit BackupError(const std::string& message) : std::runtime_error(message) {}
};

// A copy on disk and the bytes written to it.
struct BackupCopy {
    std::string path;
    std::string contents;
};

// What a delete removed and where its copy lies, so that it can be put back.
struct DeletedEntry {
    enum class Kind { RegistryKey, File, Folder };
    Kind kind = Kind::RegistryKey;
    RegRoot root = RegRoot::LocalMachine;  // registry keys only
    std::uint32_t viewBits = 0;            // registry keys only
    std::string path;                      // the key below `root`, or the file or folder
    std::string backupFile;                // empty for a folder, which is empty when deleted
    // The catalogue the entry was listed by, and what its row there pointed at.
    std::string catalogue;
    EntryTarget row;
    // The copy's bytes as they were written. The copy lies in a folder the user may write,
    // so an undo puts the entry back only from a file that still holds exactly these.
    std::string backupContents;

    void KeepCopy(BackupCopy copy)
    {
        backupFile = std::move(copy.path);
        backupContents = std::move(copy.contents);
    }

    bool operator==(const DeletedEntry&) const = default;
};

// "20261211-142530 context-menu Foo.reg": the time, what kind of entry, its name with
// the characters file names cannot hold replaced, and `extension`. A second copy of the
// same second gets "-2" (and so on) after the time.
std::string BackupFileName(const std::tm& when, int repeat, std::string_view kind, std::string_view name,
                           std::string_view extension);

class DeletionBackup {
public:
    // `folder` names the Backup folder (with its trailing backslash) afresh at each copy;
    // `now` gives the time that names the copies.
    DeletionBackup(RegistryBackend& registry, FileSystem& files, std::function<std::string()> folder,
                   std::function<std::time_t()> now);

    // Writes the key `path` with its subtree, read in the view `viewBits`, as a registry
    // file. Raises BackupError when it is not on disk whole, or when the file would not
    // read back as the same tree (a name holding a line break, say).
    BackupCopy SaveKey(RegRoot root, std::uint32_t viewBits, const std::string& path, std::string_view kind,
                       std::string_view name);

    // Copies the file at `path` under its own name; BackupError as above.
    BackupCopy SaveFile(const std::string& path, std::string_view kind);

private:
    // Writes `contents` under a new name and reads it back.
    BackupCopy Store(std::string_view kind, std::string_view name, std::string_view extension,
                     const std::string& contents);

    RegistryBackend& registry_;
    FileSystem& files_;
    std::function<std::string()> folder_;
    std::function<std::time_t()> now_;
};

}  // namespace kestrova
