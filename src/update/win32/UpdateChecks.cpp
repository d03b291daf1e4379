// The update window's checks: the one at start-up and the one at every showing, each on a
// worker thread whose result step runs on the window's thread; and the quick start that
// an accepted offer leads to.
#include "update/win32/UpdateWindow.h"

#include <memory>
#include <thread>

#include "product/ProductNames.h"
#include "ui/win32/GuiThreadCall.h"
#include "ui/win32/ModalLoop.h"
#include "ui/win32/YesNoQuestion.h"
#include "update/CheckOutcome.h"

namespace kestrova {

UpdateTextFunction UpdateWindow::Texts() const
{
    return [this](std::string_view item) { return LangText(item); };
}

void UpdateWindow::RunCheck(std::function<void(const std::optional<ServerRelease>&, const std::string&)> result)
{
    // The worker owns copies of all it uses: the program may end while it waits for the
    // network, and it then only finds that the window has gone.
    std::thread([source = source_, portable = program_.portable, window = Handle(), result = std::move(result)] {
        std::optional<ServerRelease> release;
        std::string localVersion;
        try {
            localVersion = source.localVersion();
            release = source.fetchServerVersion(portable);
        } catch (const std::exception&) {
            release.reset();
        }
        RunOnWindowThread(window, [&] { result(release, localVersion); });
    }).detach();
}

void UpdateWindow::CheckForUpdatesInBackground()
{
    RunCheck([this](const std::optional<ServerRelease>& release, const std::string& localVersion) {
        StartupCheckResult(release, localVersion);
    });
}

void UpdateWindow::StartupCheckResult(const std::optional<ServerRelease>& release, const std::string& localVersion)
{
    // Written here on the GUI thread rather than by the worker, so that nothing races
    // with the window check or the quick start, which use the same state.
    state_.FoundServerVersion = release ? release->version : "";
    state_.FoundDownloadUrl = release ? release->downloadUrl : "";
    const CheckDisplay display = DisplayCheckResult(release, localVersion, Texts());
    state_.UpdateAvailable = display.updateAvailable;
    SetLabel("LabelUpDate", display.status);
    SetLabel("LabelServerVersion", display.serverLabel);
    if (!display.updateAvailable || state_.FoundDownloadUrl.empty())
        return;
    if (program_.updates.autoUpdate ||
        AskYesNo(IsWindowVisible(owner_) ? owner_ : nullptr,
                 UpdateQuestionText(Texts(),
                                    state_.FoundServerVersion),
                 kApplicationTitle, LangText("LangYes"), LangText("LangNo")))
        ShowForFoundUpdate();
}

void UpdateWindow::StartWindowCheck()
{
    RunCheck([this](const std::optional<ServerRelease>& release, const std::string& localVersion) {
        WindowCheckResult(release, localVersion);
    });
}

void UpdateWindow::WindowCheckResult(const std::optional<ServerRelease>& release, const std::string& localVersion)
{
    const CheckDisplay display = DisplayCheckResult(release, localVersion, Texts());
    if (release) {
        state_.FoundServerVersion = release->version;
        state_.DownloadUrl = release->downloadUrl;
        state_.ServerVersion = release->version;
    } else {
        state_.DownloadUrl.clear();
        state_.ServerVersion.clear();
    }
    // A download still running keeps its Cancel button.
    if (!download_) {
        SetEnabled("ButtonDownload", display.updateAvailable);
        SetDownloadState(0);
        SetOptionsEnabled(true);
    }
    // The status line last: once it changes, the whole result is in place.
    SetLabel("LabelServerVersion", display.serverLabel);
    SetLabel("LabelUpDate", display.status);
}

void UpdateWindow::ShowForFoundUpdate()
{
    state_.DownloadUrl = state_.FoundDownloadUrl;
    state_.ServerVersion = state_.FoundServerVersion;
    state_.QuickStartPending = true;
    if (!modal_.Running()) {
        ShowModal();
        return;
    }
    // Already open: bring it forward and start the download there.
    state_.QuickStartPending = false;
    SetForegroundWindow(Handle());
    DownloadFoundUpdate();
}

void UpdateWindow::DownloadFoundUpdate()
{
    state_.DownloadUrl = state_.FoundDownloadUrl;
    state_.ServerVersion = state_.FoundServerVersion;
    SetLabel("LabelUpDate", AvailableUpdateText(Texts(),
                                                source_.localVersion(), state_.ServerVersion));
    SetLabel("LabelServerVersion", state_.FoundServerVersion);
    ProcessPendingMessages();
    // The download runs on this thread once the window has painted; a worker only waits for it.
    std::thread([window = Handle(), this] {
        RunOnWindowThread(window, [this] {
            try {
                ButtonDownloadClick();
            } catch (const std::exception&) {
                // A failed quick start leaves the window as the download left it.
            }
        });
    }).detach();
}

}  // namespace kestrova
