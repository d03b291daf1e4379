#include "catalogue/DeletionBackup.h"

#include "catalogue/RegistryNames.h"
#include "platform/PathNames.h"
#include "platform/AppError.h"
#include "platform/AtomicFileWrite.h"
#include "platform/RegFile.h"
#include "platform/RegistryTree.h"

#include <cstdio>

namespace kestrova {

namespace {

constexpr std::size_t kMaxNameBytes = 100;

// A name as part of a file name: no separators, wildcards, quotes or control characters,
// not too long, and no trailing dot or blank (which Windows drops).
std::string FileNamePart(std::string_view name)
{
    std::string part;
    for (char c : name.substr(0, kMaxNameBytes)) {
        const bool forbidden = static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) !=
                                                                          std::string_view::npos;
        part += forbidden ? '_' : c;
    }
    // A cut inside a UTF-8 sequence would leave a broken character.
    while (!part.empty() && (static_cast<unsigned char>(part.back()) & 0xC0) == 0x80)
        part.pop_back();
    if (!part.empty() && (static_cast<unsigned char>(part.back()) & 0xC0) == 0xC0)
        part.pop_back();
    while (!part.empty() && (part.back() == '.' || part.back() == ' '))
        part.pop_back();
    return part.empty() ? "_" : part;
}

}  // namespace

std::string BackupFileName(const std::tm& when, int repeat, std::string_view kind, std::string_view name,
                           std::string_view extension)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    std::string fileName = stamp;
    if (repeat > 1) {
        fileName += '-';
        fileName += std::to_string(repeat);
    }
    fileName += ' ';
    fileName += kind;
    fileName += ' ';
    fileName += FileNamePart(name);
    fileName += extension;
    return fileName;
}

DeletionBackup::DeletionBackup(RegistryBackend& registry, FileSystem& files, std::function<std::string()> folder,
                               std::function<std::time_t()> now)
    : registry_(registry), files_(files), folder_(std::move(folder)), now_(std::move(now))
{
}

BackupCopy DeletionBackup::SaveKey(RegRoot root, std::uint32_t viewBits, const std::string& path,
                                   std::string_view kind, std::string_view name)
{
    std::vector<RegFileKey> keys;
    try {
        keys = ReadKeyTree(registry_, root, viewBits, path);
    } catch (const AppError& error) {
        throw BackupError(error.what());
    }
    for (RegFileKey& key : keys)
        key.path = RootKeyName(root) + "\\" + key.path;
    const std::string contents = FormatRegFile(keys);
    if (ParseRegFile(contents) != keys)
        throw BackupError(FillPattern("The copy of %s would not read back as the same keys and values", path));
    return Store(kind, name, ".reg", contents);
}

BackupCopy DeletionBackup::SaveFile(const std::string& path, std::string_view kind)
{
    std::string contents;
    if (!files_.ReadWholeFile(path, contents))
        throw BackupError(FillPattern("Failed to read %s", path));
    return Store(kind, LastName(path), "", contents);
}

BackupCopy DeletionBackup::Store(std::string_view kind, std::string_view name, std::string_view extension,
                                 const std::string& contents)
{
    const std::string folder = folder_();
    if (!ForceDirectories(files_, folder))
        throw BackupError(FillPattern("Failed to create folder %s", folder));
    const std::time_t now = now_();
    const std::tm when = *std::localtime(&now);
    std::string path;
    for (int repeat = 1; path.empty() || files_.GetPathKind(path) != PathKind::Missing; ++repeat)
        path = folder + BackupFileName(when, repeat, kind, name, extension);
    std::string written;
    if (!WriteFileAtomically(files_, path, contents) || !files_.ReadWholeFile(path, written) || written != contents)
        throw BackupError(FillPattern("Failed to write %s", path));
    return {path, contents};
}

}  // namespace kestrova
