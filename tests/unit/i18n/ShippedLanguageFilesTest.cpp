// The language files the program ships: English translates every text of the main
// window, Russian brings the built-in texts back, and the start-up cleaning finds
// nothing to remove in either.
#include "app/MainWindowComponents.h"
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

// Every text of a window, in component order.
std::vector<std::string> Texts(const WindowModel& window)
{
    std::vector<std::string> texts{window.Caption()};
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

TEST(ShippedLanguageFiles, EnglishTranslatesEveryTextOfTheMainWindow)
{
    WindowModel main = BuildMainWindowComponents();
    EXPECT_EQ(Apply("English.ini", main), std::vector<std::string>{});
    EXPECT_EQ(main.Get("TabSheet1").Get(TextAttribute::Caption), "Files and folders");
    EXPECT_EQ(main.Get("LangError").Get(TextAttribute::Caption), "Error");
    EXPECT_EQ(main.Get("StatusBarSendTo").panels[0].text, "Items:");
    EXPECT_EQ(IniDocument::Parse(ShippedFile("English.ini"), 1252).ReadString("Language information", "LANGNAME", ""),
              "English");
}

TEST(ShippedLanguageFiles, RussianBringsTheBuiltInTextsBack)
{
    const WindowModel builtIn = BuildMainWindowComponents();
    WindowModel main = BuildMainWindowComponents();
    Apply("English.ini", main);
    EXPECT_EQ(Apply("Russian.ini", main), std::vector<std::string>{});
    EXPECT_EQ(Texts(main), Texts(builtIn));
}

TEST(ShippedLanguageFiles, StartUpCleaningRemovesNothing)
{
    const WindowModel main = BuildMainWindowComponents();
    for (const char* name : {"English.ini", "Russian.ini"}) {
        IniDocument document = IniDocument::Parse(ShippedFile(name), 1252);
        EXPECT_FALSE(CleanLanguageDocument(document, {&main})) << name;
    }
}

}  // namespace
}  // namespace kestrova
