// Kestrova.exe downloading an update as a user meets it: the scripted server offers a
// stand-in installer (it records how it was started) or an archive, each with its update
// signature beside it, and the files on disk and the window are read from outside.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "KestrovaUpdateFixture.h"
#include "TestFiles.h"
#include "update/win32/UpdateFolder.h"

namespace kestrova {
namespace {

constexpr char kSetupPath[] = "/download/Kestrova/Kestrova-setup.exe";
constexpr char kZipPath[] = "/download/Kestrova/Kestrova.zip";
constexpr char kOffered[] = "99.0.0.1";
const std::wstring kDownloaded = L"Update files downloaded!";
const std::wstring kNotDownloaded = L"Update files were not downloaded!";
const std::wstring kRejected = L"Update rejected: the signature does not match";
const std::wstring kQuickParameters = L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English /MERGETASKS=\"runcmd1\"";

class KestrovaDownload : public KestrovaUpdate {
protected:
    void SetUp() override
    {
        KestrovaUpdate::SetUp();
        ASSERT_TRUE(files.MakeDirectory(temp));
        ASSERT_TRUE(files.MakeDirectory(scratch / "Language"));
        const std::wstring built = KestrovaExe();
        const std::wstring english = built.substr(0, built.find_last_of(L'\\') + 1) + L"Language\\English.ini";
        ASSERT_TRUE(CopyFileW(english.c_str(), Widen(scratch / "Language\\English.ini").c_str(), FALSE));
        ASSERT_TRUE(files.ReadWholeFile(BuildHostPath(KESTROVA_STANDIN_PATH), standIn));
    }

    void TearDown() override
    {
        files.RemoveFile(installedOptions);
        files.RemoveFile(updateFolder + "Kestrova-setup.exe");
    }

    // The program in installed mode, in English, with no start-up check.
    void UseInstalledMode()
    {
        ASSERT_TRUE(files.RemoveFile(scratch / "portable.ini"));
        files.MakeDirectory(files.AppDataFolder() + "\\Kestrova");
        files.MakeDirectory(files.AppDataFolder() + "\\Kestrova\\Kestrova");
        files.MakeDirectory(files.AppDataFolder() + "\\Kestrova\\Kestrova\\Config");
        ASSERT_TRUE(files.WriteWholeFile(installedOptions, kEnglishWithoutCheck));
    }

    // The server offers a newer version and `file` at `path`.
    void Offer(const char* path, ServedFile file)
    {
        server.Reset();
        server.Answer(kPrimaryHost, kVersionPath, 200, kOffered);
        file.source = KESTROVA_STANDIN_PATH;
        if (file.version.empty())
            file.version = kOffered;
        server.Serve(kPrimaryHost, path, file);
    }

    // Opens the update window, of `caption`, and waits until it offers the download.
    HWND OpenOffer(KestrovaProcess& program, const std::wstring& caption = L"Update Kestrova")
    {
        mainWindow = program.WaitForWindow();
        if (!mainWindow)
            return nullptr;
        HWND window = OpenUpdateWindow(program, mainWindow, caption);
        // The button is enabled before the check too; the offer is in once the status shows it.
        if (window && !WaitUntil([&] { return Status(window).find(L"--->") != std::wstring::npos; }))
            return nullptr;
        return window;
    }

    void Press(HWND window, const char* name) const
    {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kUpdateWindowFirstControlId + ComponentIndex(updateModel, name),
                                                    BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(window, name)));
    }

    // Closes the update window and the main window as a user would; the program then ends.
    void CloseProgram(KestrovaProcess& program, HWND window) const
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }

    std::wstring Status(HWND window) const { return WindowText(Item(window, "LabelUpDate")); }

    // Waits until the status line shows something other than the offer; that text then.
    std::wstring Outcome(HWND window) const
    {
        WaitUntil([&] { return Status(window).find(L"--->") == std::string::npos; });
        return Status(window);
    }

    // The files in the temporary folder.
    std::vector<std::string> TemporaryFiles()
    {
        std::vector<std::string> names;
        for (const FoundEntry& entry : files.FindEntries(temp + "*"))
            if (entry.name != "." && entry.name != "..")
                names.push_back(entry.name);
        return names;
    }

    // The downloads in the update folder, whole or in part.
    std::vector<std::string> UpdateFolderFiles()
    {
        std::vector<std::string> names;
        for (const FoundEntry& entry : files.FindEntries(updateFolder + "*"))
            if (entry.name.ends_with(".part") || entry.name == "Kestrova-setup.exe")
                names.push_back(entry.name);
        return names;
    }

    std::string Record()
    {
        std::string record;
        files.ReadWholeFile(recordPath, record);
        return record;
    }

    static constexpr char kEnglishWithoutCheck[] = "[Option]\r\nCheckBoxAutoCheck=0\r\n[Language]\r\nLanguage=English\r\n";
    const std::string temp = scratch / "temp\\";
    const std::string updateFolder = Narrow(UpdateFolderPath());
    const std::string recordPath = scratch / "record.txt";
    const std::string installedOptions = files.AppDataFolder() + "\\Kestrova\\Kestrova\\Config\\Option.ini";
    // The programs the test starts inherit these.
    ScopedEnvironmentVariable tempVariable{"TEMP", temp};
    ScopedEnvironmentVariable tmpVariable{"TMP", temp};
    ScopedEnvironmentVariable recordVariable{"KESTROVA_STANDIN_RECORD", recordPath};
    std::string standIn;
    HWND mainWindow = nullptr;
};

