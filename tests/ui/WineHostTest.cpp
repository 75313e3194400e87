// The Wine host itself: a display is there, so top-level windows can be made.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WineHost, TopLevelWindowCanBeCreated) {
  HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr) << "no X display: is the wine_host fixture running?";
  EXPECT_TRUE(DestroyWindow(window));
}
