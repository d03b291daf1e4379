// The options file (Config\Option.ini): beside the program in portable mode, else below
// the user's application-data folder. Its path is composed afresh by every reader and
// writer, and each of them opens and writes its own document.
#pragma once

#include "platform/FileSystem.h"
#include "platform/VersionInfoApi.h"
#include "settings/IniDocument.h"

#include <string>
#include <utility>

namespace kestrova {

// The per-user application-data folder with a trailing backslash, or empty text when
// the system cannot name it.
std::string GetAppDataFolder(FileSystem& fs);

class SettingsFile {
public:
    SettingsFile(FileSystem& fs, const VersionInfoApi& versionInfo, std::string exePath, bool portableMode,
                 unsigned ansiCodePage)
        : fs_(fs), versionInfo_(versionInfo), exePath_(std::move(exePath)), portableMode_(portableMode),
          ansiCodePage_(ansiCodePage)
    {
    }

    // The file's full path: in portable mode the program's folder + "Config\Option.ini";
    // otherwise the application-data folder, the version resource's company name and
    // "Kestrova", each followed by a backslash unless it ends in one (so empty text
    // gives a lone backslash), + "Config\Option.ini". Creates the folder of the path
    // with every missing parent; a failure to do so shows only when the file is written.
    std::string OptionsPath() const;

    // The folder that keeps the copies of deleted entries: "Backup\" beside the file.
    std::string BackupFolder() const;

    // The document in the file; a missing file is an empty document.
    IniDocument Open() const;
    // Writes the document to the file whole or not at all (AppError on failure).
    void Write(const IniDocument& document) const;

private:
    FileSystem& fs_;
    const VersionInfoApi& versionInfo_;
    std::string exePath_;
    bool portableMode_;
    unsigned ansiCodePage_;
};

}  // namespace kestrova
