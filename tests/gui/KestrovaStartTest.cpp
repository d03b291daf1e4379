// Kestrova.exe as a user starts it: its window and caption, the single instance, the
// portable marker beside it, and the refusal to run on an older Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "platform/win32/WideString.h"

namespace kestrova {
namespace {

const std::wstring kMainCaption = L"Kestrova " + Widen(KESTROVA_VERSION) + L" (32-bit)";

class KestrovaStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A program left running by someone else would hold the single-instance mutex.
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Kestrova");
        if (mutex)
            CloseHandle(mutex);
        ASSERT_EQ(mutex, nullptr) << "another Kestrova is running";
    }

    // A copy of Kestrova.exe named `name` in the scratch folder.
    std::wstring CopyOfExe(const std::wstring& name)
    {
        std::wstring copy = Widen(scratch / Narrow(name));
        if (!CopyFileW(KestrovaExe().c_str(), copy.c_str(), TRUE))
            ADD_FAILURE() << "cannot copy Kestrova.exe: error " << GetLastError();
        return copy;
    }

    PlatformFileSystem files;
    ScratchFolder scratch{files};  // declared before any process, so it goes after them
};

TEST_F(KestrovaStart, ShowsOneWindowWithVersionCaptionAndEndsWhenClosed)
{
    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";
    EXPECT_EQ(program.VisibleWindows().size(), 1u);
    EXPECT_EQ(WindowText(window), kMainCaption);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(KestrovaStart, SecondStartShowsNothingAndEndsByItself)
{
    KestrovaProcess first(KestrovaExe());
    ASSERT_NE(first.WaitForWindow(), nullptr);

    KestrovaProcess second(KestrovaExe());
    EXPECT_EQ(second.WaitForExit(), 0u) << "the second start still runs";
    EXPECT_TRUE(second.VisibleWindows().empty());
    EXPECT_EQ(first.VisibleWindows().size(), 1u);
}

TEST_F(KestrovaStart, PortableMarkerIsAFileBesideTheProgram)
{
    struct Case {
        const char* what;
        bool markerIsFile;
        std::wstring caption;
    };
    const Case cases[] = {
        {"file portable.ini", true, kMainCaption + L" Portable"},
        {"folder portable.ini", false, kMainCaption},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ScratchFolder folder(files);
        const std::string marker = folder / "portable.ini";
        ASSERT_TRUE(test.markerIsFile ? files.WriteEmptyFile(marker) : files.MakeDirectory(marker));
        const std::wstring exe = Widen(folder / "Kestrova.exe");
        ASSERT_TRUE(CopyFileW(KestrovaExe().c_str(), exe.c_str(), TRUE));

        KestrovaProcess program(exe);
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(WindowText(window), test.caption);
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST_F(KestrovaStart, OnWindows7ShowsTheErrorAndNoWindow)
{
    const std::wstring exe = CopyOfExe(L"KestrovaWin7.exe");
    ScopedWineVersion windows7(L"KestrovaWin7.exe", L"win7");

    KestrovaProcess program(exe);
    HWND dialog = program.WaitForWindow();
    ASSERT_NE(dialog, nullptr) << "no window appeared";
    ASSERT_EQ(WindowClass(dialog), L"#32770") << "a message box, not the main window";
    EXPECT_EQ(WindowText(dialog), L"Ошибка");
    bool textShown = false;
    bool iconShown = false;
    for (HWND label : ChildrenOfClass(dialog, L"Static")) {
        textShown |= WindowText(label) == L"Эта программа совместима только с Windows 10 и Windows 11.";
        iconShown |= (GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    }
    EXPECT_TRUE(textShown);
    EXPECT_TRUE(iconShown) << "the error icon";
    EXPECT_EQ(program.VisibleWindows().size(), 1u) << "only the message box";

    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_TRUE(program.VisibleWindows().empty());
}

}  // namespace
}  // namespace kestrova
