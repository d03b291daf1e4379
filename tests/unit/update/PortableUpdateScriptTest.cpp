// The portable update script: its name, its lines and the bytes written to disk.
#include "update/PortableUpdateScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

constexpr char kPowerShell[] = R"("C:\Windows\System32\WindowsPowerShell\v1.0\powershell.exe")";

// The unpacking line for an archive and a folder already written as PowerShell literals
// with "%" doubled, as the script holds them.
std::string UnpackLine(const std::string& folderLiteral, const std::string& archiveLiteral)
{
    return kPowerShell + std::string(R"( -NoProfile -NonInteractive -Command "Add-Type -AssemblyName System.IO.Compression.FileSystem; )")
           + R"($folder = [System.IO.Path]::GetFullPath()" + folderLiteral + R"(); )"
           R"($zip = [System.IO.Compression.ZipFile]::OpenRead()" + archiveLiteral + R"(); )"
           R"(foreach ($entry in $zip.Entries) { try { )"
           R"($target = [System.IO.Path]::GetFullPath([System.IO.Path]::Combine($folder, $entry.FullName)); )"
           R"(if (-not $target.StartsWith($folder, [System.StringComparison]::OrdinalIgnoreCase)) { )"
           R"(Write-Host ('Skipping: ' + $entry.FullName) )"
           R"(} elseif (-not $entry.Name) { [System.IO.Directory]::CreateDirectory($target) | Out-Null; )"
           R"(} else { [System.IO.Directory]::CreateDirectory([System.IO.Path]::GetDirectoryName($target)) | Out-Null; )"
           R"([System.IO.Compression.ZipFileExtensions]::ExtractToFile($entry, $target, $true) )"
           R"(} } catch { Write-Host ('Skipping: ' + $entry.FullName) } }; )"
           R"($zip.Dispose(); Write-Host 'Extraction complete'")";
}

PortableUpdate Update(const std::string& folder, const std::string& exe = "Kestrova.exe",
                      const std::string& archive = R"(C:\ProgramData\Kestrova\Update\Kestrova.zip)")
{
    return {folder, exe, archive, R"(C:\Windows\System32\)", 4242};
}

TEST(UpdateScriptFileName, IsTheTimeAsTwoDigitsEach)
{
    EXPECT_EQ(UpdateScriptFileName(0, 0, 0), "update_000000.bat");
    EXPECT_EQ(UpdateScriptFileName(9, 5, 7), "update_090507.bat");
    EXPECT_EQ(UpdateScriptFileName(23, 59, 59), "update_235959.bat");
}

TEST(PortableUpdateScript, WritesTheNineteenLinesWithCrLfNamingEveryProgramByItsFullPath)
{
    const std::vector<std::string> expected = {
        "@echo off",
        R"(cd /d "C:\Tools\K\" || exit /b 1)",
        "",
        "echo Killing app...",
        R"("C:\Windows\System32\taskkill.exe" /F /PID 4242 >nul 2>&1)",
        R"("C:\Windows\System32\timeout.exe" /t 2 >nul)",
        "",
        "echo Extracting...",
        UnpackLine(R"('C:\Tools\K\')", R"('C:\ProgramData\Kestrova\Update\Kestrova.zip')"),
        "",
        "echo Deleting ZIP...",
        R"(del "C:\ProgramData\Kestrova\Update\Kestrova.zip")",
        "",
        "echo Starting app...",
        R"(start "" "C:\Tools\K\Kestrova.exe")",
        "",
        "echo Done",
        R"("C:\Windows\System32\timeout.exe" /t 2 >nul)",
        R"(del "%~f0")",
    };
    EXPECT_EQ(PortableUpdateScriptLines(Update(R"(C:\Tools\K\)")), expected);

    std::string file;
    for (const std::string& line : expected)
        file += line + "\r\n";
    EXPECT_EQ(PortableUpdateScriptFile(Update(R"(C:\Tools\K\)"), 437), file);
    // cmd /d: the user's AutoRun commands do not run elevated; the outer quotes are cmd's.
    EXPECT_EQ(PortableUpdateScriptParameters(R"(C:\ProgramData\Kestrova\Update\update_120000.bat)"),
              R"(/d /c ""C:\ProgramData\Kestrova\Update\update_120000.bat"")");
}

