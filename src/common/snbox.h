// TSNBoxDlg: asks for one line of text, with a history of earlier entries (most recent first)
// that the user can pick from. Each InputText builds a TSNBox window, runs it modally and frees
// it again; the text and the history stay with the component between calls.
#pragma once
#include <string>
#include <vector>

#include "common/work_area.h"
#include "gui/gui_types.h"

namespace gui {
class Application;
}

namespace platform {
class Desktop;
}

namespace common {

class TSNBoxDlg {
 public:
  TSNBoxDlg(gui::Application& app, platform::Desktop& desktop);

  std::string Title;              // caption; empty means the application title
  gui::Handle SourceHandle = 0;   // window the dialog is centred on; 0 means the main window
  std::vector<std::string> SN;    // the history, most recent first
  bool StandardColor = true;      // edit field and history in the system's window colour
  std::string SNText;             // the text shown first; afterwards the text as the user left it

  // Shows the dialog with `prompt` before its "：". Returns 1 when 登録 accepted a text (never an
  // empty one), 3 for 中止 (or Escape), 2 when the window was closed otherwise. Whatever the
  // result, SNText is the field's final text and, unless empty, the first line of SN.
  int InputText(const std::string& prompt);

 private:
  gui::Application& app_;
  platform::Desktop& desktop_;
  WorkAreaProbe probe_;
};

// The history with `text` moved to its top (nothing changes for an empty text).
std::vector<std::string> MoveToTop(std::vector<std::string> history, const std::string& text);

}  // namespace common
