// Opening a file for writing in a folder an ordinary user controls. The program runs
// elevated, so a junction or symbolic link the user put on the way, or a hard link, would
// turn its write into one anywhere on the machine. The file is opened without following a
// link at its own name, and the path the system reached is checked against the one named
// before anything is written.
#pragma once

#include <windows.h>

#include <string>

namespace kestrova {

// The path the system reached through `handle`, in the form "C:\..." ("\\server\..." for a
// share); empty when it cannot be told.
std::wstring FinalPathOf(HANDLE handle);

// Whether `path` names a reparse point (a junction or link) itself. Checked besides what an
// open handle tells, as some systems (Wine) report it by name only.
bool IsLinkByName(const std::wstring& path);

// Whether `handle` reached `path` itself (compared without regard to case, after short
// names are made long).
bool ReachedAsNamed(HANDLE handle, const std::wstring& path);

// CreateFileW(GENERIC_WRITE, `share`, OPEN_ALWAYS) of `path`, whose contents stay until
// the caller changes them. Refused (INVALID_HANDLE_VALUE, last error
// ERROR_CANT_ACCESS_FILE) when `path` is itself a link, a file with more than one name,
// or reached through a link; a file created on such a way is deleted again.
HANDLE OpenWhereNamedForWriting(const std::wstring& path, DWORD share);

}  // namespace kestrova
