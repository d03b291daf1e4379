#include "catalogue/Windows11MenuCatalogue.h"

#include "catalogue/RegistryNames.h"
#include "platform/AppError.h"
#include "platform/PathNames.h"
#include "platform/RegistryCursor.h"
#include "platform/RegistryEditorJump.h"

#include <utility>

namespace kestrova {

namespace {

constexpr std::uint32_t kReadAccess = access::Read | kWindows11MenuView;
constexpr std::uint32_t kChangeAccess = access::AllAccess | kWindows11MenuView;

constexpr const char* kMachineRepository =
    "SOFTWARE\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "PackageRepository\\Packages\\";
constexpr const char* kUserRepository =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
    "Repository\\Packages\\";
constexpr std::string_view kResourcePrefix = "ms-resource:";
constexpr const char* kManifestName = "AppxManifest.xml";

// A string value of `path`; empty when the key or value is missing or not a string.
std::string ReadText(RegistryBackend& registry, RegRoot root, const std::string& path, const std::string& name)
{
    RegistryCursor reg(registry, kReadAccess);
    reg.RootKey = root;
    if (!reg.OpenKeyReadOnly(path))
        return {};
    const RegDataKind type = reg.GetDataType(name);
    if (type != RegDataKind::String && type != RegDataKind::ExpandString)
        return {};
    try {
        return reg.ReadString(name);
    } catch (const AppError&) {
        return {};
    }
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A package full name is one path component: the folder and key names are built from it.
bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

// A folder on a local drive, "C:\...". The user's repository is the user's to write: a
// network or device path there must not make this elevated process reach out.
bool IsDriveFolder(const std::string& path)
{
    const char drive = path.size() >= 3 ? path[0] : '\0';
    return ((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && path[1] == ':' && path[2] == '\\';
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (a != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> BracedClsid(std::string_view text)
{
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !IsHexDigit(text[i]))
            return std::nullopt;
    }
    return "{" + std::string(text) + "}";
}

std::string PackageName(const std::string& fullName) { return fullName.substr(0, fullName.find('_')); }

Windows11MenuCatalogue::Windows11MenuCatalogue(RegistryBackend& registry, FileSystem& files, Shell& shell,
                                               PackageSource& packages)
    : registry_(registry), files_(files), shell_(shell), packages_(packages)
{
}

std::string Windows11MenuCatalogue::LoadRows(RowSink& rows)
{
    std::vector<std::string> packages;
    {
        RegistryCursor reg(registry_, kReadAccess);
        reg.RootKey = RegRoot::LocalMachine;
        if (reg.OpenKeyReadOnly(kPackagedComKey))
            reg.GetKeyNames(packages);
    }
    for (const std::string& fullName : packages)
        if (IsPlainName(fullName))
            AddPackageRows(fullName, rows);
    if (rows.Count() == 0)
        rows.Add(EntryRow{"", {"", "", "", ""}, false, {}});
    if (loaded)
        loaded();
    return {};
}

std::string Windows11MenuCatalogue::PackageFolder(const std::string& fullName)
{
    if (std::string path = packages_.InstalledPath(fullName); !path.empty())
        return path;
    if (std::string path = ReadText(registry_, RegRoot::LocalMachine, kMachineRepository + fullName, "Path");
        !path.empty())
        return path;
    return ReadText(registry_, RegRoot::CurrentUser, kUserRepository + fullName, "PackageRootFolder");
}

void Windows11MenuCatalogue::AddPackageRows(const std::string& fullName, RowSink& rows)
{
    std::string folder = PackageFolder(fullName);
    if (!IsDriveFolder(folder))
        return;
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    const std::optional<PackageManifest> manifest = packages_.ReadManifest(folder + kManifestName);
    if (!manifest)
        return;
    const std::string caption = Caption(fullName, manifest->displayName);
    const EntryTarget place =
        EntryTarget::Key(RegRoot::LocalMachine, kWindows11MenuView, std::string(kPackagedComKey) + "\\" + fullName);
    for (const ManifestVerb& verb : manifest->verbs) {
        const std::optional<std::string> clsid = BracedClsid(verb.clsid);
        if (!clsid)
            continue;  // nothing could hide or show it
        EntryRow row{caption, {verb.id, verb.itemType, *clsid, fullName}, !IsBlocked(*clsid), place};
        // The value that switches the row: the CLSID's name in the Blocked lists.
        row.target.classKey = *clsid;
        rows.Add(row);
    }
}

std::string Windows11MenuCatalogue::Caption(const std::string& fullName, const std::string& displayName)
{
    if (displayName.empty())
        return PackageName(fullName);
    if (!StartsWithIgnoringCase(displayName, kResourcePrefix))
        return displayName;
    // An unresolved reference is shown as written: it still tells which package it is.
    std::string resolved = packages_.ResolveResource(fullName, displayName);
    return resolved.empty() ? displayName : resolved;
}

bool Windows11MenuCatalogue::IsBlocked(const std::string& bracedClsid)
{
    for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
        RegistryCursor reg(registry_, kReadAccess);
        reg.RootKey = root;
        if (reg.OpenKeyReadOnly(kBlockedKey) && reg.ValueExists(bracedClsid))
            return true;
    }
    return false;
}

bool Windows11MenuCatalogue::SwitchRow(const EntryRow& row)
{
    const std::optional<std::string> clsid = BracedClsid(row.target.classKey);
    if (!row.target.IsKey() || !clsid)
        return true;  // the placeholder
    try {
        if (row.checked) {
            for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
                RegistryCursor reg(registry_, kChangeAccess);
                reg.RootKey = root;
                if (reg.OpenKey(kBlockedKey, false))
                    reg.DeleteValue(*clsid);
            }
        } else {
            RegistryCursor reg(registry_, kChangeAccess);
            reg.RootKey = RegRoot::LocalMachine;
            if (!reg.OpenKey(kBlockedKey, true))
                return false;
            reg.WriteString(*clsid, row.caption);
        }
    } catch (const AppError&) {
        return false;
    }
    // A value left behind (no rights in one root) is a failed switch, not a silent success.
    return IsBlocked(*clsid) != row.checked;
}

void Windows11MenuCatalogue::OpenPlace(WindowHandle, const EntryRow& row)
{
    if (row.target.IsKey())
        OpenRegeditAt(registry_, files_, shell_, RootKeyName(row.target.root), row.target.path);
}

bool ClassicMenuSwitch::IsOn()
{
    RegistryCursor reg(registry_, kReadAccess);
    reg.RootKey = RegRoot::CurrentUser;
    if (!reg.OpenKeyReadOnly(std::string(kClassicMenuKey) + "\\InprocServer32") || !reg.ValueExists(""))
        return false;
    const RegDataKind type = reg.GetDataType("");
    if (type != RegDataKind::String && type != RegDataKind::ExpandString)
        return false;
    try {
        return reg.ReadString("").empty();
    } catch (const AppError&) {
        return false;
    }
}

bool ClassicMenuSwitch::TurnOn(DeletionBackup& backup)
{
    const std::string server = std::string(kClassicMenuKey) + "\\InprocServer32";
    RegistryCursor reg(registry_, kChangeAccess);
    reg.RootKey = RegRoot::CurrentUser;
    if (reg.KeyExists(server) && !IsOn()) {
        // Something else is registered there: its copy first, as before any overwrite.
        RegistryCursor probe(registry_, kReadAccess);
        probe.RootKey = RegRoot::CurrentUser;
        if (probe.OpenKeyReadOnly(server) && probe.ValueExists(""))
            backup.SaveKey(RegRoot::CurrentUser, kWindows11MenuView, kClassicMenuKey, kWindows11MenuKind,
                           LastName(kClassicMenuKey));
    }
    try {
        if (!reg.OpenKey(server, true))
            return false;
        reg.WriteString("", "");
    } catch (const AppError&) {
        return false;
    }
    return IsOn();
}

bool ClassicMenuSwitch::TurnOff(DeletionBackup& backup, DeletionUndo& undo)
{
    RegistryCursor reg(registry_, kChangeAccess);
    reg.RootKey = RegRoot::CurrentUser;
    if (!reg.KeyExists(kClassicMenuKey))
        return false;
    DeletedEntry entry{DeletedEntry::Kind::RegistryKey, RegRoot::CurrentUser, kWindows11MenuView, kClassicMenuKey,
                       {}, kWindows11MenuKind,
                       EntryTarget::Key(RegRoot::CurrentUser, kWindows11MenuView, kClassicMenuKey), {}};
    entry.KeepCopy(
        backup.SaveKey(RegRoot::CurrentUser, kWindows11MenuView, kClassicMenuKey, kWindows11MenuKind, LastName(kClassicMenuKey)));
    try {
        if (!reg.DeleteKey(kClassicMenuKey))
            return false;
    } catch (const AppError&) {
        return false;
    }
    undo.Remember(std::move(entry));
    return true;
}

}  // namespace kestrova
