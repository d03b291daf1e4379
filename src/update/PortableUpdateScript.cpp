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

// One cmd line running PowerShell, without the user's profile and never waiting for input:
// every entry of the archive is unpacked below the program folder, whose full path is
// compared with the trailing backslash so that a sibling folder sharing its name's start
// does not count; entries that lead elsewhere ("..\", absolute paths) or fail are skipped.
// cmd hands the double-quoted text over as it is, so the text holds no double quote.
std::string UnpackLine(const PortableUpdate& update, std::string_view programFolder)
{
    return QuotedForBatch(WithTrailingBackslash(update.systemFolder) + "WindowsPowerShell\\v1.0\\powershell.exe") +
           " -NoProfile -NonInteractive -Command \""
           "Add-Type -AssemblyName System.IO.Compression.FileSystem; "
           "$folder = [System.IO.Path]::GetFullPath(" + ForBatch(PowerShellLiteral(programFolder)) + "); "
           "$zip = [System.IO.Compression.ZipFile]::OpenRead(" + ForBatch(PowerShellLiteral(update.archivePath)) + "); "
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

std::vector<std::string> PortableUpdateScriptLines(const PortableUpdate& update)
{
    const std::string folder = WithTrailingBackslash(update.programFolder);
    const std::string system = WithTrailingBackslash(update.systemFolder);
    const std::string wait = QuotedForBatch(system + "timeout.exe") + " /t 2 >nul";
    return {
        "@echo off",
        // Without the program folder the archive would be unpacked wherever the script started.
        "cd /d " + QuotedForBatch(folder) + " || exit /b 1",
        "",
        "echo Killing app...",
        // This one program, not every program of its name on the machine.
        QuotedForBatch(system + "taskkill.exe") + " /F /PID " + std::to_string(update.processId) + " >nul 2>&1",
        wait,
        "",
        "echo Extracting...",
        UnpackLine(update, folder),
        "",
        "echo Deleting ZIP...",
        "del " + QuotedForBatch(update.archivePath),
        "",
        "echo Starting app...",
        "start \"\" " + QuotedForBatch(folder + update.exeName),
        "",
        "echo Done",
        wait,
        "del \"%~f0\"",
    };
}

std::optional<std::string> PortableUpdateScriptFile(const PortableUpdate& update, unsigned codePage)
{
    for (const std::string* name : {&update.programFolder, &update.exeName, &update.archivePath, &update.systemFolder})
        if (IsUnsafeInScript(*name))
            return std::nullopt;
    std::string text;
    for (const std::string& line : PortableUpdateScriptLines(update))
        text += line + "\r\n";
    return Utf8ToCodePage(text, codePage);
}

std::string PortableUpdateScriptParameters(std::string_view scriptPath)
{
    // cmd takes the text after /c as a command line and strips its outer pair of quotes.
    return "/d /c \"\"" + std::string(scriptPath) + "\"\"";
}

}  // namespace kestrova
