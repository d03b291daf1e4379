#include "ui/win32/PageControl.h"

#include <commctrl.h>

#include "ui/win32/Dpi.h"
#include "ui/win32/FormWindow.h"

namespace kestrova {

void PageControl::Create(HWND parent, DWORD extraStyle, UINT dpi)
{
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | extraStyle, 0, 0, 0, 0,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetDpi(dpi);
}

void PageControl::SetDpi(UINT dpi)
{
    // The tab control's own padding is fixed in pixels at 96 DPI; scaled, the tabs keep
    // their proportions around a larger text.
    constexpr int kHorizontalPadding96 = 6;
    constexpr int kVerticalPadding96 = 3;
    SendMessageW(tabs_, TCM_SETPADDING, 0,
                 MAKELPARAM(ScaleForDpi(kHorizontalPadding96, dpi), ScaleForDpi(kVerticalPadding96, dpi)));
}

HWND PageControl::AddSheet(const std::wstring& caption)
{
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    auto index = static_cast<int>(sheets_.size());
    SendMessageW(tabs_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    HWND sheet = CreateContainer(GetParent(tabs_));
    SetWindowPos(sheet, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    sheets_.push_back(sheet);
    ShowSelectedSheet();
    return sheet;
}

void PageControl::SetSheetCaption(int index, const std::wstring& caption)
{
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(tabs_, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

int PageControl::ActivePageIndex() const
{
    return static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActivePageIndex(int index)
{
    SendMessageW(tabs_, TCM_SETCURSEL, index, 0);
    ShowSelectedSheet();
}

void PageControl::ShowSelectedSheet()
{
    int active = ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i)
        ShowWindow(sheets_[static_cast<std::size_t>(i)], i == active ? SW_SHOW : SW_HIDE);
}

void PageControl::SetBounds(const RECT& bounds)
{
    MoveWindow(tabs_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
    RECT display = bounds;
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND sheet : sheets_)
        MoveWindow(sheet, display.left, display.top, display.right - display.left,
                   display.bottom - display.top, TRUE);
}

}  // namespace kestrova
