// The shell services against Wine's real shell32 and user32.
#include "platform/win32/Win32Shell.h"

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kestrova {
namespace {

TEST(Win32Shell, OpeningAMissingFileReportsFailure)
{
    PlatformFileSystem fs;
    ScratchFolder dir(fs);
    Win32Shell shell;
    EXPECT_FALSE(shell.Open(0, dir / "Missing.exe", "", "", show::Normal));
}

TEST(Win32Shell, OpenStartsTheFileWithItsParametersInTheGivenFolder)
{
    PlatformFileSystem fs;
    ScratchFolder dir(fs);
    Win32Shell shell;
    ASSERT_TRUE(shell.Open(0, "cmd.exe", "/c echo started> marker.txt", dir.path(), show::Hide));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs.FileExists(dir / "marker.txt") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(fs.FileExists(dir / "marker.txt"));
    // Let the command finish writing so the folder can be removed.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

TEST(Win32Shell, BroadcastSettingChangeReturns)
{
    Win32Shell shell;
    const auto start = std::chrono::steady_clock::now();
    shell.BroadcastSettingChange();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace kestrova
