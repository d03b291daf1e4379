#include "app/PortableMode.h"

namespace kestrova {

bool HasPortableMarker(FileSystem& files, const std::string& exeFolder)
{
    return files.FileExists(exeFolder + "portable.ini");
}

std::string MainWindowCaption(const std::string& designCaption, const std::string& fileVersion, bool portable)
{
    std::string caption = designCaption + " " + fileVersion + " " + "(32-bit)";
    if (portable)
        caption += " Portable";
    return caption;
}

}  // namespace kestrova
