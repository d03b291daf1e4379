#include "app/MainWindowComponents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

std::vector<std::string> NamesUnder(const WindowModel& model, const std::string& parent)
{
    std::vector<std::string> names;
    for (const Component* component : model.Children(parent))
        names.push_back(component->name);
    return names;
}

TEST(MainWindowComponents, ControlsComeParentFirstInLayoutOrder)
{
    WindowModel model = BuildMainWindowComponents();
    EXPECT_EQ(model.Name(), "Form1");
    EXPECT_EQ(model.Caption(), "Kestrova");
    std::vector<std::string> controls;
    for (const Component& component : model.Components()) {
        if (component.kind == ComponentKind::PopupMenu)
            break;
        controls.push_back(component.name);
    }
    EXPECT_EQ(controls, (std::vector<std::string>{
                            "TabControlTitle", "SpeedButton_GeneralMenu", "PageControlMenu", "TabSheet1",
                            "GroupBoxMenuList", "ListViewContextMenu", "StatusBarMenu", "TabSheet3",
                            "GroupBoxNewMenu", "ListViewNewMenu", "StatusBarNewMenu", "TabSheet2",
                            "GroupBoxSendTo", "ListViewSendTo", "StatusBarSendTo", "TabSheet4", "GroupBoxMorePlaces",
                            "ListViewMorePlaces", "StatusBarMorePlaces", "TabSheet5",
                            "CheckBoxClassicMenu", "LabelClassicMenu", "ButtonRestartExplorer",
                            "GroupBoxWindows11Menu", "ListViewWindows11Menu", "StatusBarWindows11Menu",
                            "ImageList_General"}));
    EXPECT_EQ(NamesUnder(model, "PageControlMenu"),
              (std::vector<std::string>{"TabSheet1", "TabSheet3", "TabSheet2", "TabSheet4", "TabSheet5"}));
    EXPECT_EQ(model.Get("StatusBarMorePlaces").panels.size(), 3u) << "the count and a note on whose entries";
    EXPECT_EQ(model.Get("CheckBoxClassicMenu").command, Command::SwitchClassicMenu);
    EXPECT_EQ(model.Get("ButtonRestartExplorer").command, Command::RestartExplorer);
    EXPECT_EQ(model.Get("ListViewNewMenu").parent, "GroupBoxNewMenu");
    EXPECT_EQ(model.Get("SpeedButton_GeneralMenu").Get(TextAttribute::Caption), "≡");
    EXPECT_EQ(model.Get("TabSheet3").Get(TextAttribute::Caption), "Создать");
}

