// A stored language choice counts only as the plain name of a language file.
#include "i18n/LanguageFiles.h"
#include "settings/LanguageName.h"

#include "LanguageTestFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrova {
namespace {

TEST(LanguageName, OnlyPlainFileNamesAreLanguageNames)
{
    for (const char* name : {"English", "Russian", "en.US", "pt-BR", "zh_Hans", "x1"})
        EXPECT_TRUE(IsLanguageName(name)) << name;
    for (const char* name : {"", "English /DIR=C:\\evil", "..\\..\\Windows\\x", "../x", ".", "..", ".hidden",
                             "English.", "a..b", "C:x", "Eng\"lish", "Eng lish", "Eng\tlish", "Русский", "a/b", "a\\b"})
        EXPECT_FALSE(IsLanguageName(name)) << name;
}

TEST(LanguageName, StoredChoiceCountsOnlyWhenItNamesALanguageFile)
{
    LanguageTestFolder folder;
    folder.Write(folder.LanguageFile("English.ini"), "[Language information]\r\nLANGNAME=English\r\n");
    // A file outside the Language folder that a path in the choice could reach.
    folder.Write(folder.root / "bin\\evil.ini", "[Language information]\r\nLANGNAME=Evil\r\n");
    folder.fs.MakeDirectory(folder.LanguageFile("Folder.ini"));
    const struct {
        const char* stored;
        const char* accepted;
    } cases[] = {
        {"English", "English"},
        {"English /DIR=C:\\evil", ""},
        {"..\\evil", ""},
        {"German", ""},  // no such file
        {"Folder", ""},  // a folder, not a file
        {"", ""},
    };
    for (const auto& c : cases) {
        folder.Choose(c.stored);
        EXPECT_EQ(ReadStoredLanguage(folder.context), c.accepted) << c.stored;
        EXPECT_EQ(StoredLanguageFilePath(folder.context),
                  *c.accepted ? folder.LanguageFile(std::string(c.accepted) + ".ini") : "")
            << c.stored;
    }
}

}  // namespace
}  // namespace kestrova
