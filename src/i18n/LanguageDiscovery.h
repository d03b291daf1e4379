// The installed languages: the files Language\*.ini beside the program as entries of
// the language menu ("base<TAB>display name"), and the stored choice among them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/LanguageFiles.h"

namespace kestrova {

struct LanguageMenuEntry {
    std::string caption;  // base name, a tab, the file's LANGNAME (else the base name again)
    bool checked = false;
};

// The entries for the files (and folders) Language\*.ini, sorted by name without regard
// to letter case; the one of `currentLanguage` is checked.
std::vector<LanguageMenuEntry> ListLanguageMenuEntries(const LanguageContext& context,
                                                       std::string_view currentLanguage);

// Whether a file's base name is the stored choice: equal ignoring the case of A to Z,
// or base + ".ini" equal exactly.
bool IsCurrentLanguage(std::string_view base, std::string_view currentLanguage);

// The base name in an entry's caption: the text before its first tab; empty without one.
std::string LanguageOfCaption(std::string_view caption);

}  // namespace kestrova
