// TMKBoxDlg: the component through which every form shows its messages (MKBoxDlg1). Each
// operation opens a modal TMKBox window sized to the text, centred on the owner inside the work
// area, and returns the button that ended it: 1 ＯＫ, 2 closed, 3 中 断, 6 はい, 7 いいえ, or 0
// when all ten slots are in use. Timed and error boxes count down and close by themselves with
// the caller's default.
#pragma once
#include <array>
#include <string>

#include "common/work_area.h"
#include "gui/gui_types.h"
#include "platform/desktop.h"

namespace gui {
class Application;
class Canvas;
}  // namespace gui

namespace common {

// The icons of the box, drawn by the program: kInformation is a white i on a blue disc,
// kQuestion a white ? on a red disc, both with a white ring; the corners take `background`.
// Drawn as shapes on a square of `size` pixels (32 at the design density), so it stays sharp at
// any size.
enum class MKBoxIcon { kInformation, kQuestion };
void DrawMKBoxIcon(gui::Canvas& canvas, MKBoxIcon icon, gui::Color background, int size = 32);

class TMKBoxDlg {
 public:
  TMKBoxDlg(gui::Application& app, platform::Desktop& desktop);

  // Caption of the box; empty means the application title.
  std::string Title;
  // Window the box is centred on; 0 means the application's main window.
  gui::Handle SourceHandle = 0;
  bool Timer = true;        // countdown of the timed boxes
  int TimerCount = 10;
  bool ERTimer = true;      // countdown of the error boxes
  int ERTimerCount = 10;
  // Slot n in use (a box shown through slot n is open).
  std::array<bool, 10> B{};

  int MsgOK(const std::string& text) { return MsgBox(0, text); }
  int MsgYesNo(const std::string& text) { return MsgBox(1, text); }
  int MsgBox(int kind, const std::string& text);
  int MsgOKTimer(const std::string& text, int defaultResult) { return MsgBoxTimer(0, text, defaultResult); }
  int MsgYesNoTimer(const std::string& text, int defaultResult) { return MsgBoxTimer(1, text, defaultResult); }
  int MsgBoxTimer(int kind, const std::string& text, int defaultResult);
  int MsgOKError(const std::string& text, int defaultResult) { return MsgBoxError(0, text, defaultResult); }
  int MsgBoxError(int kind, const std::string& text, int defaultResult);
  // Builds, shows and frees the window of one slot.
  int ShowBox(int kind, int slot, const std::string& text, int defaultResult);

  // The work area the last box was placed in.
  const Rect& WorkArea() const { return workArea_; }

 private:
  struct Slot {
    int style = 0;           // 0 plain, 1 timed, 2 error
    bool countdown = false;
    std::string count = "0";
  };
  int Open(int kind, int style, bool countdown, int count, const std::string& text, int defaultResult);

  gui::Application& app_;
  platform::Desktop& desktop_;
  std::array<Slot, 10> slots_{};
  WorkAreaProbe probe_;
  Rect workArea_;
};

}  // namespace common
