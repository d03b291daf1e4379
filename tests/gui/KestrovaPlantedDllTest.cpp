// A portable copy in a folder an ordinary user writes, with DLLs of the names the program
// uses planted beside it: the elevated program must take every DLL from the system folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

BOOL CALLBACK CountListView(HWND child, LPARAM count)
{
    *reinterpret_cast<int*>(count) += WindowClass(child) == L"SysListView32";
    return TRUE;
}

TEST(KestrovaPlantedDll, APortableCopyStartsWithoutLoadingADllPlantedBesideIt)
{
    PlatformFileSystem files;
    ScratchFolder folder(files);
    const std::wstring exe = Widen(folder / "Kestrova.exe");
    ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), exe.c_str(), TRUE));
    ASSERT_TRUE(files.WriteEmptyFile(folder / "portable.ini"));
    const std::wstring planted = Widen(BuildHostPath(KESTROVA_PLANTED_DLL_PATH));
    const char* names[] = {"version", "uxtheme", "dwmapi", "winhttp", "bcrypt"};
    std::string overrides = files.EnvironmentVariable("WINEDLLOVERRIDES");
    for (const char* name : names) {
        ASSERT_TRUE(CopyFileW(planted.c_str(), Widen(folder / (std::string(name) + ".dll")).c_str(), TRUE)) << name;
        // Under Wine: a DLL found in the search path is taken before the built-in one,
        // as Windows does for DLLs that are not Known DLLs.
        overrides += std::string(overrides.empty() ? "" : ";") + name + "=n,b";
    }
    const std::string mark = folder / "loaded.mark";
    ScopedEnvironmentVariable markVariable("KESTROVA_PLANTED_MARK", mark);
    ScopedEnvironmentVariable wineOverrides("WINEDLLOVERRIDES", overrides);

    {
        KestrovaProcess program(exe);
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr) << "no window appeared";
        int lists = 0;
        EnumChildWindows(window, CountListView, reinterpret_cast<LPARAM>(&lists));
        EXPECT_GT(lists, 0) << "the lists are shown";
        // The DLLs that load late: the version resource (caption), the theme, the update check.
        EXPECT_NE(WindowText(window).find(L"Portable"), std::wstring::npos);
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    EXPECT_FALSE(files.FileExists(mark)) << "a planted DLL was loaded";
}

}  // namespace
}  // namespace kestrova
