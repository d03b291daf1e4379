#include "app/LanguageCommands.h"

#include <utility>

#include "i18n/WindowTranslation.h"
#include "i18n/LanguageDiscovery.h"
#include "i18n/LanguageFileCleaning.h"

namespace kestrova {

LanguageCommands::LanguageCommands(MainWindow& form, ProgramState& state, std::vector<WindowModel*> windows,
                                   LanguageContext context)
    : form_(form), state_(state), windows_(std::move(windows)), context_(std::move(context))
{
}

void LanguageCommands::LoadLanguage()
{
    state_.language = ReadStoredLanguage(context_);
    form_.ClearLanguageMenu();
    for (const LanguageMenuEntry& entry : ListLanguageMenuEntries(context_, state_.language)) {
        const std::size_t index = form_.AddLanguageMenuItem(entry.caption);
        form_.SetLanguageMenuItemChecked(index, entry.checked);
    }
}

void LanguageCommands::ChooseLanguage(std::size_t index)
{
    const std::string language = LanguageOfCaption(form_.LanguageMenuItemCaption(index));
    state_.language = language;
    for (std::size_t i = 0; i < form_.LanguageMenuItemCount(); ++i)
        form_.SetLanguageMenuItemChecked(i, i == index);
    StoreLanguage(context_, language);
    LoadLanguage();
    TranslateAllWindows();
}

void LanguageCommands::CleanLanguageFiles()
{
    kestrova::CleanLanguageFiles({windows_.begin(), windows_.end()}, context_);
}

void LanguageCommands::TranslateAllWindows() { kestrova::TranslateAllWindows(windows_, context_); }

}  // namespace kestrova
