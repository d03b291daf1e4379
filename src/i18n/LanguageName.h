// Which stored language choices are taken as one. The choice comes from the options file,
// which the user may edit, and goes into a path below the Language folder and onto the
// elevated installer's command line, so only a plain file name may pass.
#pragma once

#include <string>
#include <string_view>

#include "i18n/LanguageFiles.h"

namespace kestrova {

// Letters A to Z and a to z, digits, "_" and "-", with single dots between them (en.US);
// never empty.
bool IsLanguageName(std::string_view name);

// `stored` when it is a language name and Language\<stored>.ini is a file; else empty, as
// when no language was chosen.
std::string AcceptedLanguage(const LanguageContext& context, std::string_view stored);

}  // namespace kestrova
