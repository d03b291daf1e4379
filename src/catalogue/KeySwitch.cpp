#include "catalogue/KeySwitch.h"

#include "catalogue/RegistryNames.h"
#include "platform/AppError.h"
#include "platform/PathNames.h"
#include "platform/RegistryCursor.h"

#include <optional>

namespace kestrova {

namespace {

constexpr std::uint32_t kRecordAccess = access::AllAccess | access::Wow64_32Key;

// Where one record lives.
struct RecordPlace {
    RegRoot root;
    const char* key;
};

constexpr RecordPlace kMachineRecord{RegRoot::LocalMachine, kPendingSwitchKey};
constexpr RecordPlace kUserRecord{RegRoot::CurrentUser, kUserPendingSwitchKey};

RecordPlace RecordPlaceFor(RegRoot root) { return root == RegRoot::CurrentUser ? kUserRecord : kMachineRecord; }

// A move as its record names it. Until `committing` is set the source is untouched
// and the move is undone; from then on the copy is whole and the move is completed.
struct PendingMove {
    RegRoot root = RegRoot::LocalMachine;
    std::uint32_t viewBits = 0;
    std::string from, to;
    bool committing = false;
};

std::string ViewText(std::uint32_t viewBits)
{
    if (viewBits & access::Wow64_64Key)
        return "64";
    return (viewBits & access::Wow64_32Key) ? "32" : "";
}

std::uint32_t ViewBitsOf(const std::string& text)
{
    if (text == "64")
        return access::Wow64_64Key;
    return text == "32" ? access::Wow64_32Key : 0;
}

void WriteRecord(RegistryBackend& registry, const RecordPlace& place, const PendingMove& move)
{
    RegistryCursor reg(registry, kRecordAccess);
    reg.RootKey = place.root;
    if (!reg.OpenKey(place.key, true))
        throw AppError(FillPattern("Failed to create key %s", place.key));
    reg.WriteString("Root", RootKeyName(move.root));
    reg.WriteString("View", ViewText(move.viewBits));
    reg.WriteString("Source", move.from);
    if (move.committing)
        reg.WriteString("Committing", "1");
    // Written last: a record without its target is one whose move never began.
    reg.WriteString("Target", move.to);
}

void MarkCommitting(RegistryBackend& registry, const RecordPlace& place)
{
    RegistryCursor reg(registry, kRecordAccess);
    reg.RootKey = place.root;
    if (!reg.OpenKey(place.key, false))
        throw AppError(FillPattern("Failed to open key %s", place.key));
    reg.WriteString("Committing", "1");
}

bool RecordExists(RegistryBackend& registry, const RecordPlace& place)
{
    RegistryCursor reg(registry, kRecordAccess);
    reg.RootKey = place.root;
    return reg.KeyExists(place.key);
}

// The record's move; nothing when the record is incomplete, as a move is begun only
// after its whole record is written.
std::optional<PendingMove> ReadRecord(RegistryBackend& registry, const RecordPlace& place)
{
    RegistryCursor reg(registry, kRecordAccess);
    reg.RootKey = place.root;
    if (!reg.OpenKeyReadOnly(place.key))
        throw AppError(FillPattern("Failed to open key %s", place.key));
    PendingMove move;
    const auto root = RootKeyFromSection(reg.ReadString("Root"), /*acceptUsers=*/true);
    move.viewBits = ViewBitsOf(reg.ReadString("View"));
    move.from = reg.ReadString("Source");
    move.to = reg.ReadString("Target");
    move.committing = reg.ValueExists("Committing");
    if (!root || move.from.empty() || move.to.empty())
        return std::nullopt;
    move.root = *root;
    return move;
}

void RemoveRecord(RegistryBackend& registry, const RecordPlace& place)
{
    RegistryCursor reg(registry, kRecordAccess);
    reg.RootKey = place.root;
    if (!reg.DeleteKey(place.key))
        throw AppError(FillPattern("Failed to delete key %s", place.key));
}

// Deletes `key` with its subkeys if it is there; raises unless it is gone afterwards.
void Remove(RegistryCursor& reg, const std::string& key)
{
    reg.DeleteKey(key);
    if (reg.KeyExists(key))
        throw AppError(FillPattern("Failed to delete key %s", key));
}

// Gives `source` the place of `target` (a sibling that does not exist): one rename,
// or a move where the platform cannot rename.
void Place(RegistryCursor& reg, const std::string& source, const std::string& target)
{
    if (!reg.RenameKey(source, LastName(target)))
        reg.MoveKey(source, target, true);
    if (reg.KeyExists(source) || !reg.KeyExists(target))
        throw AppError(FillPattern("Failed to move key %s", source));
}

bool SameParent(const PendingMove& move)
{
    return ParentPath(move.from) == ParentPath(move.to);
}

// The key that takes the target's place: the whole copy, or the source itself where
// both share a parent and one rename moves it.
std::string Placing(const PendingMove& move)
{
    return SameParent(move) ? move.from : PendingCopyKey(move.to);
}

// From the commit on: the old target goes, the placing key takes its place, and a
// copied source goes. Every step may have been done already.
void Complete(RegistryCursor& reg, const PendingMove& move)
{
    const std::string placing = Placing(move);
    if (reg.KeyExists(placing)) {
        // Whatever stands at the target is the key being replaced, or a part of it.
        Remove(reg, move.to);
        Place(reg, placing, move.to);
    }
    if (SameParent(move))
        return;
    // The source goes only once the target is seen to hold the whole copy.
    if (reg.KeyExists(placing) || !reg.KeyExists(move.to))
        throw AppError(FillPattern("Failed to move key %s", placing));
    Remove(reg, move.from);
}

void Finish(RegistryBackend& registry, const PendingMove& move)
{
    RegistryCursor reg(registry, access::AllAccess | move.viewBits);
    reg.RootKey = move.root;
    if (move.committing)
        Complete(reg, move);
    else
        Remove(reg, PendingCopyKey(move.to));
}

}  // namespace

std::string PendingCopyKey(const std::string& target)
{
    return std::string(WithoutTrailingSeparators(target)) + ".kestrova-copy";
}

namespace {

bool FinishRecordedSwitch(RegistryBackend& registry, const RecordPlace& place)
{
    try {
        if (!RecordExists(registry, place))
            return true;
        if (const std::optional<PendingMove> move = ReadRecord(registry, place))
            Finish(registry, *move);
        RemoveRecord(registry, place);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

}  // namespace

bool FinishInterruptedSwitch(RegistryBackend& registry)
{
    const bool machine = FinishRecordedSwitch(registry, kMachineRecord);
    const bool user = FinishRecordedSwitch(registry, kUserRecord);
    return machine && user;
}

void SwitchKey(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits, const std::string& from,
               const std::string& to)
{
    RegistryCursor reg(registry, access::AllAccess | viewBits);
    reg.RootKey = root;
    if (!reg.KeyExists(from))
        return;
    // A record left behind names a move whose keys must not be mixed with this one's.
    const RecordPlace place = RecordPlaceFor(root);
    if (!FinishRecordedSwitch(registry, place))
        throw AppError(FillPattern("Failed to delete key %s", place.key));
    // A rename needs no copy: it is committed from the start.
    PendingMove move{root, viewBits, from, to, ParentPath(from) == ParentPath(to)};
    WriteRecord(registry, place, move);
    try {
        if (!move.committing) {
            const std::string copy = PendingCopyKey(to);
            reg.MoveKey(from, copy, false);
            if (!reg.KeyExists(copy))
                throw AppError(FillPattern("Failed to create key %s", copy));
            MarkCommitting(registry, place);
        }
        Complete(reg, move);
    } catch (const AppError&) {
        // Undone, or completed when the copy was already whole; the caller sees where
        // the key is. Only when that fails too is the error the caller's.
        if (!FinishRecordedSwitch(registry, place))
            throw;
        return;
    }
    try {
        RemoveRecord(registry, place);
    } catch (const AppError&) {
        // The record of a completed move finishes as nothing at the next run.
    }
}

}  // namespace kestrova
