#include "settings/SettingsFile.h"

#include "platform/PathNames.h"
#include "product/ProductNames.h"
#include "platform/FileInfoUtils.h"

namespace kestrova {

namespace {

constexpr char kSettingsFileInFolder[] = "Config\\Option.ini";

std::string WithTrailingBackslash(std::string text)
{
    if (!text.ends_with('\\'))
        text += '\\';
    return text;
}

}  // namespace

std::string GetAppDataFolder(FileSystem& fs)
{
    const std::string folder = fs.AppDataFolder();
    return folder.empty() ? folder : WithTrailingBackslash(folder);
}

std::string SettingsFile::OptionsPath() const
{
    std::string path;
    if (portableMode_)
        path = FolderWithSeparator(exePath_) + kSettingsFileInFolder;
    else
        path = WithTrailingBackslash(GetAppDataFolder(fs_)) +
               WithTrailingBackslash(GetCompanyName(versionInfo_, exePath_)) + kApplicationTitle + "\\" +
               kSettingsFileInFolder;
    ForceDirectories(fs_, FolderWithSeparator(path));
    return path;
}

std::string SettingsFile::BackupFolder() const
{
    return FolderWithSeparator(OptionsPath()) + "Backup\\";
}

IniDocument SettingsFile::Open() const { return IniDocument::Load(fs_, OptionsPath(), ansiCodePage_); }

void SettingsFile::Write(const IniDocument& document) const { document.Save(fs_, OptionsPath()); }

}  // namespace kestrova
