#include "settings/SettingsFile.h"

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

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

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
        path = FolderOf(exePath_) + kSettingsFileInFolder;
    else
        path = WithTrailingBackslash(GetAppDataFolder(fs_)) +
               WithTrailingBackslash(GetCompanyName(versionInfo_, exePath_)) + kApplicationTitle + "\\" +
               kSettingsFileInFolder;
    ForceDirectories(fs_, FolderOf(path));
    return path;
}

std::string SettingsFile::BackupFolder() const
{
    return FolderOf(OptionsPath()) + "Backup\\";
}

IniDocument SettingsFile::Open() const { return IniDocument::Load(fs_, OptionsPath(), ansiCodePage_); }

void SettingsFile::Write(const IniDocument& document) const { document.Save(fs_, OptionsPath()); }

}  // namespace kestrova
