// The folder history of the manager: the folders whose files the file list showed, newest first,
// in a panel over the browser from which the user jumps back to one of them; and the menu items
// that set the sizes of the folder history and of the file history (HIS).
#pragma once
#include <functional>
#include <string>

namespace gui {
class Application;
}

namespace platform {
class Desktop;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace store {

class ManagerSettings;

// A history never holds more entries than this, whatever its size is set to.
constexpr int kHistoryCeiling = 16000;

struct HistoryHooks {
  // The folder the file list shows (without "\").
  std::function<std::string()> FileListFolder;
  // Opens a folder in the browser, with its recovery when the folder is gone.
  std::function<void(const std::string& folder)> OpenFolder;
  // The click-suppress flag of the lists: read and cleared by a click on the history list.
  std::function<bool()> ClickSuppressed;
  std::function<void()> ClearClickSuppress;
};

class Histories {
 public:
  Histories(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Desktop& desktop, common::TMKBoxDlg& box,
            ManagerSettings& settings, HistoryHooks hooks);

  void AttachEvents();
  // The hooks, for those that exist only after the history does.
  HistoryHooks& Hooks() { return hooks_; }

  // A folder the file list was filled for: it becomes row 0 (once), unless the history is off or
  // the folder was opened from the history panel; one oldest row goes when the list is too long.
  void RecordFolder(const std::string& folder);

  // Label19: the panel opens; the file list's folder is kept for 戻す.
  void Label19Click();
  // A row of the panel: its folder opens without reordering the history.
  void ListBoxKaKoClick();
  void ButtonALLCUTClick();
  void ButtonRESETClick();
  void ButtonKaKoOKClick();
  // The history sizes through the number dialog; the menu captions follow.
  void FOLDERHISClick();
  void FILEHISClick();

 private:
  void Select(int row);
  // The folder becomes row 0 (its old row goes); with `trim`, one oldest row goes when the list
  // is longer than its size.
  void PutOnTop(const std::string& folder, bool trim);
  void ShowCount();
  void SetSize(int& size, const char* caption, const char* question, bool folders);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Desktop& desktop_;
  common::TMKBoxDlg& box_;
  ManagerSettings& settings_;
  HistoryHooks hooks_;
  std::string panelFolder_;  // the file list's folder when the panel opened
  bool browsing_ = false;    // a folder is being opened from the panel
};

// "フォルダーヒストリーの設定　3個 (&H)", "ファイルヒストリーの設定　ＯＦＦ (&F)".
std::string FolderHistoryCaption(int size);
std::string FileHistoryCaption(int size);

}  // namespace store
