// Value types shared by the whole component layer: window handles, geometry, colours, modal
// results, keys and the small enumerations of forms and controls.
#pragma once
#include <algorithm>
#include <cstdint>

namespace gui {

// A window handle as the portable code sees it: the HWND on win32, a made-up number headless.
using Handle = std::uintptr_t;

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// Left, top, width, height (not right/bottom: the layout code reads better that way).
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Contains(Point p) const { return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom(); }
  // Moved, not resized, to lie inside `area`; one too big for it keeps its top-left corner there.
  Rect KeptInside(const Rect& area) const {
    return {std::max(std::min(left, area.Right() - width), area.left),
            std::max(std::min(top, area.Bottom() - height), area.top), width, height};
  }
  bool operator==(const Rect&) const = default;
};

// A colour as 0x00BBGGRR, or a system colour: 0x80000000 | the system colour index.
using Color = std::uint32_t;

namespace colors {
constexpr Color kBlack = 0x000000;
constexpr Color kMaroon = 0x000080;
constexpr Color kGreen = 0x008000;
constexpr Color kNavy = 0x800000;
constexpr Color kGray = 0x808080;
constexpr Color kSilver = 0xC0C0C0;
constexpr Color kRed = 0x0000FF;
constexpr Color kLime = 0x00FF00;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kBlue = 0xFF0000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kSystem = 0x80000000;
constexpr Color kWindow = kSystem | 5;
constexpr Color kWindowText = kSystem | 8;
constexpr Color kHighlight = kSystem | 13;
constexpr Color kHighlightText = kSystem | 14;
constexpr Color kBtnFace = kSystem | 15;
constexpr Color kBtnShadow = kSystem | 16;
constexpr Color kGrayText = kSystem | 17;
constexpr Color kBtnText = kSystem | 18;
constexpr Color kBtnHighlight = kSystem | 20;
constexpr Color kInfoText = kSystem | 23;
constexpr Color kInfoBk = kSystem | 24;
// "No colour": transparent brushes and fonts that keep the default colour.
constexpr Color kNone = 0x1FFFFFFF;
}  // namespace colors

constexpr bool IsSystemColor(Color c) { return (c & colors::kSystem) != 0 && c != colors::kNone; }
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// Modal results.
constexpr int kMrNone = 0;
constexpr int kMrOk = 1;
constexpr int kMrCancel = 2;
constexpr int kMrAbort = 3;
constexpr int kMrRetry = 4;
constexpr int kMrIgnore = 5;
constexpr int kMrYes = 6;
constexpr int kMrNo = 7;

// Virtual key codes (the Windows numbers).
constexpr int kKeyBack = 0x08;
constexpr int kKeyTab = 0x09;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
constexpr int kKeyMenu = 0x12;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;
constexpr int kKeyDelete = 0x2E;
constexpr int kKeyF1 = 0x70;

// Shift state bits of key and mouse events.
using ShiftState = unsigned;
constexpr ShiftState kShift = 1;
constexpr ShiftState kAlt = 2;
constexpr ShiftState kCtrl = 4;
constexpr ShiftState kLeftButton = 8;
constexpr ShiftState kRightButton = 16;
constexpr ShiftState kMiddleButton = 32;
constexpr ShiftState kDoubleClick = 64;

enum class MouseButton { Left, Right, Middle };

// Where a control docks inside its parent's client area.
enum class Align { None, Top, Bottom, Left, Right, Client };
// Horizontal placement of text.
enum class TextAlignment { Left, Right, Center };
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum class FormStyle { Normal, StayOnTop };
// Where a form goes the first time it is shown.
enum class FormPosition { Designed, ScreenCenter, MainFormCenter, OwnerFormCenter };
enum class WindowState { Normal, Minimized, Maximized };
enum class CloseAction { None, Hide, Free, Minimize };
// Mouse cursors: the screen's (Default or HourGlass) and the ones a control shows over itself.
enum class Cursor { Default, HourGlass, Arrow, SizeNS, SizeWE, SizeAll, HandPoint, No };
enum class Bevel { None, Lowered, Raised };
enum class ScrollBars { None, Horizontal, Vertical, Both };
enum class DragMode { Manual, Automatic };

}  // namespace gui
