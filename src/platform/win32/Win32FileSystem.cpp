#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/WhereNamedFile.h"
#include "platform/win32/WideString.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

namespace kestrova {

namespace {

// Owns a handle that is invalid as INVALID_HANDLE_VALUE and freed by `Release`.
template <BOOL(WINAPI* Release)(HANDLE)>
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle()
    {
        if (valid())
            Release(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Frees the handle now, reporting whether that succeeded.
    bool Close()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return Release(handle) != 0;
    }

private:
    HANDLE handle_;
};

using FindHandle = OwnedHandle<FindClose>;  // of FindFirstFileW
using FileHandle = OwnedHandle<CloseHandle>;  // of CreateFileW

// How long MoveReplacing waits for another process to let go of the target.
constexpr int kReplaceAttempts = 50;
constexpr DWORD kReplaceRetryDelayMs = 100;

// Opens with CreateFileW and closes again at once; reports whether the open succeeded.
bool OpenAndClose(const std::string& path, DWORD share, DWORD disposition)
{
    const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    return CloseHandle(file) != 0;
}

}  // namespace

PathKind Win32FileSystem::GetPathKind(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool Win32FileSystem::MakeDirectory(const std::string& path)
{
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveFile(const std::string& path)
{
    return DeleteFileW(Widen(path).c_str()) != 0;
}

bool Win32FileSystem::RemoveEmptyDirectory(const std::string& path)
{
    return RemoveDirectoryW(Widen(path).c_str()) != 0;
}

bool Win32FileSystem::MovePath(const std::string& oldPath, const std::string& newPath)
{
    return MoveFileW(Widen(oldPath).c_str(), Widen(newPath).c_str()) != 0;
}

bool Win32FileSystem::CanOpenForWriting(const std::string& path)
{
    return OpenAndClose(path, 0, OPEN_EXISTING);
}

bool Win32FileSystem::WriteEmptyFile(const std::string& path)
{
    FileHandle file(OpenWhereNamedForWriting(Widen(path), FILE_SHARE_READ));
    return file.valid() && SetEndOfFile(file.get()) && file.Close();
}

std::vector<FoundEntry> Win32FileSystem::FindEntries(const std::string& pattern)
{
    std::vector<FoundEntry> entries;
    WIN32_FIND_DATAW data;
    const FindHandle search(FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!search.valid())
        return entries;
    do {
        entries.push_back({Narrow(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &data));
    return entries;
}

bool Win32FileSystem::ReadWholeFile(const std::string& path, std::string& contents)
{
    FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    contents.clear();
    char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr))
            return false;
        if (count == 0)
            return true;
        contents.append(buffer, count);
    }
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, std::string_view contents)
{
    // Emptied only once it is known to be the file named.
    FileHandle file(OpenWhereNamedForWriting(Widen(path), 0));
    if (!file.valid() || !SetEndOfFile(file.get()))
        return false;
    while (!contents.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), contents.data(), chunk, &written, nullptr) || written == 0)
            return false;
        contents.remove_prefix(written);
    }
    return FlushFileBuffers(file.get()) && file.Close();
}

bool Win32FileSystem::MoveReplacing(const std::string& source, const std::string& target)
{
    const std::wstring from = Widen(source);
    const std::wstring to = Widen(target);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kReplaceAttempts)
            return false;
        Sleep(kReplaceRetryDelayMs);
    }
}

std::string Win32FileSystem::EnvironmentVariable(const std::string& name)
{
    const std::wstring wideName = Widen(name);
    // The size asked for includes the terminating NUL; the value may change between calls.
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0)
            return {};
        if (length < value.size()) {
            value.resize(length);
            return Narrow(value);
        }
        value.assign(length, L'\0');
    }
}

std::string Win32FileSystem::AppDataFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return Narrow(folder);
}

std::string Win32FileSystem::WindowsFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return {};
    return Narrow(std::wstring_view(folder, length));
}

std::string Win32FileSystem::TempFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    return Narrow(std::wstring_view(folder, length));
}

}  // namespace kestrova
