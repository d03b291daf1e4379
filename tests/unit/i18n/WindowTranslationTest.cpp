// Applying the stored language file to the open windows, and the missing-key log.
#include "i18n/WindowTranslation.h"

#include "LanguageTestFolder.h"
#include "Utf16File.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kestrova {
namespace {

Component MenuItem(const char* name, const char* caption)
{
    Component component = MakeComponent(ComponentKind::MenuItem, name, "");
    component.texts[static_cast<std::size_t>(TextAttribute::Caption)] = caption;
    return component;
}

WindowModel Window(const char* name)
{
    WindowModel window(name, "Окно");
    window.Add(MenuItem("First", "Первый"));
    window.Add(MenuItem("Second", "Второй"));
    return window;
}

const std::string& CaptionOf(const WindowModel& window, const char* component)
{
    return window.Get(component).Get(TextAttribute::Caption);
}

// A realised window whose controls refuse every change.
class RefusingObserver : public ModelObserver {
public:
    void CaptionChanged(const std::string&) override { throw std::runtime_error("refused"); }
    void ComponentChanged(const Component&) override { throw std::runtime_error("refused"); }
};

constexpr char kTwoWindows[] =
    "[Kestrova]\r\nForm1.First.Caption=One\r\nForm1.Second.Caption=Two\r\n"
    "Form8.Caption=About\r\nForm8.First.Caption=Eins\r\n";

TEST(TranslateAllWindows, AppliesTheStoredFileToEachWindowAndAFailingWindowStopsAlone)
{
    LanguageTestFolder folder;
    folder.Write(folder.LanguageFile("English.ini"), kTwoWindows);
    folder.Choose("english");
    WindowModel main = Window("Form1");
    WindowModel about = Window("Form8");
    RefusingObserver refusing;
    main.SetObserver(&refusing);

    TranslateAllWindows({&main, &about}, folder.context);

    EXPECT_EQ(CaptionOf(main, "First"), "One");  // changed before the window refused it
    EXPECT_EQ(CaptionOf(main, "Second"), "Второй");
    EXPECT_EQ(about.Caption(), "About");
    EXPECT_EQ(CaptionOf(about, "First"), "Eins");
    EXPECT_EQ(CaptionOf(about, "Second"), "Второй");
}

TEST(TranslateAllWindows, ChangesNothingWithoutAChoiceAFileOrItsSection)
{
    LanguageTestFolder folder;
    folder.Write(folder.LogPath(), "");
    folder.Write(folder.LanguageFile("English.ini"), "[Language information]\r\nLANGNAME=English\r\n");
    folder.Write(folder.LanguageFile(".ini"), kTwoWindows);
    for (const char* choice : {"", "German", "English"}) {
        folder.Choose(choice);
        WindowModel main = Window("Form1");
        TranslateAllWindows({&main}, folder.context);
        EXPECT_EQ(CaptionOf(main, "First"), "Первый") << choice;
    }
    EXPECT_EQ(folder.Read(folder.LogPath()), "");
}

TEST(TranslateAllWindows, AnExistingLogCollectsMissingKeysAtEveryApplication)
{
    LanguageTestFolder folder;
    folder.Write(folder.LanguageFile("English.ini"), "\xEF\xBB\xBF[Kestrova]\r\nForm1.First.Caption=One\r\n");
    folder.Choose("English");
    folder.Write(folder.LogPath(), "\xEF\xBB\xBF" "earlier=line\r\n");

    for (int run = 0; run < 2; ++run) {
        WindowModel main = Window("Form1");
        TranslateAllWindows({&main}, folder.context);
    }
    EXPECT_EQ(folder.Read(folder.LogPath()), Utf16LittleEndianFile(u"earlier=line\r\n"
                                                               u"Form1.Second.Caption=Второй\r\n"
                                                               u"Form1.Second.Caption=Второй\r\n"));
}

TEST(TranslateAllWindows, WithoutALogFileNothingIsLogged)
{
    LanguageTestFolder folder;
    folder.Write(folder.LanguageFile("English.ini"), "[Kestrova]\r\n");
    folder.Choose("English");
    WindowModel main = Window("Form1");
    TranslateAllWindows({&main}, folder.context);
    EXPECT_FALSE(folder.fs.FileExists(folder.LogPath()));
}

TEST(TranslateAllWindows, LogLiesInTheParentOfTheProgramsFolder)
{
    EXPECT_EQ(MissingKeyLogPath("C:\\Tools\\Kestrova\\"), "C:\\Tools\\Kestrova.log");
    EXPECT_EQ(MissingKeyLogPath("C:\\Kestrova\\"), "C:\\Kestrova.log");
    EXPECT_EQ(MissingKeyLogPath("C:\\"), "C:\\Kestrova.log");
}

}  // namespace
}  // namespace kestrova
