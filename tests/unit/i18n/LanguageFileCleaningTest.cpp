// The start-up cleaning of language files against the open windows and their components.
#include "i18n/LanguageFileCleaning.h"

#include "FaultInjectingFileSystem.h"
#include "LanguageTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kestrova {
namespace {

WindowModel MainWindowModel()
{
    WindowModel window("Form1", "Kestrova");
    window.Add(MakeComponent(ComponentKind::MenuItem, "ThemeMenu", ""));
    window.Add(MakeComponent(ComponentKind::ListView, "ListViewSendTo", ""));
    return window;
}

std::string Cleaned(const std::string& text, bool expectChange = true)
{
    const WindowModel main = MainWindowModel();
    IniDocument document = IniDocument::Parse(text, 1252);
    EXPECT_EQ(CleanLanguageDocument(document, {&main}), expectChange) << text;
    return document.Serialize();
}

TEST(LanguageFileCleaning, KeepsKeysOfOpenWindowsAndTheirComponentsOnly)
{
    struct Case {
        const char* key;
        bool kept;
    };
    const std::vector<Case> cases = {
        {"Form1.ThemeMenu.Caption", true},
        {"form1.THEMEMENU.caption", true},  // names ignore the case of A to Z
        {"Form1.ListViewSendTo.Columns[1].Caption", true},
        {"Form1.Caption", true},  // a window part without a component part
        {"Form1.Anything", true},
        {"Form1.NoSuchComponent.Caption", false},
        {"Form2.Anything.Caption", false},
        {"Form2.Caption", false},
        {"Hello", false},  // no "." at all
        {"", false},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("[Kestrova]\r\n") + c.key + "=x\r\nForm1.ThemeMenu.Hint=y\r\n\r\n";
        const std::string expected =
            c.kept ? text : "[Kestrova]\r\nForm1.ThemeMenu.Hint=y\r\n\r\n";
        EXPECT_EQ(Cleaned(text, !c.kept), expected) << c.key;
    }
}

TEST(LanguageFileCleaning, RepeatedKeyKeepsItsLastEntry)
{
    EXPECT_EQ(Cleaned("[Kestrova]\r\nForm1.ThemeMenu.Caption=first\r\nForm1.Caption=c\r\n"
                      "FORM1.ThemeMenu.Caption=second\r\nform1.thememenu.caption=third\r\n"),
              "[Kestrova]\r\nForm1.Caption=c\r\nform1.thememenu.caption=third\r\n\r\n");
}

TEST(LanguageFileCleaning, KeysInCyrillicOfAnotherCaseAreRepeatsLikeAnyOther)
{
    // The document finds these keys as one; keeping the first and a later copy of it while
    // dropping the other spelling would leave a repeat for the next start.
    const std::string cleaned = Cleaned("\xEF\xBB\xBF[Kestrova]\r\nForm1.язык=1\r\nForm1.Язык=2\r\nForm1.Язык=3\r\n");
    EXPECT_EQ(cleaned, "\xEF\xBB\xBF[Kestrova]\r\nForm1.Язык=3\r\n\r\n");
    const WindowModel main = MainWindowModel();
    IniDocument again = IniDocument::Parse(cleaned, 1252);
    EXPECT_FALSE(CleanLanguageDocument(again, {&main}));
}

TEST(LanguageFileCleaning, EmptiedSectionsGoButLanguageInformationAndDestDirStay)
{
    EXPECT_EQ(Cleaned("[Language information]\r\n[DestDir]\r\nHello=World\r\n[Kestrova]\r\nStray=1\r\n"
                      "[Other]\r\nForm1.ThemeMenu.Caption=Theme\r\n[Empty]\r\n"),
              "[Language information]\r\n\r\n[DestDir]\r\nHello=World\r\n\r\n[Other]\r\n"
              "Form1.ThemeMenu.Caption=Theme\r\n\r\n");
}

TEST(LanguageFileCleaning, KeyWithoutValueIsCleanedLikeAnyOther)
{
    EXPECT_EQ(Cleaned("[Kestrova]\r\nForm1.ThemeMenu.Caption\r\nStray\r\n"),
              "[Kestrova]\r\nForm1.ThemeMenu.Caption\r\n\r\n");
}

class CleaningFiles : public ::testing::Test {
protected:
    void Clean()
    {
        const WindowModel main = MainWindowModel();
        CleanLanguageFiles({&main}, folder.context);
    }

    LanguageTestFolder folder;
};

TEST_F(CleaningFiles, RewritesChangedFilesInTheirEncodingAndLeavesTheOthersByteForByte)
{
    const std::string untouched = "; a comment\r\n[Kestrova]\r\n\r\nForm1.ThemeMenu.Caption=Theme\r\n";
    const std::string stale = "\xEF\xBB\xBF; comment\r\n[Kestrova]\r\nForm1.ThemeMenu.Caption=Тема\r\nForm9.X=1\r\n";
    folder.Write(folder.LanguageFile("Clean.ini"), untouched);
    folder.Write(folder.LanguageFile("Stale.ini"), stale);

    Clean();

    EXPECT_EQ(folder.Read(folder.LanguageFile("Clean.ini")), untouched);
    EXPECT_EQ(folder.Read(folder.LanguageFile("Stale.ini")), "\xEF\xBB\xBF[Kestrova]\r\nForm1.ThemeMenu.Caption=Тема\r\n\r\n");
}

// A file system on which one file cannot be opened for writing, as a read-only file or
// one another program holds open.
class LockedFile : public FaultInjectingFileSystem {
public:
    LockedFile(FileSystem& inner, std::string locked) : FaultInjectingFileSystem(inner), locked_(std::move(locked)) {}
    bool CanOpenForWriting(const std::string& path) override
    {
        return path != locked_ && FaultInjectingFileSystem::CanOpenForWriting(path);
    }

private:
    std::string locked_;
};

TEST_F(CleaningFiles, LeavesFilesItCannotWriteAndFoldersAlone)
{
    const std::string stale = "[Kestrova]\r\nStray=1\r\n";
    const std::string locked = folder.LanguageFile("Locked.ini");
    folder.Write(locked, stale);
    folder.fs.MakeDirectory(folder.LanguageFile("Folder.ini"));
    LockedFile files(folder.fs, locked);
    const WindowModel main = MainWindowModel();

    CleanLanguageFiles({&main}, {files, folder.context.exeFolder, 1252, folder.context.optionsPath});

    EXPECT_EQ(folder.Read(locked), stale);
    EXPECT_TRUE(folder.fs.DirectoryExists(folder.LanguageFile("Folder.ini")));
}

}  // namespace
}  // namespace kestrova
