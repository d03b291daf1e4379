// The update window in this process with a scripted check source: its frame, the rules of
// its option boxes, the options loaded at creation and saved at closing, and what a
// showing and its check write into the labels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "ScopedUserProxy.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "UpdateTestServer.h"
#include "platform/CodePage.h"
#include "platform/win32/WideString.h"
#include "update/PortableUpdateScript.h"
#include "update/win32/UpdateFolder.h"
#include "platform/BlobVersionInfo.h"
#include "update/win32/UpdateWindow.h"

namespace kestrova {
namespace {

using namespace std::chrono_literals;

class UpdateWindowTest : public ::testing::Test {
protected:
    PlatformFileSystem files;
    ScratchFolder scratch{files};
    BlobVersionInfo versionInfo;
    ProgramState state = [] {
        ProgramState portable;
        portable.portable = true;
        return portable;
    }();
    SettingsFile file{files, versionInfo, scratch / "Kestrova.exe", state.portable, 1251};
    std::shared_ptr<std::atomic<int>> checks = std::make_shared<std::atomic<int>>(0);

    // A source whose server always names `version`, counting the checks that ask it.
    std::unique_ptr<UpdateWindow> MakeWindow(const std::string& version, UpdateInstallation installation = {},
                                             const std::string& downloadUrl = "",
                                             std::function<void(const std::string&)> reportError =
                                                 [](const std::string&) {})
    {
        UpdateCheckSource source{
            [checks = checks, version, downloadUrl](bool portableMode) {
                ++*checks;
                return std::optional<ServerRelease>(
                    ServerRelease{version, !downloadUrl.empty() ? downloadUrl : portableMode ? "zip" : "setup"});
            },
            [] { return std::string("1.0.0.5"); },
        };
        return std::make_unique<UpdateWindow>(source, file, state, nullptr, std::move(reportError),
                                              std::move(installation));
    }

    void Store(const std::string& text)
    {
        files.MakeDirectory(scratch / "Config");
        ASSERT_TRUE(files.WriteWholeFile(scratch / "Config\\Option.ini", text));
    }

