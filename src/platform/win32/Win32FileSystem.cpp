#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/WideString.h"

#include <windows.h>
#include <shlobj.h>

namespace kestrova {

namespace {

// Owns a search handle of FindFirstFileW.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (valid())
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

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
    return OpenAndClose(path, FILE_SHARE_READ, CREATE_ALWAYS);
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

std::string Win32FileSystem::TempFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    return Narrow(std::wstring_view(folder, length));
}

}  // namespace kestrova
