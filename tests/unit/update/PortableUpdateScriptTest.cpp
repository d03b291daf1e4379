// The portable update script: its name, its lines and the bytes written to disk.
#include "update/PortableUpdateScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrova {
namespace {

// The unpacking line for an archive and a folder already written as PowerShell literals
// with "%" doubled, as the script holds them.
std::string UnpackLine(const std::string& folderLiteral, const std::string& archiveLiteral)
{
    return R"(powershell -Command "Add-Type -AssemblyName System.IO.Compression.FileSystem; )"
           R"($folder = [System.IO.Path]::GetFullPath()" + folderLiteral + R"(); )"
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

TEST(UpdateScriptFileName, IsTheTimeAsTwoDigitsEach)
{
    EXPECT_EQ(UpdateScriptFileName(0, 0, 0), "update_000000.bat");
    EXPECT_EQ(UpdateScriptFileName(9, 5, 7), "update_090507.bat");
    EXPECT_EQ(UpdateScriptFileName(23, 59, 59), "update_235959.bat");
}

TEST(PortableUpdateScript, WritesTheNineteenLinesWithCrLf)
{
    const std::vector<std::string> expected = {
        "@echo off",
        R"(cd /d "C:\Tools\K\" || exit /b 1)",
        "",
        "echo Killing app...",
        R"(taskkill /F /IM "Kestrova.exe" >nul 2>&1)",
        "timeout /t 2 >nul",
        "",
        "echo Extracting...",
        UnpackLine(R"('C:\Tools\K\')", "'Kestrova.zip'"),
        "",
        "echo Deleting ZIP...",
        R"(del "Kestrova.zip")",
        "",
        "echo Starting app...",
        R"(start "" "Kestrova.exe")",
        "",
        "echo Done",
        "timeout /t 2 >nul",
        R"(del "%~f0")",
    };
    EXPECT_EQ(PortableUpdateScriptLines(R"(C:\Tools\K\)", "Kestrova.exe", "Kestrova.zip"), expected);

    std::string file;
    for (const std::string& line : expected)
        file += line + "\r\n";
    EXPECT_EQ(PortableUpdateScriptFile(R"(C:\Tools\K\)", "Kestrova.exe", "Kestrova.zip", 1252), file);
}

TEST(PortableUpdateScript, EscapesPercentForCmdAndQuotesForPowerShell)
{
    // "%" doubled everywhere (cmd expands it inside quotes too); quotes that end a
    // PowerShell literal, typographic ones included, doubled inside the literals only.
    const std::string folder = "C:\\100% Bob's \xE2\x80\x99Tools\\";
    const std::vector<std::string> lines = PortableUpdateScriptLines(folder, "K%PATH%.exe", "K'%1.zip");
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[1], "cd /d \"C:\\100%% Bob's \xE2\x80\x99Tools\\\" || exit /b 1");
    EXPECT_EQ(lines[4], R"(taskkill /F /IM "K%%PATH%%.exe" >nul 2>&1)");
    EXPECT_EQ(lines[8], UnpackLine("'C:\\100%% Bob''s \xE2\x80\x99\xE2\x80\x99Tools\\'", "'K''%%1.zip'"));
    EXPECT_EQ(lines[11], R"(del "K'%%1.zip")");
    EXPECT_EQ(lines[14], R"(start "" "K%%PATH%%.exe")");
    EXPECT_EQ(lines[18], R"(del "%~f0")");
}

TEST(PortableUpdateScript, ComparesWithTheFolderAndItsTrailingBackslash)
{
    // Without the backslash, C:\Tools\K would also admit C:\Tools\K2\.
    const std::vector<std::string> lines = PortableUpdateScriptLines(R"(C:\Tools\K)", "Kestrova.exe", "Kestrova.zip");
    EXPECT_EQ(lines[1], R"(cd /d "C:\Tools\K\" || exit /b 1)");
    EXPECT_EQ(lines[8], UnpackLine(R"('C:\Tools\K\')", "'Kestrova.zip'"));
    EXPECT_EQ(lines[8].find('"', lines[8].find('"') + 1), lines[8].size() - 1) << "one quoted cmd argument";
}

TEST(PortableUpdateScriptFile, IsRefusedWhenTheCodePageOrAQuoteWouldChangeAName)
{
    const std::string cyrillicFolder = "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\K\\";
    EXPECT_EQ(PortableUpdateScriptFile(cyrillicFolder, "Kestrova.exe", "Kestrova.zip", 1252), std::nullopt);

    const std::optional<std::string> in1251 = PortableUpdateScriptFile(cyrillicFolder, "Kestrova.exe", "Kestrova.zip", 1251);
    ASSERT_TRUE(in1251);
    EXPECT_NE(in1251->find("cd /d \"C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\K\\\" || exit /b 1\r\n"), std::string::npos);
    EXPECT_NE(in1251->find("GetFullPath('C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\K\\')"), std::string::npos);

    struct Case {
        const char* folder;
        const char* exe;
        const char* archive;
    };
    const Case unsafe[] = {
        {R"(C:\Tools\K" & del x & "\)", "Kestrova.exe", "Kestrova.zip"},
        {R"(C:\Tools\K\)", "K\".exe", "Kestrova.zip"},
        {R"(C:\Tools\K\)", "Kestrova.exe", "K\r\ndel x.zip"},
        {"C:\\Tools\\K\t\\", "Kestrova.exe", "Kestrova.zip"},
    };
    for (const Case& test : unsafe)
        EXPECT_EQ(PortableUpdateScriptFile(test.folder, test.exe, test.archive, 1252), std::nullopt) << test.folder << test.exe << test.archive;
}

}  // namespace
}  // namespace kestrova
