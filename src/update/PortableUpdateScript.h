// The batch script that replaces a portable installation with the downloaded archive:
// it stops the program, unpacks the archive over the program folder, deletes the
// archive, starts the program again and deletes itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// "update_" + hhnnss (two digits each) + ".bat".
std::string UpdateScriptFileName(int hour, int minute, int second);

// The update script's nineteen lines (without line ends), for the program folder (ends
// with a backslash), the executable's file name and the archive's file name; all UTF-8.
std::vector<std::string> PortableUpdateScriptLines(std::string_view programFolder, std::string_view exeName,
                                                   std::string_view archiveName);

// The script file's bytes: each line + CR LF, in `codePage`. None when some text cannot
// be written exactly in that code page, or a name holds a double quote or a control
// character: the script is then not to be started.
std::optional<std::string> PortableUpdateScriptFile(std::string_view programFolder, std::string_view exeName,
                                                    std::string_view archiveName, unsigned codePage);

}  // namespace kestrova
