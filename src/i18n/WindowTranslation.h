// Applying the stored language to every open window (TranslateAllWindows), one window's run at a
// time (TranslateForm), with the missing-key log kept beside the program's folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/LanguageFiles.h"
#include "i18n/Translation.h"
#include "ui/ComponentModel.h"

namespace kestrova {

// One window's run: reads the stored choice, its language file's `section` and the log
// when it exists, translates the window, and writes the log when something is in it.
// Nothing happens when the language file does not exist. Errors propagate; texts
// already changed stay changed.
void TranslateForm(Translation& translation, WindowModel& window, std::string_view section,
                   const LanguageContext& context);

// Translates each window, in the order given, whose stored language file has the
// application title's section. A window whose run fails keeps what was done so far and
// the next window goes on.
void TranslateAllWindows(const std::vector<WindowModel*>& windows, const LanguageContext& context);

}  // namespace kestrova
