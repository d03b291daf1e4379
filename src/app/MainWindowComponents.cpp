#include "app/MainWindowComponents.h"

#include <optional>

namespace kestrova {

namespace {

using Kind = ComponentKind;

class Builder {
public:
    explicit Builder(WindowModel& model) : model_(model) {}

    void Add(Kind kind, const char* name, const char* parent, const char* caption = nullptr,
             MenuItemTraits traits = {}, Command command = Command::None)
    {
        Component component = caption ? MakeComponent(kind, name, parent, caption) : MakeComponent(kind, name, parent);
        component.menu = std::move(traits);
        component.command = command;
        model_.Add(std::move(component));
    }

    void List(const char* name, const char* parent, std::vector<ListColumn> columns)
    {
        Component component = MakeComponent(Kind::ListView, name, parent);
        component.columns = std::move(columns);
        model_.Add(std::move(component));
    }

    // The item count, and `extra` after it when given.
    void StatusBar(const char* name, const char* parent, std::optional<StatusPanel> extra = std::nullopt)
    {
        Component component = MakeComponent(Kind::StatusBar, name, parent);
        component.panels = {{"Элементов:", 80, true}, {"", 50, false}};
        if (extra)
            component.panels.push_back(*extra);
        model_.Add(std::move(component));
    }

