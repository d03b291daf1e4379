// The context-menu catalogue's fixed names: its scan locations, the backup area
// where switched-off entries are kept, and the filter that hides standard entries.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kestrova {

inline constexpr std::string_view kClassesPrefix = "SOFTWARE\\Classes\\";
inline constexpr std::string_view kContextMenuBackupPrefix = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";

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

// "All Files" for "*", else the first path component below kClassesPrefix.
std::string GetEntryFileType(std::string_view path);

// Where the entry at `path` (below the root) is kept while switched off.
std::string ContextMenuBackupKey(std::string_view path);

}  // namespace kestrova
