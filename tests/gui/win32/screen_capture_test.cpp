// The screen capture on real windows: a top-most window of a known colour must show up in the
// picture at its place, with and without the round trip through the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/bitmap.h"
#include "gui/win32/win32_backend.h"

namespace {

constexpr COLORREF kMarker = RGB(0xC0, 0x20, 0x60);
constexpr int kLeft = 40, kTop = 50, kSide = 120;

LRESULT CALLBACK MarkerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A borderless top-most window filled with kMarker.
struct Marker {
  Marker() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MarkerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = brush;
    wc.lpszClassName = L"QvCaptureMarker";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"QvCaptureMarker", L"", WS_POPUP | WS_VISIBLE, kLeft,
                           kTop, kSide, kSide, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(hwnd);
    // Let the window manager map and paint it.
    for (int i = 0; i < 20; ++i) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(25);
    }
  }
  ~Marker() {
    DestroyWindow(hwnd);
    UnregisterClassW(L"QvCaptureMarker", GetModuleHandleW(nullptr));
    DeleteObject(brush);
  }
  HBRUSH brush = CreateSolidBrush(kMarker);
  HWND hwnd = nullptr;
};

class ScreenCaptureTest : public testing::TestWithParam<bool> {};

TEST_P(ScreenCaptureTest, TheScreenReachesThePicture) {
  gui::win32::Backend backend;
  Marker marker;
  ASSERT_NE(marker.hwnd, nullptr);
  std::shared_ptr<gui::Bitmap> picture = backend.CaptureScreen(GetParam());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(picture->Height(), GetSystemMetrics(SM_CYSCREEN));
  const gui::Color marked = gui::Rgb(GetRValue(kMarker), GetGValue(kMarker), GetBValue(kMarker));
  EXPECT_EQ(picture->Pixel(kLeft + kSide / 2, kTop + kSide / 2), marked);
  EXPECT_EQ(picture->Pixel(kLeft + 2, kTop + 2), marked);
  EXPECT_NE(picture->Pixel(kLeft + kSide + 5, kTop + kSide / 2), marked);
  if (GetParam()) {
    // The clipboard keeps the captured picture.
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, ScreenCaptureTest, testing::Bool());

}  // namespace
