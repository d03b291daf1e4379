#include "RecordingShell.h"

namespace kestrova {

bool RecordingShell::Open(WindowHandle owner, const std::string& file, const std::string& parameters,
                          const std::string& folder, int showCommand)
{
    opened.push_back({owner, file, parameters, folder, showCommand});
    return openSucceeds;
}

bool RecordingShell::OpenAsDesktopUser(const std::string& target)
{
    openedAsDesktopUser.push_back(target);
    return openSucceeds;
}

void RecordingShell::BroadcastSettingChange() { ++broadcasts; }

}  // namespace kestrova
