// The manager's timer commands: the file timer of the current entry (TSet), the timer file in
// the text editor (K9), the version box that shares K9's handler (help2), the power-saving
// setting (ST, also the tray's item), and closing the help file when the manager closes.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace gui {
class Application;
class Component;
class ListBox;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace store {
class ManagerSettings;
}

namespace play {

// The caption of the power-saving menu item for a power-saving time (0 = off).
std::string PowerSavingCaption(int seconds);
extern const char kCancelledMessage[];  // "中止しました。"

// The pages and the address the version box offers.
extern const std::vector<std::string> kHomePages;
extern const char kMailAddress[];

struct TimerCommandsContext {
  bool scrVersion = false;    // the screen-saver copy's settings window
  std::string programFolder;  // with "\"
  // The version box's offers: pages in the order they are offered, and the mail address.
  std::vector<std::string> homePages = kHomePages;
  std::string mailAddress = kMailAddress;
};

class TimerCommands {
 public:
  // Attaches the handlers of ButtonTset, K9, help2 and ST, and joins the close of the manager
  // (after what is already hooked there) to close the help file.
  TimerCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
                store::ManagerSettings& settings, TimerCommandsContext context);

  void ButtonTsetClick();
  // K9 opens the timer file in the editor; help2 shows the version box.
  void K9Click(gui::Component& sender);
  void STClick();

  // The folder the file list shows (no trailing "\" needed).
  std::function<std::string()> FileListFolder;
  // Refreshes the file information line for a path as a click on its list does; it leaves
  // Label3 at "----------" when the file is not there. By default only Label3 is set.
  std::function<void(const std::string& path)> ShowFileInfo;
  // Whether a run is on; while it is, the timer labels belong to the run.
  std::function<bool()> Playing;

 private:
  void EditTimerFile();
  void ShowVersion();

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  store::ManagerSettings& settings_;
  TimerCommandsContext context_;
};

}  // namespace play
