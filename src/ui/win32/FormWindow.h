// A top-level window object: owns its HWND, routes messages to a virtual handler,
// and knows its DPI. Also the plain container window that tab sheets are made of.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace kestrova {

class FormWindow {
public:
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    UINT Dpi() const { return dpi_; }
    int Scale(int value96) const;

protected:
    FormWindow() = default;

    // Creates the hidden window with a client area of the given size at 96 DPI,
    // scaled to the DPI of the monitor it lands on, and centred on the desktop.
    void CreateTopLevel(const std::wstring& title, int clientWidth96, int clientHeight96, DWORD style,
                        DWORD exStyle);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when the window moves to a monitor of another DPI, after its new rectangle is set.
    virtual void DpiChanged() {}
    // An error that a message handler let through; it must not unwind into Windows.
    virtual void ReportUncaughtError(const std::exception& error) = 0;
    void CenterOnDesktop();
    // Asks for rounded window corners where the system offers them (Windows 11).
    void RequestRoundedCorners();
    // Destroys the window without its messages reaching this object; a derived window
    // calls it first in its destructor, while its controls' owners still exist.
    void DestroyHandle();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
};

// A plain child window used as a container (a tab sheet). It hands the notifications,
// commands and context-menu requests of its children on to its top-level window, where
// the handlers live.
HWND CreateContainer(HWND parent);

}  // namespace kestrova
