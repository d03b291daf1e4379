// Kestrova.com: the command line. A console program over the same catalogues as the
// window; it shows no window and no message box, and it leaves the options file, the
// language files and the update service alone (the Backup folder is found beside the
// options file, as the window finds it, and only a delete writes there).
#include <windows.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindowComponents.h"
#include "app/PortableMode.h"
#include "catalogue/ContextMenuCatalogue.h"
#include "catalogue/ListLock.h"
#include "catalogue/MorePlacesCatalogue.h"
#include "catalogue/NewMenuCatalogue.h"
#include "catalogue/SendToCatalogue.h"
#include "cli/ConsoleCommand.h"
#include "platform/AtomicFileWrite.h"
#include "platform/CodePage.h"
#include "platform/FileInfoUtils.h"
#include "platform/win32/ExecutablePath.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32VersionInfo.h"
#include "settings/SettingsFile.h"

namespace {

using namespace kestrova;

// How long a command waits for a list the window is changing.
constexpr DWORD kListLockTimeoutMs = 30000;

// UTF-16 to a console, UTF-8 bytes to a file or a pipe.
void Write(DWORD which, std::string_view text)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Widen(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 20));
        if (!WriteFile(handle, text.data(), chunk, &written, nullptr) || written == 0)
            return;
        text.remove_prefix(written);
    }
}

std::wstring FullPath(const std::string& path)
{
    const std::wstring wide = Widen(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? wide : full;
}

ReadOutcome ReadBounded(const std::string& path, std::size_t limit, std::string& contents)
{
    const HANDLE file = CreateFileW(FullPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadOutcome::Unreadable;
    ReadOutcome outcome = ReadOutcome::Read;
    contents.clear();
    char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &count, nullptr)) {
            outcome = ReadOutcome::Unreadable;
            break;
        }
        if (count == 0)
            break;
        if (contents.size() + count > limit) {
            outcome = ReadOutcome::TooLarge;
            break;
        }
        contents.append(buffer, count);
    }
    CloseHandle(file);
    return outcome;
}

// Whether this process runs with the Administrators group in force (elevated).
bool IsElevatedAdministrator()
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Only the system folder is searched for DLLs, never the program's folder; and no
    // error box ever waits for a click.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    try {
        std::vector<std::string> args;
        for (int i = 1; i < argc; ++i)
            args.push_back(Narrow(argv[i]));

        Win32Registry registry;
        Win32FileSystem files;
        Win32Shell shell;
        Win32VersionInfo versionInfo;
        const bool portable = HasPortableMarker(files, ExecutableFolder());
        const SettingsFile settingsFile(files, versionInfo, ExecutablePath(), portable, AnsiCodePage());

        ContextMenuCatalogue contextMenu(registry, files, shell);
        NewMenuCatalogue newMenu(registry, files, shell);
        SendToCatalogue sendTo(files, shell);
        // Its place column in the texts the program has built in; the command line reads no language file.
        const WindowModel builtInTexts = BuildMainWindowComponents();
        MorePlacesCatalogue morePlaces(registry, files, shell, [&](std::string_view item) {
            return builtInTexts.Get(item).Get(TextAttribute::Caption);
        });
        DeletionBackup backup(registry, files, [&] { return settingsFile.BackupFolder(); },
                              [] { return std::time(nullptr); });
        DeletionUndo undo(registry, files);

        ConsoleServices services;
        // The lists by name. A list this build does not have yet has no catalogue; giving it
        // one is all a new list needs here.
        services.lists = {
            {"context", &contextMenu, true, 1, 2, false},
            {"new", &newMenu, true, 1, 2, true},
            {"sendto", &sendTo, false, std::nullopt, 0, false},
            // Per-user entries switch without administrator rights; the catalogue says which need them.
            {"more", &morePlaces, false, 1, 2, false},
            {"w11", nullptr, true, 1, 2, false},
        };
        services.backup = &backup;
        services.undo = &undo;
        services.readFile = ReadBounded;
        services.writeFile = [&](const std::string& path, std::string_view contents) {
            return WriteFileAtomically(files, Narrow(FullPath(path)), contents);
        };
        services.isAdministrator = IsElevatedAdministrator;
        services.lockList = [](std::string_view kind) -> std::shared_ptr<void> {
            return std::make_shared<NamedMutexLock>(ListLockName(kind), kListLockTimeoutMs);
        };
        services.out = [](std::string_view text) { Write(STD_OUTPUT_HANDLE, text); };
        services.err = [](std::string_view text) { Write(STD_ERROR_HANDLE, text); };
        services.version = GetFileVersion(versionInfo, ExecutablePath());
        return RunConsoleCommand(args, services);
    } catch (const std::exception& error) {
        Write(STD_ERROR_HANDLE, std::string("Kestrova: ") + error.what() + "\n");
        return kExitError;
    }
}
