#include "update/win32/DownloadFile.h"

#include <vector>

#include "platform/AppError.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::wstring& path)
{
    throw AppError(what + " " + Narrow(path) + " (error " + std::to_string(GetLastError()) + ")");
}

}  // namespace

DownloadFile::DownloadFile(const std::wstring& folder, const std::wstring& name) : finalPath_(folder + name)
{
    // A name of our own per attempt: an earlier download's file may still be open.
    for (unsigned attempt = GetTickCount() ^ GetCurrentProcessId();; ++attempt) {
        temporaryPath_ = folder + L"~" + name + L"." + std::to_wstring(attempt % 100000) + L".part";
        handle_ = CreateFileW(temporaryPath_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ != INVALID_HANDLE_VALUE)
            break;
        if (GetLastError() != ERROR_FILE_EXISTS)
            Fail("Cannot create the file", temporaryPath_);
    }
    try {
        SetDeleteOnClose(true);
    } catch (...) {
        CloseHandle(handle_);
        DeleteFileW(temporaryPath_.c_str());
        throw;
    }
}

DownloadFile::~DownloadFile()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

void DownloadFile::SetDeleteOnClose(bool deleteOnClose)
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose;
    if (!SetFileInformationByHandle(handle_, FileDispositionInfo, &disposition, sizeof disposition))
        Fail("Cannot mark the file", temporaryPath_);
}

void DownloadFile::Write(const char* bytes, std::size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes, static_cast<DWORD>(size), &written, nullptr))
            Fail("Cannot write the file", temporaryPath_);
        bytes += written;
        size -= written;
    }
}

void DownloadFile::Commit()
{
    SetDeleteOnClose(false);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + finalPath_.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(finalPath_.size() * sizeof(wchar_t));
    finalPath_.copy(rename->FileName, finalPath_.size());
    if (!SetFileInformationByHandle(handle_, FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
        const DWORD error = GetLastError();
        SetDeleteOnClose(true);
        SetLastError(error);
        Fail("Cannot put the file in place as", finalPath_);
    }
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

}  // namespace kestrova
