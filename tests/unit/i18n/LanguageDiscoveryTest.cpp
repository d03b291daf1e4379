// The language menu's entries from the files Language\*.ini and the stored choice.
#include "i18n/LanguageDiscovery.h"

#include "LanguageTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

std::vector<std::string> Captions(const std::vector<LanguageMenuEntry>& entries)
{
    std::vector<std::string> captions;
    for (const LanguageMenuEntry& entry : entries)
        captions.push_back(entry.caption + (entry.checked ? " *" : ""));
    return captions;
}

TEST(LanguageDiscovery, ListsFilesSortedWithoutRegardToCaseWithTheirOwnNames)
{
    LanguageTestFolder folder;
    folder.Write(folder.LanguageFile("german.ini"), "[Language information]\r\nLANGNAME=Deutsch\r\n");
    folder.Write(folder.LanguageFile("English.ini"), "\xEF\xBB\xBF[Language information]\r\nlangname=English\r\n");
    folder.Write(folder.LanguageFile("en.US.ini"), "[Kestrova]\r\n");
    folder.Write(folder.LanguageFile("Readme.txt"), "");
    folder.fs.MakeDirectory(folder.LanguageFile("Folder.ini"));

    EXPECT_EQ(Captions(ListLanguageMenuEntries(folder.context, "GERMAN")),
              (std::vector<std::string>{"en.US\ten.US", "English\tEnglish", "Folder\tFolder", "german\tDeutsch *"}));
}

TEST(LanguageDiscovery, NoFolderNoEntries)
{
    LanguageTestFolder folder;
    folder.fs.RemoveEmptyDirectory(folder.root / "bin\\Language");
    EXPECT_TRUE(ListLanguageMenuEntries(folder.context, "English").empty());
}

TEST(LanguageDiscovery, StoredChoiceMatchesByTheAsciiCaseRuleOrWithItsExtension)
{
    EXPECT_TRUE(IsCurrentLanguage("English", "english"));
    EXPECT_TRUE(IsCurrentLanguage("English", "English.ini"));
    EXPECT_FALSE(IsCurrentLanguage("English", "english.ini"));
    EXPECT_TRUE(IsCurrentLanguage("Русский", "Русский"));
    EXPECT_FALSE(IsCurrentLanguage("Русский", "русский"));  // only A to Z change case here
    EXPECT_FALSE(IsCurrentLanguage("English", "Eng"));
    EXPECT_FALSE(IsCurrentLanguage("", ""));  // nothing chosen checks nothing
}

TEST(LanguageDiscovery, BaseNameIsTheCaptionBeforeItsFirstTab)
{
    EXPECT_EQ(LanguageOfCaption("en.US\tEnglish (US)"), "en.US");
    EXPECT_EQ(LanguageOfCaption("a\tb\tc"), "a");
    EXPECT_EQ(LanguageOfCaption("NoTab"), "");
}

}  // namespace
}  // namespace kestrova
