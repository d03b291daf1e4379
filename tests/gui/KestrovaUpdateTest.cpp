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

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "UpdateTestServer.h"
#include "app/MainWindowComponents.h"
#include "app/MainWindowIds.h"
#include "update/UpdateWindowComponents.h"
#include "platform/win32/WideString.h"
#include "update/win32/UpdateWindow.h"

namespace kestrova {
namespace {

using namespace std::chrono_literals;

constexpr char kVersionPath[] = "/download/Kestrova/version.txt";
constexpr char kPrimaryHost[] = "download.kestrova.org";
constexpr char kMirrorHost[] = "mirror.kestrova.net";
constexpr wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::wstring kChecking = L"Проверка обновления...";

// The prefix's user proxy set to `server`, restored to what it was when the object goes.
class ScopedUserProxy {
public:
    explicit ScopedUserProxy(const std::wstring& server)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key_, nullptr);
        enable_ = Save(L"ProxyEnable");
        server_ = Save(L"ProxyServer");
        const DWORD on = 1;
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
        RegSetValueExW(key_, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                       static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
    }
    ~ScopedUserProxy()
    {
        Restore(L"ProxyEnable", enable_);
        Restore(L"ProxyServer", server_);
        RegCloseKey(key_);
    }
    ScopedUserProxy(const ScopedUserProxy&) = delete;
    ScopedUserProxy& operator=(const ScopedUserProxy&) = delete;

private:
    struct Saved {
        DWORD type = 0;
        std::string data;
    };
    std::optional<Saved> Save(const wchar_t* name)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        Saved saved{type, std::string(size, '\0')};
        RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(saved.data.data()), &size);
        return saved;
    }
    void Restore(const wchar_t* name, const std::optional<Saved>& saved)
    {
        if (!saved) {
            RegDeleteValueW(key_, name);
            return;
        }
        RegSetValueExW(key_, name, 0, saved->type, reinterpret_cast<const BYTE*>(saved->data.data()),
                       static_cast<DWORD>(saved->data.size()));
    }

    HKEY key_ = nullptr;
    std::optional<Saved> enable_;
    std::optional<Saved> server_;
};

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

int ComponentIndex(const WindowModel& model, std::string_view name)
{
    return static_cast<int>(&model.Get(name) - model.Components().data());
}

// Polls `condition` until it holds; false when it never did within the program time-out.
template <typename Condition>
bool WaitUntil(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + kProgramTimeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class KestrovaUpdate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(files.WriteEmptyFile(scratch / "portable.ini"));
        ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), exe.c_str(), TRUE)) << "error " << GetLastError();
        ASSERT_TRUE(files.MakeDirectory(scratch / "Config"));
    }

    void WriteOptions(const std::string& text) { ASSERT_TRUE(files.WriteWholeFile(scratch / "Config\\Option.ini", text)); }

    // The update window's control of a component.
    HWND Item(HWND window, std::string_view name) const
    {
        return GetDlgItem(window, kUpdateWindowFirstControlId + ComponentIndex(updateModel, name));
    }

    // Waits for a visible window of the program that `wanted` accepts; null when none showed.
    template <typename Wanted>
    static HWND FindWindowOf(const KestrovaProcess& program, Wanted wanted)
    {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND window : program.VisibleWindows())
                if (wanted(window))
                    found = window;
            return found != nullptr;
        });
        return found;
    }

    // Opens the update window from the main window's general menu; null when it did not show.
    HWND OpenUpdateWindow(KestrovaProcess& program, HWND mainWindow) const
    {
        const int command = main_window_ids::kFirstMenuCommand + ComponentIndex(mainModel, "CheckUpdateMenu");
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return FindWindowOf(program, [](HWND window) { return WindowText(window) == L"Обновление"; });
    }

    // Waits until the window's check has answered; its status line then.
    std::wstring CheckResult(HWND window) const
    {
        WaitUntil([&] { return WindowText(Item(window, "LabelUpDate")) != kChecking; });
        return WindowText(Item(window, "LabelUpDate"));
    }

    PlatformFileSystem files;
    ScratchFolder scratch{files};  // declared before any process, so it goes after them
    const std::wstring exe = Widen(scratch / "Kestrova.exe");
    UpdateTestServer server;
    ScopedUserProxy proxy{L"127.0.0.1:" + std::to_wstring(server.Port())};
    const WindowModel mainModel = BuildMainWindowComponents();
    const WindowModel updateModel = BuildUpdateWindowComponents();
    const std::wstring local = Widen(KESTROVA_VERSION);
};

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

TEST_F(KestrovaUpdate, ANewerVersionAtStartUpIsOfferedAndYesOpensTheWindowWithIt)
{
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
        if (test.answer && std::wstring(test.answer) == L"Нет") {
            EXPECT_EQ(program.VisibleWindows().size(), 1u) << "only the main window";
        } else {
            HWND window = FindWindowOf(program, [](HWND window) { return WindowText(window) == L"Обновление"; });
            ASSERT_NE(window, nullptr) << "no update window";
            EXPECT_EQ(WindowText(Item(window, "LabelUpDate")), L"Доступно обновление " + local + L" ---> 99.0.0.4");
            EXPECT_EQ(WindowText(Item(window, "LabelServerVersion")), L"99.0.0.4");
            EXPECT_EQ(WindowText(Item(window, "LabelLocalVersion")), local);
            PostMessageW(window, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
        }
        EXPECT_EQ(server.Log(), std::string(kPrimaryHost) + " " + kVersionPath + "\n") << "the offer is not asked again";
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
