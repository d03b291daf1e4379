// Files, folders and the few environment lookups the program's logic needs, each
// with the meaning of the kernel32/shell32 call behind it. Paths are UTF-8 with
// Windows separators; names compare without regard to case, as on Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

enum class PathKind { Missing, File, Folder };

// One entry a directory search returned ("." and ".." included when they match).
struct FoundEntry {
    std::string name;
    bool isFolder = false;

    bool operator==(const FoundEntry&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // GetFileAttributesW: what, if anything, is at `path`.
    virtual PathKind GetPathKind(const std::string& path) = 0;
    // CreateDirectoryW: one folder whose parent exists; false when it exists already.
    virtual bool MakeDirectory(const std::string& path) = 0;
    // DeleteFileW: files only.
    virtual bool RemoveFile(const std::string& path) = 0;
    // RemoveDirectoryW: empty folders only.
    virtual bool RemoveEmptyDirectory(const std::string& path) = 0;
    // MoveFileW: renames a file or folder; fails when `newPath` exists.
    virtual bool MovePath(const std::string& oldPath, const std::string& newPath) = 0;
    // CreateFileW(GENERIC_WRITE, no sharing, OPEN_EXISTING), closed at once: whether an
    // existing file could be written. The file is not changed.
    virtual bool CanOpenForWriting(const std::string& path) = 0;
    // CreateFileW(GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS), closed at once: the file
    // exists afterwards with zero length. Like WriteWholeFile, refused through a link.
    virtual bool WriteEmptyFile(const std::string& path) = 0;
    // FindFirstFileW/FindNextFileW/FindClose: files and folders matching a pattern such as
    // "C:\Folder\*.ini", in the order the file system gives them; empty when none match.
    virtual std::vector<FoundEntry> FindEntries(const std::string& pattern) = 0;
    // CreateFileW(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING) and
    // ReadFile: the whole contents of a file; false when it cannot be opened or read.
    virtual bool ReadWholeFile(const std::string& path, std::string& contents) = 0;
    // CreateFileW(GENERIC_WRITE, no sharing, CREATE_ALWAYS), WriteFile of all of
    // `contents` and FlushFileBuffers: true only when every byte reached the disk. A
    // failure may leave a partly written file behind. Refused, with nothing changed, when
    // the path is a link or reached through a junction or link (Win32: WhereNamedFile.h).
    virtual bool WriteWholeFile(const std::string& path, std::string_view contents) = 0;
    // MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH): renames a file over
    // `target` in one step, so a reader sees the old file or the new one, never a gap.
    // Retried for a few seconds while another process holds the target open.
    virtual bool MoveReplacing(const std::string& source, const std::string& target) = 0;
    // GetEnvironmentVariableW: empty when unset.
    virtual std::string EnvironmentVariable(const std::string& name) = 0;
    // SHGetFolderPathW(CSIDL_APPDATA, SHGFP_TYPE_CURRENT): empty when the lookup fails.
    virtual std::string AppDataFolder() = 0;
    // GetTempPathW: the user's temporary folder, as the platform gives it.
    virtual std::string TempFolder() = 0;
    // GetSystemWindowsDirectoryW: the Windows folder, never taken from the environment,
    // which the user sets; empty when the lookup fails.
    virtual std::string WindowsFolder() = 0;

    bool FileExists(const std::string& path) { return GetPathKind(path) == PathKind::File; }
    bool DirectoryExists(const std::string& path) { return GetPathKind(path) == PathKind::Folder; }
};

// Creates `path` and every missing folder above it, outermost first. Returns whether the
// folder exists afterwards. A trailing backslash is allowed.
bool ForceDirectories(FileSystem& fs, const std::string& path);

}  // namespace kestrova
