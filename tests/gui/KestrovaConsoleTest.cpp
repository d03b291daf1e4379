// The built Kestrova.com started as a script starts it, its output redirected to files,
// over keys the test writes into the registry and a SendTo folder below its own APPDATA:
// what it prints, the keys and files it changes, the copies it keeps, and its exit codes.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "KestrovaProcess.h"
#include "PlatformFileSystem.h"
#include "RegistrySeed.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

struct ConsoleRun {
    DWORD code = 0xFFFFFFFF;
    std::string out, err;
};

std::wstring KestrovaCom()
{
    std::wstring com = Widen(BuildHostPath(KESTROVA_COM_PATH));
    for (wchar_t& c : com)
        if (c == L'/')
            c = L'\\';
    return com;
}

HANDLE InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class KestrovaConsole : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& key : {verbs + "Shred", verbs + "Pack", offArea + "Shred", offArea + "Pack"})
            seed.DeleteTree(HKLM, View32, key);
    }

    // Runs the portable copy with `arguments` (a command line tail) and waits for its end.
    ConsoleRun Run(const std::string& arguments)
    {
        ConsoleRun run;
        // Fresh files each run: Wine may close a finished child's handles a little after its
        // end is signalled.
        ++runs_;
        const std::string outPath = program / ("out" + std::to_string(runs_) + ".txt");
        const std::string errPath = program / ("err" + std::to_string(runs_) + ".txt");
        HANDLE out = InheritableFile(outPath), err = InheritableFile(errPath);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out;
        startup.hStdError = err;
        std::wstring commandLine = L"\"" + Widen(com) + L"\" " + Widen(arguments);
        PROCESS_INFORMATION info{};
        const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                            nullptr, Widen(program.path()).c_str(), &startup, &info);
        CloseHandle(out);
        CloseHandle(err);
        if (!started) {
            ADD_FAILURE() << "Kestrova.com did not start: error " << GetLastError();
            return run;
        }
        if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(kProgramTimeout.count())) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "Kestrova.com " << arguments << " did not end";
            TerminateProcess(info.hProcess, 1);
        }
        GetExitCodeProcess(info.hProcess, &run.code);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        run.out = ReadText(outPath);
        run.err = ReadText(errPath);
        return run;
    }

    bool Live(const std::string& name) { return seed.Snapshot(HKLM, View32, verbs + name).has_value(); }
    bool Off(const std::string& name) { return seed.Snapshot(HKLM, View32, offArea + name).has_value(); }

    PlatformFileSystem files;
    ScratchFolder program{files};  // a portable copy: its options and Backup folder lie beside it
    ScratchFolder appData{files};
    ScopedEnvironmentVariable variable{"APPDATA", appData.path().substr(0, appData.path().size() - 1)};
    const std::string sendTo = appData / "Microsoft\\Windows\\SendTo\\";
    Win32Registry registry;
    RegistrySeed seed{registry};
    const std::string tag = "KestrovaConsole" + std::to_string(std::random_device{}());
    const std::string verbs = "SOFTWARE\\Classes\\*\\shell\\" + tag;
    const std::string offArea = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\*\\shell\\" + tag;
    const std::string shredId = "HKEY_LOCAL_MACHINE\\" + verbs + "Shred";
    const std::string packId = "HKEY_LOCAL_MACHINE\\" + verbs + "Pack";
    const std::string com = program / "Kestrova.com";
    int runs_ = 0;

    void SetUp() override
    {
        seed.SetString(HKLM, View32, verbs + "Shred", "", "Shred \"now\"");
        seed.SetString(HKLM, View32, verbs + "Pack", "MUIVerb", "Упаковать");
        ASSERT_TRUE(ForceDirectories(files, sendTo));
        WriteText(sendTo + "Archive.ZFSendToTarget", "zip");
        WriteText(sendTo + "Fax.lnk.disabled", "fax");
        ASSERT_TRUE(files.WriteEmptyFile(program / "portable.ini"));
        ASSERT_TRUE(CopyFileW(KestrovaCom().c_str(), Widen(com).c_str(), TRUE)) << "error " << GetLastError();
    }
};

std::string JsonText(std::string text)
{
    std::string json;
    for (char c : text) {
        if (c == '\\' || c == '"')
            json += '\\';
        json += c;
    }
    return json;
}

