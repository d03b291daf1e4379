// The update tests' common ground: the prefix's user proxy pointed at a scripted server on
// 127.0.0.1 that plays both update hosts, and a Kestrova.exe in a scratch folder whose
// update window is read from outside the process.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "ScopedUserProxy.h"
#include "UpdateTestServer.h"
#include "app/MainWindowComponents.h"
#include "app/MainWindowIds.h"
#include "platform/win32/WideString.h"
#include "update/UpdateWindowComponents.h"
#include "update/win32/UpdateWindow.h"

#include <gtest/gtest.h>

namespace kestrova {

using namespace std::chrono_literals;

inline constexpr char kVersionPath[] = "/download/Kestrova/version.txt";
inline constexpr char kPrimaryHost[] = "download.kestrova.org";
inline constexpr char kMirrorHost[] = "mirror.kestrova.net";
inline const std::wstring kChecking = L"Проверка обновления...";

inline int ComponentIndex(const WindowModel& model, std::string_view name)
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
    HWND OpenUpdateWindow(KestrovaProcess& program, HWND mainWindow,
                          const std::wstring& caption = L"Обновление") const
    {
        const int command = main_window_ids::kFirstMenuCommand + ComponentIndex(mainModel, "CheckUpdateMenu");
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return FindWindowOf(program, [&](HWND window) { return WindowText(window) == caption; });
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

}  // namespace kestrova