TEST_F(KestrovaDownload, AQuickUpdateStartsTheVerifiedInstallerSilentlyFromTheUpdateFolderAndEndsTheProgram)
{
    struct Case {
        const char* storedLanguage;
        const wchar_t* parameters;
        const wchar_t* caption;  // of the update window
    };
    const Case cases[] = {
        {"English", kQuickParameters.c_str(), L"Update Kestrova"},
        // Not a language file's name: no language (the windows keep their built-in texts),
        // and nothing of it on the command line.
        {"English /DIR=C:\\evil", L"/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG= /MERGETASKS=\"runcmd1\"",
         L"Обновление"},
    };
    UseInstalledMode();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.storedLanguage);
        ASSERT_TRUE(files.WriteWholeFile(installedOptions, std::string("[Option]\r\nCheckBoxAutoCheck=0\r\n[Language]\r\n"
                                                                       "Language=") + test.storedLanguage + "\r\n"));
        files.RemoveFile(recordPath);
        Offer(kSetupPath, ServedFile());
        KestrovaProcess program(exe);
        HWND window = OpenOffer(program, test.caption);
        ASSERT_NE(window, nullptr);
        Press(window, "ButtonDownload");
        EXPECT_EQ(program.WaitForExit(), 0u);

        ASSERT_TRUE(WaitUntil([&] { return Record().ends_with(updateFolder + "\n"); })) << "the installer never ran";
        const std::string installer = updateFolder + "Kestrova-setup.exe";
        // NSIS unpacks its plug-ins into its temporary folder and loads them: the admin-only one.
        EXPECT_EQ(Record(), installer + "\n\"" + installer + "\" " + Narrow(test.parameters) + "\n" + updateFolder + "\n");
        std::string saved;
        EXPECT_TRUE(files.ReadWholeFile(installer, saved));
        EXPECT_EQ(saved, standIn);
        EXPECT_TRUE(TemporaryFiles().empty()) << "nothing in the user's temporary folder";
        std::string options;
        files.ReadWholeFile(installedOptions, options);
        EXPECT_NE(options.find("CheckBoxQuickUpdate=1"), std::string::npos) << "saved before the end:\n" << options;
    }
}

TEST_F(KestrovaDownload, WithoutQuickTheInstallerStartsPlainAndTheProgramStays)
{
    UseInstalledMode();
    Offer(kSetupPath, ServedFile());
    KestrovaProcess program(exe);
    HWND window = OpenOffer(program);
    ASSERT_NE(window, nullptr);
    SendMessageW(Item(window, "CheckBoxQuickUpdate"), BM_CLICK, 0, 0);
    Press(window, "ButtonDownload");
    EXPECT_EQ(Outcome(window), kDownloaded);
    ASSERT_TRUE(WaitUntil([&] { return Record().ends_with(updateFolder + "\n"); })) << "the installer never ran";
    const std::string installer = updateFolder + "Kestrova-setup.exe";
    const std::string commandLine = Record().substr(Record().find('\n') + 1);
    EXPECT_TRUE(commandLine == installer + "\n" + updateFolder + "\n" ||
                commandLine == "\"" + installer + "\"\n" + updateFolder + "\n" ||
                commandLine == "\"" + installer + "\" \n" + updateFolder + "\n")
        << commandLine;
    EXPECT_EQ(WindowText(Item(window, "ButtonDownload")), L"Download");
    EXPECT_TRUE(IsWindowEnabled(Item(window, "ButtonClose")));
    EXPECT_FALSE(program.WaitForExit(1s)) << "the program keeps running";
    CloseProgram(program, window);
}

