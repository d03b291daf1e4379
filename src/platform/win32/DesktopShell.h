// Starting something as the signed-in user from an elevated process: the desktop's shell
// (Explorer, which runs with the user's own rights) is asked to open it.
#pragma once

#include <string>

namespace kestrova {

// ShellExecute of `target` in the desktop's shell process. False when there is no desktop
// shell to ask or it refused. Needs COM on the calling thread.
bool OpenThroughDesktopShell(const std::wstring& target);

// Whether this process runs with an elevated token.
bool IsProcessElevated();

}  // namespace kestrova
