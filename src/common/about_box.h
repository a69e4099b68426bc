// TAboutBoxDlg: the version box. Shows the product name, its title, the version and two comment
// lines in a modal window centred over the main window, and offers the home page and mail
// through the shell's "open" action, each after a question.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "common/work_area.h"
#include "gui/gui_types.h"

namespace gui {
class Application;
}

namespace platform {
class Desktop;
class Processes;
}  // namespace platform

namespace common {

// The version text of a stored settings version: "?.?" for a missing or unreadable value (taken
// as 255), else tens "." units (16 gives "1.6").
std::string VersionText(const std::optional<std::string>& stored);

extern const char kNoBrowserMessage[];  // the shell could not open a page
extern const char kNoMailerMessage[];   // the shell could not open the mail program

class TAboutBoxDlg {
 public:
  TAboutBoxDlg(gui::Application& app, platform::Desktop& desktop, platform::Processes& processes);

  std::string ProductName;
  std::string Title;
  std::string Version;
  std::string Comments;
  std::string Comments2;
  // Pages offered one after the other until the user accepts one.
  std::vector<std::string> HomePages;
  std::string MailAddress;
  // Window the box is centred on; 0 means the application's main window.
  gui::Handle SourceHandle = 0;

  // Shows the box modally; returns its modal result (1 after Ｏ Ｋ or a page or mail opened).
  int Execute();

  // What the box's labels show for the product name: "ProductName " + name while the name is
  // shorter than 21 characters, the bare name otherwise.
  static std::string ProductLine(const std::string& name);

 private:
  gui::Application& app_;
  platform::Desktop& desktop_;
  platform::Processes& processes_;
  WorkAreaProbe probe_;
};

}  // namespace common
