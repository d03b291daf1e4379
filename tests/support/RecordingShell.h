// A shell that starts nothing: it records what it was asked to open and how often the
// settings change was broadcast, for tests of the logic that calls them.
#pragma once

#include "platform/Shell.h"

#include <vector>

namespace kestrova {

struct ShellOpenCall {
    WindowHandle owner = 0;
    std::string file;
    std::string parameters;
    std::string folder;
    int showCommand = 0;

    bool operator==(const ShellOpenCall&) const = default;
};

class RecordingShell : public Shell {
public:
    std::vector<ShellOpenCall> opened;
    std::vector<std::string> openedAsDesktopUser;
    int broadcasts = 0;
    bool openSucceeds = true;  // what Open reports

    bool Open(WindowHandle owner, const std::string& file, const std::string& parameters, const std::string& folder,
              int showCommand) override;
    bool OpenAsDesktopUser(const std::string& target) override;
    void BroadcastSettingChange() override;
};

}  // namespace kestrova
