// Kestrova: start-up. One instance only; the main window is created and filled, the
// system is checked, and the window's message loop runs until it is closed.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "about/AboutWindow.h"
#include "app/LanguageCommands.h"
#include "app/ListTabs.h"
#include "app/MainCommands.h"
#include "app/MainWindow.h"
#include "app/MainWindowSettings.h"
#include "app/PortableMode.h"
#include "app/SendToMenuCommands.h"
#include "app/SingleInstance.h"
#include "app/ThemeMenu.h"
#include "app/UndoDeleteCommand.h"
#include "app/Windows11MenuCommands.h"
#include "app/WindowsVersion.h"
#include "catalogue/SendToMenuSwitch.h"
#include "platform/CodePage.h"
#include "platform/FileInfoUtils.h"
#include "platform/AsciiText.h"
#include "platform/win32/AccountNames.h"
#include "platform/win32/ExecutablePath.h"
#include "platform/win32/ExplorerRestart.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32VersionInfo.h"
#include "settings/ProgramState.h"
#include "settings/SettingsFile.h"
#include "update/win32/UpdateWindow.h"

namespace {

using namespace kestrova;

constexpr LCID kRussianLocale = 1049;


OsVersion VersionFromApi()
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

// Runs one start-up step; an error it raises goes to the general error report and
// the start-up goes on.
template <typename Step>
void RunReported(MainWindow& form, Step step)
{
    try {
        step();
    } catch (const std::exception& error) {
        form.ShowGeneralError(error.what());
    }
}

// Before an update replaces the program: its options saved, then its window closed.
class MainWindowHandOver : public UpdateHandOver {
public:
    MainWindowHandOver(MainWindow& form, MainWindowSettings& settings) : form_(form), settings_(settings) {}
    void SaveOptions() override { settings_.Save(); }
    void EndProgram() override { PostMessageW(form_.Handle(), WM_CLOSE, 0, 0); }

private:
    MainWindow& form_;
    MainWindowSettings& settings_;
};

// The account this run's HKEY_CURRENT_USER belongs to when it is not the one whose
// desktop the shell shows (elevated with another account's password); else empty.
std::string OtherAccountThanTheShells()
{
    const std::string mine = ProcessAccountName();
    const std::string shells = ShellAccountName();
    return !mine.empty() && !shells.empty() && !EqualsIgnoringAsciiCase(mine, shells) ? mine : std::string();
}

int RunMessageLoop(MainWindow& form)
{
    MSG message{};  // GetMessageW failing (-1) leaves it unset
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.TranslateShortcut(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    // Before any DLL beyond the Known DLLs is loaded (they are delay-loaded): only the system
    // folder is searched, never the program's folder, which an ordinary user may write.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (IsAnotherInstanceRunning())
        return 0;
    SetThreadLocale(kRussianLocale);
    // The shell's objects (the taskbar button's progress) want the thread's COM.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Registry registry;
    Win32FileSystem files;
    Win32Shell shell;
    Win32VersionInfo versionInfo;

    ProgramState state;
    state.portable = HasPortableMarker(files, ExecutableFolder());

    const OsVersion osVersion = ReportedOsVersion(VersionFromApi(), registry);
    AppStyle appStyle(osVersion.build);
    MainWindow form;
    appStyle.Add(form);
    const std::string designCaption = form.Model().Caption();
    const SettingsFile settingsFile(files, versionInfo, ExecutablePath(), state.portable, AnsiCodePage());
    UndoDeleteCommand deletions(form, registry, files, [&] { return settingsFile.BackupFolder(); });

    ListTabs tabs(form, registry, files, shell, deletions, OtherAccountThanTheShells());
    SendToMenuSwitch sendToSwitch(registry, shell);
    ClassicMenuSwitch classicMenu(registry);
    Windows11MenuCommands windows11Menu(form, tabs.Windows11Menu(), classicMenu, deletions, osVersion.build,
                                        [] { return RestartExplorer(); });
    SendToMenuCommands sendToMenu(form, state, tabs.SendTo(), sendToSwitch);
    ThemeMenu themes(form, state, appStyle, registry);
    MainWindowSettings settings(form, state, settingsFile);
    AboutWindow about(shell, GetLegalCopyright(versionInfo, ExecutablePath()), [&] { return form.Model().Caption(); });
    about.reportError = [&](const std::string& message) { form.ShowGeneralError(message); };
    appStyle.Add(about);
    UpdateInstallation installation;
    installation.files = &files;
    installation.shell = &shell;
    MainWindowHandOver handOver(form, settings);
    installation.handOver = &handOver;
    installation.programFolder = ExecutableFolder();
    installation.executablePath = ExecutablePath();
    kestrova::UpdateWindow update(SystemUpdateCheckSource(), settingsFile, state, form.Handle(),
                                  [&](const std::string& message) { form.ShowGeneralError(message); },
                                  std::move(installation));
    appStyle.Add(update);
    LanguageCommands languages(form, state, {&form.Model(), &about.Model(), &update.Model()},
                               {files, ExecutableFolder(), AnsiCodePage(), [&] { return settingsFile.OptionsPath(); }});

    MainCommands commands({tabs.All(), &deletions, &themes, &sendToMenu, &languages, &settings, &about, &update,
                           &windows11Menu});
    form.SetActions(&commands);
    std::vector<std::function<void()>> creationSteps = {[&] {
        form.Model().SetCaption(
            MainWindowCaption(designCaption, GetFileVersion(versionInfo, ExecutablePath()), state.portable));
    }};
    for (CatalogueTab* tab : tabs.All())
        if (!tab->ShowsTranslatedTexts())
            creationSteps.push_back([tab] { tab->Rebuild(); });
    creationSteps.push_back([&] { sendToMenu.LoadMenuState(); });
    creationSteps.push_back([&] { settings.Load(); });
    creationSteps.push_back([&] { themes.ShowChosen(); });
    form.RunCreationSteps(creationSteps);
    RunReported(form, [&] { update.LoadOptionsAtStart(); });

    // The language of every window; after it, the message texts below are in that language.
    RunReported(form, [&] { languages.LoadLanguage(); });
    RunReported(form, [&] { languages.CleanLanguageFiles(); });
    RunReported(form, [&] { languages.TranslateAllWindows(); });
    for (CatalogueTab* tab : tabs.All())
        if (tab->ShowsTranslatedTexts())
            RunReported(form, [tab] { tab->Rebuild(); });

    if (!IsWindows10Or11(osVersion)) {
        MessageBoxW(nullptr, Widen(form.LangText("LangOnlyWindows")).c_str(), Widen(form.LangText("LangError")).c_str(),
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    form.Show(settings.ShowCommand(showCommand));
    return RunMessageLoop(form);
}
