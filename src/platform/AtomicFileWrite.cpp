#include "platform/AtomicFileWrite.h"

namespace kestrova {

std::string TemporaryPathFor(const std::string& path)
{
    // The extension keeps it out of searches for the real file's kind ("*.ini").
    return path + ".tmp";
}

bool WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view contents)
{
    const std::string temporary = TemporaryPathFor(path);
    if (fs.WriteWholeFile(temporary, contents) && fs.MoveReplacing(temporary, path))
        return true;
    fs.RemoveFile(temporary);
    return false;
}

}  // namespace kestrova