    static bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    static std::wstring Text(HWND control)
    {
        wchar_t text[256] = {};
        GetWindowTextW(control, text, 256);
        return text;
    }
};

TEST_F(UpdateWindowTest, IsAFixedDialogWithItsOwnTaskbarButtonAndItsLayoutSize)
{
    auto window = MakeWindow("1.0");
    const LONG_PTR style = GetWindowLongPtrW(window->Handle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE);
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(GetWindow(window->Handle(), GW_OWNER), nullptr);
    RECT client{};
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, window->Scale(444));
    EXPECT_EQ(client.bottom, window->Scale(191));
    HWND progress = window->Control("ProgressBarUpdate");
    EXPECT_NE(GetWindowLongPtrW(progress, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 0);
    for (const char* name : {"CheckBoxQuickUpdate", "CheckBoxAutoCheck", "CheckBoxAutoUpdate"})
        EXPECT_TRUE(Checked(window->Control(name))) << name << " is set in the layout";
    EXPECT_EQ(state.quickUpdate, true) << "the quick-update choice is kept for the main window's options";
    SendMessageW(window->Control("CheckBoxQuickUpdate"), BM_CLICK, 0, 0);
    EXPECT_EQ(state.quickUpdate, false);
}

TEST_F(UpdateWindowTest, AutoUpdateFollowsAutoCheck)
{
    Store("[Option]\r\nCheckBoxAutoCheck=0\r\nCheckBoxAutoUpdate=1\r\n");
    auto window = MakeWindow("1.0");
    window->LoadOptionsAtStart();
    HWND autoCheck = window->Control("CheckBoxAutoCheck");
    HWND autoUpdate = window->Control("CheckBoxAutoUpdate");
    EXPECT_FALSE(Checked(autoUpdate)) << "cleared by the stored auto-check";
    EXPECT_FALSE(IsWindowEnabled(autoUpdate));
    EXPECT_EQ(*checks, 0) << "no start-up check";

    SendMessageW(autoCheck, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(autoCheck));
    EXPECT_TRUE(IsWindowEnabled(autoUpdate));
    EXPECT_FALSE(Checked(autoUpdate)) << "stays clear until the user sets it";
    SendMessageW(autoUpdate, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(autoUpdate));
    SendMessageW(autoCheck, BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(autoUpdate));
    EXPECT_FALSE(IsWindowEnabled(autoUpdate));
}

TEST_F(UpdateWindowTest, AShowingChecksAndClosingSavesTheTwoOptions)
{
    Store("[Option]\r\nCheckBoxAutoCheck=0\r\n");
    auto window = MakeWindow("1.0.0.6");
    window->LoadOptionsAtStart();
    // The showing returns once the window has closed; a watcher closes it once the check
    // has answered, as a user would.
    PostMessageW(window->Control("CheckBoxAutoCheck"), BM_CLICK, 0, 0);
    std::wstring status;
    std::wstring server;
    std::thread watcher([&, handle = window->Handle(), label = window->Control("LabelUpDate"),
                         serverLabel = window->Control("LabelServerVersion")] {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const std::wstring text = Text(label); text.find(L"--->") != std::wstring::npos) {
                status = text;
                server = Text(serverLabel);
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
        PostMessageW(handle, WM_CLOSE, 0, 0);
    });
    window->ShowModal();
    watcher.join();
    EXPECT_EQ(status, L"Доступно обновление 1.0.0.5 ---> 1.0.0.6");
    EXPECT_EQ(server, L"1.0.0.6");
    EXPECT_EQ(window->State().DownloadUrl, "zip");
    EXPECT_EQ(*checks, 1);
    EXPECT_TRUE(IsWindowEnabled(window->Control("ButtonDownload")));
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(Text(window->Control("LabelUpDate")), L"") << "emptied at closing";
    const IniDocument stored = file.Open();
    EXPECT_EQ(stored.ReadString("Option", "CheckBoxAutoCheck", "?"), "1");
    EXPECT_EQ(stored.ReadString("Option", "CheckBoxAutoUpdate", "?"), "0");
}

TEST_F(UpdateWindowTest, APortableQuickUpdateWritesTheScriptSavesTheOptionsAndEndsTheProgramOnceItStarted)
{
    UpdateTestServer server;
    ScopedUserProxy proxy{L"127.0.0.1:" + std::to_wstring(server.Port())};
    ServedFile offered;
    offered.source = KESTROVA_STANDIN_PATH;
    offered.version = "1.0.0.6";
    server.Serve("download.kestrova.org", "/download/Kestrova/Kestrova.zip", offered);
    const std::string updateFolder = Narrow(UpdateFolderPath());
    wchar_t system[MAX_PATH];
    const std::string systemFolder = Narrow(std::wstring(system, GetSystemDirectoryW(system, MAX_PATH))) + "\\";

    for (const bool scriptStarts : {true, false}) {
        SCOPED_TRACE(scriptStarts ? "the script starts" : "the script cannot be started");
        Store("[Option]\r\nCheckBoxAutoCheck=0\r\n");
        files.RemoveFile(updateFolder + "Kestrova.zip");
        RecordingShell shell;  // the real script would end every Kestrova of the prefix
        shell.openSucceeds = scriptStarts;
        bool optionsSaved = false;
        bool ended = false;
        std::vector<std::string> reports;
        UpdateWindow* shown = nullptr;
        struct RecordingHandOver : UpdateHandOver {
            RecordingHandOver(bool& saved, bool& ended, UpdateWindow*& shown) : saved(saved), ended(ended), shown(shown) {}
            void SaveOptions() override { saved = !ended; }
            void EndProgram() override
            {
                ended = true;
                shown->Close();
            }
            bool& saved;
            bool& ended;
            UpdateWindow*& shown;
        } handOver(optionsSaved, ended, shown);
        UpdateInstallation installation;
        installation.files = &files;
        installation.shell = &shell;
        installation.handOver = &handOver;
        installation.programFolder = scratch.path();
        installation.executablePath = scratch / "Kestrova.exe";
        auto window = MakeWindow("1.0.0.6", installation, "http://download.kestrova.org/download/Kestrova/Kestrova.zip",
                                 [&](const std::string& report) {
                                     reports.push_back(report);
                                     shown->Close();
                                 });
        shown = window.get();
        window->LoadOptionsAtStart();
        // Presses Download once the check has answered; the download's end closes the window.
        std::atomic<bool> finished{false};
        std::thread watcher([&finished, button = window->Control("ButtonDownload"), handle = window->Handle()] {
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            while (!IsWindowEnabled(button) && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(10ms);
            PostMessageW(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            while (!finished && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(10ms);
            if (!finished)
                PostMessageW(handle, WM_CLOSE, 0, 0);
        });
        window->ShowModal();
        finished = true;
        watcher.join();

        EXPECT_EQ(ended, scriptStarts) << Narrow(Text(window->Control("LabelUpDate")));
        EXPECT_TRUE(optionsSaved) << "saved before the script is started";
        const IniDocument stored = file.Open();
        EXPECT_EQ(stored.ReadString("Option", "CheckBoxAutoCheck", "?"), "0") << "the window's options saved too";
        const std::string archivePath = updateFolder + "Kestrova.zip";
        std::string archive;
        EXPECT_TRUE(files.ReadWholeFile(archivePath, archive)) << "the verified archive in the admin-only update folder";
        ASSERT_EQ(shell.opened.size(), 1u);
        const ShellOpenCall& started = shell.opened[0];
        EXPECT_EQ(started.file, systemFolder + "cmd.exe");
        EXPECT_EQ(started.folder, "");
        EXPECT_EQ(started.showCommand, SW_HIDE);
        // The script, beside the archive: /d /c ""<script>"".
        const std::string scriptPath = started.parameters.substr(8, started.parameters.size() - 10);
        EXPECT_EQ(started.parameters, PortableUpdateScriptParameters(scriptPath));
        EXPECT_TRUE(scriptPath.starts_with(updateFolder + "update_") && scriptPath.ends_with(".bat")) << scriptPath;
        std::string script;
        ASSERT_TRUE(files.ReadWholeFile(scriptPath, script));
        const PortableUpdate update{scratch.path(), "Kestrova.exe", archivePath, systemFolder, GetCurrentProcessId()};
        EXPECT_EQ(script, PortableUpdateScriptFile(update, OemCodePage()));
        EXPECT_TRUE(script.starts_with("@echo off\r\ncd /d \"" + scratch.path() + "\"")) << script;
        if (scriptStarts) {
            EXPECT_TRUE(reports.empty());
        } else {
            ASSERT_EQ(reports.size(), 1u) << "a script that cannot be started is reported";
            EXPECT_NE(reports[0].find(scriptPath), std::string::npos) << reports[0];
            EXPECT_EQ(window->DownloadState(), 0) << "and the window is ready again";
        }
        files.RemoveFile(scriptPath);
        files.RemoveFile(archivePath);
    }
}

}  // namespace
}  // namespace kestrova
