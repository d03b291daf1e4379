// The update window's Download and Cancel: the download runs on a worker (UpdateDownload)
// while this thread shows its progress and stays free for the user; once the file's
// signature holds, the installer is started or the portable archive put to use.
#include "update/win32/UpdateWindow.h"

#include <commctrl.h>

#include <ctime>
#include <optional>

#include "settings/LanguageName.h"
#include "platform/CodePage.h"
#include "platform/PathNames.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"
#include "product/ProductNames.h"
#include "update/DownloadNames.h"
#include "update/DownloadProgress.h"
#include "update/InstallerCommand.h"
#include "update/PortableUpdateScript.h"
#include "update/win32/DownloadFile.h"
#include "update/win32/UpdateFolder.h"

namespace kestrova {

namespace {

using namespace std::chrono_literals;

// GetSystemDirectoryW, ending with a backslash.
std::string SystemFolder()
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Narrow(std::wstring(folder, length)) + "\\" : std::string();
}

// While it lives, the programs this process starts inherit `folder` as their temporary
// folder (TMP and TEMP); afterwards this process has its own again.
class InheritedTemporaryFolder {
public:
    explicit InheritedTemporaryFolder(const std::wstring& folder)
    {
        for (Variable& variable : variables_) {
            if (const DWORD size = GetEnvironmentVariableW(variable.name, nullptr, 0)) {
                std::wstring value(size, L'\0');
                value.resize(GetEnvironmentVariableW(variable.name, value.data(), size));
                variable.old = std::move(value);
            }
            SetEnvironmentVariableW(variable.name, folder.c_str());
        }
    }
    ~InheritedTemporaryFolder()
    {
        for (const Variable& variable : variables_)
            SetEnvironmentVariableW(variable.name, variable.old ? variable.old->c_str() : nullptr);
    }
    InheritedTemporaryFolder(const InheritedTemporaryFolder&) = delete;
    InheritedTemporaryFolder& operator=(const InheritedTemporaryFolder&) = delete;

private:
    struct Variable {
        const wchar_t* name;
        std::optional<std::wstring> old;
    };
    Variable variables_[2] = {{L"TMP", std::nullopt}, {L"TEMP", std::nullopt}};
};

}  // namespace

int UpdateWindow::DownloadState() const
{
    return static_cast<int>(GetWindowLongPtrW(Control("ButtonDownload"), GWLP_USERDATA));
}

void UpdateWindow::SetDownloadState(int state)
{
    SetWindowLongPtrW(Control("ButtonDownload"), GWLP_USERDATA, state);
}

void UpdateWindow::ButtonDownloadClick()
{
    if (DownloadState() == 0)
        UpdateApp(state_.DownloadUrl);
    else if (DownloadState() == 1)
        CancelDownload();
}

void UpdateWindow::UpdateApp(const std::string& server)
{
    const std::string fileName = FileNameFromUrl(server);
    if (fileName.empty() || !installation_.files) {
        // Nothing to fetch (no check has found a release): say so rather than wait for ever.
        SetLabel("LabelUpDate", LangText("LangNoDownload"));
        return;
    }
    DownloadOrder order;
    order.url = server;
    order.fileName = fileName;
    order.version = state_.ServerVersion;
    // What will be started is saved where only administrators can write; an archive the
    // user unpacks by hand, beside the program.
    try {
        order.folder = !program_.portable || QuickUpdateChecked() ? PrepareUpdateFolder()
                                                                  : Widen(installation_.programFolder);
    } catch (const std::exception& error) {
        SetLabel("LabelUpDate", LangText("LangNoDownload"));
        reportError_(error.what());
        return;
    }
    Win32Registry registry;
    order.options = DownloadClientOptions(registry);
    order.key = BuiltInUpdateKey();
    bytesPerPercent_ = 0;
    shownBytes_ = -1;
    ShowDownloadRunning(true);
    download_ = UpdateDownload::Start(std::move(order), Handle(), kDownloadNews);
}

void UpdateWindow::ShowDownloadRunning(bool running)
{
    SetDownloadState(running ? 1 : 0);
    SetLabel("ButtonDownload", LangText(running ? "LangCancel" : "LangDownload"));
    SetEnabled("ButtonClose", !running);
    HWND progress = Control("ProgressBarUpdate");
    SendMessageW(progress, PBM_SETPOS, 0, 0);
    ShowWindow(progress, running ? SW_SHOW : SW_HIDE);
    SetOptionsEnabled(!running);
    taskbar_.SetNone(Handle());
}

void UpdateWindow::SetOptionsEnabled(bool enabled)
{
    SetEnabled("GroupBoxOption", enabled);
    SetEnabled("CheckBoxQuickUpdate", enabled);
    SetEnabled("CheckBoxAutoCheck", enabled);
    SetEnabled("CheckBoxAutoUpdate", enabled && program_.updates.autoCheck);
}

void UpdateWindow::CancelDownload()
{
    if (download_) {
        download_->Cancel();
        download_.reset();
    }
    // The status first: once the button reads Download again, the outcome is shown.
    SetLabel("LabelUpDate", LangText("LangNoDownload"));
    ShowDownloadRunning(false);
    // A file of the download's name left in the update folder goes too.
    if (installation_.files) {
        const std::string fileName = FileNameFromUrl(state_.DownloadUrl);
        const std::wstring folder = UpdateFolderPath();
        if (!fileName.empty() && !folder.empty())
            installation_.files->RemoveFile(Narrow(folder) + fileName);
    }
}

