// The shell services through shell32 and user32.
#pragma once

#include "platform/Shell.h"

namespace kestrova {

class Win32Shell : public Shell {
public:
    bool Open(WindowHandle owner, const std::string& file, const std::string& parameters, const std::string& folder,
              int showCommand) override;
    bool OpenAsDesktopUser(const std::string& target) override;
    void BroadcastSettingChange() override;
};

}  // namespace kestrova
