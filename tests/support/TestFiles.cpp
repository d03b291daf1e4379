#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include "platform/win32/WideString.h"

#include <windows.h>
#endif

namespace kestrova {

namespace {

std::filesystem::path NativePath(std::string path)
{
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::optional<std::string> GetVariable(const std::string& name)
{
#ifdef _WIN32
    const std::wstring wide = Widen(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wide.c_str(), value.data(), size));
    return Narrow(value);
#else
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

void SetVariable(const std::string& name, const std::optional<std::string>& value)
{
#ifdef _WIN32
    SetEnvironmentVariableW(Widen(name).c_str(), value ? Widen(*value).c_str() : nullptr);
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

}  // namespace

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(NativePath(path), std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(NativePath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string BuildHostPath(const std::string& linuxPath)
{
#ifdef _WIN32
    return linuxPath.starts_with('/') ? "Z:" + linuxPath : linuxPath;
#else
    return linuxPath;
#endif
}

std::map<std::string, std::string> FolderContents(FileSystem& fs, const std::string& folder)
{
    std::map<std::string, std::string> contents;
    for (const FoundEntry& entry : fs.FindEntries(folder + "*")) {
        if (entry.name == "." || entry.name == "..")
            continue;
        if (entry.isFolder) {
            contents[entry.name] = kFolderMark;
            for (const auto& [inner, text] : FolderContents(fs, folder + entry.name + "\\"))
                contents[entry.name + "\\" + inner] = text;
        } else {
            contents[entry.name] = ReadText(folder + entry.name);
        }
    }
    return contents;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name)), saved_(GetVariable(name_))
{
    SetVariable(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() { SetVariable(name_, saved_); }

}  // namespace kestrova
