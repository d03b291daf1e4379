// Opening the registry editor at a key: the editor starts at its own "LastKey"
// setting, so that is written first and the editor started after.
#pragma once

#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"
#include "platform/Shell.h"

#include <string>

namespace kestrova {

// Writes `key` (a full key name such as HKEY_LOCAL_MACHINE\SOFTWARE\Classes) as the
// editor's last key and starts the editor. True when the editor was started; every
// failure just gives false.
bool OpenRegeditAtKey(RegistryBackend& registry, FileSystem& files, Shell& shell, const std::string& key);

// Joins a root-key name and a path, collapsing each pair of backslashes to one, and
// opens the editor there. False when `root` is empty.
bool OpenRegeditAt(RegistryBackend& registry, FileSystem& files, Shell& shell, const std::string& root,
                   const std::string& path);

// Each pair of backslashes, taken from the left in one pass, becomes one.
std::string CollapseDoubleBackslashes(const std::string& text);

}  // namespace kestrova
