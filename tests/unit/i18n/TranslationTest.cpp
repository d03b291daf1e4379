// The engine's lookups over a window's components: which key each text is looked up
// under, which texts are never looked up, and what a found or missing key does.
#include "i18n/Translation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

Component WithCaption(ComponentKind kind, const char* name, const char* caption)
{
    Component component = MakeComponent(kind, name, "");
    component.texts[static_cast<std::size_t>(TextAttribute::Caption)] = caption;
    return component;
}

// A window with one component of each kind the engine treats specially.
WindowModel SampleWindow(const char* name, const char* caption)
{
    WindowModel window(name, caption);
    window.Add(WithCaption(ComponentKind::MenuItem, "ThemeMenu", "Тема"));
    window.Add(WithCaption(ComponentKind::MenuItem, "N1", "-"));
    window.Add(WithCaption(ComponentKind::MenuItem, "Empty", ""));
    window.Add(WithCaption(ComponentKind::MenuItem, "Number", "42"));
    window.Add(WithCaption(ComponentKind::MenuItem, "HexNumber", "$1F"));
    Component list = MakeComponent(ComponentKind::ListView, "List", "");
    list.columns = {{"Название"}, {"Путь"}};
    window.Add(list);
    Component tabs = MakeComponent(ComponentKind::TabControl, "Tabs", "");
    tabs.tabs = {"Первая", "-", "Третья"};
    window.Add(tabs);
    Component status = MakeComponent(ComponentKind::StatusBar, "Status", "");
    status.panels = {{"Элементов:"}, {"7"}, {"второй"}};
    window.Add(status);
    window.Add(WithCaption(ComponentKind::GroupBox, "LabelLocalVersion", "1.0"));
    window.Add(WithCaption(ComponentKind::GroupBox, "LabelServerVersion", "версия"));
    return window;
}

Translation Over(WindowModel& window, std::vector<std::string> values)
{
    Translation translation;
    translation.Form = &window;
    translation.Values = std::move(values);
    return translation;
}

std::string Caption(const WindowModel& window, const char* component)
{
    return window.Get(component).Get(TextAttribute::Caption);
}

TEST(Translation, LooksUpEveryTextOfTheWindowUnderItsKey)
{
    WindowModel window = SampleWindow("Form8", "О программе");
    Translation translation = Over(window, {});
    TranslateWindowTexts(translation);

    EXPECT_EQ(translation.Missing, (std::vector<std::string>{
                                       "Form8.Caption=О программе",
                                       "Form8.ThemeMenu.Caption=Тема",
                                       "Form8.List.Columns[0].Caption=Название",
                                       "Form8.List.Columns[1].Caption=Путь",
                                       "Form8.Tabs.Tabs [0]=Первая",
                                       "Form8.Tabs.Tabs [2]=Третья",
                                       "Form8.Status.Text=Элементов:",
                                       "Form8.LabelLocalVersion.Caption=1.0",
                                       "Form8.LabelServerVersion.Caption=версия",
                                   }));
    EXPECT_EQ(window.Caption(), "О программе");
}

TEST(Translation, FoundKeysReplaceTextsAndAreUsedOnce)
{
    WindowModel window = SampleWindow("Form1", "Kestrova 1.0");
    Translation translation = Over(window, {
                                               "form1.thememenu.CAPTION=Theme",
                                               "Form1.ThemeMenu.Caption=Second",
                                               "Form1.Caption=Never",
                                               "Form1.List.Columns[1].Caption=Path",
                                               "Form1.Tabs.Tabs [2]=Third",
                                               "Form1.Status.Text=Items:",
                                               "Form1.N1.Caption=separator",
                                               "Form1.Number.Caption=number",
                                           });
    TranslateWindowTexts(translation);

    EXPECT_EQ(Caption(window, "ThemeMenu"), "Theme");  // another letter case, first entry
    EXPECT_EQ(window.Caption(), "Kestrova 1.0");       // the main window's caption is its own
    EXPECT_EQ(window.Get("List").columns[0].caption, "Название");
    EXPECT_EQ(window.Get("List").columns[1].caption, "Path");
    EXPECT_EQ(window.Get("Tabs").tabs, (std::vector<std::string>{"Первая", "-", "Third"}));
    EXPECT_EQ(window.Get("Status").panels[0].text, "Items:");
    EXPECT_EQ(window.Get("Status").panels[2].text, "второй");
    EXPECT_EQ(Caption(window, "N1"), "-");
    EXPECT_EQ(Caption(window, "Number"), "42");
    // Used lines are gone; the rest were never asked for.
    EXPECT_EQ(translation.Values, (std::vector<std::string>{"Form1.ThemeMenu.Caption=Second", "Form1.Caption=Never",
                                                            "Form1.N1.Caption=separator", "Form1.Number.Caption=number"}));
}

TEST(Translation, EmptyValueKeepsAComponentsTextButEmptiesAWindowCaption)
{
    WindowModel window = SampleWindow("Form8", "О программе");
    Translation translation = Over(window, {"Form8.ThemeMenu.Caption=", "Form8.Caption="});
    TranslateWindowTexts(translation);
    EXPECT_EQ(Caption(window, "ThemeMenu"), "Тема");
    EXPECT_EQ(window.Caption(), "");
}

TEST(Translation, UpdateWindowCaptionGetsTheApplicationTitleAndKeepsItsVersionLabels)
{
    WindowModel window = SampleWindow("Form10", "Обновление");
    Translation translation =
        Over(window, {"Form10.Caption=Update", "Form10.LabelLocalVersion.Caption=x", "Form10.LabelServerVersion.Caption=y"});
    TranslateWindowTexts(translation);
    EXPECT_EQ(window.Caption(), "Update Kestrova");
    EXPECT_EQ(Caption(window, "LabelLocalVersion"), "1.0");
    EXPECT_EQ(Caption(window, "LabelServerVersion"), "версия");

    WindowModel emptied = SampleWindow("Form10", "Обновление");
    Translation empty = Over(emptied, {"Form10.Caption="});
    TranslateWindowTexts(empty);
    EXPECT_EQ(emptied.Caption(), " Kestrova");
}

TEST(Translation, NeverLookedUpTexts)
{
    for (const char* text : {"", "-", "0", "42", "-7", "$1F", "0x10", "2147483647"})
        EXPECT_TRUE(IsNeverLookedUp(text)) << text;
    for (const char* text : {"--", "4 2", "2147483648", "12a", " ", "≡", "Да"})
        EXPECT_FALSE(IsNeverLookedUp(text)) << text;
}

TEST(Translation, KeyMatchesTheTextBeforeTheFirstEqualsSignInAnyLetterCase)
{
    WindowModel window("Form1", "");
    Translation translation = Over(window, {"NoEquals", "Form1.A.Caption", "form1.ЯЗЫК.caption=Language=Язык"});
    EXPECT_EQ(FindTranslationLine(translation, "Form1.A.Caption"), -1);
    EXPECT_EQ(FindTranslationLine(translation, "FORM1.язык.Caption"), 2);
    EXPECT_EQ(LookupTranslation(translation, "FORM1.язык.Caption", "default"), "Language=Язык");
    EXPECT_EQ(LookupTranslation(translation, "FORM1.язык.Caption", "default"), "default");
    EXPECT_EQ(translation.Missing, std::vector<std::string>{"FORM1.язык.Caption=default"});
}

}  // namespace
}  // namespace kestrova