    void Item(const char* name, const char* parent, const char* caption, Command command = Command::None,
              MenuItemTraits traits = {})
    {
        Add(Kind::MenuItem, name, parent, caption, std::move(traits), command);
    }

private:
    WindowModel& model_;
};

std::vector<ListColumn> RegistryColumns()
{
    return {{"Название", 200, 200, false, false},
            {"Тип", 100, 0, true, false},
            {"Раздел", 170, 0, true, false},
            {"Путь реестра", 100, 100, false, true}};
}

std::vector<ListColumn> MorePlacesColumns()
{
    return {{"Название", 200, 200, false, false},
            {"Место", 130, 0, true, false},
            {"Раздел", 170, 0, true, false},
            {"Путь реестра", 100, 100, false, true}};
}

// What Explorer shows, the program behind it, that program's company and when the entry shows.
std::vector<ListColumn> WithDetailColumns(std::vector<ListColumn> columns)
{
    columns.insert(columns.end(), {{"В меню", 160, 40, false, false},
                                   {"Программа", 220, 40, false, false},
                                   {"Компания", 140, 40, false, false},
                                   {"Показ", 80, 40, false, false}});
    return columns;
}

MenuItemTraits Radio(bool checked)
{
    MenuItemTraits traits;
    traits.radio = true;
    traits.checked = checked;
    return traits;
}

MenuItemTraits Shortcut(const char* keys)
{
    MenuItemTraits traits;
    traits.shortcut = keys;
    return traits;
}

}  // namespace

WindowModel BuildMainWindowComponents()
{
    WindowModel model("Form1", "Kestrova");
    Builder b(model);

    b.Add(Kind::TabControl, "TabControlTitle", "");
    b.Add(Kind::SpeedButton, "SpeedButton_GeneralMenu", "TabControlTitle", "≡");
    b.Add(Kind::PageControl, "PageControlMenu", "");

    b.Add(Kind::TabSheet, "TabSheet1", "PageControlMenu", "Файлы и папки");
    b.Add(Kind::GroupBox, "GroupBoxMenuList", "TabSheet1", "Список элементов");
    b.List("ListViewContextMenu", "GroupBoxMenuList", WithDetailColumns(RegistryColumns()));
    b.StatusBar("StatusBarMenu", "TabSheet1");

    b.Add(Kind::TabSheet, "TabSheet3", "PageControlMenu", "Создать");
    b.Add(Kind::GroupBox, "GroupBoxNewMenu", "TabSheet3", "Список элементов");
    b.List("ListViewNewMenu", "GroupBoxNewMenu", WithDetailColumns(RegistryColumns()));
    b.StatusBar("StatusBarNewMenu", "TabSheet3");

    b.Add(Kind::TabSheet, "TabSheet2", "PageControlMenu", "Отправить");
    b.Add(Kind::GroupBox, "GroupBoxSendTo", "TabSheet2", "Список элементов");
    b.List("ListViewSendTo", "GroupBoxSendTo",
           {{"Название", 200, 200, false, false}, {"Путь", 300, 300, false, true}});
    b.StatusBar("StatusBarSendTo", "TabSheet2");

    b.Add(Kind::TabSheet, "TabSheet4", "PageControlMenu", "Другие места");
    b.Add(Kind::GroupBox, "GroupBoxMorePlaces", "TabSheet4", "Список элементов");
    b.List("ListViewMorePlaces", "GroupBoxMorePlaces", WithDetailColumns(MorePlacesColumns()));
    b.StatusBar("StatusBarMorePlaces", "TabSheet4", StatusPanel{"", 400, false});

    b.Add(Kind::TabSheet, "TabSheet5", "PageControlMenu", "Меню Windows 11");
    b.Add(Kind::CheckBox, "CheckBoxClassicMenu", "TabSheet5", "Классическое контекстное меню", {},
          Command::SwitchClassicMenu);
    b.Add(Kind::Label, "LabelClassicMenu", "TabSheet5", "В Windows 10 есть только классическое контекстное меню.");
    b.Add(Kind::Button, "ButtonRestartExplorer", "TabSheet5", "Перезапустить Проводник", {}, Command::RestartExplorer);
    b.Add(Kind::GroupBox, "GroupBoxWindows11Menu", "TabSheet5", "Список элементов");
    b.List("ListViewWindows11Menu", "GroupBoxWindows11Menu",
           {{"Название", 160, 160, false, false},
            {"Команда", 90, 0, true, false},
            {"Тип элемента", 110, 0, true, false},
            {"CLSID", 250, 0, true, false},
            {"Пакет", 100, 100, false, true}});
    b.StatusBar("StatusBarWindows11Menu", "TabSheet5", StatusPanel{"", 400, false});

    b.Add(Kind::ImageList, "ImageList_General", "");

    b.Add(Kind::PopupMenu, "PopupMenu_General", "");
    MenuItemTraits subMenu;
    subMenu.subMenu = true;
    b.Item("ThemeMenu", "PopupMenu_General", "Тема", Command::None, subMenu);
    b.Item("ThemeAuto", "ThemeMenu", "Системная", Command::ThemeSystem, Radio(true));
    b.Item("ThemeLight", "ThemeMenu", "Светлая", Command::ThemeLight, Radio(false));
    b.Item("ThemeDark", "ThemeMenu", "Темная", Command::ThemeDark, Radio(false));
    MenuItemTraits languages = subMenu;
    languages.autoHotkeys = false;
    b.Item("LanguageMenu", "PopupMenu_General", "Язык", Command::None, languages);
    b.Item("N3", "PopupMenu_General", "-");
    b.Item("CheckUpdateMenu", "PopupMenu_General", "Проверить обновления", Command::CheckForUpdates);
    b.Item("N1", "PopupMenu_General", "-");
    b.Item("AboutMenu", "PopupMenu_General", "О программе", Command::ShowAbout, Shortcut("F1"));

    b.Add(Kind::PopupMenu, "PopupMenuEdit", "");
    b.Item("ContextMenuUndo", "PopupMenuEdit", "Отменить удаление", Command::UndoDelete, Shortcut("Ctrl+Z"));
    b.Item("NUndoEdit", "PopupMenuEdit", "-");
    b.Item("ContextMenuUpdate", "PopupMenuEdit", "Обновить", Command::RefreshList, Shortcut("F5"));
    b.Item("ContextMenuOnlyWithShift", "PopupMenuEdit", "Только с Shift", Command::SwitchOnlyWithShift);
    b.Item("N5", "PopupMenuEdit", "-");
    b.Item("ContextMenuRegOpen", "PopupMenuEdit", "Открыть Реестр", Command::OpenEntryPlace);
    b.Item("N2", "PopupMenuEdit", "-");
    b.Item("ContextMenuDelete", "PopupMenuEdit", "Удалить", Command::DeleteEntry);

    b.Add(Kind::PopupMenu, "PopupMenuNewMenu", "");
    b.Item("NewMenuMenuUndo", "PopupMenuNewMenu", "Отменить удаление", Command::UndoDelete, Shortcut("Ctrl+Z"));
    b.Item("NUndoNewMenu", "PopupMenuNewMenu", "-");
    b.Item("NewMenuMenuUpdate", "PopupMenuNewMenu", "Обновить", Command::RefreshList, Shortcut("F5"));
    b.Item("N7", "PopupMenuNewMenu", "-");
    b.Item("NewMenuRegOpen", "PopupMenuNewMenu", "Открыть Реестр", Command::OpenEntryPlace);
    b.Item("N8", "PopupMenuNewMenu", "-");
    b.Item("NewMenuMenuDelete", "PopupMenuNewMenu", "Удалить", Command::DeleteEntry);

    b.Add(Kind::PopupMenu, "PopupMenuSendTo", "");
    b.Item("SendToMenuUndo", "PopupMenuSendTo", "Отменить удаление", Command::UndoDelete, Shortcut("Ctrl+Z"));
    b.Item("NUndoSendTo", "PopupMenuSendTo", "-");
    b.Item("SendToMenuUpdate", "PopupMenuSendTo", "Обновить", Command::RefreshList, Shortcut("F5"));
    b.Item("N4", "PopupMenuSendTo", "-");
    b.Item("SendToMenuRestoreDefault", "PopupMenuSendTo", "Восстановить по умолчанию", Command::RestoreSendToDefaults);
    b.Item("SendToMenuEnabled", "PopupMenuSendTo", "Включить меню SendTo", Command::SwitchSendToMenu);
    b.Item("MenuItem2", "PopupMenuSendTo", "-");
    b.Item("SendToMenuOpenFolder", "PopupMenuSendTo", "Открыть папку", Command::OpenEntryPlace, Shortcut("Ctrl+O"));
    b.Item("MenuItem4", "PopupMenuSendTo", "-");
    b.Item("SendToMenuDelete", "PopupMenuSendTo", "Удалить", Command::DeleteEntry);

    b.Add(Kind::PopupMenu, "PopupMenuMorePlaces", "");
    b.Item("MorePlacesMenuUndo", "PopupMenuMorePlaces", "Отменить удаление", Command::UndoDelete, Shortcut("Ctrl+Z"));
    b.Item("NUndoMorePlaces", "PopupMenuMorePlaces", "-");
    b.Item("MorePlacesMenuUpdate", "PopupMenuMorePlaces", "Обновить", Command::RefreshList, Shortcut("F5"));
    b.Item("MorePlacesOnlyWithShift", "PopupMenuMorePlaces", "Только с Shift", Command::SwitchOnlyWithShift);
    b.Item("NUpdateMorePlaces", "PopupMenuMorePlaces", "-");
    b.Item("MorePlacesRegOpen", "PopupMenuMorePlaces", "Открыть Реестр", Command::OpenEntryPlace);
    b.Item("NRegOpenMorePlaces", "PopupMenuMorePlaces", "-");
    b.Item("MorePlacesMenuDelete", "PopupMenuMorePlaces", "Удалить", Command::DeleteEntry);

    b.Add(Kind::PopupMenu, "PopupMenuWindows11Menu", "");
    b.Item("Windows11MenuUndo", "PopupMenuWindows11Menu", "Отменить удаление", Command::UndoDelete, Shortcut("Ctrl+Z"));
    b.Item("NUndoWindows11Menu", "PopupMenuWindows11Menu", "-");
    b.Item("Windows11MenuUpdate", "PopupMenuWindows11Menu", "Обновить", Command::RefreshList, Shortcut("F5"));
    b.Item("NWindows11Menu", "PopupMenuWindows11Menu", "-");
    b.Item("Windows11MenuRegOpen", "PopupMenuWindows11Menu", "Открыть Реестр", Command::OpenEntryPlace);

    b.Add(Kind::PopupMenu, "PopupMenuLanguage", "");
    b.Item("LangNoUpdate", "PopupMenuLanguage", "Нет обновления");
    b.Item("LangUpdateAvailable", "PopupMenuLanguage", "Доступно обновление");
    b.Item("LangOpenWebSite", "PopupMenuLanguage", "Открыть сайт?");
    b.Item("LangOnlyWindows", "PopupMenuLanguage",
           "Эта программа совместима только с Windows 10 и Windows 11.");
    b.Item("LangError", "PopupMenuLanguage", "Ошибка");
    b.Item("LangDeleteSendToMenu", "PopupMenuLanguage",
           "Вы действительно хотите удалить выбранный элемент из меню?");
    b.Item("LangDeleteContextMenu", "PopupMenuLanguage",
           "Вы действительно хотите удалить выбранный элемент из контекстного меню?");
    b.Item("LangDeleteNewMenu", "PopupMenuLanguage",
           "Вы действительно хотите удалить выбранный элемент из меню?");
    b.Item("LangYes", "PopupMenuLanguage", "Да");
    b.Item("LangNo", "PopupMenuLanguage", "Нет");
    b.Item("LangConfirmation", "PopupMenuLanguage", "Подтверждение");
    b.Item("LangBackupFailed", "PopupMenuLanguage",
           "Не удалось сохранить резервную копию, поэтому ничего не удалено.");
    b.Item("LangUndoNameTaken", "PopupMenuLanguage",
           "Удаление не отменено: элемент с таким именем уже существует.");
    b.Item("LangUndoFailed", "PopupMenuLanguage", "Не удалось отменить удаление. Резервная копия:");
    b.Item("LangDeleteMorePlaces", "PopupMenuLanguage",
           "Вы действительно хотите удалить выбранный элемент из меню?");
    b.Item("LangPlaceAllObjects", "PopupMenuLanguage", "Все файлы и папки");
    b.Item("LangPlaceFolderBackground", "PopupMenuLanguage", "Фон папки");
    b.Item("LangPlaceDesktop", "PopupMenuLanguage", "Рабочий стол");
    b.Item("LangPlaceDrives", "PopupMenuLanguage", "Диски");
    b.Item("LangPlaceRightDrag", "PopupMenuLanguage", "Перетаскивание правой кнопкой");
    b.Item("LangPlaceThisPC", "PopupMenuLanguage", "Этот компьютер");
    b.Item("LangPlaceRecycleBin", "PopupMenuLanguage", "Корзина");
    b.Item("LangAdministratorNeeded", "PopupMenuLanguage",
           "Для изменения этого элемента нужны права администратора. Ничего не изменено.");
    b.Item("LangPerUserEntriesOf", "PopupMenuLanguage", "Элементы пользователя %s");
    b.Item("LangRestartExplorerNeeded", "PopupMenuLanguage",
           "Изменения вступят в силу после перезапуска Проводника.");
    b.Item("LangRestartExplorerFailed", "PopupMenuLanguage",
           "Не удалось перезапустить Проводник. Изменения вступят в силу после следующего входа в систему.");
    b.Item("LangMissingFile", "PopupMenuLanguage", "(нет файла)");
    b.Item("LangShowsAlways", "PopupMenuLanguage", "всегда");
    b.Item("LangShowsWithShift", "PopupMenuLanguage", "с Shift");
    b.Item("LangShowsNever", "PopupMenuLanguage", "никогда");

    return model;
}

}  // namespace kestrova
