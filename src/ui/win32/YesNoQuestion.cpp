#include "ui/win32/YesNoQuestion.h"

#include <commctrl.h>

#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Only version 6 of the common controls has task dialogs; a process without the manifest
// that asks for it has none to offer.
TaskDialogIndirectFunction FindTaskDialog()
{
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    return controls ? reinterpret_cast<TaskDialogIndirectFunction>(
                          reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")))
                    : nullptr;
}

}  // namespace

bool AskYesNo(HWND owner, const std::string& text, const std::string& title, const std::string& yes,
              const std::string& no)
{
    const std::wstring wideText = Widen(text);
    const std::wstring wideTitle = Widen(title);
    const TaskDialogIndirectFunction taskDialog = FindTaskDialog();
    if (!taskDialog)
        return MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES;

    const std::wstring wideYes = Widen(yes);
    const std::wstring wideNo = Widen(no);
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, wideYes.c_str()}, {IDNO, wideNo.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    // Without a cancel button the close box would be missing; closing the box is No.
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    config.pszWindowTitle = wideTitle.c_str();
    config.pszMainIcon = TD_INFORMATION_ICON;
    config.pszContent = wideText.c_str();
    config.cButtons = 2;
    config.pButtons = buttons;
    config.nDefaultButton = IDYES;
    int chosen = IDNO;
    if (FAILED(taskDialog(&config, &chosen, nullptr, nullptr)))
        return false;
    return chosen == IDYES;
}

}  // namespace kestrova