TEST_F(KestrovaConsole, ListsInUtf8AndSwitchesAndDeletesExactlyTheNamedEntries)
{
    const ConsoleRun json = Run("list context --json");
    EXPECT_EQ(json.code, 0u) << json.err;
    EXPECT_NE(json.out.find("{\"id\": \"" + JsonText(packId) + "\", \"list\": \"context\", \"name\": \"Упаковать\", "
                            "\"shownAs\": \"Упаковать\", \"section\": \"HKEY_LOCAL_MACHINE\", \"path\": \"" +
                            JsonText(verbs) + "Pack\", \"on\": true}"),
              std::string::npos)
        << json.out;
    const ConsoleRun csv = Run("list sendto --csv");
    EXPECT_EQ(csv.out.substr(0, 38), "id,list,name,shownAs,section,path,on\r\n");
    EXPECT_NE(csv.out.find("Archive.ZFSendToTarget,sendto,Archive,Archive,," + sendTo + "Archive.ZFSendToTarget,on\r\n"),
              std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find("Fax.lnk,sendto,Fax,Fax,," + sendTo + "Fax.lnk,off\r\n"), std::string::npos) << csv.out;

    const ConsoleRun off = Run("off \"" + shredId + "\" Archive.ZFSendToTarget");
    EXPECT_EQ(off.code, 0u) << off.err;
    EXPECT_EQ(off.out, "switched off: " + shredId + "\nswitched off: Archive.ZFSendToTarget\n");
    EXPECT_FALSE(Live("Shred"));
    EXPECT_TRUE(Off("Shred"));
    EXPECT_TRUE(Live("Pack"));
    EXPECT_TRUE(files.FileExists(sendTo + "Archive.ZFSendToTarget.disabled"));
    EXPECT_EQ(Run("off \"" + shredId + "\"").code, 0u) << "already off is no error";
    EXPECT_EQ(Run("on Fax.lnk").code, 0u);
    EXPECT_EQ(ReadText(sendTo + "Fax.lnk"), "fax");

    const ConsoleRun del = Run("delete \"" + packId + "\" --yes");
    EXPECT_EQ(del.code, 0u) << del.err;
    EXPECT_FALSE(Live("Pack"));
    const auto copies = FolderContents(files, program / "Config\\Backup\\");
    ASSERT_EQ(copies.size(), 1u) << del.out;
    EXPECT_NE(del.out.find(copies.begin()->first), std::string::npos) << del.out;
    EXPECT_FALSE(files.FileExists(program / "Config\\Option.ini")) << "the options file is not written";
}

TEST_F(KestrovaConsole, AProfileConvergesOnceAndBadInputChangesNothing)
{
    ASSERT_EQ(Run("off \"" + shredId + "\"").code, 0u);
    const ConsoleRun save = Run("profile save p.txt context sendto");
    ASSERT_EQ(save.code, 0u) << save.err;
    const std::string profile = ReadText(program / "p.txt");
    EXPECT_NE(profile.find("[context]\r\n"), std::string::npos);
    EXPECT_NE(profile.find(shredId + "\r\n"), std::string::npos) << profile;
    EXPECT_NE(profile.find("[sendto]\r\nFax.lnk\r\n"), std::string::npos) << profile;

    // Changed by hand, then put back by the profile.
    ASSERT_EQ(Run("on \"" + shredId + "\" Fax.lnk").code, 0u);
    ASSERT_EQ(Run("off \"" + packId + "\"").code, 0u);
    const ConsoleRun apply = Run("profile apply p.txt");
    EXPECT_EQ(apply.code, 2u) << apply.err;
    EXPECT_TRUE(Off("Shred"));
    EXPECT_TRUE(Live("Pack"));
    EXPECT_TRUE(files.FileExists(sendTo + "Fax.lnk.disabled"));
    EXPECT_EQ(Run("profile apply p.txt").code, 0u);

    WriteText(program / "junk.txt", std::string("MZ\x90\x00\x03\x00\x00\x00\x04\x00", 10));
    struct Case {
        std::string arguments, error;
    };
    const Case cases[] = {
        {"frobnicate", "Kestrova: unknown command"},
        {"on \"" + shredId + "\" HKEY_LOCAL_MACHINE\\nothing", "Kestrova: no entry has the id"},
        {"profile apply missing.txt", "Kestrova: cannot read the profile"},
        {"profile apply junk.txt", "Kestrova: the profile junk.txt is not a profile"},
    };
    for (const Case& c : cases) {
        const ConsoleRun run = Run(c.arguments);
        EXPECT_EQ(run.code, 1u) << c.arguments;
        EXPECT_EQ(run.err.substr(0, c.error.size()), c.error) << run.err;
        EXPECT_TRUE(Off("Shred")) << c.arguments;
        EXPECT_TRUE(Live("Pack")) << c.arguments;
    }
}

}  // namespace
}  // namespace kestrova
