// The language files the program ships: English translates every text of the
// program's windows, Russian brings the built-in texts back, and the start-up cleaning
// finds nothing to remove in either.
#include "about/AboutWindowComponents.h"
#include "app/MainWindowComponents.h"
#include "app/UpdateWindowComponents.h"
#include "i18n/LanguageFileCleaning.h"
#include "i18n/Translation.h"

#include "PlatformFileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

std::string ShippedFile(const std::string& name)
{
    std::string path = KESTROVA_LANGUAGE_DIR + name;
#ifdef _WIN32
    if (path.starts_with('/'))
        path = "Z:" + path;  // the build's Linux path as Wine shows it
#endif
    PlatformFileSystem fs;
    std::string bytes;
    EXPECT_TRUE(fs.ReadWholeFile(path, bytes)) << path;
    return bytes;
}

// Applies a shipped file to `window`; returns the keys it lacked.
std::vector<std::string> Apply(const std::string& name, WindowModel& window)
{
    Translation translation;
    translation.Form = &window;
    translation.Values = IniDocument::Parse(ShippedFile(name), 1252).ReadSectionValues("Kestrova");
    TranslateWindowTexts(translation);
    return translation.Missing;
}

// The main, About and update windows as built, in that order.
std::vector<WindowModel> ProgramWindows()
{
    std::vector<WindowModel> windows;
    windows.push_back(BuildMainWindowComponents());
    windows.push_back(BuildAboutWindowComponents());
    windows.push_back(BuildUpdateWindowComponents());
    return windows;
}

// Every text of a window's components, in component order.
std::vector<std::string> Texts(const WindowModel& window)
{
    std::vector<std::string> texts;
    for (const Component& component : window.Components()) {
        for (const TextAttribute attribute : kTextAttributes)
            texts.push_back(component.Get(attribute));
        for (const ListColumn& column : component.columns)
            texts.push_back(column.caption);
        texts.insert(texts.end(), component.tabs.begin(), component.tabs.end());
        for (const StatusPanel& panel : component.panels)
            texts.push_back(panel.text);
    }
    return texts;
}

TEST(ShippedLanguageFiles, AreUtf8WithAByteOrderMark)
{
    for (const char* name : {"English.ini", "Russian.ini"})
        EXPECT_TRUE(ShippedFile(name).starts_with("\xEF\xBB\xBF")) << name;
}

TEST(ShippedLanguageFiles, EnglishTranslatesEveryTextOfEveryWindow)
{
    std::vector<WindowModel> windows = ProgramWindows();
    for (WindowModel& window : windows)
        EXPECT_EQ(Apply("English.ini", window), std::vector<std::string>{}) << window.Name();
    const WindowModel& main = windows[0];
    EXPECT_EQ(main.Get("TabSheet1").Get(TextAttribute::Caption), "Files and folders");
    EXPECT_EQ(main.Get("LangError").Get(TextAttribute::Caption), "Error");
    EXPECT_EQ(main.Get("StatusBarSendTo").panels[0].text, "Items:");
    EXPECT_EQ(windows[1].Caption(), "About");
    EXPECT_EQ(windows[2].Caption(), "Update Kestrova");
    EXPECT_EQ(windows[2].Get("LangConnectionError").Get(TextAttribute::Caption), "Connection error");
    EXPECT_EQ(IniDocument::Parse(ShippedFile("English.ini"), 1252).ReadString("Language information", "LANGNAME", ""),
              "English");
}

TEST(ShippedLanguageFiles, RussianBringsTheBuiltInTextsBack)
{
    const std::vector<WindowModel> builtIn = ProgramWindows();
    std::vector<WindowModel> windows = ProgramWindows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Apply("English.ini", windows[i]);
        EXPECT_EQ(Apply("Russian.ini", windows[i]), std::vector<std::string>{}) << windows[i].Name();
        EXPECT_EQ(Texts(windows[i]), Texts(builtIn[i])) << windows[i].Name();
    }
    EXPECT_EQ(windows[1].Caption(), builtIn[1].Caption());
    EXPECT_EQ(windows[2].Caption(), builtIn[2].Caption() + " Kestrova");
}

TEST(ShippedLanguageFiles, StartUpCleaningRemovesNothing)
{
    const std::vector<WindowModel> windows = ProgramWindows();
    for (const char* name : {"English.ini", "Russian.ini"}) {
        IniDocument document = IniDocument::Parse(ShippedFile(name), 1252);
        EXPECT_FALSE(CleanLanguageDocument(document, {&windows[0], &windows[1], &windows[2]})) << name;
    }
}

}  // namespace
}  // namespace kestrova