TEST(PortableUpdateScript, EscapesPercentForCmdAndQuotesForPowerShell)
{
    // "%" doubled everywhere (cmd expands it inside quotes too); quotes that end a
    // PowerShell literal, typographic ones included, doubled inside the literals only.
    const std::string folder = "C:\\100% Bob's \xE2\x80\x99Tools\\";
    const std::vector<std::string> lines = PortableUpdateScriptLines(Update(folder, "K%PATH%.exe", "C:\\U\\K'%1.zip"));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[1], "cd /d \"C:\\100%% Bob's \xE2\x80\x99Tools\\\" || exit /b 1");
    EXPECT_EQ(lines[8], UnpackLine("'C:\\100%% Bob''s \xE2\x80\x99\xE2\x80\x99Tools\\'", "'C:\\U\\K''%%1.zip'"));
    EXPECT_EQ(lines[11], R"(del "C:\U\K'%%1.zip")");
    EXPECT_EQ(lines[14], "start \"\" \"C:\\100%% Bob's \xE2\x80\x99Tools\\K%%PATH%%.exe\"");
    EXPECT_EQ(lines[18], R"(del "%~f0")");
}

TEST(PortableUpdateScript, ComparesWithTheFolderAndItsTrailingBackslash)
{
    // Without the backslash, C:\Tools\K would also admit C:\Tools\K2\.
    const std::vector<std::string> lines = PortableUpdateScriptLines(Update(R"(C:\Tools\K)"));
    EXPECT_EQ(lines[1], R"(cd /d "C:\Tools\K\" || exit /b 1)");
    EXPECT_EQ(lines[8], UnpackLine(R"('C:\Tools\K\')", R"('C:\ProgramData\Kestrova\Update\Kestrova.zip')"));
    const std::size_t command = lines[8].find('"', std::string_view(kPowerShell).size());
    EXPECT_EQ(lines[8].find('"', command + 1), lines[8].size() - 1) << "one quoted cmd argument";
}

TEST(PortableUpdateScriptFile, IsRefusedWhenTheCodePageOrAQuoteWouldChangeAName)
{
    // cmd reads a batch file in the console's OEM code page: 866 holds Cyrillic, 437 does not.
    const std::string cyrillicFolder = "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\K\\";
    EXPECT_EQ(PortableUpdateScriptFile(Update(cyrillicFolder), 437), std::nullopt);

    const std::optional<std::string> in866 = PortableUpdateScriptFile(Update(cyrillicFolder), 866);
    ASSERT_TRUE(in866);
    EXPECT_NE(in866->find("cd /d \"C:\\\x8F\xE0\xAE\xA3\xE0\xA0\xAC\xAC\xEB\\K\\\" || exit /b 1\r\n"), std::string::npos);
    EXPECT_NE(in866->find("GetFullPath('C:\\\x8F\xE0\xAE\xA3\xE0\xA0\xAC\xAC\xEB\\K\\')"), std::string::npos);

    const PortableUpdate unsafe[] = {
        Update(R"(C:\Tools\K" & del x & "\)"),
        Update(R"(C:\Tools\K\)", "K\".exe"),
        Update(R"(C:\Tools\K\)", "Kestrova.exe", "C:\\U\\K\r\ndel x.zip"),
        Update("C:\\Tools\\K\t\\"),
    };
    for (const PortableUpdate& test : unsafe)
        EXPECT_EQ(PortableUpdateScriptFile(test, 437), std::nullopt) << test.programFolder << test.exeName << test.archivePath;
}

}  // namespace
}  // namespace kestrova
