#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The GUI tests need a desktop: Wine's, on the virtual display the test script starts.
TEST(Display, TopLevelWindowCanBeCreatedAndShown)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(window));
    DestroyWindow(window);
}

}  // namespace
