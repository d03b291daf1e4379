// A status bar with fixed-width panels from the component model; a right-aligned
// panel shows its text against its right edge.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/ComponentModel.h"

namespace kestrova {

class StatusBar {
public:
    void Create(HWND parent, const Component& model, UINT dpi);
    HWND Handle() const { return hwnd_; }

    void ApplyPanels(const Component& model);
    void SetDpi(UINT dpi);
    std::wstring PanelText(int index) const;  // as shown, without alignment marks

private:
    void SetParts();

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<StatusPanel> panels_;
};

}  // namespace kestrova
