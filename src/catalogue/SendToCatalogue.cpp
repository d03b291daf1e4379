#include "catalogue/SendToCatalogue.h"

#include "platform/AppError.h"
#include "platform/AsciiText.h"
#include "platform/PathNames.h"
#include "platform/Utf.h"

namespace kestrova {

namespace {

constexpr std::string_view kSendToBelowAppData = "\\Microsoft\\Windows\\SendTo";
constexpr std::size_t kMaxPathLength = 259;  // UTF-16 units, as CreateFileW's MAX_PATH allows

bool IsSelfOrParent(const std::string& name) { return name == "." || name == ".."; }

bool IsDesktopIni(const std::string& name) { return EqualsIgnoringAsciiCase(name, "desktop.ini"); }

bool IsPlaceholder(const EntryRow& row) { return !row.target.IsFile() || row.target.path.empty(); }

// Whether the name's extension, from its last dot, is the switch-off suffix.
bool HasDisabledSuffix(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot != std::string::npos && EqualsIgnoringAsciiCase(std::string_view(name).substr(dot), kDisabledSuffix);
}

std::string WithSuffix(const std::string& path) { return path + std::string(kDisabledSuffix); }

}  // namespace

std::string SendToCaption(const std::string& path)
{
    const std::string name = LastName(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return name;
    return name.substr(0, dot);
}

EntryRow SendToRow(const std::string& path)
{
    return EntryRow{SendToCaption(path), {path}, true, EntryTarget::File(path)};
}

SendToCatalogue::SendToCatalogue(FileSystem& files, Shell& shell) : files_(files), shell_(shell) {}

std::string SendToCatalogue::GetSendToFolder()
{
    const std::string appData = files_.EnvironmentVariable("APPDATA");
    // Without APPDATA the path would start at the root of the current drive.
    if (appData.empty())
        return {};
    const std::string folder = appData + std::string(kSendToBelowAppData) + "\\";
    if (!files_.DirectoryExists(folder))
        ForceDirectories(files_, folder);
    return folder;
}

std::string SendToCatalogue::LoadRows(RowSink& rows)
{
    const std::string folder = GetSendToFolder();
    if (!folder.empty() && files_.DirectoryExists(folder)) {
        for (const FoundEntry& entry : files_.FindEntries(folder + "*.*")) {
            if (IsSelfOrParent(entry.name) || IsDesktopIni(entry.name))
                continue;
            const bool switchedOff = HasDisabledSuffix(entry.name);
            std::string name = entry.name;
            if (switchedOff)
                name.resize(name.size() - kDisabledSuffix.size());
            EntryRow row = SendToRow(folder + name);
            row.checked = !switchedOff;
            rows.Add(row);
        }
    }
    if (rows.Count() == 0)
        rows.Add(EntryRow{"", {""}, false, {}});
    return {};
}

void SendToCatalogue::SetSendToItemEnabled(const std::string& path, bool enable)
{
    const std::string from = enable ? WithSuffix(path) : path;
    const std::string to = enable ? path : WithSuffix(path);
    if (!files_.FileExists(from))
        return;
    if (!files_.MovePath(from, to))
        throw AppError(enable ? "Не удалось включить элемент SendTo" : "Не удалось отключить элемент SendTo");
}

bool SendToCatalogue::SwitchRow(const EntryRow& row)
{
    if (IsPlaceholder(row))
        return true;
    const std::string& path = row.target.path;
    // Only files switch; a box that changed over nothing to rename would show a state
    // the entry does not have.
    if (!files_.FileExists(row.checked ? WithSuffix(path) : path))
        return false;
    try {
        SetSendToItemEnabled(path, row.checked);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

std::string SendToCatalogue::FileOfRow(const EntryRow& row)
{
    if (IsPlaceholder(row))
        return {};
    const std::string& path = row.target.path;
    // A file and its switched-off twin share one path; the row's box says which it is.
    const std::string first = row.checked ? path : WithSuffix(path);
    const std::string second = row.checked ? WithSuffix(path) : path;
    if (files_.FileExists(first))
        return first;
    if (files_.FileExists(second))
        return second;
    return {};
}

void SendToCatalogue::OpenPlace(WindowHandle owner, const EntryRow& row)
{
    const std::string file = FileOfRow(row);
    if (file.empty())
        return;
    const std::string folder = ParentPath(file) + "\\";
    // By its full path: a bare name is looked for in places the user may write.
    const std::string windows = files_.WindowsFolder();
    if (files_.DirectoryExists(folder) && !windows.empty())
        shell_.Open(owner, windows + "\\explorer.exe", "/select, \"" + file + "\"", "", show::Normal);
}

bool SendToCatalogue::DeleteRow(const EntryRow& row, DeletionBackup& backup, DeletionUndo& undo)
{
    DeletedEntry entry{DeletedEntry::Kind::File, {}, 0, FileOfRow(row), {}, kSendToKind, row.target, {}};
    if (!entry.path.empty()) {
        entry.KeepCopy(backup.SaveFile(entry.path, kSendToKind));
        if (!files_.RemoveFile(entry.path))
            return false;
    } else if (!IsPlaceholder(row) && files_.DirectoryExists(row.target.path)) {
        // An empty folder holds nothing to copy: putting it back is creating it.
        entry.kind = DeletedEntry::Kind::Folder;
        entry.path = row.target.path;
        if (!files_.RemoveEmptyDirectory(entry.path))
            return false;
    } else {
        return false;
    }
    undo.Remember(std::move(entry));
    return true;
}

void SendToCatalogue::RestoreDefaults()
{
    const std::string folder = GetSendToFolder();
    if (folder.empty())
        return;
    if (files_.DirectoryExists(folder)) {
        for (const FoundEntry& entry : files_.FindEntries(folder + "*.*")) {
            if (IsSelfOrParent(entry.name) || IsDesktopIni(entry.name))
                continue;
            // What cannot be deleted stays; the next entry is tried all the same.
            if (entry.isFolder)
                files_.RemoveEmptyDirectory(folder + entry.name);
            else
                files_.RemoveFile(folder + entry.name);
        }
    }
    for (std::string_view name : kStandardSendToEntries)
        CreateEmptyFile(folder + std::string(name));
}

void SendToCatalogue::CreateEmptyFile(const std::string& path)
{
    if (files_.FileExists(path))
        return;
    if (Utf8ToUtf16(path).size() > kMaxPathLength || !files_.WriteEmptyFile(path))
        throw AppError(FillPattern("Cannot create file \"%s\"", path));
}

}  // namespace kestrova
