// The main window's one command switch: every menu item, shortcut, check box and event
// of the window is run here, by the part of the program it concerns.
#pragma once

#include "app/CatalogueTab.h"
#include "app/LanguageCommands.h"
#include "app/MainWindow.h"
#include "app/MainWindowSettings.h"
#include "app/SendToMenuCommands.h"
#include "app/ThemeMenu.h"
#include "app/UndoDeleteCommand.h"
#include "app/Windows11MenuCommands.h"

#include <string_view>
#include <utility>
#include <vector>

namespace kestrova {

class AboutWindow;
class UpdateWindow;

// The parts the commands act on. A part left out (as a test may) ignores its commands.
struct MainWindowParts {
    std::vector<CatalogueTab*> tabs;
    UndoDeleteCommand* deletions = nullptr;
    ThemeMenu* themes = nullptr;
    SendToMenuCommands* sendToMenu = nullptr;
    LanguageCommands* languages = nullptr;
    MainWindowSettings* settings = nullptr;
    AboutWindow* about = nullptr;
    UpdateWindow* update = nullptr;
    Windows11MenuCommands* windows11Menu = nullptr;
};

class MainCommands : public MainWindowActions {
public:
    explicit MainCommands(MainWindowParts parts) : parts_(std::move(parts)) {}

    void Run(Command command, const ListView* list) override;
    bool SwitchRow(const ListView& list, std::size_t index, bool checked) override;
    void ChooseLanguage(std::size_t index) override;
    void SystemSettingChanged() override;
    void Closing() override;

private:
    CatalogueTab* TabOf(const ListView* list) const;
    // Puts the latest deletion back and lets the tab that lists it show its row.
    void UndoDelete();

    MainWindowParts parts_;
};

}  // namespace kestrova
