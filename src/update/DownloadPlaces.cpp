#include "update/DownloadPlaces.h"

namespace kestrova {

std::string GetTempFolder(FileSystem& files)
{
    std::string folder = files.TempFolder();
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string DownloadFolder(FileSystem& files, bool portableMode, const std::string& programFolder)
{
    return portableMode ? programFolder : GetTempFolder(files);
}

}  // namespace kestrova
