// A flat speed button: a text button without focus that can stay pressed ("down"),
// with a hand cursor. A click reaches the parent as WM_COMMAND with BN_CLICKED.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kestrova {

// The colours of a flat speed button in each of its states.
struct SpeedButtonColours {
    COLORREF face;
    COLORREF hot;   // under the mouse
    COLORREF down;  // while it is down
    COLORREF text;
};

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
    // Flat, in these colours; without them the button has the system's look.
    void SetColours(std::optional<SpeedButtonColours> colours);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Click();

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::optional<SpeedButtonColours> colours_;
    bool down_ = false;
    bool allowAllUp_ = true;
    bool hot_ = false;
};

}  // namespace kestrova
