// The About window with real controls: its modal showing, which re-reads the main
// window's caption and ends with Ok, Enter or Escape, only hiding the window; its links opened as the signed-in user; its
// layout at 100 % and 150 %; and the light and dark styles as shown on screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RecordingShell.h"
#include "about/AboutWindow.h"
#include "appearance/ThemePalette.h"
#include "platform/win32/WideString.h"
#include "product/ProductNames.h"
#include "ui/win32/ModalLoop.h"

namespace kestrova {
namespace {

constexpr UINT kDpi150 = 144;

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

RECT ClientRectIn(HWND control, HWND window)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

std::function<void()> pendingAction;

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    std::exchange(pendingAction, nullptr)();
}

// Runs `action` once from inside the message loop that is running when it comes due.
void RunFromLoop(std::function<void()> action)
{
    pendingAction = std::move(action);
    SetTimer(nullptr, 0, 10, RunPendingAction);
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        about = std::make_unique<AboutWindow>(shell, "© 2026 Test", [this] { return mainCaption; });
        about->reportError = [this](const std::string& message) { reported.push_back(message); };
    }
    void TearDown() override
    {
        about.reset();
        ProcessPendingMessages();
    }

    HWND Control(const char* name) const { return about->ComponentHandle(name); }

    RecordingShell shell;
    std::string mainCaption = "Kestrova 1.2.3.4 (32-bit)";
    std::vector<std::string> reported;
    std::unique_ptr<AboutWindow> about;
};

TEST_F(AboutWindowTest, ShowingIsModalReadsTheCaptionEachTimeAndOkEnterOrEscapeOnlyHides)
{
    // A visible window of the same thread, standing for the main window.
    HWND main = CreateWindowExW(0, L"Static", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    const struct {
        const char* caption;
        UINT key;  // pressed on the button; none: the button is clicked
    } cases[] = {
        {"Kestrova 1.2.3.4 (32-bit)", 0},
        {"Kestrova 1.2.3.4 (32-bit) Portable", VK_RETURN},
        {"Kestrova 1.2.3.5 (32-bit)", VK_ESCAPE},
    };
    for (const auto& [caption, key] : cases) {
        SCOPED_TRACE(caption);
        mainCaption = caption;
        bool shown = false;
        bool mainEnabled = true;
        std::wstring version;
        RunFromLoop([&] {
            shown = IsWindowVisible(about->Handle());
            mainEnabled = IsWindowEnabled(main);
            version = TextOf(Control("LabelVersion"));
            if (key)
                PostMessageW(Control("Button1"), WM_KEYDOWN, key, 0);
            else
                SendMessageW(Control("Button1"), BM_CLICK, 0, 0);
        });
        about->ShowModal();
        EXPECT_TRUE(shown);
        EXPECT_FALSE(mainEnabled) << "the other windows wait while it is shown";
        EXPECT_EQ(version, Widen(caption));
        EXPECT_FALSE(IsWindowVisible(about->Handle()));
        EXPECT_TRUE(IsWindow(about->Handle())) << "closing only hides it";
        EXPECT_TRUE(IsWindowEnabled(main));
    }
    EXPECT_EQ(TextOf(Control("LabelCopyright")), L"© 2026 Test");
    DestroyWindow(main);
}

TEST_F(AboutWindowTest, EachLinkOpensItsTargetAsTheSignedInUserWithTheHandCursor)
{
    const struct {
        const char* link;
        std::string target;
    } cases[] = {
        {"LabelTelegram", kContactTelegramUrl},
        {"LabelGMail", std::string("mailto:") + kContactFirstMail},
        {"LabelYaMail", std::string("mailto:") + kContactSecondMail},
        {"LabelMainWebSite", kContactWebSiteUrl},
    };
    shell.openSucceeds = false;  // a failure is not reported
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.link);
        shell.openedAsDesktopUser.clear();
        HWND link = Control(test.link);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(shell.openedAsDesktopUser, std::vector<std::string>{test.target}) << "as the signed-in user";
        EXPECT_TRUE(shell.opened.empty()) << "never with our administrator rights";
        SetCursor(nullptr);
        SendMessageW(about->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), hand);
        EXPECT_TRUE(FontOf(link).lfUnderline);
    }
    EXPECT_TRUE(reported.empty());
    SetCursor(nullptr);
    SendMessageW(about->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control("LabelVersion")),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand) << "plain labels are no links";
}

// What a user sees of the layout, in pixels.
struct Layout {
    RECT icon;
    std::vector<RECT> labels;  // version, copyright, the four links
    RECT button;
    LONG fontHeight;
    LONG buttonWeight;
};

