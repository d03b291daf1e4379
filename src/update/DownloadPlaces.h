// Where an update's files go: the downloaded file beside the program in portable mode,
// in the user's temporary folder otherwise; the update script always in the latter.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace kestrova {

// The user's temporary folder, ending with a backslash; empty when the platform gives none.
std::string GetTempFolder(FileSystem& files);

// The folder the download is saved in, ending with a backslash.
std::string DownloadFolder(FileSystem& files, bool portableMode, const std::string& programFolder);

}  // namespace kestrova
