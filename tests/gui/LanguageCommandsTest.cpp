// The language sub-menu of a real main window: built from the files beside the program,
// a choice stored and applied to the window at once, a failed store reported.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "app/LanguageCommands.h"
#include "app/MainCommands.h"
#include "app/MainWindowIds.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

class LanguageMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        files.MakeDirectory(scratch / "Language");
        files.WriteWholeFile(scratch / "Language\\german.ini", "[Language information]\r\nLANGNAME=Deutsch\r\n");
        files.WriteWholeFile(scratch / "Language\\R&D.ini", "");
        files.WriteWholeFile(scratch / "Language\\English.ini",
                             "\xEF\xBB\xBF[Language information]\r\nLANGNAME=English\r\n"
                             "[Kestrova]\r\nForm1.ThemeMenu.Caption=Theme\r\nForm1.GroupBoxSendTo.Caption=Items\r\n");
        files.WriteWholeFile(optionsPath, "[Language]\r\nLanguage=GERMAN\r\n");
    }

    LanguageCommands Commands()
    {
        return LanguageCommands(*form, state, {&form->Model()},
                                {files, scratch.path(), CP_ACP, [this] { return optionsPath; }});
    }

    std::vector<std::string> MenuEntries() const
    {
        std::vector<std::string> entries;
        for (std::size_t i = 0; i < form->LanguageMenuItemCount(); ++i)
            entries.push_back(form->LanguageMenuItemCaption(i) + (form->LanguageMenuItemChecked(i) ? " *" : ""));
        return entries;
    }

    std::wstring ThemeMenuText() const
    {
        wchar_t text[64] = {};
        GetMenuStringW(form->PopupMenu("PopupMenu_General"), 0, text, 64, MF_BYPOSITION);
        return text;
    }

    void ClickLanguageEntry(int index)
    {
        SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(main_window_ids::kFirstLanguageCommand + index, 0), 0);
    }

    // The language commands behind the window: clicks on its entries reach them here.
    void Connect(LanguageCommands& languages)
    {
        MainWindowParts parts;
        parts.languages = &languages;
        commands = std::make_unique<MainCommands>(parts);
        form->SetActions(commands.get());
    }

    void TearDown() override
    {
        form->SetActions(nullptr);
        MainWindowTest::TearDown();
    }

    ProgramState state;
    std::unique_ptr<MainCommands> commands;
    PlatformFileSystem files;
    ScratchFolder scratch{files};
    std::string optionsPath = scratch / "Option.ini";
};

TEST_F(LanguageMenuTest, ListsTheFilesAndChecksTheStoredChoice)
{
    LanguageCommands languages = Commands();
    languages.LoadLanguage();
    EXPECT_EQ(state.language, "GERMAN");
    EXPECT_EQ(MenuEntries(), (std::vector<std::string>{"English\tEnglish", "german\tDeutsch *", "R&D\tR&D"}));

    wchar_t text[64] = {};
    HMENU menu = form->PopupMenu("LanguageMenu");
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"English\tEnglish") << "the caption as given, no accelerator added";
    GetMenuStringW(menu, 2, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"R&&D\tR&&D") << "an ampersand shown, not taken for an accelerator";
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
}

TEST_F(LanguageMenuTest, ChoosingAnEntryStoresItAndTranslatesTheWindow)
{
    LanguageCommands languages = Commands();
    Connect(languages);
    languages.LoadLanguage();

    ClickLanguageEntry(0);

    EXPECT_EQ(state.language, "English");
    EXPECT_EQ(MenuEntries(), (std::vector<std::string>{"English\tEnglish *", "german\tDeutsch", "R&D\tR&D"}));
    std::string options;
    files.ReadWholeFile(optionsPath, options);
    EXPECT_EQ(options, "[Language]\r\nLanguage=English\r\n\r\n");
    EXPECT_EQ(ThemeMenuText(), L"Theme");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageMenuTest, AnOptionsFileThatCannotBeWrittenStopsTheSwitchWithTheGeneralReport)
{
    LanguageCommands languages = Commands();
    Connect(languages);
    languages.LoadLanguage();
    optionsPath = scratch / "NoSuchFolder\\Option.ini";

    ClickLanguageEntry(0);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, L"Kestrova");
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(ThemeMenuText(), L"Тема") << "no language applied";
}

}  // namespace
}  // namespace kestrova
