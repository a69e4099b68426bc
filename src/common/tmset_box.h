// TTmSETBoxDlg: asks for a whole number of seconds (or of items) with three spin buttons and has
// the new value confirmed through a message box before it is taken. Each Execute builds a
// TTMSETBox window, runs it modally and frees it again.
#pragma once
#include <string>

#include "common/mkbox_layout.h"

#include "common/work_area.h"
#include "gui/gui_types.h"
#include "platform/desktop.h"

namespace gui {
class Application;
}

namespace common {

class TTmSETBoxDlg {
 public:
  TTmSETBoxDlg(gui::Application& app, platform::Desktop& desktop);

  // The three text lines. Msg0 also chooses the unit: HMS when it is set, "個" when empty.
  std::string Msg0;
  std::string Msg1;
  std::string Msg2;
  // 設 定 raises a non-zero value below this to it; 0 always stays 0.
  int MinCount = 0;
  // The value shown at first; the new value after Execute returned 1, unchanged otherwise.
  int TCount = 0;
  // Caption of the window; empty means the application title.
  std::string Title;
  // Window the dialog is centred on; 0 means the application's main window.
  gui::Handle SourceHandle = 0;
  // Unit shown after the number while Msg0 is set.
  std::string HMS = "秒";

  // Shows the dialog modally. `caption` names the setting in the confirmation question. Returns
  // 1 when the user confirmed 設 定 (TCount then holds the value), 3 for 中 止, 2 when the window
  // was closed otherwise.
  int Execute(const std::string& caption);

  // The work area the last dialog was placed in.
  const Rect& WorkArea() const { return workArea_; }

  static constexpr int kMaxCount = 32700;

 private:
  gui::Application& app_;
  platform::Desktop& desktop_;
  WorkAreaProbe probe_;
  Rect workArea_;
};

// One step of a spin button: value + delta, kept within 0..TTmSETBoxDlg::kMaxCount.
int SpinValue(int value, int delta);

}  // namespace common
