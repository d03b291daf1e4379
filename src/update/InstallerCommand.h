// The command line that runs the downloaded installer without questions.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// The installer's switches for a quick update in `language` (the chosen language file's
// name, empty when none was chosen); the task "runcmd1" starts the program afterwards.
std::string QuickInstallParameters(std::string_view language);

}  // namespace kestrova