TEST_F(KestrovaDownload, AnUpdateWhoseSignatureDoesNotHoldIsRejected)
{
    UseInstalledMode();
    struct Case {
        const char* what;
        const char* sign;
        bool tamper;
        const char* version;  // the version signed for
    };
    const Case cases[] = {
        {"one byte changed", "dev", true, kOffered},
        {"signed with another key", "other", false, kOffered},
        {"no signature file", "none", false, kOffered},
        {"signed for another version", "dev", false, "98.0.0.1"},
    };
    KestrovaProcess program(exe);
    Offer(kSetupPath, ServedFile());
    HWND window = OpenOffer(program);
    ASSERT_NE(window, nullptr);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ServedFile file;
        file.sign = test.sign;
        file.tamper = test.tamper;
        file.version = test.version;
        Offer(kSetupPath, file);
        SetWindowTextW(Item(window, "LabelUpDate"), L"--->");  // stands for the offer again
        Press(window, "ButtonDownload");
        EXPECT_EQ(Outcome(window), kRejected);
        EXPECT_EQ(WindowText(Item(window, "ButtonDownload")), L"Download");
        EXPECT_TRUE(TemporaryFiles().empty()) << "nothing left, not even in part";
        EXPECT_TRUE(UpdateFolderFiles().empty()) << "nothing left, not even in part";
        EXPECT_EQ(Record(), "") << "nothing started";
    }
    CloseProgram(program, window);
}

TEST_F(KestrovaDownload, CancelAnswersAtOnceDuringASlowOrAStalledTransfer)
{
    UseInstalledMode();
    struct Case {
        const char* what;
        bool stalls;  // without a size, after a first piece
    };
    const Case cases[] = {{"slow, with a size", false}, {"stalled, without a size", true}};
    KestrovaProcess program(exe);
    Offer(kSetupPath, ServedFile());
    HWND window = OpenOffer(program);
    ASSERT_NE(window, nullptr);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ServedFile file;
        file.rate = test.stalls ? 0 : 16384;
        file.noSize = test.stalls;
        if (test.stalls)
            file.stallAfter = 16384;
        Offer(kSetupPath, file);
        Press(window, "ButtonDownload");
        ASSERT_TRUE(WaitUntil([&] { return server.Log().find(kSetupPath + std::string("\n")) != std::string::npos; }));
        if (test.stalls)
            std::this_thread::sleep_for(1s);  // the transfer has begun and stalls
        else
            ASSERT_TRUE(WaitUntil([&] { return SendMessageW(Item(window, "ProgressBarUpdate"), PBM_GETPOS, 0, 0) > 0; }));
        EXPECT_EQ(WindowText(Item(window, "ButtonDownload")), L"Cancel");
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored), 0) << "answers";
        Press(window, "ButtonDownload");
        ASSERT_TRUE(WaitUntil([&] { return WindowText(Item(window, "ButtonDownload")) == L"Download"; }));
        // The button changes first; the status line follows within the same click.
        EXPECT_TRUE(WaitUntil([&] { return Status(window) == kNotDownloaded; })) << Narrow(Status(window));
        EXPECT_FALSE(IsWindowVisible(Item(window, "ProgressBarUpdate")));
        EXPECT_FALSE(files.FileExists(updateFolder + "Kestrova-setup.exe"));
        EXPECT_EQ(Record(), "");
    }
    CloseProgram(program, window);
    EXPECT_TRUE(TemporaryFiles().empty()) << "no part of a download outlives the program";
    EXPECT_TRUE(UpdateFolderFiles().empty()) << "no part of a download outlives the program";
}

TEST_F(KestrovaDownload, InPortableModeTheVerifiedArchiveIsSavedBesideTheProgramAndNothingElse)
{
    WriteOptions(kEnglishWithoutCheck);
    Offer(kZipPath, ServedFile());
    KestrovaProcess program(exe);
    HWND window = OpenOffer(program);
    ASSERT_NE(window, nullptr);
    SendMessageW(Item(window, "CheckBoxQuickUpdate"), BM_CLICK, 0, 0);
    Press(window, "ButtonDownload");
    EXPECT_EQ(Outcome(window), kDownloaded);
    std::string saved;
    EXPECT_TRUE(files.ReadWholeFile(scratch / "Kestrova.zip", saved));
    EXPECT_EQ(saved, standIn);
    EXPECT_TRUE(TemporaryFiles().empty()) << "no script";
    EXPECT_EQ(Record(), "");
    CloseProgram(program, window);
}

}  // namespace
}  // namespace kestrova
