// TDIR2SETDLG: the folder-setting dialog in which the user registers one folder the program will
// write into and delete files from (the working folder). It proposes a default under the
// Windows drive, browses through the browse dialog, creates the whole missing folder chain after
// one question, and does not close until a folder is registered.
#pragma once
#include <string>

#include "browse/browse_dialog.h"
#include "common/work_area.h"
#include "gui/gui_types.h"

namespace gui {
class Application;
}

namespace platform {
struct Services;
}

namespace browse {

class ShellPaths;

// What the program keeps for "no folder registered yet".
constexpr char kNoFolder[] = "@@@@@\\";

class TDIR2SETDLG {
 public:
  TDIR2SETDLG(gui::Application& app, platform::Services& os, ShellPaths& shell, std::string programPath);

  std::string Directory;          // the folder registered so far ("\" and "@@@@@\" are none)
  std::string Title;              // caption prefix; empty means the application title
  std::string DirName;            // what the folder is for, and the default folder's name
  gui::Handle SourceHandle = 0;   // window the dialog is centred on; 0 means the main window
  bool StandardColor = true;
  std::string Filter;             // for the browse dialog

  // Shows the dialog. Returns the folder registered (with "\"), or Directory's value when
  // nothing new was registered (empty when that was none).
  std::string SetFolder();

  TDIR2OPENDLG DIR2OPENDLG1;

 private:
  gui::Application& app_;
  platform::Services& os_;
  common::WorkAreaProbe probe_;
};

}  // namespace browse
