#include "app/MainCommands.h"

#include "about/AboutWindow.h"
#include "update/win32/UpdateWindow.h"

namespace kestrova {

CatalogueTab* MainCommands::TabOf(const ListView* list) const
{
    for (CatalogueTab* tab : parts_.tabs)
        if (&tab->List() == list)
            return tab;
    return nullptr;
}

void MainCommands::Run(Command command, const ListView* list)
{
    CatalogueTab* tab = TabOf(list);
    switch (command) {
    case Command::ThemeSystem:
    case Command::ThemeLight:
    case Command::ThemeDark:
        if (parts_.themes)
            parts_.themes->Choose(command == Command::ThemeSystem  ? ThemeChoice::System
                                  : command == Command::ThemeLight ? ThemeChoice::Light
                                                                   : ThemeChoice::Dark);
        break;
    case Command::CheckForUpdates:
        if (parts_.update)
            parts_.update->ShowModal();
        break;
    case Command::ShowAbout:
        if (parts_.about)
            parts_.about->ShowModal();
        break;
    case Command::UndoDelete:
        UndoDelete();
        break;
    case Command::RefreshList:
        if (tab)
            tab->Rebuild();
        break;
    case Command::OpenEntryPlace:
        if (tab)
            tab->OpenSelectedPlace();
        break;
    case Command::DeleteEntry:
        if (tab)
            tab->DeleteSelected();
        break;
    case Command::RestoreSendToDefaults:
        if (parts_.sendToMenu && parts_.sendToMenu->RestoreDefaults() && tab)
            tab->Rebuild();
        break;
    case Command::SwitchOnlyWithShift:
        if (tab)
            tab->SwitchSelectedOnlyWithShift();
        break;
    case Command::SwitchSendToMenu:
        if (parts_.sendToMenu)
            parts_.sendToMenu->SwitchMenu();
        break;
    case Command::SwitchClassicMenu:
        if (parts_.windows11Menu)
            parts_.windows11Menu->SwitchClassicMenu();
        break;
    case Command::RestartExplorer:
        if (parts_.windows11Menu)
            parts_.windows11Menu->RestartExplorer();
        break;
    default:
        break;
    }
}

bool MainCommands::SwitchRow(const ListView& list, std::size_t index, bool checked)
{
    CatalogueTab* tab = TabOf(&list);
    if (!tab || !tab->SwitchRow(index, checked))
        return !tab;
    if (parts_.windows11Menu && &list == &parts_.windows11Menu->List())
        parts_.windows11Menu->RowSwitched(index, checked);
    return true;
}

void MainCommands::UndoDelete()
{
    if (!parts_.deletions)
        return;
    if (const std::optional<DeletedEntry> entry = parts_.deletions->UndoLatest())
        for (CatalogueTab* tab : parts_.tabs)
            if (tab->Kind() == entry->catalogue)
                tab->ShowRestored(*entry);
}

void MainCommands::ChooseLanguage(std::size_t index)
{
    if (!parts_.languages)
        return;
    parts_.languages->ChooseLanguage(index);
    for (CatalogueTab* tab : parts_.tabs)
        if (tab->ShowsTranslatedTexts())
            tab->Rebuild();
}

void MainCommands::SystemSettingChanged()
{
    if (parts_.themes)
        parts_.themes->SystemSettingChanged();
}

void MainCommands::Closing()
{
    if (parts_.settings)
        parts_.settings->Save();
}

}  // namespace kestrova
