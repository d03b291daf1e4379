// The update window's life: creation, its texts on screen, the modal showing and its
// events, and the two stored options.
#include "update/win32/UpdateWindow.h"

#include "platform/FileInfoUtils.h"
#include "platform/win32/ExecutablePath.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32VersionInfo.h"
#include "update/UpdateWindowComponents.h"
#include "ui/win32/GuiThreadCall.h"
#include "update/UpdateOptions.h"
#include "update/win32/WinHttpClient.h"

namespace kestrova {

UpdateCheckSource SystemUpdateCheckSource()
{
    return {
        [](bool portableMode) {
            Win32Registry registry;
            const WinHttpClientFactory clients;
            return FetchServerVersion(registry, clients, portableMode);
        },
        [exe = ExecutablePath()] {
            const Win32VersionInfo versionInfo;
            return GetFileVersion(versionInfo, exe);
        },
    };
}

UpdateWindow::UpdateWindow(UpdateCheckSource source, const SettingsFile& settings, ProgramState& state, HWND owner,
                           std::function<void(const std::string&)> reportError, UpdateInstallation installation)
    : model_(BuildUpdateWindowComponents()), source_(std::move(source)), settings_(settings), program_(state),
      owner_(owner), reportError_(std::move(reportError)), installation_(std::move(installation))
{
    CreateComponents();
    ApplyFonts();
    LayoutControls();
    model_.SetObserver(this);
    program_.quickUpdate = QuickUpdateChecked();
}

UpdateWindow::~UpdateWindow()
{
    model_.SetObserver(nullptr);
    DestroyHandle();
    if (pageBrush_)
        DeleteObject(pageBrush_);
}

std::string UpdateWindow::LangText(std::string_view itemName) const
{
    return model_.Get(itemName).Get(TextAttribute::Caption);
}

void UpdateWindow::CaptionChanged(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void UpdateWindow::ComponentChanged(const Component& component)
{
    if (HWND control = Control(component.name))
        SetWindowTextW(control, Widen(component.Get(TextAttribute::Caption)).c_str());
}

HWND UpdateWindow::Control(std::string_view name) const
{
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

bool UpdateWindow::Checked(std::string_view name) const
{
    return SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void UpdateWindow::SetChecked(std::string_view name, bool checked)
{
    SendMessageW(Control(name), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void UpdateWindow::SetEnabled(std::string_view name, bool enabled) { EnableWindow(Control(name), enabled); }

void UpdateWindow::SetLabel(std::string_view name, const std::string& text)
{
    model_.SetText(name, TextAttribute::Caption, text);
}


void UpdateWindow::LoadOptionsAtStart() { LoadSettings(); }

void UpdateWindow::LoadSettings()
{
    UpdateOptions& options = program_.updates;
    options = LoadUpdateOptions(settings_.Open());
    options.autoUpdate = options.autoUpdate && options.autoCheck;
    ShowUpdateOptions();
    if (options.autoCheck)
        CheckForUpdatesInBackground();
}

void UpdateWindow::SaveSettings() const
{
    IniDocument document = settings_.Open();
    SaveUpdateOptions(document, program_.updates);
    settings_.Write(document);
}

void UpdateWindow::ShowUpdateOptions()
{
    SetChecked("CheckBoxAutoCheck", program_.updates.autoCheck);
    SetChecked("CheckBoxAutoUpdate", program_.updates.autoUpdate);
    SetEnabled("CheckBoxAutoUpdate", program_.updates.autoCheck);
}


void UpdateWindow::ShowModal()
{
    if (modal_.Running())
        return;
    BeforeShowing();
    modal_.Run(Handle());
}

void UpdateWindow::Close()
{
    if (!modal_.Running())
        return;
    try {
        FormClose();
    } catch (const std::exception& error) {
        reportError_(error.what());
    }
    modal_.End();
}

void UpdateWindow::BeforeShowing()
{
    SetLabel("LabelLocalVersion", source_.localVersion());
    SetLabel("LabelUpDate", LangText("LangCheckUpdate"));
    if (state_.QuickStartPending) {
        state_.QuickStartPending = false;
        DownloadFoundUpdate();
        return;
    }
    SetLabel("LabelServerVersion", "");
    StartWindowCheck();
}

void UpdateWindow::FormClose()
{
    SetLabel("LabelUpDate", "");
    SetLabel("LabelLocalVersion", "");
    SetLabel("LabelServerVersion", "");
    SaveSettings();
}

int UpdateWindow::ControlId(std::string_view name) const
{
    return kUpdateWindowFirstControlId + static_cast<int>(&model_.Get(name) - model_.Components().data());
}

const Component* UpdateWindow::ComponentOfId(int id) const
{
    const std::size_t index = static_cast<std::size_t>(id - kUpdateWindowFirstControlId);
    return index < model_.Components().size() ? &model_.Components()[index] : nullptr;
}

bool UpdateWindow::ShowsHandCursor(HWND control) const
{
    if (GetParent(control) != Handle())
        return false;
    const Component* component = ComponentOfId(GetDlgCtrlID(control));
    return component && (component->kind == ComponentKind::CheckBox || component->kind == ComponentKind::Button);
}

void UpdateWindow::HandleCommand(int id)
{
    if (const Component* component = ComponentOfId(id))
        Run(component->command);
}

void UpdateWindow::Run(Command command)
{
    switch (command) {
    case Command::SwitchAutoCheck:
        program_.updates.autoCheck = Checked("CheckBoxAutoCheck");
        // Updating at once needs the check that finds the update.
        program_.updates.autoUpdate = program_.updates.autoUpdate && program_.updates.autoCheck;
        ShowUpdateOptions();
        break;
    case Command::SwitchAutoUpdate:
        program_.updates.autoUpdate = Checked("CheckBoxAutoUpdate") && program_.updates.autoCheck;
        ShowUpdateOptions();
        break;
    case Command::SwitchQuickUpdate:
        program_.quickUpdate = QuickUpdateChecked();
        break;
    case Command::DownloadUpdate:
        ButtonDownloadClick();
        break;
    case Command::CloseWindow:
        Close();
        break;
    default:
        break;
    }
}

LRESULT UpdateWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RunHandedOverStep(message, lParam))
        return 1;
    switch (message) {
    case kDownloadNews:
        DownloadNews();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            Run(Command::CloseWindow);
        else if (LOWORD(wParam) == IDOK)
            Run(Command::DownloadUpdate);
        else if (HIWORD(wParam) == BN_CLICKED)
            HandleCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SETCURSOR:
        // Every check box and button shows the hand.
        if (LOWORD(lParam) == HTCLIENT && ShowsHandCursor(reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (palette_)
            return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_ERASEBKGND:
        if (palette_) {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, pageBrush_);
            return 1;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    default:
        return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kestrova
