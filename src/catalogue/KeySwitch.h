// Moving an entry's key to its other place so that a process ended at any moment
// leaves the entry whole at exactly one place. A record of the move under way is kept
// in the registry; the next run finishes or undoes what that record names.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstdint>
#include <string>

namespace kestrova {

// Where the record of a move under way lives: beside the backup area of the moved key's
// root, in the 32-bit view, where the switch has write access. Moves below
// HKEY_CURRENT_USER keep theirs there, so that they need no administrator's rights;
// every other move keeps it below HKEY_LOCAL_MACHINE.
inline constexpr const char* kPendingSwitchKey = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\PendingSwitch";
inline constexpr const char* kUserPendingSwitchKey = "Software\\Classes\\SOFTWARE\\ContextMenu\\PendingSwitch";

// Moves `from` to `to` (both below `root`, in the registry view `viewBits`), replacing
// a key at `to`. The copy is built under a temporary name beside `to` and renamed into
// place, so `to` only ever holds a whole copy; a key of the same parent is renamed in
// one step. Both need a platform that renames keys; elsewhere the keys are moved and
// the guarantee is only that of a failing call. A failure raises after putting
// everything back as it was, or completes the move when its copy was whole. Nothing
// happens when `from` does not exist.
void SwitchKey(RegistryBackend& registry, RegRoot root, std::uint32_t viewBits, const std::string& from,
               const std::string& to);

// Brings the moves that a previous run left unfinished (one per record place) to their
// end, or back to their start when the copy was not yet complete, and removes their
// temporary keys. Does nothing when no move was under way. False when a step failed:
// that record then stays for the next run, and the other one is still finished.
bool FinishInterruptedSwitch(RegistryBackend& registry);

// The temporary name beside a move's target under which the copy is built. It sorts
// after the target, so renaming it into place moves it only towards the front of its
// parent's list (Wine's registry loses a key renamed to the place just after its own).
std::string PendingCopyKey(const std::string& target);

}  // namespace kestrova
