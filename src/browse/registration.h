// Bulk registration: every file the filter selects in the current folder and all folders below
// it goes into the current memory list, a folder's files before those of its subfolders, until
// the list is full or the stop button is pressed.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "platform/file_system.h"

namespace gui {
class Application;
}

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

class FileBrowser;
class ShellPaths;

struct RegistrationHooks {
  // A stop request from elsewhere (tested once per folder, with RequestStop's) and clearing it.
  std::function<bool()> StopRequested;
  std::function<void()> ClearStopRequest;
  // The twin row of a saver path while screen-saver names are shown; entry is the file's
  // directory entry as the file list just found it (null when unknown).
  std::function<std::string(const std::string& path, const platform::FindEntry* entry)> TwinName;
  // The caption of the current memory list in ComboBox1 from its row count.
  std::function<void(std::size_t count)> MemoryCaption;
  // The memory list's current entry is shown in the file information line.
  std::function<void()> ShowMemoryInfo;
};

class Registration {
 public:
  enum class End { kDone, kFull, kStopped };

  Registration(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
               FileBrowser& browser, ShellPaths& shell, RegistrationHooks hooks);

  void AttachEvents();
  // While it runs the manager refuses to close.
  bool Running() const { return running_; }
  // The stop button: the search ends after the folder it is in.
  void RequestStop() { stopRequested_ = true; }

  // Button7: the search from the current folder with the window's controls switched over and
  // back, the messages at the end.
  void Button7Click();
  // The search itself from `start` (with or without "\"): how it ended.
  End Search(const std::string& start);

 private:
  // Adds the file list's rows for `folder` (with "\"); false once the list is full.
  bool AddFileList(const std::string& folder);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  FileBrowser& browser_;
  ShellPaths& shell_;
  RegistrationHooks hooks_;
  bool StopRequested() const;
  void ClearStopRequest();

  bool running_ = false;
  bool stopRequested_ = false;
  int lastSelected_ = -1;
};

}  // namespace browse
