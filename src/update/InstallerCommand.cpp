#include "update/InstallerCommand.h"

namespace kestrova {

std::string QuickInstallParameters(std::string_view language)
{
    return "/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=" + std::string(language) +
           " /MERGETASKS=\"runcmd1\"";
}

}  // namespace kestrova
