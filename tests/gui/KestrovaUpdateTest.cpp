// Kestrova.exe asking its update server as a user meets it: the prefix's user proxy points
// at a scripted server on 127.0.0.1 that plays both update hosts, and the update window
// and the start-up question are read from outside the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "KestrovaUpdateFixture.h"

namespace kestrova {
namespace {

using namespace std::chrono_literals;

BOOL CALLBACK CollectDescendant(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(KestrovaUpdate, TheWindowShowsWhatThePrimaryOrElseTheMirrorOffers)
{
    const std::string primary = std::string(kPrimaryHost) + " " + kVersionPath + "\n";
    const std::string mirror = std::string(kMirrorHost) + " " + kVersionPath + "\n";
    struct Case {
        const char* what;
        std::optional<std::pair<int, std::string>> primaryAnswer;  // none: stalls
        std::optional<std::pair<int, std::string>> mirrorAnswer;   // none: not scripted (404)
        std::wstring status;
        std::wstring serverLabel;
        bool downloadEnabled;
        std::string asked;
    };
    const Case cases[] = {
        {"newer on the primary", std::pair{200, "99.0.0.1\r\n"}, std::pair{200, "98.0"},
         L"Доступно обновление " + local + L" ---> 99.0.0.1", L"99.0.0.1", true, primary},
        {"404, then the mirror", std::pair{404, "99.0.0.1"}, std::pair{200, "99.0.0.2"},
         L"Доступно обновление " + local + L" ---> 99.0.0.2", L"99.0.0.2", true, primary + mirror},
        {"both fail", std::pair{500, "99.0.0.1"}, std::nullopt, L"Не удалось проверить обновления",
         L"Ошибка соединения", false, primary + mirror},
        {"older on the primary", std::pair{200, "0.0.0.1"}, std::nullopt, L"Нет обновления", L"0.0.0.1", false,
         primary},
        {"the primary stalls", std::nullopt, std::pair{200, "99.0.0.3"},
         L"Доступно обновление " + local + L" ---> 99.0.0.3", L"99.0.0.3", true, primary + mirror},
    };
    // Without the start-up check, only the window asks.
    WriteOptions("[Option]\r\nCheckBoxAutoCheck=0\r\n");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        server.Reset();
        if (test.primaryAnswer)
            server.Answer(kPrimaryHost, kVersionPath, test.primaryAnswer->first, test.primaryAnswer->second);
        else
            server.Stall(kPrimaryHost, kVersionPath);
        if (test.mirrorAnswer)
            server.Answer(kMirrorHost, kVersionPath, test.mirrorAnswer->first, test.mirrorAnswer->second);

        KestrovaProcess program(exe);
        HWND mainWindow = program.WaitForWindow();
        ASSERT_NE(mainWindow, nullptr);
        HWND window = OpenUpdateWindow(program, mainWindow);
        ASSERT_NE(window, nullptr) << "no update window";
        EXPECT_EQ(WindowText(Item(window, "LabelLocalVersion")), local);
        if (!test.primaryAnswer) {
            // Nothing waits for the stalled server where a person would notice.
            DWORD_PTR ignored = 0;
            EXPECT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored), 0);
            EXPECT_NE(SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored), 0);
            EXPECT_EQ(WindowText(Item(window, "LabelUpDate")), kChecking);
            EXPECT_EQ(WindowText(Item(window, "LabelServerVersion")), L"");
        }
        EXPECT_EQ(CheckResult(window), test.status);
        EXPECT_EQ(WindowText(Item(window, "LabelServerVersion")), test.serverLabel);
        EXPECT_EQ(IsWindowEnabled(Item(window, "ButtonDownload")) != FALSE, test.downloadEnabled);
        EXPECT_TRUE(IsWindowEnabled(Item(window, "GroupBoxOption")));
        EXPECT_EQ(server.Log(), test.asked);

        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST_F(KestrovaUpdate, ANewerVersionAtStartUpIsOfferedAndYesDownloadsItInTheWindow)
{
    const char* kSignaturePath = "/download/Kestrova/Kestrova.zip.sig";
    struct Case {
        const char* what;
        std::string options;
        const wchar_t* answer;  // the button pressed in the question; none: no question
    };
    const Case cases[] = {
        {"answered No", "", L"Нет"},
        {"answered Yes", "", L"Да"},
        {"updating at once", "[Option]\r\nCheckBoxAutoUpdate=1\r\n", nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        server.Reset();
        server.Answer(kPrimaryHost, kVersionPath, 200, "99.0.0.4");
        // A download that has begun and waits, so the window shows the offer meanwhile.
        server.Stall(kPrimaryHost, kSignaturePath);
        WriteOptions(test.options);
        KestrovaProcess program(exe);  // checking at start-up is on by default
        if (test.answer) {
            HWND question = program.WaitForWindowOfClass(L"#32770");
            ASSERT_NE(question, nullptr) << "no question";
            EXPECT_EQ(WindowText(question), L"Kestrova");
            std::wstring texts;
            HWND answer = nullptr;
            for (HWND child : Descendants(question)) {
                texts += WindowText(child) + L"|";
                if (WindowText(child) == test.answer)
                    answer = child;
            }
            EXPECT_NE(texts.find(L"Доступно обновление 99.0.0.4\r\nХотите обновить приложение сейчас?|"),
                      std::wstring::npos)
                << Narrow(texts);
            EXPECT_NE(texts.find(L"Да|"), std::wstring::npos) << Narrow(texts);
            EXPECT_NE(texts.find(L"Нет|"), std::wstring::npos) << Narrow(texts);
            ASSERT_NE(answer, nullptr) << Narrow(texts);
            SendMessageW(answer, BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question) || !IsWindowVisible(question); }));
        }
        HWND mainWindow = FindWindowOf(program, [](HWND window) { return WindowText(window).starts_with(L"Kestrova "); });
        ASSERT_NE(mainWindow, nullptr);
        std::string asked = std::string(kPrimaryHost) + " " + kVersionPath + "\n";
        if (test.answer && std::wstring(test.answer) == L"Нет") {
            EXPECT_EQ(program.VisibleWindows().size(), 1u) << "only the main window";
        } else {
            HWND window = FindWindowOf(program, [](HWND window) { return WindowText(window) == L"Обновление"; });
            ASSERT_NE(window, nullptr) << "no update window";
            EXPECT_EQ(WindowText(Item(window, "LabelUpDate")), L"Доступно обновление " + local + L" ---> 99.0.0.4");
            EXPECT_EQ(WindowText(Item(window, "LabelServerVersion")), L"99.0.0.4");
            EXPECT_EQ(WindowText(Item(window, "LabelLocalVersion")), local);
            // The quick start presses Download once the window has painted.
            EXPECT_TRUE(WaitUntil([&] { return WindowText(Item(window, "ButtonDownload")) == L"Отмена"; }))
                << "the download has begun";
            PostMessageW(window, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
            asked += std::string(kPrimaryHost) + " " + kSignaturePath + "\n";
        }
        EXPECT_EQ(server.Log(), asked) << "the offer is not asked again";
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST_F(KestrovaUpdate, ClosingTheProgramDuringAStalledCheckEndsIt)
{
    server.Stall(kPrimaryHost, kVersionPath);
    server.Stall(kMirrorHost, kVersionPath);
    KestrovaProcess program(exe);  // the start-up check stalls too
    HWND mainWindow = program.WaitForWindow();
    ASSERT_NE(mainWindow, nullptr);
    HWND window = OpenUpdateWindow(program, mainWindow);
    ASSERT_NE(window, nullptr);
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