TEST(MainWindowComponents, MenusHoldTheirItemsInOrderWithSeparatorsAndShortcuts)
{
    WindowModel model = BuildMainWindowComponents();
    EXPECT_EQ(NamesUnder(model, "PopupMenu_General"),
              (std::vector<std::string>{"ThemeMenu", "LanguageMenu", "N3", "CheckUpdateMenu", "N1", "AboutMenu"}));
    EXPECT_EQ(NamesUnder(model, "ThemeMenu"), (std::vector<std::string>{"ThemeAuto", "ThemeLight", "ThemeDark"}));
    EXPECT_EQ(NamesUnder(model, "PopupMenuEdit"),
              (std::vector<std::string>{"ContextMenuUndo", "NUndoEdit", "ContextMenuUpdate", "ContextMenuOnlyWithShift", "N5",
                                        "ContextMenuRegOpen", "N2", "ContextMenuDelete"}));
    EXPECT_EQ(NamesUnder(model, "PopupMenuNewMenu"),
              (std::vector<std::string>{"NewMenuMenuUndo", "NUndoNewMenu", "NewMenuMenuUpdate", "N7", "NewMenuRegOpen", "N8", "NewMenuMenuDelete"}));
    EXPECT_EQ(NamesUnder(model, "PopupMenuSendTo"),
              (std::vector<std::string>{"SendToMenuUndo", "NUndoSendTo", "SendToMenuUpdate", "N4",
                                        "SendToMenuRestoreDefault", "SendToMenuEnabled", "MenuItem2", "SendToMenuOpenFolder", "MenuItem4", "SendToMenuDelete"}));
    EXPECT_EQ(NamesUnder(model, "PopupMenuMorePlaces"),
              (std::vector<std::string>{"MorePlacesMenuUndo", "NUndoMorePlaces", "MorePlacesMenuUpdate", "MorePlacesOnlyWithShift", "NUpdateMorePlaces",
                                        "MorePlacesRegOpen", "NRegOpenMorePlaces", "MorePlacesMenuDelete"}));
    // The Windows 11 menu's rows are never deleted: its menu has no Delete item.
    EXPECT_EQ(NamesUnder(model, "PopupMenuWindows11Menu"),
              (std::vector<std::string>{"Windows11MenuUndo", "NUndoWindows11Menu", "Windows11MenuUpdate",
                                        "NWindows11Menu", "Windows11MenuRegOpen"}));
    // The first fourteen keep their places; the later ones follow them.
    const std::vector<std::string> texts = NamesUnder(model, "PopupMenuLanguage");
    ASSERT_EQ(texts.size(), 30u);
    EXPECT_EQ(texts[13], "LangUndoFailed");
    EXPECT_EQ(texts[14], "LangDeleteMorePlaces");

    const std::pair<const char*, const char*> shortcuts[] = {
        {"AboutMenu", "F1"}, {"ContextMenuUpdate", "F5"}, {"NewMenuMenuUpdate", "F5"},
        {"SendToMenuUpdate", "F5"}, {"SendToMenuOpenFolder", "Ctrl+O"}, {"SendToMenuDelete", ""},
        {"ContextMenuUndo", "Ctrl+Z"}, {"NewMenuMenuUndo", "Ctrl+Z"}, {"SendToMenuUndo", "Ctrl+Z"},
        {"Windows11MenuUndo", "Ctrl+Z"}, {"Windows11MenuUpdate", "F5"}};
    for (const auto& [item, keys] : shortcuts)
        EXPECT_EQ(model.Get(item).menu.shortcut, keys) << item;

    const Component& automatic = model.Get("ThemeAuto");
    EXPECT_TRUE(automatic.menu.radio && automatic.menu.checked);
    EXPECT_FALSE(model.Get("ThemeDark").menu.checked);
    const Component& sendTo = model.Get("SendToMenuEnabled");
    EXPECT_TRUE(sendTo.command == Command::SwitchSendToMenu && !sendTo.menu.radio);
    const std::pair<const char*, Command> commands[] = {
        {"ThemeAuto", Command::ThemeSystem},           {"ThemeLight", Command::ThemeLight},
        {"ThemeDark", Command::ThemeDark},             {"CheckUpdateMenu", Command::CheckForUpdates},
        {"AboutMenu", Command::ShowAbout},             {"ContextMenuRegOpen", Command::OpenEntryPlace},
        {"NewMenuRegOpen", Command::OpenEntryPlace},   {"SendToMenuOpenFolder", Command::OpenEntryPlace},
        {"NewMenuMenuDelete", Command::DeleteEntry},   {"SendToMenuRestoreDefault", Command::RestoreSendToDefaults},
        {"SendToMenuUndo", Command::UndoDelete},       {"NewMenuMenuUpdate", Command::RefreshList},
        {"N3", Command::None}};
    for (const auto& [item, command] : commands)
        EXPECT_EQ(model.Get(item).command, command) << item;
    EXPECT_FALSE(model.Get("LanguageMenu").menu.autoHotkeys);
    EXPECT_EQ(model.Get("N3").Get(TextAttribute::Caption), "-");
    EXPECT_EQ(model.Get("LangDeleteContextMenu").Get(TextAttribute::Caption),
              "Вы действительно хотите удалить выбранный элемент из контекстного меню?");
}

TEST(MainWindowComponents, ListColumnsAndStatusPanels)
{
    WindowModel model = BuildMainWindowComponents();
    for (const char* name : {"ListViewContextMenu", "ListViewNewMenu", "ListViewMorePlaces"}) {
        const auto& columns = model.Get(name).columns;
        ASSERT_EQ(columns.size(), 8u) << name;
        EXPECT_EQ(columns[0].caption, "Название");
        EXPECT_EQ(columns[0].minWidth, 200);
        EXPECT_TRUE(columns[1].fixedWidth);
        EXPECT_TRUE(columns[2].fixedWidth && columns[2].width == 170);
        EXPECT_EQ(columns[3].caption, "Путь реестра");
        EXPECT_TRUE(columns[3].fillsRest && columns[3].minWidth == 100);
        // The details follow the list's own columns.
        EXPECT_EQ(columns[4].caption, "В меню");
        EXPECT_EQ(columns[5].caption, "Программа");
        EXPECT_EQ(columns[6].caption, "Компания");
        EXPECT_EQ(columns[7].caption, "Показ");
    }
    const auto& sendTo = model.Get("ListViewSendTo").columns;
    ASSERT_EQ(sendTo.size(), 2u);
    EXPECT_EQ(sendTo[1].caption, "Путь");
    EXPECT_TRUE(sendTo[1].fillsRest && sendTo[1].minWidth == 300);

    for (const char* name : {"StatusBarMenu", "StatusBarNewMenu", "StatusBarSendTo"}) {
        const auto& panels = model.Get(name).panels;
        ASSERT_EQ(panels.size(), 2u) << name;
        EXPECT_EQ(panels[0].text, "Элементов:");
        EXPECT_TRUE(panels[0].alignRight && panels[0].width == 80);
        EXPECT_TRUE(panels[1].text.empty() && panels[1].width == 50);
    }
    // The Windows 11 menu's third panel tells when Explorer must restart.
    EXPECT_EQ(model.Get("ListViewWindows11Menu").columns.size(), 5u);
    EXPECT_EQ(model.Get("StatusBarWindows11Menu").panels.size(), 3u);
}

}  // namespace
}  // namespace kestrova
