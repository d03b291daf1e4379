// The batch script that replaces a portable installation with the downloaded archive:
// it stops the program, unpacks the archive over the program folder, deletes the
// archive, starts the program again and deletes itself. It runs elevated, so it names
// every program by its full path and reads no profile.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// "update_" + hhnnss (two digits each) + ".bat".
std::string UpdateScriptFileName(int hour, int minute, int second);

// What the script works on; all UTF-8, folders ending with a backslash.
struct PortableUpdate {
    std::string programFolder;
    std::string exeName;       // the running executable's file name
    std::string archivePath;   // the verified archive, by its full path
    std::string systemFolder;  // System32: every program the script runs is named by its full path
    unsigned long processId = 0;  // the running program, the one the script ends
};

// The update script's nineteen lines (without line ends).
std::vector<std::string> PortableUpdateScriptLines(const PortableUpdate& update);

// The script file's bytes: each line + CR LF, in `codePage` (the console's OEM code page,
// in which cmd reads it). None when some text cannot be written exactly in that code
// page, or a name holds a double quote or a control character: the script is then not to
// be started.
std::optional<std::string> PortableUpdateScriptFile(const PortableUpdate& update, unsigned codePage);

// The parameters of %SystemRoot%\System32\cmd.exe that run the script at `scriptPath`:
// without the user's AutoRun commands (/d).
std::string PortableUpdateScriptParameters(std::string_view scriptPath);

}  // namespace kestrova
