// A page control: a tab strip whose tabs each show one tab sheet (a container window).
// Sheets are siblings laid over the strip's display area; one is visible at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrova {

class PageControl {
public:
    void Create(HWND parent, DWORD extraStyle, UINT dpi);
    // Sizes the tabs' padding for `dpi`; their text follows the font set afterwards.
    void SetDpi(UINT dpi);
    HWND Handle() const { return tabs_; }

    // Adds a page at the end; returns its sheet, the parent of the page's controls.
    HWND AddSheet(const std::wstring& caption);
    HWND Sheet(int index) const { return sheets_.at(static_cast<std::size_t>(index)); }
    int PageCount() const { return static_cast<int>(sheets_.size()); }
    void SetSheetCaption(int index, const std::wstring& caption);

    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // Shows the sheet of the selected tab; call on TCN_SELCHANGE.
    void ShowSelectedSheet();

    // Places the strip and fits every sheet into its display area.
    void SetBounds(const RECT& bounds);

private:
    HWND tabs_ = nullptr;
    std::vector<HWND> sheets_;
};

}  // namespace kestrova
