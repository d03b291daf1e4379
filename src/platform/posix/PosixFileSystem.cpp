#include "platform/posix/PosixFileSystem.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrova {

namespace {

// NTFS keeps names sorted by their upper-case form.
bool LessAsNtfs(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
    });
}

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Closes a directory stream of opendir.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

std::vector<std::string> ListNames(const std::string& folder)
{
    std::vector<std::string> names;
    const DirHandle dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get()))
        names.emplace_back(entry->d_name);
    return names;
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The path with "/" separators and each existing component spelt as on disk, found
// without regard to case; components that exist under no spelling stay as given.
std::string Resolve(const std::string& path)
{
    std::string unixPath = path;
    std::replace(unixPath.begin(), unixPath.end(), '\\', '/');
    std::string resolved = unixPath.starts_with('/') ? "/" : "";
    std::size_t start = 0;
    while (start <= unixPath.size()) {
        std::size_t end = unixPath.find('/', start);
        if (end == std::string::npos)
            end = unixPath.size();
        std::string component = unixPath.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        if (!Exists(Join(resolved, component))) {
            for (const std::string& name : ListNames(resolved)) {
                if (EqualsIgnoringAsciiCase(name, component)) {
                    component = name;
                    break;
                }
            }
        }
        resolved = Join(resolved, component);
    }
    return resolved;
}

// The folder part of a path (before its last separator) and the name after it.
std::pair<std::string, std::string> SplitLast(const std::string& path)
{
    const auto cut = path.find_last_of("\\/");
    if (cut == std::string::npos)
        return {"", path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// Windows' wildcard match: "*" any run, "?" one character, letters ignoring case.
bool MatchesMask(const char* mask, const char* name)
{
    if (*mask == '\0')
        return *name == '\0';
    if (*mask == '*')
        return MatchesMask(mask + 1, name) || (*name != '\0' && MatchesMask(mask, name + 1));
    if (*name == '\0')
        return false;
    if (*mask != '?' && AsciiUpper(*mask) != AsciiUpper(*name))
        return false;
    return MatchesMask(mask + 1, name + 1);
}

// A mask ending in ".*" also matches names without an extension, so "*.*" matches all.
bool MatchesPattern(const std::string& mask, const std::string& name)
{
    if (MatchesMask(mask.c_str(), name.c_str()))
        return true;
    return mask.ends_with(".*") && MatchesMask(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
}

bool SameEntry(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return lstat(a.c_str(), &first) == 0 && lstat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// Closes a file descriptor of open().
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    // Closes now, reporting whether the close succeeded.
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

bool OpenAndClose(const std::string& path, int flags)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    return close(fd) == 0;
}

}  // namespace

PathKind PosixFileSystem::GetPathKind(const std::string& path)
{
    struct stat info;
    if (stat(Resolve(path).c_str(), &info) != 0)
        return PathKind::Missing;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

bool PosixFileSystem::MakeDirectory(const std::string& path)
{
    return mkdir(Resolve(path).c_str(), 0777) == 0;
}

bool PosixFileSystem::RemoveFile(const std::string& path)
{
    const std::string file = Resolve(path);
    struct stat info;
    return lstat(file.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && unlink(file.c_str()) == 0;
}

bool PosixFileSystem::RemoveEmptyDirectory(const std::string& path)
{
    return rmdir(Resolve(path).c_str()) == 0;
}

bool PosixFileSystem::MovePath(const std::string& oldPath, const std::string& newPath)
{
    const std::string source = Resolve(oldPath);
    if (!Exists(source))
        return false;
    // The target keeps the spelling asked for; one that exists under any spelling blocks
    // the move, unless it is the source itself (a change of case only).
    const auto [folder, name] = SplitLast(newPath);
    const std::string existing = Resolve(newPath);
    if (Exists(existing) && !SameEntry(existing, source))
        return false;
    const std::string target = Join(folder.empty() ? "" : Resolve(folder), name);
    return rename(source.c_str(), target.c_str()) == 0;
}

bool PosixFileSystem::CanOpenForWriting(const std::string& path)
{
    return OpenAndClose(Resolve(path), O_WRONLY);
}

bool PosixFileSystem::WriteEmptyFile(const std::string& path)
{
    return OpenAndClose(Resolve(path), O_WRONLY | O_CREAT | O_TRUNC);
}

std::vector<FoundEntry> PosixFileSystem::FindEntries(const std::string& pattern)
{
    const auto [folder, mask] = SplitLast(pattern);
    const std::string directory = Resolve(folder);
    std::vector<FoundEntry> entries;
    for (const std::string& name : ListNames(directory)) {
        if (!MatchesPattern(mask, name))
            continue;
        struct stat info;
        const bool isFolder = stat(Join(directory, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({name, isFolder});
    }
    const auto rank = [](const std::string& name) { return name == "." ? 0 : name == ".." ? 1 : 2; };
    std::sort(entries.begin(), entries.end(), [&](const FoundEntry& a, const FoundEntry& b) {
        if (rank(a.name) != rank(b.name))
            return rank(a.name) < rank(b.name);
        return LessAsNtfs(a.name, b.name);
    });
    return entries;
}

bool PosixFileSystem::ReadWholeFile(const std::string& path, std::string& contents)
{
    FileDescriptor file(open(Resolve(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return false;
    contents.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(file.get(), buffer, sizeof buffer);
        if (count == 0)
            return true;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.append(buffer, static_cast<std::size_t>(count));
    }
}

bool PosixFileSystem::WriteWholeFile(const std::string& path, std::string_view contents)
{
    FileDescriptor file(open(Resolve(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.valid())
        return false;
    while (!contents.empty()) {
        const ssize_t count = write(file.get(), contents.data(), contents.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(count));
    }
    return fsync(file.get()) == 0 && file.Close();
}

bool PosixFileSystem::MoveReplacing(const std::string& source, const std::string& target)
{
    const std::string from = Resolve(source);
    struct stat info;
    if (lstat(from.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    // An existing target is replaced under its own spelling; a new one takes the name asked for.
    std::string to = Resolve(target);
    if (!Exists(to)) {
        const auto [folder, name] = SplitLast(target);
        to = Join(folder.empty() ? "" : Resolve(folder), name);
    }
    if (rename(from.c_str(), to.c_str()) != 0)
        return false;
    // The rename itself reaches the disk with its folder.
    const auto [folder, name] = SplitLast(to);
    FileDescriptor directory(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directory.valid() && fsync(directory.get()) == 0;
}

std::string PosixFileSystem::EnvironmentVariable(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

std::string PosixFileSystem::AppDataFolder()
{
    return EnvironmentVariable("APPDATA");
}

// Linux has no Windows folder: the one Windows usually has stands for it in the portable
// logic's tests.
std::string PosixFileSystem::WindowsFolder() { return "C:\\Windows"; }

std::string PosixFileSystem::TempFolder()
{
    std::string folder = EnvironmentVariable("TMPDIR");
    if (folder.empty())
        folder = "/tmp";
    return folder.ends_with('/') ? folder : folder + "/";
}

}  // namespace kestrova
