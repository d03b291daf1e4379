#include "catalogue/DeletionUndo.h"

#include "catalogue/RegistryNames.h"
#include "catalogue/SendToCatalogue.h"
#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFileWrite.h"
#include "platform/RegFile.h"
#include "platform/RegistryTree.h"
#include "platform/RegistryCursor.h"

namespace kestrova {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// The keys of a copy with paths below their root; nothing when a key lies outside the
// entry's own tree, so that a changed file can never write anywhere else.
std::optional<std::vector<RegFileKey>> KeysOfEntry(std::vector<RegFileKey> keys, const DeletedEntry& entry)
{
    const std::string rootPrefix = RootKeyName(entry.root) + "\\";
    for (RegFileKey& key : keys) {
        if (!StartsWithIgnoringCase(key.path, rootPrefix))
            return std::nullopt;
        key.path.erase(0, rootPrefix.size());
        const bool inTree = StartsWithIgnoringCase(key.path, entry.path) &&
                            (key.path.size() == entry.path.size() || key.path[entry.path.size()] == '\\');
        if (!inTree)
            return std::nullopt;
    }
    if (keys.empty())
        return std::nullopt;
    return keys;
}

// The other name the entry may have on disk: switched off or on.
std::string OtherSendToName(const std::string& path)
{
    const std::size_t suffix = path.size() - std::min(path.size(), kDisabledSuffix.size());
    if (EqualsIgnoringAsciiCase(std::string_view(path).substr(suffix), kDisabledSuffix))
        return path.substr(0, suffix);
    return path + std::string(kDisabledSuffix);
}

}  // namespace

DeletionUndo::DeletionUndo(RegistryBackend& registry, FileSystem& files) : registry_(registry), files_(files) {}

void DeletionUndo::Remember(DeletedEntry entry)
{
    deleted_.push_back(std::move(entry));
}

UndoResult DeletionUndo::UndoLatest()
{
    if (deleted_.empty())
        return UndoResult::NothingToUndo;
    const DeletedEntry& entry = deleted_.back();
    const UndoResult result =
        entry.kind == DeletedEntry::Kind::RegistryKey ? RestoreKey(entry) : RestoreFile(entry);
    if (result == UndoResult::Restored)
        deleted_.pop_back();
    return result;
}

bool DeletionUndo::ReadUnchangedCopy(const DeletedEntry& entry, std::string& contents)
{
    return files_.ReadWholeFile(entry.backupFile, contents) && contents == entry.backupContents;
}

UndoResult DeletionUndo::RestoreKey(const DeletedEntry& entry)
{
    RegistryCursor reg(registry_, access::AllAccess | entry.viewBits);
    reg.RootKey = entry.root;
    if (reg.KeyExists(entry.path))
        return UndoResult::NameTaken;
    std::string contents;
    if (!ReadUnchangedCopy(entry, contents))
        return UndoResult::Failed;
    const auto parsed = ParseRegFile(contents);
    const auto keys = parsed ? KeysOfEntry(*parsed, entry) : std::nullopt;
    if (!keys)
        return UndoResult::Failed;
    try {
        WriteKeyTree(registry_, entry.root, entry.viewBits, *keys);
        return UndoResult::Restored;
    } catch (const AppError&) {
        // Nothing of the entry existed before: what was written of it goes again.
        reg.DeleteKey(entry.path);
        return UndoResult::Failed;
    }
}

UndoResult DeletionUndo::RestoreFile(const DeletedEntry& entry)
{
    if (files_.GetPathKind(entry.path) != PathKind::Missing ||
        (entry.kind == DeletedEntry::Kind::File && files_.GetPathKind(OtherSendToName(entry.path)) != PathKind::Missing))
        return UndoResult::NameTaken;
    if (entry.kind == DeletedEntry::Kind::Folder)
        return files_.MakeDirectory(entry.path) ? UndoResult::Restored : UndoResult::Failed;
    std::string contents;
    if (!ReadUnchangedCopy(entry, contents))
        return UndoResult::Failed;
    // Written beside and then renamed, which fails rather than replace a file that
    // appeared meanwhile.
    const std::string temporary = TemporaryPathFor(entry.path);
    if (files_.WriteWholeFile(temporary, contents) && files_.MovePath(temporary, entry.path))
        return UndoResult::Restored;
    files_.RemoveFile(temporary);
    return UndoResult::Failed;
}

}  // namespace kestrova
