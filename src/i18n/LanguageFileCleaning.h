// The start-up cleaning of the language files: keys that name no open window or no
// component of it, keys without a window part and earlier repeats of a key go; so do
// sections left empty, but never [Language information] and [DestDir].
#pragma once

#include <vector>

#include "i18n/LanguageFiles.h"
#include "settings/IniDocument.h"
#include "ui/ComponentModel.h"

namespace kestrova {

// Cleans one document against the open windows; true when anything was removed.
bool CleanLanguageDocument(IniDocument& document, const std::vector<const WindowModel*>& windows);

// Cleans every writable file Language\*.ini beside the program and rewrites, whole or
// not at all, those that changed. Files that cannot be read or written are left alone;
// nothing is reported.
void CleanLanguageFiles(const std::vector<const WindowModel*>& windows, const LanguageContext& context);

}  // namespace kestrova
