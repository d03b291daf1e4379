// The folder an update is downloaded into and started from. The program runs elevated, so
// a file it starts must lie where no ordinary user can swap it between the signature check
// and the start: %ProgramData%\Kestrova\Update\, writable by SYSTEM and Administrators only.
#pragma once

#include <string>

namespace kestrova {

// %ProgramData%\Kestrova\Update\ (the known folder, not the environment), ending with a
// backslash; empty when the system names no ProgramData folder.
std::wstring UpdateFolderPath();

// Makes `folder` (ending with a backslash) and its parent below %ProgramData% admin-only:
// created with, or an existing one given, Administrators as owner and a DACL that is not
// inherited and lets SYSTEM and Administrators do anything and other users only read. An
// existing folder that is a reparse point, or whose path after opening is not the one
// asked for, is refused. Throws AppError when the folder cannot be made so.
void MakeAdminOnlyFolder(const std::wstring& folder);

// UpdateFolderPath(), made admin-only; throws AppError.
std::wstring PrepareUpdateFolder();

}  // namespace kestrova
