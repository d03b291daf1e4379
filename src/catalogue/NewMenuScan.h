// The New-menu scan: walks the classes key of HKEY_LOCAL_MACHINE in the 32-bit and then
// the 64-bit view and writes one row per usable ShellNew / old_ShellNew template, in the
// order of discovery, into a row sink.
//
// It costs about what a bare walk of the same keys costs: each key is opened once,
// relative to its parent, and the one enumeration of its subkey names (needed anyway
// for the descent) tells whether it may hold a template; template keys are probed and
// values read only there. Where the registry names a top-level key of the 32-bit view
// as the very key the 64-bit view reaches, the 64-bit pass does not walk it again.
#pragma once

#include "catalogue/EntryDetails.h"
#include "catalogue/EntryRow.h"
#include "catalogue/NewMenuNames.h"
#include "platform/RegistryBackend.h"

#include <cstddef>
#include <string>

namespace kestrova {

// Rows: caption; sub-items type, section, template key path, class key path; checked
// unless the class key has an old_ShellNew. Returns the number of rows added. A key
// that does not open, vanishes or holds values of unexpected types never ends the
// scan: at worst the subtree below it is left out. `classesPath` is below
// HKEY_LOCAL_MACHINE. With `details`, each row's sub-items go on with the template's
// "Shown as", "Program", "Company" and "Shows".
std::size_t ScanNewMenu(RegistryBackend& registry, RowSink& rows,
                        const std::string& classesPath = std::string(kNewMenuClassesPath),
                        EntryDetails* details = nullptr);

}  // namespace kestrova
