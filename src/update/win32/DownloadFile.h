// A file being downloaded: written under a temporary name in the folder it is meant for,
// and deleted by the system when it is closed, also when the process ends or crashes,
// unless Commit has put it in place under its own name first. No other program can open
// it meanwhile, so what was checked is what gets committed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace kestrova {

class DownloadFile {
public:
    // Creates the file in `folder` (ending with a backslash) for the final name `name`.
    // Throws AppError when it cannot.
    DownloadFile(const std::wstring& folder, const std::wstring& name);
    ~DownloadFile();
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    void Write(const char* bytes, std::size_t size);  // throws AppError
    // Renames the file to its final name, replacing a file of that name, and closes it.
    // Throws AppError when it cannot; the file is then still deleted at closing.
    void Commit();

    const std::wstring& TemporaryPath() const { return temporaryPath_; }
    const std::wstring& FinalPath() const { return finalPath_; }

private:
    void SetDeleteOnClose(bool deleteOnClose);

    std::wstring finalPath_;
    std::wstring temporaryPath_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace kestrova
