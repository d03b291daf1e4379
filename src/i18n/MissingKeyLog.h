// The optional log of keys a language file lacks: a file the user creates, which the
// engine then fills with key=text lines, never creating it itself.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kestrova {

// The log's lines, decoded by its byte-order mark or else from the ANSI code page.
// Throws AppError when the file exists but cannot be read.
std::vector<std::string> ReadMissingKeyLog(FileSystem& fs, const std::string& path, unsigned ansiCodePage);

// Rewrites the log whole as `lines`, each ended by CR LF, in UTF-16 little-endian with a
// byte-order mark. Throws AppError when it cannot be written; the old log then stays.
void WriteMissingKeyLog(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines);

}  // namespace kestrova
