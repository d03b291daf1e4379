#include "platform/FileSystem.h"

namespace kestrova {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool ForceDirectories(FileSystem& fs, const std::string& path)
{
    std::string folder = path;
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.pop_back();
    if (folder.empty())
        return false;
    if (fs.DirectoryExists(folder))
        return true;
    const auto cut = folder.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0)
        ForceDirectories(fs, folder.substr(0, cut));
    fs.MakeDirectory(folder);
    return fs.DirectoryExists(folder);
}

}  // namespace kestrova
