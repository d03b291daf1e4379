// Portable mode: a file "portable.ini" beside the program keeps its options there
// instead of the user's profile. Decided once, at start-up.
#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace kestrova {

// Whether a file (a folder does not count) "portable.ini" is in `exeFolder`, which
// ends in a backslash. The file is only looked for, never opened.
bool HasPortableMarker(FileSystem& files, const std::string& exeFolder);

// The main window's caption: the design caption, the program's version, "(32-bit)",
// and " Portable" in portable mode.
std::string MainWindowCaption(const std::string& designCaption, const std::string& fileVersion, bool portable);

}  // namespace kestrova
