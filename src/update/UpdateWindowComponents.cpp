#include "update/UpdateWindowComponents.h"

#include <utility>

namespace kestrova {

WindowModel BuildUpdateWindowComponents()
{
    using Kind = ComponentKind;
    WindowModel model("Form10", "Обновление");
    model.Add(MakeComponent(Kind::GroupBox, "GroupBox1", ""));
    model.Add(MakeComponent(Kind::Label, "LabelUpDate", "GroupBox1", "Проверка обновления..."));
    model.Add(MakeComponent(Kind::Label, "LabelLocalTitle", "GroupBox1", "Версия на компьютере:"));
    model.Add(MakeComponent(Kind::Label, "LabelLocalVersion", "GroupBox1"));  // filled at run time
    model.Add(MakeComponent(Kind::Label, "LabelServerTitle", "GroupBox1", "Версия на сервере:"));
    model.Add(MakeComponent(Kind::Label, "LabelServerVersion", "GroupBox1"));  // filled at run time
    model.Add(MakeComponent(Kind::ProgressBar, "ProgressBarUpdate", ""));
    model.Add(MakeComponent(Kind::GroupBox, "GroupBoxOption", "", "Опции"));
    model.Add(WithCommand(MakeComponent(Kind::CheckBox, "CheckBoxQuickUpdate", "GroupBoxOption", "Быстрое"),
                          Command::SwitchQuickUpdate));
    model.Add(WithCommand(MakeComponent(Kind::CheckBox, "CheckBoxAutoCheck", "GroupBoxOption", "Проверять при запуске"),
                          Command::SwitchAutoCheck));
    model.Add(WithCommand(MakeComponent(Kind::CheckBox, "CheckBoxAutoUpdate", "GroupBoxOption", "Авто обновление"),
                          Command::SwitchAutoUpdate));
    model.Add(MakeComponent(Kind::TabControl, "TabControlButtons", ""));
    model.Add(WithCommand(MakeComponent(Kind::Button, "ButtonDownload", "TabControlButtons", "Скачать"),
                          Command::DownloadUpdate));
    model.Add(WithCommand(MakeComponent(Kind::Button, "ButtonClose", "TabControlButtons", "Закрыть"),
                          Command::CloseWindow));

    model.Add(MakeComponent(Kind::PopupMenu, "PopupMenuLanguage", ""));
    const std::pair<const char*, const char*> messages[] = {
        {"LangNoDownload", "Файлы обновления не загружены!"},
        {"LangDownloadComplet", "Файлы обновления загружены!"},
        {"LangNoUpdate", "Нет обновления"},
        {"LangServerVersion", "Версия на сервере:"},
        {"LangVersionComputer", "Версия на компьютере:"},
        {"LangUpdateAvailable", "Доступно обновление"},
        {"LangDownload", "Скачать"},
        {"LangCancel", "Отмена"},
        {"LangUpdateNow", "Хотите обновить приложение сейчас?"},
        {"LangYes", "Да"},
        {"LangNo", "Нет"},
        {"LangCheckUpdate", "Проверка обновления..."},
        {"LangFailedCheckUpdates", "Не удалось проверить обновления"},
        {"LangConnectionError", "Ошибка соединения"},
        {"LangUpdateRejected", "Обновление отклонено: подпись не совпадает"},
    };
    for (const auto& [name, text] : messages)
        model.Add(MakeComponent(Kind::MenuItem, name, "PopupMenuLanguage", text));

    model.Add(MakeComponent(Kind::HttpClient, "IdHTTP1", ""));
    model.Add(MakeComponent(Kind::TaskbarProgress, "TaskbarUpdate", ""));
    return model;
}

}  // namespace kestrova