Layout Measure(const AboutWindow& about)
{
    Layout layout{};
    layout.icon = ClientRectIn(about.ComponentHandle("Image1"), about.Handle());
    for (const char* label : {"LabelVersion", "LabelCopyright", "LabelTelegram", "LabelGMail", "LabelYaMail",
                              "LabelMainWebSite"})
        layout.labels.push_back(ClientRectIn(about.ComponentHandle(label), about.Handle()));
    layout.button = ClientRectIn(about.ComponentHandle("Button1"), about.Handle());
    layout.fontHeight = FontOf(about.ComponentHandle("LabelVersion")).lfHeight;
    layout.buttonWeight = FontOf(about.ComponentHandle("Button1")).lfWeight;
    return layout;
}

// The layout at 96 DPI scaled by `numerator`/2: label bands of 20 and 17 pixels from 10
// down, 4 pixels in from the sides; the button fills the 35-pixel band below the 126-pixel
// body. (The client area at another DPI is left out: Wine's frame does not follow a
// simulated DPI change.)
Layout Expected(int numerator)
{
    auto at = [numerator](int value) { return MulDiv(value, numerator, 2); };
    Layout layout{{at(12), at(14), at(12) + at(32), at(14) + at(32)}, {}, {}, at(-11), FW_BOLD};
    int top = at(10);
    for (int height : {20, 17, 17, 17, 17, 17}) {
        layout.labels.push_back({at(4), top, at(334) - at(4), top + at(height)});
        top += at(height);
    }
    layout.button = {at(4), at(126) + at(4), at(334) - at(4), at(161) - at(4)};
    return layout;
}

void ExpectSameLayout(const Layout& actual, const Layout& expected)
{
    EXPECT_TRUE(EqualRect(&actual.icon, &expected.icon));
    ASSERT_EQ(actual.labels.size(), expected.labels.size());
    for (std::size_t i = 0; i < actual.labels.size(); ++i)
        EXPECT_TRUE(EqualRect(&actual.labels[i], &expected.labels[i])) << "label " << i;
    EXPECT_TRUE(EqualRect(&actual.button, &expected.button));
    EXPECT_EQ(actual.fontHeight, expected.fontHeight);
    EXPECT_EQ(actual.buttonWeight, expected.buttonWeight);
}

TEST_F(AboutWindowTest, LayoutFollowsAMonitorAt150PercentAndComesBack)
{
    ASSERT_EQ(about->Dpi(), 96u) << "the test display runs at 96 DPI";
    RECT client{};
    GetClientRect(about->Handle(), &client);
    EXPECT_EQ(client.right, 334);
    EXPECT_EQ(client.bottom, 161);
    ExpectSameLayout(Measure(*about), Expected(2));

    for (UINT dpi : {kDpi150, 96u}) {
        RECT rect;
        GetWindowRect(about->Handle(), &rect);
        const UINT from = about->Dpi();
        RECT suggested{rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, dpi, from),
                       rect.top + MulDiv(rect.bottom - rect.top, dpi, from)};
        SendMessageW(about->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        ProcessPendingMessages();
        SCOPED_TRACE(dpi);
        ExpectSameLayout(Measure(*about), Expected(dpi == kDpi150 ? 3 : 2));
    }
}

// The colour on screen at a point of a control's client area.
COLORREF PixelOf(HWND control, int x, int y)
{
    HDC dc = GetDC(control);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return colour;
}

// Whether any pixel of the control's client area shows `colour`.
bool ShowsColour(HWND control, COLORREF colour)
{
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    bool found = false;
    for (int y = 0; y < client.bottom && !found; ++y)
        for (int x = 0; x < client.right && !found; ++x)
            found = GetPixel(dc, x, y) == colour;
    ReleaseDC(control, dc);
    return found;
}

TEST_F(AboutWindowTest, EachStylePaintsPanelsLabelsLinksAndButton)
{
    ShowWindow(about->Handle(), SW_SHOWNORMAL);
    for (std::string_view name : {kDarkStyleName, kLightStyleName}) {
        SCOPED_TRACE(name);
        const ThemePalette& palette = *FindStyle(name);
        about->ApplyStyle(palette);
        RedrawWindow(about->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ProcessPendingMessages();
        EXPECT_EQ(PixelOf(Control("TabControlBody"), 2, 120), palette.face);
        EXPECT_EQ(PixelOf(Control("LabelVersion"), 1, 1), palette.face);
        EXPECT_EQ(PixelOf(Control("Button1"), 2, 2), palette.page);
        EXPECT_TRUE(ShowsColour(Control("LabelTelegram"), palette.link)) << "the link's underline";
        EXPECT_FALSE(ShowsColour(Control("LabelCopyright"), palette.link));
    }
}

}  // namespace
}  // namespace kestrova
