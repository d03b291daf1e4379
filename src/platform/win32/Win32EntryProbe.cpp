#include "platform/win32/Win32EntryProbe.h"

#include "platform/AsciiText.h"
#include "platform/win32/WideString.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

namespace kestrova {

std::string Win32EntryProbe::ExpandEnvironment(const std::string& text)
{
    const std::wstring wide = Widen(text);
    std::vector<wchar_t> buffer(wide.size() + 64);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0)
            return text;
        if (needed <= buffer.size())
            return Narrow(std::wstring_view(buffer.data()));
        buffer.resize(needed);
    }
    return text;
}

std::optional<std::string> Win32EntryProbe::LoadIndirectString(const std::string& text)
{
    const auto load = [](const std::string& reference) -> std::optional<std::string> {
        const std::wstring wide = Widen(reference);
        std::vector<wchar_t> buffer(2048);
        if (FAILED(SHLoadIndirectString(wide.c_str(), buffer.data(), static_cast<UINT>(buffer.size()), nullptr)))
            return std::nullopt;
        buffer.back() = L'\0';
        return Narrow(std::wstring_view(buffer.data()));
    };
    if (std::optional<std::string> loaded = load(text))
        return loaded;
    // A file that only the 64-bit System32 holds is reached through its native path.
    if (StartsWith(text, "@") && text.size() > 1 && text[1] != '{') {
        const std::size_t comma = text.rfind(',');
        if (comma != std::string::npos) {
            const std::string file = text.substr(1, comma - 1);
            const std::string native = NativePath(file);
            if (native != file)
                return load("@" + native + text.substr(comma));
        }
    }
    return std::nullopt;
}

bool Win32EntryProbe::UnderWow64()
{
    if (!underWow64_) {
        BOOL wow64 = FALSE;
        underWow64_ = sizeof(void*) == 4 && IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
        if (*underWow64_) {
            wchar_t folder[MAX_PATH];
            const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
            if (length > 0 && length < MAX_PATH) {
                std::string windows = Narrow(std::wstring_view(folder, length));
                while (!windows.empty() && windows.back() == '\\')
                    windows.pop_back();
                systemFolder_ = AsciiUpper(windows + "\\System32");
                nativeFolder_ = windows + "\\Sysnative";
            }
        }
    }
    return *underWow64_;
}

std::string Win32EntryProbe::NativePath(const std::string& path)
{
    if (!UnderWow64() || systemFolder_.empty() || path.size() < systemFolder_.size())
        return path;
    if (AsciiUpper(path.substr(0, systemFolder_.size())) != systemFolder_)
        return path;
    if (path.size() > systemFolder_.size() && path[systemFolder_.size()] != '\\')
        return path;
    return nativeFolder_ + path.substr(systemFolder_.size());
}

bool Win32EntryProbe::FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32EntryProbe::FindProgram(const std::string& name)
{
    const std::wstring wide = Widen(name);
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length =
            SearchPathW(nullptr, wide.c_str(), L".exe", static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return {};
        if (length < buffer.size())
            return Narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(length + 1);
    }
    return {};
}

bool Win32EntryProbe::IsWindows64()
{
    return sizeof(void*) == 8 || UnderWow64();
}

}  // namespace kestrova
