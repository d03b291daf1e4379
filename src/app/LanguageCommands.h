// The main window's language operations: the language sub-menu built from the files
// beside the program, a choice stored and applied at once, and the start-up cleaning of
// the language files, all over every open window.
#pragma once

#include <cstddef>
#include <vector>

#include "app/MainWindow.h"
#include "i18n/LanguageFiles.h"
#include "settings/ProgramState.h"
#include "ui/ComponentModel.h"

namespace kestrova {

class LanguageCommands {
public:
    // `windows`: every open window in the screen's order, the main window's model among them.
    LanguageCommands(MainWindow& form, ProgramState& state, std::vector<WindowModel*> windows,
                     LanguageContext context);

    // Reads the stored choice into the state and rebuilds the sub-menu.
    void LoadLanguage();
    // Stores the entry's language, rebuilds the menu and applies the language. A failure
    // to store it is an error for the general report, and the switch stops there.
    void ChooseLanguage(std::size_t index);
    void CleanLanguageFiles();
    void TranslateAllWindows();

private:
    MainWindow& form_;
    ProgramState& state_;
    std::vector<WindowModel*> windows_;
    LanguageContext context_;
};

}  // namespace kestrova
