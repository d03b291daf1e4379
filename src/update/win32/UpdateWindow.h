// The update window (component model name "Form10"): the local and the server's version,
// the status line, the progress bar, the three update options and the Download and Close
// buttons. It checks the server at every showing and, when asked to, once at start-up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "appearance/win32/AppStyle.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "settings/ProgramState.h"
#include "settings/SettingsFile.h"
#include "ui/ComponentModel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/ModalLoop.h"
#include "ui/win32/TaskbarProgress.h"
#include "update/CheckOutcome.h"
#include "update/UpdateServer.h"
#include "update/win32/UpdateDownload.h"

namespace kestrova {

// The network side of a check. Both run on a worker thread, so they must own everything
// they use: the window and everything else may be gone by the time they return.
struct UpdateCheckSource {
    std::function<std::optional<ServerRelease>(bool portableMode)> fetchServerVersion;
    std::function<std::string()> localVersion;  // the running executable's version
};

// The real update server through WinHTTP and the user's proxy, and this executable's version.
UpdateCheckSource SystemUpdateCheckSource();

// What the rest of the program does when an update is about to replace it.
class UpdateHandOver {
public:
    virtual ~UpdateHandOver() = default;
    virtual void SaveOptions() = 0;  // writes the main window's options
    virtual void EndProgram() = 0;   // closes the main window, which ends the program
};

// What downloading and installing an update needs from the rest of the program.
struct UpdateInstallation {
    FileSystem* files = nullptr;
    Shell* shell = nullptr;
    UpdateHandOver* handOver = nullptr;
    // The program's folder, which a portable update replaces.
    std::string programFolder;           // ending with a backslash
    std::string executablePath;
};

// State the check, the window and the download share; touched on the GUI thread only.
struct UpdateState {
    std::string DownloadUrl;         // what the Download button fetches
    std::string ServerVersion;       // the version that belongs to DownloadUrl
    std::string FoundServerVersion;  // found by the latest check
    std::string FoundDownloadUrl;    // found by the start-up check
    bool QuickStartPending = false;  // the next showing downloads at once
    bool UpdateAvailable = false;    // the start-up check found a newer version
};

// A control's id is this plus its component's index in the window's model, so that it
// can be found from outside the process too.
inline constexpr int kUpdateWindowFirstControlId = 1000;

// Posted to the window by a running download that has news.
inline constexpr UINT kDownloadNews = WM_APP + 0x444C;

class UpdateWindow : public FormWindow, private ModelObserver, public StyledWindow {
public:
    // Creates the window, hidden. `owner` is the window the start-up question belongs to
    // while it is visible; `reportError` is the application's general error report.
    UpdateWindow(UpdateCheckSource source, const SettingsFile& settings, ProgramState& state, HWND owner,
                 std::function<void(const std::string&)> reportError, UpdateInstallation installation = {});
    ~UpdateWindow() override;

    WindowModel& Model() { return model_; }
    const WindowModel& Model() const { return model_; }
    // The caption of a hidden Lang... item: a message text in the current language.
    std::string LangText(std::string_view itemName) const;
    const UpdateState& State() const { return state_; }

    // Loads the two stored options and starts the start-up check when it is wanted.
    void LoadOptionsAtStart();
    // Shows the window modally (the thread's other windows disabled meanwhile) and returns
    // once it has closed.
    void ShowModal();
    void Close();
    bool QuickUpdateChecked() const { return Checked("CheckBoxQuickUpdate"); }

    // The Download button's state: 0 Download, 1 Cancel (a download runs). It is kept in
    // the button's user data, so that it can be read from outside the process too.
    int DownloadState() const;

    HWND StyledHandle() const override { return Handle(); }
    void ApplyStyle(const ThemePalette& palette) override;

    // The control of a component (null for one that has none).
    HWND Control(std::string_view name) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;
    void ReportUncaughtError(const std::exception& error) override { reportError_(error.what()); }

private:
    void CaptionChanged(const std::string& caption) override;
    void ComponentChanged(const Component& component) override;

    // Layout: the controls from the model, fonts, placement and colours.
    void CreateComponents();
    void ApplyFonts();
    void LayoutControls();
    LRESULT ColourStatic(HDC dc, HWND control);

    // Events.
    void BeforeShowing();
    void FormClose();
    // The check boxes as the program state has the options.
    void ShowUpdateOptions();
    void HandleCommand(int id);
    void Run(Command command);
    void LoadSettings();
    void SaveSettings() const;

    // The checks and what they lead to.
    UpdateTextFunction Texts() const;
    void CheckForUpdatesInBackground();
    void StartupCheckResult(const std::optional<ServerRelease>& release, const std::string& localVersion);
    void StartWindowCheck();
    void WindowCheckResult(const std::optional<ServerRelease>& release, const std::string& localVersion);
    void ShowForFoundUpdate();
    void DownloadFoundUpdate();
    // The download and what follows it.
    void ButtonDownloadClick();
    // Starts downloading the file at `server` into its place, on a worker.
    void UpdateApp(const std::string& server);
    void CancelDownload();
    void SetDownloadState(int state);
    // The window while a download runs (Cancel, bar shown, Close and options off) or not.
    void ShowDownloadRunning(bool running);
    // What a running download's news means: its response began (with the size it
    // announced), so many bytes arrived, it ended.
    void DownloadNews();
    void WorkBegin(std::int64_t announced);
    void Work(std::int64_t received);
    void WorkEnd();
    void DownloadFinished(const DownloadProgress& progress);
    void InstallDownloaded(const std::string& savedPath);
    void SimplePortableUpdate(const std::string& zipInAppDir, const std::string& currentExePath);
    // Starts what replaces or updates the program; saves the options first when the program
    // is to end, and ends it once the start succeeded. A failed start is reported.
    void StartForUpdate(const std::string& file, const std::string& parameters, int showCommand, bool endsProgram);
    void SetOptionsEnabled(bool enabled);

    // Asks the server on a worker thread, which then hands `result` the answer and the local
    // version on this window's thread and waits for it.
    void RunCheck(std::function<void(const std::optional<ServerRelease>&, const std::string&)> result);

    int ControlId(std::string_view name) const;
    const Component* ComponentOfId(int id) const;
    bool ShowsHandCursor(HWND control) const;
    bool Checked(std::string_view name) const;
    void SetChecked(std::string_view name, bool checked);
    void SetEnabled(std::string_view name, bool enabled);
    void SetLabel(std::string_view name, const std::string& text);

    WindowModel model_;
    UpdateCheckSource source_;
    const SettingsFile& settings_;
    ProgramState& program_;  // portable mode; the quick-update choice is kept here
    HWND owner_;
    std::function<void(const std::string&)> reportError_;
    UpdateState state_;
    ModalLoop modal_;
    UpdateInstallation installation_;
    std::shared_ptr<UpdateDownload> download_;  // the running download, if any
    std::int64_t bytesPerPercent_ = 0;
    std::int64_t shownBytes_ = -1;  // the received count the bar last showed
    TaskbarProgress taskbar_;

    std::map<std::string, HWND, std::less<>> controls_;
    Font font_;
    Font boldFont_;
    const ThemePalette* palette_ = nullptr;
    HBRUSH pageBrush_ = nullptr;
};

}  // namespace kestrova