void UpdateWindow::DownloadNews()
{
    if (!download_)
        return;  // news of a cancelled download
    const DownloadProgress progress = download_->Progress();
    if (progress.begun && shownBytes_ < 0)
        WorkBegin(progress.announced);
    if (progress.received != shownBytes_)
        Work(progress.received);
    if (progress.outcome != DownloadOutcome::Running) {
        WorkEnd();
        DownloadFinished(progress);
    }
}

void UpdateWindow::WorkBegin(std::int64_t announced)
{
    bytesPerPercent_ = BytesPerPercent(announced);
    shownBytes_ = 0;
}

void UpdateWindow::Work(std::int64_t received)
{
    // Without a size there is nothing to show.
    if (bytesPerPercent_ <= 0)
        return;
    shownBytes_ = received;
    HWND bar = Control("ProgressBarUpdate");
    SendMessageW(bar, PBM_SETPOS, ProgressPosition(received, bytesPerPercent_), 0);
    taskbar_.SetNormal(Handle());
    taskbar_.SetValue(Handle(), static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)), 100);
}

void UpdateWindow::WorkEnd() { taskbar_.SetNone(Handle()); }

void UpdateWindow::DownloadFinished(const DownloadProgress& progress)
{
    const std::shared_ptr<UpdateDownload> download = std::move(download_);
    if (progress.outcome == DownloadOutcome::Rejected) {
        ShowDownloadRunning(false);
        SetLabel("LabelUpDate", LangText("LangUpdateRejected"));
        return;
    }
    if (progress.outcome == DownloadOutcome::Verified) {
        try {
            download->Commit();
        } catch (const std::exception& error) {
            ShowDownloadRunning(false);
            SetLabel("LabelUpDate", LangText("LangNoDownload"));
            reportError_(error.what());
            return;
        }
        SetLabel("LabelUpDate", LangText("LangDownloadComplet"));
        InstallDownloaded(Narrow(download->SavedPath()));
    } else {
        SetLabel("LabelUpDate", LangText("LangNoDownload"));
    }
    ShowDownloadRunning(false);
}

void UpdateWindow::InstallDownloaded(const std::string& savedPath)
{
    const bool quick = QuickUpdateChecked();
    if (!program_.portable) {
        // Only a plain language name reaches the installer's command line.
        const std::string language = IsLanguageName(program_.language) ? program_.language : std::string();
        // The installer unpacks its plug-ins into its temporary folder and loads them
        // elevated: that is the admin-only folder it lies in, not the user's.
        const InheritedTemporaryFolder temporary(Widen(FolderWithSeparator(savedPath)));
        StartForUpdate(savedPath, quick ? QuickInstallParameters(language) : "", show::Normal, quick);
        return;
    }
    if (quick)
        SimplePortableUpdate(savedPath, installation_.executablePath);
}

void UpdateWindow::SimplePortableUpdate(const std::string& zipInAppDir, const std::string& currentExePath)
{
    PortableUpdate update;
    update.programFolder = ParentPath(currentExePath) + "\\";
    update.exeName = LastName(currentExePath, "\\/");
    update.archivePath = zipInAppDir;
    update.systemFolder = SystemFolder();
    update.processId = GetCurrentProcessId();
    const std::optional<std::string> script = PortableUpdateScriptFile(update, OemCodePage());
    if (!script || update.systemFolder.empty()) {
        reportError_("The update script cannot name the program folder " + update.programFolder +
                     " in the console's code page, so the update was not started. The verified archive " +
                     zipInAppDir + " is kept; unpack it over the program folder once the program has ended.");
        return;
    }
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    // Beside the archive, in the admin-only update folder, written as a new file: cmd reads
    // the script again while it runs.
    const std::string scriptFolder = FolderWithSeparator(zipInAppDir);
    std::string scriptPath;
    try {
        DownloadFile file(Widen(scriptFolder), Widen(UpdateScriptFileName(local.tm_hour, local.tm_min, local.tm_sec)));
        file.Write(script->data(), script->size());
        file.Commit();
        scriptPath = Narrow(file.FinalPath());
    } catch (const std::exception&) {
        MessageBoxW(nullptr, L"Failed to create update script!", Widen(kApplicationTitle).c_str(), MB_OK);
        return;
    }
    StartForUpdate(update.systemFolder + "cmd.exe", PortableUpdateScriptParameters(scriptPath), show::Hide, true);
}

void UpdateWindow::StartForUpdate(const std::string& file, const std::string& parameters, int showCommand,
                                  bool endsProgram)
{
    // What replaces the program gets the program's options as they are now.
    if (endsProgram) {
        SaveSettings();
        if (installation_.handOver)
            installation_.handOver->SaveOptions();
    }
    if (!installation_.shell || !installation_.shell->Open(0, file, parameters, "", showCommand)) {
        reportError_("Cannot start " + file + (parameters.empty() ? "" : " " + parameters) + ".");
        return;
    }
    if (endsProgram && installation_.handOver)
        installation_.handOver->EndProgram();
}

}  // namespace kestrova
