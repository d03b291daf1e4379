#include "platform/RegistryEditorJump.h"

#include "platform/RegistryCursor.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace kestrova {
namespace {

HWND WaitForWindowOfClass(const wchar_t* className, bool present)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        HWND window = FindWindowW(className, nullptr);
        if ((window != nullptr) == present)
            return window;
        Sleep(50);
    }
    return FindWindowW(className, nullptr);
}

// The real registry, file system and shell: the editor starts, and finds its last key.
TEST(RegistryEditor, StartsAtTheWrittenKey)
{
    Win32Registry registry;
    Win32FileSystem files;
    Win32Shell shell;
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell";

    ASSERT_TRUE(OpenRegeditAt(registry, files, shell, "HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes\\*\\shell"));

    RegistryCursor reg(registry, access::Read);
    reg.RootKey = RegRoot::CurrentUser;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit"));
    EXPECT_EQ(reg.ReadString("LastKey"), key);

    HWND editor = WaitForWindowOfClass(L"RegEdit_RegEdit", true);
    ASSERT_NE(editor, nullptr) << "the registry editor's window did not appear";
    PostMessageW(editor, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForWindowOfClass(L"RegEdit_RegEdit", false), nullptr);
}

}  // namespace
}  // namespace kestrova
