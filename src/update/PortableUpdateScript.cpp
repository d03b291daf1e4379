#include "update/PortableUpdateScript.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cstdio>

namespace kestrova {

namespace {

// cmd expands %...% in a batch file even inside double quotes; "%%" stands for one "%".
std::string ForBatch(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '%')
            escaped += '%';
    }
    return escaped;
}

std::string QuotedForBatch(std::string_view text) { return '"' + ForBatch(text) + '"'; }

// A PowerShell single-quoted string literal. PowerShell ends such a string at the
// typographic single quotes U+2018 to U+201B as well as at "'", and reads any of them
// doubled as one.
std::string PowerShellLiteral(std::string_view text)
{
    static constexpr std::string_view kQuotes[] = {"'", "\xE2\x80\x98", "\xE2\x80\x99", "\xE2\x80\x9A", "\xE2\x80\x9B"};
    std::string literal = "'";
    while (!text.empty()) {
        const auto quote = std::find_if(std::begin(kQuotes), std::end(kQuotes),
                                        [&](std::string_view q) { return text.starts_with(q); });
        if (quote != std::end(kQuotes)) {
            literal += *quote;
            literal += *quote;
            text.remove_prefix(quote->size());
        } else {
            literal += text.front();
            text.remove_prefix(1);
        }
    }
    return literal + "'";
}

std::string WithTrailingBackslash(std::string_view folder)
{
    std::string result(folder);
    if (result.empty() || result.back() != '\\')
        result += '\\';
    return result;
}

// One cmd line running PowerShell: every entry of the archive is unpacked below the
// program folder, whose full path is compared with the trailing backslash so that a
// sibling folder sharing its name's start does not count; entries that lead elsewhere
// ("..\", absolute paths) or fail are skipped. cmd hands the double-quoted text over
// as it is, so the text holds no double quote.
std::string UnpackLine(std::string_view programFolder, std::string_view archiveName)
{
    return "powershell -Command \""
           "Add-Type -AssemblyName System.IO.Compression.FileSystem; "
           "$folder = [System.IO.Path]::GetFullPath(" + ForBatch(PowerShellLiteral(programFolder)) + "); "
           "$zip = [System.IO.Compression.ZipFile]::OpenRead(" + ForBatch(PowerShellLiteral(archiveName)) + "); "
           "foreach ($entry in $zip.Entries) { try { "
           "$target = [System.IO.Path]::GetFullPath([System.IO.Path]::Combine($folder, $entry.FullName)); "
           "if (-not $target.StartsWith($folder, [System.StringComparison]::OrdinalIgnoreCase)) { "
           "Write-Host ('Skipping: ' + $entry.FullName) "
           "} elseif (-not $entry.Name) { "
           "[System.IO.Directory]::CreateDirectory($target) | Out-Null; "
           "} else { "
           "[System.IO.Directory]::CreateDirectory([System.IO.Path]::GetDirectoryName($target)) | Out-Null; "
           "[System.IO.Compression.ZipFileExtensions]::ExtractToFile($entry, $target, $true) "
           "} } catch { Write-Host ('Skipping: ' + $entry.FullName) } }; "
           "$zip.Dispose(); Write-Host 'Extraction complete'\"";
}

bool IsUnsafeInScript(std::string_view name)
{
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return c == '"' || static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace

std::string UpdateScriptFileName(int hour, int minute, int second)
{
    char name[32];
    std::snprintf(name, sizeof name, "update_%02d%02d%02d.bat", hour, minute, second);
    return name;
}

std::vector<std::string> PortableUpdateScriptLines(std::string_view programFolder, std::string_view exeName,
                                                   std::string_view archiveName)
{
    const std::string folder = WithTrailingBackslash(programFolder);
    return {
        "@echo off",
        // Without the program folder the archive would be unpacked wherever the script started.
        "cd /d " + QuotedForBatch(folder) + " || exit /b 1",
        "",
        "echo Killing app...",
        "taskkill /F /IM " + QuotedForBatch(exeName) + " >nul 2>&1",
        "timeout /t 2 >nul",
        "",
        "echo Extracting...",
        UnpackLine(folder, archiveName),
        "",
        "echo Deleting ZIP...",
        "del " + QuotedForBatch(archiveName),
        "",
        "echo Starting app...",
        "start \"\" " + QuotedForBatch(exeName),
        "",
        "echo Done",
        "timeout /t 2 >nul",
        "del \"%~f0\"",
    };
}

std::optional<std::string> PortableUpdateScriptFile(std::string_view programFolder, std::string_view exeName,
                                                    std::string_view archiveName, unsigned codePage)
{
    if (IsUnsafeInScript(programFolder) || IsUnsafeInScript(exeName) || IsUnsafeInScript(archiveName))
        return std::nullopt;
    std::string text;
    for (const std::string& line : PortableUpdateScriptLines(programFolder, exeName, archiveName))
        text += line + "\r\n";
    return Utf8ToCodePage(text, codePage);
}

}  // namespace kestrova
