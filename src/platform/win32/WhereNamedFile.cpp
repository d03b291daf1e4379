#include "platform/win32/WhereNamedFile.h"

namespace kestrova {

namespace {

std::wstring WithoutLongPathPrefix(std::wstring path)
{
    if (path.starts_with(L"\\\\?\\UNC\\"))
        return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\"))
        return path.substr(4);
    return path;
}

std::wstring LongPathOf(const std::wstring& path)
{
    const DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return path;
    std::wstring longPath(size, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), size);
    longPath.resize(length < size ? length : 0);
    return longPath.empty() ? path : longPath;
}

std::wstring FullPathOf(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring fullPath(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, fullPath.data(), nullptr);
    fullPath.resize(length < size ? length : 0);
    return fullPath;
}

}  // namespace

bool IsLinkByName(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring FinalPathOf(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return WithoutLongPathPrefix(path);
        }
        path.resize(length + 1);
    }
}

bool ReachedAsNamed(HANDLE handle, const std::wstring& path)
{
    const std::wstring reached = FinalPathOf(handle);
    const std::wstring named = LongPathOf(FullPathOf(path));
    return !reached.empty() &&
           CompareStringOrdinal(reached.c_str(), -1, named.c_str(), -1, TRUE) == CSTR_EQUAL;
}

HANDLE OpenWhereNamedForWriting(const std::wstring& path, DWORD share)
{
    // Before the open too: opening a link may already change it on some systems (Wine).
    if (IsLinkByName(path)) {
        SetLastError(ERROR_CANT_ACCESS_FILE);
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, share, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return file;
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool plain = GetFileInformationByHandle(file, &information) &&
                       !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !IsLinkByName(path) &&
                       information.nNumberOfLinks <= 1 && ReachedAsNamed(file, path);
    if (plain)
        return file;
    if (created) {
        FILE_DISPOSITION_INFO disposition{};
        disposition.DeleteFile = TRUE;
        SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    }
    CloseHandle(file);
    SetLastError(ERROR_CANT_ACCESS_FILE);
    return INVALID_HANDLE_VALUE;
}

}  // namespace kestrova
