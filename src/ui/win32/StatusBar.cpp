#include "ui/win32/StatusBar.h"

#include <commctrl.h>

#include "platform/win32/WideString.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

void StatusBar::Create(HWND parent, const Component& model, UINT dpi)
{
    // Placed by the window like any control, not docked by the status bar itself.
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NORESIZE | CCS_NOPARENTALIGN,
                            0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    dpi_ = dpi;
    SetParts();
    ApplyPanels(model);
}

void StatusBar::ApplyPanels(const Component& model)
{
    panels_ = model.panels;
    SetParts();
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        // Two tabs ahead of a part's text align it to the right.
        std::wstring text = (panels_[i].alignRight ? L"\t\t" : L"") + Widen(panels_[i].text);
        SendMessageW(hwnd_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void StatusBar::SetDpi(UINT dpi)
{
    dpi_ = dpi;
    SetParts();
}

void StatusBar::SetParts()
{
    std::vector<int> rightEdges;
    int edge = 0;
    for (const StatusPanel& panel : panels_) {
        edge += ScaleForDpi(panel.width, dpi_);
        rightEdges.push_back(edge);
    }
    if (!rightEdges.empty())
        SendMessageW(hwnd_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

std::wstring StatusBar::PanelText(int index) const
{
    auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, index, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    text.erase(0, text.find_first_not_of(L'\t'));
    return text;
}

}  // namespace kestrova
