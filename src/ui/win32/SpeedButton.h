// A flat speed button: a text button without focus that can stay pressed ("down"),
// with a hand cursor. A click reaches the parent as WM_COMMAND with BN_CLICKED.
#pragma once

#include <windows.h>

#include <string>

#include "appearance/ThemePalette.h"

namespace kestrova {

class SpeedButton {
public:
    SpeedButton() = default;
    SpeedButton(const SpeedButton&) = delete;
    SpeedButton& operator=(const SpeedButton&) = delete;

    void Create(HWND parent, int commandId);
    HWND Handle() const { return hwnd_; }

    bool Down() const { return down_; }
    void SetDown(bool down);
    // With AllowAllUp on, the button may be up; the owner decides what a click does.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp) { allowAllUp_ = allowAllUp; }

    void SetCaption(const std::wstring& caption);
    void SetFont(HFONT font);
    // Flat, in the palette's colours; without a palette the button has the system's look.
    void SetPalette(const ThemePalette* palette);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Click();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    const ThemePalette* palette_ = nullptr;
    bool down_ = false;
    bool allowAllUp_ = true;
    bool hot_ = false;
};

}  // namespace kestrova
