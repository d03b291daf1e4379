#include "platform/RegistryEditorJump.h"

#include "platform/AppError.h"
#include "platform/RegistryCursor.h"

namespace kestrova {

namespace {

constexpr const char* kRegeditSettingsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

// The 64-bit editor seen from a 32-bit program, or the Windows folder's own editor
// where there is no SysNative folder (a 32-bit Windows).
std::string RegistryEditorFile(FileSystem& files)
{
    std::string windows = files.WindowsFolder();
    if (windows.empty() || windows.back() != '\\')
        windows += '\\';
    const std::string sysNative = windows + "SysNative\\regedt32.exe";
    return files.FileExists(sysNative) ? sysNative : windows + "regedit.exe";
}

}  // namespace

bool OpenRegeditAtKey(RegistryBackend& registry, FileSystem& files, Shell& shell, const std::string& key)
{
    try {
        RegistryCursor reg(registry, access::Write);
        reg.RootKey = RegRoot::CurrentUser;
        if (!reg.OpenKey(kRegeditSettingsKey, true))
            return false;
        reg.WriteString("LastKey", key);
        reg.CloseKey();
        return shell.Open(0, RegistryEditorFile(files), "", "", show::Normal);
    } catch (const AppError&) {
        return false;
    }
}

bool OpenRegeditAt(RegistryBackend& registry, FileSystem& files, Shell& shell, const std::string& root,
                   const std::string& path)
{
    if (root.empty())
        return false;
    if (path.empty())
        return OpenRegeditAtKey(registry, files, shell, root);
    return OpenRegeditAtKey(registry, files, shell, CollapseDoubleBackslashes(root + "\\" + path));
}

std::string CollapseDoubleBackslashes(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\')
            ++i;
    }
    return result;
}

}  // namespace kestrova
