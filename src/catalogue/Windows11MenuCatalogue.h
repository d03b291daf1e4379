// The Windows 11 menu: the File Explorer context-menu verbs that packaged apps declare in
// their manifests, each hidden and shown through the shell's "Blocked" list, and the
// switch that brings back the classic context menu.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "catalogue/EntryRow.h"
#include "catalogue/ListCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// The name the classic-menu key's deletions carry in backup file names and undo records.
inline constexpr const char* kWindows11MenuKind = "windows11-menu";

// Where packaged COM servers are registered, one subkey per package full name.
inline constexpr const char* kPackagedComKey = "SOFTWARE\\Classes\\PackagedCom\\Package";
// The shell's list of extensions it must not load: value names are CLSIDs in braces.
inline constexpr const char* kBlockedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Blocked";
// Below HKEY_CURRENT_USER: an empty in-process server for this CLSID makes Explorer show the
// classic context menu at once.
inline constexpr const char* kClassicMenuKey = "Software\\Classes\\CLSID\\{86ca1aa0-34aa-4e8b-a509-50c905bae2a2}";
// These keys live in the 64-bit view; on 32-bit Windows the view bit is ignored.
inline constexpr std::uint32_t kWindows11MenuView = access::Wow64_64Key;
// Windows 11 reports build 22000 or later.
inline constexpr std::uint32_t kFirstWindows11Build = 22000;

// One verb of a manifest's File Explorer context-menu extension.
struct ManifestVerb {
    std::string itemType;  // "*", "Directory", "Directory\Background", ".txt"
    std::string id;
    std::string clsid;  // as the manifest writes it
    bool operator==(const ManifestVerb&) const = default;
};

// What the list needs of a package's AppxManifest.xml.
struct PackageManifest {
    std::string displayName;  // Package/Properties/DisplayName, possibly an "ms-resource:" reference
    std::vector<ManifestVerb> verbs;
    bool operator==(const PackageManifest&) const = default;
};

// The system's side of packages: their folders, manifests and resource strings.
class PackageSource {
public:
    virtual ~PackageSource() = default;
    // The installed folder the system knows for the package; empty when it knows none
    // or cannot be asked.
    virtual std::string InstalledPath(const std::string& fullName) = 0;
    // The manifest at `path`; none when it is missing, unreadable, too large or malformed.
    virtual std::optional<PackageManifest> ReadManifest(const std::string& path) = 0;
    // The text of an "ms-resource:" reference in the package's resources; empty when it
    // does not resolve.
    virtual std::string ResolveResource(const std::string& fullName, const std::string& reference) = 0;
};

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" for a CLSID written with or without braces;
// none for anything else.
std::optional<std::string> BracedClsid(std::string_view text);

// The package name: the full name up to its first "_".
std::string PackageName(const std::string& fullName);

class Windows11MenuCatalogue : public ListCatalogue {
public:
    Windows11MenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell, PackageSource& packages);

    std::string_view Kind() const override { return kWindows11MenuKind; }

    // One row per verb of every package's File Explorer context-menu extensions, packages
    // in registry order: caption the package's display name, then the verb's Id, its item
    // type, its CLSID and the package full name; the box clear while the CLSID is blocked
    // in either root. A package whose folder or manifest cannot be had adds no rows and
    // reports nothing; a placeholder row when there are no rows at all. `loaded` runs at
    // the end of every load.
    std::string LoadRows(RowSink& rows) override;
    std::function<void()> loaded;

    // Clear: the CLSID blocked below HKEY_LOCAL_MACHINE, the caption as the value's data.
    // Set: unblocked in both roots. False when the registry does not end as asked.
    bool SwitchRow(const EntryRow& row) override;

    // Packaged entries are removed by removing their package, never from here.
    bool DeleteRow(const EntryRow&, DeletionBackup&, DeletionUndo&) override { return false; }

    // The registry editor at the package's PackagedCom key.
    void OpenPlace(WindowHandle owner, const EntryRow& row) override;

    bool IsBlocked(const std::string& bracedClsid);

    // The package's folder: the system's answer, then the machine's package repository,
    // then the user's. Empty when none answers. Only a folder on a local drive is read.
    std::string PackageFolder(const std::string& fullName);

private:
    void AddPackageRows(const std::string& fullName, RowSink& rows);
    std::string Caption(const std::string& fullName, const std::string& displayName);

    RegistryBackend& registry_;
    FileSystem& files_;
    Shell& shell_;
    PackageSource& packages_;
};

// The classic context menu: the empty in-process server below HKEY_CURRENT_USER.
class ClassicMenuSwitch {
public:
    explicit ClassicMenuSwitch(RegistryBackend& registry) : registry_(registry) {}

    // The InprocServer32 key exists with an empty default value.
    bool IsOn();
    // Creates the key with its empty default value. A default value that holds anything
    // else is copied by `backup` before it is overwritten. False when it did not end on.
    bool TurnOn(DeletionBackup& backup);
    // Deletes the whole CLSID key once `backup` has copied it (BackupError passes through
    // with nothing deleted); the deletion goes to `undo`. False when nothing was deleted.
    bool TurnOff(DeletionBackup& backup, DeletionUndo& undo);

private:
    RegistryBackend& registry_;
};

}  // namespace kestrova
