// Starting programs and documents through the shell, and telling the running programs
// (Explorer above all) that the registry's settings changed.
#pragma once

#include <cstdint>
#include <string>

namespace kestrova {

// A window handle as the core carries it; 0 is no window.
using WindowHandle = std::uintptr_t;

// ShowWindow codes for the started program's window.
namespace show {
constexpr int Hide = 0;        // SW_HIDE
constexpr int Normal = 1;      // SW_SHOWNORMAL
constexpr int Show = 5;        // SW_SHOW
}  // namespace show

class Shell {
public:
    virtual ~Shell() = default;

    // ShellExecuteW(owner, "open", file, parameters, folder, showCommand); empty parameters
    // or folder are passed as none. True when the shell reports that it started the file
    // (a result above 32).
    virtual bool Open(WindowHandle owner, const std::string& file, const std::string& parameters,
                      const std::string& folder, int showCommand) = 0;

    // Opens `target` (a URL, say) as the signed-in user would, never with this process's
    // administrator rights: through the desktop's shell, or directly when this process is
    // not elevated. False when neither can be done.
    virtual bool OpenAsDesktopUser(const std::string& target) = 0;

    // Sends WM_SETTINGCHANGE with "Environment" to every top-level window, waiting at most
    // 50 ms for each and skipping hung ones, so Explorer re-reads the changed settings.
    virtual void BroadcastSettingChange() = 0;
};

}  // namespace kestrova
