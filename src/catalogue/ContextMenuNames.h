// The context-menu catalogue's fixed names: its scan locations, the backup area
// where switched-off entries are kept, and the filter that hides standard entries.
#pragma once

#include "platform/RegistryBackend.h"

#include <array>
#include <string>
#include <string_view>

namespace kestrova {

inline constexpr std::string_view kClassesPrefix = "SOFTWARE\\Classes\\";
// HKEY_CURRENT_USER's classes, spelt as Windows creates the key.
inline constexpr std::string_view kUserClassesPrefix = "Software\\Classes\\";
// Below a root's classes prefix: where switched-off entries are kept.
inline constexpr std::string_view kBackupBelowClasses = "SOFTWARE\\ContextMenu\\FilesFolders\\";

// Below kClassesPrefix, in scan order.
inline constexpr std::array<std::string_view, 15> kContextMenuLocations = {
    "*\\shell",
    "*\\shellex\\ContextMenuHandlers",
    "Directory\\shell",
    "Directory\\shellex\\ContextMenuHandlers",
    "Folder\\shell",
    "Folder\\shellex\\ContextMenuHandlers",
    "Drive\\shell",
    "lnkfile\\shell",
    "exefile\\shell",
    "dllfile\\shell",
    "cplfile\\shell",
    "ocxfile\\shell",
    "sysfile\\shell",
    "scrfile\\shell",
    "msstylesfile\\shell",
};

// Standard verbs and handlers, and names of the system's own entries.
bool IsProtectedEntryName(std::string_view name);

// "All Files" for "*", else the first path component below the classes prefix of `root`.
std::string GetEntryFileType(std::string_view path, RegRoot root = RegRoot::LocalMachine);

// The classes key of `root` with its trailing backslash: kUserClassesPrefix for
// HKEY_CURRENT_USER, kClassesPrefix for every other root.
std::string_view ClassesPrefixOf(RegRoot root);

// Where the entry at `path` (below `root`) is kept while switched off: the backup area
// below the same root's classes key, followed by the path below that classes key.
std::string EntryBackupKey(RegRoot root, std::string_view path);

}  // namespace kestrova
