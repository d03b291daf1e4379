// Kestrova.exe's About window read from outside as a user sees it: F1 opens it over the
// main window with the main window's caption, the executable's copyright line, four
// links and Ok; Ok closes it and the program runs on; the same after a language switch.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "app/MainWindowIds.h"
#include "platform/FileInfoUtils.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32VersionInfo.h"
#include "product/ProductNames.h"

namespace kestrova {
namespace {

struct AboutTexts {
    std::wstring title;
    std::vector<std::wstring> links;
    std::wstring button;
};

// What the About window shows, read through its child windows.
struct ShownAbout {
    std::wstring title;
    std::vector<std::wstring> labels;  // the plain labels, in order
    std::vector<std::wstring> links;   // the labels that take clicks, in order
    std::wstring okButton;
};

ShownAbout ReadAbout(HWND about)
{
    ShownAbout shown{WindowText(about), {}, {}, {}};
    // From top to bottom as they stand in the window.
    std::vector<HWND> labels = ChildrenOfClass(about, L"Static");
    std::stable_sort(labels.begin(), labels.end(), [](HWND a, HWND b) {
        RECT first{};
        RECT second{};
        GetWindowRect(a, &first);
        GetWindowRect(b, &second);
        return first.top < second.top;
    });
    for (HWND label : labels) {
        const std::wstring text = WindowText(label);
        if (GetWindowLongW(label, GWL_STYLE) & SS_NOTIFY)
            shown.links.push_back(text);
        else if (!text.empty())  // the icon has no text
            shown.labels.push_back(text);
    }
    if (HWND ok = GetDlgItem(about, IDOK); ok && WindowClass(ok) == L"Button")
        shown.okButton = WindowText(ok);
    return shown;
}

class KestrovaAbout : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.MakeDirectory(scratch / "Language");
        files.MakeDirectory(scratch / "Config");
        for (const char* language : {"English.ini", "Russian.ini"})
            ASSERT_TRUE(CopyFileW(Widen(BuildFolder() + "Language\\" + language).c_str(),
                                  Widen(scratch / ("Language\\" + std::string(language))).c_str(), TRUE));
        ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), Widen(Exe()).c_str(), TRUE));
        files.WriteEmptyFile(scratch / "portable.ini");  // options beside the program
    }

    static std::string BuildFolder()
    {
        const std::string exe = Narrow(KestrovaExe());
        return exe.substr(0, exe.find_last_of('\\') + 1);
    }
    std::string Exe() const { return scratch / "Kestrova.exe"; }

    // Presses F1 in the main window and returns the About window that opens.
    static HWND OpenAbout(const KestrovaProcess& program, HWND main)
    {
        PostMessageW(main, WM_KEYDOWN, VK_F1, 0);
        PostMessageW(main, WM_KEYUP, VK_F1, 0xC0000001);
        const auto deadline = std::chrono::steady_clock::now() + kProgramTimeout;
        do {
            for (HWND window : program.VisibleWindows())
                if (window != main)
                    return window;
            Sleep(50);
        } while (std::chrono::steady_clock::now() < deadline);
        return nullptr;
    }

    // Opens the About window, checks what it shows against `expected`, and closes it with Ok.
    void CheckAbout(const KestrovaProcess& program, HWND main, const AboutTexts& expected)
    {
        HWND about = OpenAbout(program, main);
        ASSERT_NE(about, nullptr) << "F1 opened no window";
        EXPECT_FALSE(IsWindowEnabled(main)) << "shown modally";
        EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a taskbar button of its own";

        const ShownAbout shown = ReadAbout(about);
        EXPECT_EQ(shown.title, expected.title);
        const std::wstring copyright = Widen(GetLegalCopyright(Win32VersionInfo(), Narrow(KestrovaExe())));
        ASSERT_FALSE(copyright.empty()) << "the executable carries a copyright line";
        EXPECT_EQ(shown.labels, (std::vector<std::wstring>{WindowText(main), copyright}));
        EXPECT_EQ(shown.links, expected.links);
        EXPECT_EQ(shown.okButton, expected.button);

        SendMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        const auto deadline = std::chrono::steady_clock::now() + kProgramTimeout;
        while (IsWindowVisible(about) && std::chrono::steady_clock::now() < deadline)
            Sleep(50);
        EXPECT_FALSE(IsWindowVisible(about)) << "Ok closes it";
        EXPECT_TRUE(IsWindow(about)) << "closing only hides it";
        EXPECT_TRUE(IsWindowEnabled(main));
        EXPECT_EQ(program.WaitForExit(std::chrono::milliseconds(200)), std::nullopt) << "the program runs on";
    }

    PlatformFileSystem files;
    ScratchFolder scratch{files};  // declared before any process, so it goes after them
};

TEST_F(KestrovaAbout, F1ShowsCaptionCopyrightLinksAndOkInEachLanguage)
{
    KestrovaProcess program(Widen(Exe()));
    HWND main = program.WaitForWindow();
    ASSERT_NE(main, nullptr) << "no window appeared";
    const std::wstring firstMail = Widen(kContactFirstMail);
    const std::wstring secondMail = Widen(kContactSecondMail);
    {
        SCOPED_TRACE("built-in texts");
        CheckAbout(program, main, {L"О программе", {L"Telegram", firstMail, secondMail, L"Сайт основной"}, L"Ok"});
    }

    // English is the first of the language menu's entries (sorted by name).
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(main_window_ids::kFirstLanguageCommand, 0), 0);
    {
        SCOPED_TRACE("after switching to English");
        CheckAbout(program, main, {L"About", {L"Telegram", firstMail, secondMail, L"Main web site"}, L"OK"});
    }

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
