#include "browse/registration.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "browse/file_browser.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "browse/list_capacity.h"

namespace browse {

using namespace text;

namespace {

constexpr char kNetHood[] = "NetHood";
constexpr std::uint64_t kRepaintMs = 200;
// Messages (the stop button, the captions and labels) run after the first folder and then at
// most this often: ten times a second keeps the stop button and the labels prompt, and a run of
// messages with its repaints can take longer than listing a folder.
constexpr std::uint64_t kMessagesMs = 100;

void ClearSelection(gui::ListBox& list) {
  if (!list.MultiSelect()) return;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Selected(i)) list.SetSelected(i, false);
  }
}

// The last row becomes the only selected row and the current one; `previous` was the only one.
void SelectLast(gui::ListBox& list, int previous) {
  const int last = list.Count() - 1;
  if (list.MultiSelect()) {
    if (previous >= 0 && previous < list.Count()) list.SetSelected(previous, false);
    list.SetSelected(last, true);
  }
  list.SetItemIndex(last);
}

}  // namespace

Registration::Registration(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                           common::TMKBoxDlg& box, FileBrowser& browser, ShellPaths& shell, RegistrationHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), browser_(browser), shell_(shell), hooks_(std::move(hooks)) {}

void Registration::AttachEvents() {
  f_.Button7.OnClick = [this](gui::Component&) { Button7Click(); };
}

void Registration::Button7Click() {
  if (running_) return;
  const std::string start = browser_.CurrentFolder();
  if (start.empty()) return;
  f_.Button7.Hide();
  app_.ProcessMessages();
  ClearStopRequest();
  f_.Button11.Hide();
  f_.Button12.Show();
  f_.Button12.Invalidate();
  f_.Panel3.SetCaption(start.substr(0, 1) + ":ﾄﾞﾗｲﾌﾞ検索中");
  f_.Panel3.Show();
  f_.Button1.Hide();
  running_ = true;

  f_.ListBox1.Show();
  End end = End::kDone;
  try {
    end = Search(start);
  } catch (const std::exception&) {
    browser_.ShowFolderError("sh");
  }
  if (end == End::kFull) box_.MsgOK("バッファーが、いっぱいです。\n検索を強制終了しました。");
  if (end == End::kStopped) box_.MsgOK("中断ボタンが押されました。\n検索を強制終了します。");
  ClearStopRequest();

  running_ = false;
  // Back to the start folder in the view the user had.
  browser_.ShowFolderView();
  if (browser_.DirNo() != 0) {
    browser_.OpenFolderTreeSafe(start);
  } else {
    browser_.OpenFolderListSafe(start);
  }
  f_.Panel3.Hide();
  f_.Button1.Show();
  f_.Button7.Show();
  f_.Button12.Hide();
  f_.Button11.Show();
  if (f_.ListBox2.Count() > 0 && hooks_.ShowMemoryInfo) hooks_.ShowMemoryInfo();
}

Registration::End Registration::Search(const std::string& start) {
  ClearSelection(f_.ListBox2);
  ClearSelection(f_.ListBox8);
  lastSelected_ = -1;
  const ShellPaths::Walk walk(shell_);
  // The lists the walk fills are drawn again only every kRepaintMs (when messages run): one
  // repaint of a list, scroll bar and all, can take longer than listing a folder.
  const std::initializer_list<gui::ListBox*> lists{&f_.ListBox1, &f_.ListBox4, &f_.ListBox7, &f_.ListBox2, &f_.ListBox8};
  std::optional<gui::ListUpdate> quiet(std::in_place, lists);
  std::uint64_t painted = app_.Now();
  std::optional<std::uint64_t> handled;  // when messages last ran
  // Depth first: each level holds the folders still to visit below one folder, in listing order.
  struct Level {
    std::vector<std::string> folders;
    size_t next = 0;
  };
  std::vector<Level> levels;
  levels.push_back(Level{{AddYen(CutYen(start))}, 0});
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next >= level.folders.size()) {
      levels.pop_back();
      continue;
    }
    const std::string folder = level.folders[level.next++];
    bool opened = true;
    try {
      browser_.OpenFolderList(folder);
    } catch (const std::exception&) {
      opened = false;  // skipped with everything below it
    }
    bool full = false;
    Level below;
    if (opened) {
      // The folder as it really is named: a shell name on the way down is mapped back, so the
      // entries get paths that can be opened.
      const std::string real = AddYen(browser_.CurrentFolder());
      f_.Label1.SetCaption("     ");
      browser_.FillFileList(real);
      const std::uint64_t now = app_.Now();
      if (now - painted >= kRepaintMs) {
        quiet.reset();
        app_.ProcessMessages();
        painted = app_.Now();
        handled = painted;
        quiet.emplace(lists);
      } else if (!handled || now - *handled >= kMessagesMs) {
        app_.ProcessMessages();
        handled = app_.Now();
      }
      full = !AddFileList(real);
      for (std::string& name : shell_.SubFolders(CutYen(real), f_.K6.Checked())) {
        if (!SameText(name, kNetHood)) below.folders.push_back(real + name + "\\");
      }
    }
    if (hooks_.MemoryCaption) hooks_.MemoryCaption(static_cast<size_t>(f_.ListBox2.Count()));
    if (full) return End::kFull;
    if (StopRequested()) return End::kStopped;
    if (!below.folders.empty()) levels.push_back(std::move(below));
  }
  return End::kDone;
}

bool Registration::StopRequested() const {
  return stopRequested_ || (hooks_.StopRequested && hooks_.StopRequested());
}

void Registration::ClearStopRequest() {
  stopRequested_ = false;
  if (hooks_.ClearStopRequest) hooks_.ClearStopRequest();
}

bool Registration::AddFileList(const std::string& folder) {
  // Messages run once per folder, so the last row of the folder is selected once at its end:
  // the same picture as selecting every new row, without a scroll and repaint per row.
  const bool twins = f_.SSN.Checked();
  const std::vector<std::string>& rows = f_.ListBox4.Items();
  bool room = true;
  bool added = false;
  gui::ListUpdate batch{&f_.ListBox2, &f_.ListBox8};
  for (const std::string& row : rows) {
    if (AtCapacity(static_cast<size_t>(f_.ListBox2.Count()))) {
      room = false;
      break;
    }
    const std::string path = folder + row;
    f_.ListBox2.AddItem(path);
    if (twins) f_.ListBox8.AddItem(hooks_.TwinName ? hooks_.TwinName(path, browser_.ListedEntry(row)) : row);
    added = true;
  }
  if (added) {
    SelectLast(f_.ListBox2, lastSelected_);
    if (twins) SelectLast(f_.ListBox8, lastSelected_);
    lastSelected_ = f_.ListBox2.Count() - 1;
  }
  return room && !(added && AtCapacity(static_cast<size_t>(f_.ListBox2.Count())));
}

}  // namespace browse
