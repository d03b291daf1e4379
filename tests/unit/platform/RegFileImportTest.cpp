// A registry file as written for a deleted key, imported by the system's own "reg import":
// the key tree comes back with every value as it was.
#include "platform/RegFile.h"

#include "PlatformFileSystem.h"
#include "RegistrySeed.h"
#include "ScratchFolder.h"
#include "platform/RegValueData.h"
#include "platform/RegistryTree.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <random>

namespace kestrova {
namespace {

// Runs a command line and returns its exit code, or -1 when it could not run.
long ExitCodeOf(const std::string& commandLine)
{
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// String data without its closing NUL is the one thing the importer changes: it adds
// the NUL. The program's own undo reads the file itself and keeps such data as it was.
TEST(RegFileImport, RegImportGivesBackTheWholeTreeWithEveryValue)
{
    auto raw = [](std::uint32_t type, std::vector<std::uint8_t> bytes) { return RegValue{type, std::move(bytes)}; };
    const KeyTree tree =
        KeyTree{}
            .Value("", MakeStringValue("C:\\Tools\\tool.exe \"%1\" — Инструмент"))
            .Value("Expand", MakeStringValue("%SystemRoot%\\x", RegType::ExpandSz))
            .Value("Multi", raw(7, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}))
            .Value("Dword", MakeDwordValue(0xDEADBEEF))
            .Value("Qword", raw(11, {1, 2, 3, 4, 5, 6, 7, 8}))
            .Value("Long binary", raw(3, std::vector<std::uint8_t>(100, 0xAB)))
            .Value("Empty binary", raw(3, {}))
            .Value("None", raw(0, {9}))
            .Value("Big endian", raw(5, {0, 0, 0, 1}))
            .Value("Odd type", raw(0x4A, {1, 2}))
            .Value("Short dword", raw(4, {1, 2}))
            .Value("Quote \"and\" back\\slash", raw(1, {'a', 0, '\n', 0, 0, 0}))
            .Subkey("command", KeyTree{}.Value("", MakeStringValue("tool.exe")))
            .Subkey("Ключ [1]", KeyTree{}.Subkey("Empty", KeyTree{}));
    Win32Registry registry;
    RegistrySeed seed(registry);
    const std::string path = "Software\\KestrovaRegImport" + std::to_string(std::random_device{}());
    seed.WriteTree(RegRoot::CurrentUser, 0, path, tree);

    std::vector<RegFileKey> keys = ReadKeyTree(registry, RegRoot::CurrentUser, 0, path);
    for (RegFileKey& key : keys)
        key.path = "HKEY_CURRENT_USER\\" + key.path;
    PlatformFileSystem fs;
    ScratchFolder folder(fs);
    ASSERT_TRUE(fs.WriteWholeFile(folder / "copy.reg", FormatRegFile(keys)));
    seed.DeleteTree(RegRoot::CurrentUser, 0, path);
    ASSERT_FALSE(seed.KeyExists(RegRoot::CurrentUser, 0, path));

    EXPECT_EQ(ExitCodeOf("reg.exe import \"" + folder / "copy.reg" + "\""), 0);
    EXPECT_EQ(seed.Snapshot(RegRoot::CurrentUser, 0, path), tree);
    seed.DeleteTree(RegRoot::CurrentUser, 0, path);
}

}  // namespace
}  // namespace kestrova
