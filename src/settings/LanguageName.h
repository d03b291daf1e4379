// Which stored language choices are taken as one. The choice comes from the options file,
// which the user may edit, and goes into a path below the Language folder and onto the
// elevated installer's command line, so only a plain file name may pass.
#pragma once

#include <string_view>

namespace kestrova {

// Letters A to Z and a to z, digits, "_" and "-", with single dots between them (en.US);
// never empty.
bool IsLanguageName(std::string_view name);

}  // namespace kestrova
