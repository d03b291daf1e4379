#include "app/MainWindowSettings.h"

namespace kestrova {

namespace {

WINDOWPLACEMENT PlacementOf(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement;
}

// The window's outer rectangle; for a minimised window the one it is restored to, as the
// icon's rectangle is no size to remember.
RECT OuterRect(HWND window)
{
    if (IsIconic(window))
        return PlacementOf(window).rcNormalPosition;
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

void MainWindowSettings::Load() { LoadSettings(file_, *this, state_); }

void MainWindowSettings::Save() { SaveSettings(file_, *this, state_); }

int MainWindowSettings::ShowCommand(int requested) const { return maximizeOnShow_ ? SW_SHOWMAXIMIZED : requested; }

bool MainWindowSettings::IsMaximized() const
{
    HWND window = form_.Handle();
    if (!IsWindowVisible(window))
        return maximizeOnShow_;
    if (IsIconic(window))  // minimised from the maximised state, it comes back maximised
        return (PlacementOf(window).flags & WPF_RESTORETOMAXIMIZED) != 0;
    return IsZoomed(window) != 0;
}

void MainWindowSettings::Maximize()
{
    // Showing the window maximised now would show it before its creation has finished.
    if (IsWindowVisible(form_.Handle()))
        ShowWindow(form_.Handle(), SW_MAXIMIZE);
    else
        maximizeOnShow_ = true;
}

int MainWindowSettings::OuterHeight() const
{
    const RECT rect = OuterRect(form_.Handle());
    return rect.bottom - rect.top;
}

int MainWindowSettings::OuterWidth() const
{
    const RECT rect = OuterRect(form_.Handle());
    return rect.right - rect.left;
}

void MainWindowSettings::SetOuterHeight(int height) { Resize(OuterWidth(), height); }

void MainWindowSettings::SetOuterWidth(int width) { Resize(width, OuterHeight()); }

void MainWindowSettings::Resize(int width, int height)
{
    const RECT rect = OuterRect(form_.Handle());
    const int left = rect.left - (width - (rect.right - rect.left)) / 2;
    const int top = rect.top - (height - (rect.bottom - rect.top)) / 2;
    SetWindowPos(form_.Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT MainWindowSettings::MinimumOuterSize() const
{
    // The window's own answer, so the limit is the one it enforces at its current DPI.
    MINMAXINFO limits{};
    SendMessageW(form_.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    return limits.ptMinTrackSize;
}

int MainWindowSettings::MinimumOuterHeight() const { return MinimumOuterSize().y; }

int MainWindowSettings::MinimumOuterWidth() const { return MinimumOuterSize().x; }

}  // namespace kestrova
