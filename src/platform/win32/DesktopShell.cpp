#include "platform/win32/DesktopShell.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

namespace kestrova {

namespace {

// Releases a COM interface when it goes.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface** Receive() { return &pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

// The desktop's folder view as a shell automation object, whose ShellExecute runs in the
// desktop's process.
bool DesktopShellDispatch(ComPointer<IShellDispatch2>& shell)
{
    ComPointer<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.ReceiveVoid())))
        return false;
    VARIANT location{};
    VARIANT root{};
    VariantInit(&location);
    VariantInit(&root);
    long window = 0;
    ComPointer<IDispatch> desktop;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.Receive()) != S_OK ||
        !desktop)
        return false;
    ComPointer<IServiceProvider> services;
    ComPointer<IShellBrowser> browser;
    ComPointer<IShellView> view;
    ComPointer<IDispatch> background;
    ComPointer<IShellFolderViewDual> folderView;
    ComPointer<IDispatch> application;
    return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.ReceiveVoid())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.ReceiveVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Receive())) &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.ReceiveVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Receive())) && application &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.ReceiveVoid()));
}

}  // namespace

bool OpenThroughDesktopShell(const std::wstring& target)
{
    ComPointer<IShellDispatch2> shell;
    if (!DesktopShellDispatch(shell))
        return false;
    BSTR file = SysAllocString(target.c_str());
    if (!file)
        return false;
    VARIANT none{};
    VariantInit(&none);
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT result = shell->ShellExecute(file, none, none, none, show);
    SysFreeString(file);
    return SUCCEEDED(result);
}

bool IsProcessElevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return true;  // unknown counts as elevated: nothing is started with rights we may have
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL known = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return !known || elevation.TokenIsElevated != 0;
}

}  // namespace kestrova
