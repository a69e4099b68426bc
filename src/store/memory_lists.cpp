#include "store/memory_lists.h"

#include "text/text_path.h"
#include "gui/application.h"
#include "gui/combo_box.h"
#include "gui/list_box.h"
#include "gui/panel.h"
#include "platform/file_system.h"

namespace store {

namespace {
constexpr char kDriveFolderFile[] = "QUOVEL32CD.LIS";
constexpr int kLists = 12;
}  // namespace

MemoryLists::MemoryLists(gui::Application& app, platform::FileSystem& fs, MemoryListControls controls)
    : app_(app), fs_(fs), c_(controls) {}

void MemoryLists::FixFolders(bool scrVersion, int kyouyo, const std::string& windowsFolder,
                             const std::string& programFolder) {
  windowsFolder_ = text::AddYen(windowsFolder);
  programFolder_ = text::AddYen(programFolder);
  const bool own = !scrVersion && kyouyo == 2;
  listFolder_ = own ? programFolder_ : windowsFolder_;
  listPrefix_ = own ? "QVLE32M" : "QVLA32M";
  historyFolder_ = scrVersion ? windowsFolder_ : programFolder_;
  historyPrefix_ = scrVersion ? "QVLA32M" : "QVLE32M";
}

std::string MemoryLists::ListFile(int number) const {
  return listFolder_ + listPrefix_ + (number == kExclusionList ? std::string("X") : std::to_string(number)) + ".LIS";
}

std::string MemoryLists::HistoryFile(SaveTarget target) const {
  if (target == SaveTarget::kHandOver) return windowsFolder_ + "QVLA32MH.LIS";
  return historyFolder_ + historyPrefix_ + "H.LIS";
}

std::string MemoryLists::DriveFolderFile(SaveTarget target) const {
  return (target == SaveTarget::kHandOver ? windowsFolder_ : programFolder_) + kDriveFolderFile;
}

std::vector<std::string> MemoryLists::LoadOrEmpty(const std::string& path) {
  const std::string key = text::UpperAscii(path);
  std::optional<std::vector<std::string>> entries = LoadList(fs_, path);
  if (entries) {
    unreadable_.erase(key);
    return std::move(*entries);
  }
  // Locked or denied: the list shows empty, but the file keeps what it holds.
  if (fs_.Attributes(path).has_value()) unreadable_.insert(key);
  return {};
}

bool MemoryLists::Write(const std::string& path, const std::vector<std::string>& entries) {
  if (unreadable_.count(text::UpperAscii(path)) != 0) return true;
  return SaveList(fs_, path, entries).ok();
}

void MemoryLists::Fill(const std::vector<std::string>& entries) { c_.ListBox2.SetItems(entries); }

void MemoryLists::SetCaption(int number, size_t count) {
  std::vector<std::string> items = c_.ComboBox1.Items();
  items.resize(kLists);
  items[static_cast<size_t>(number)] = ListCaption(number, count);
  c_.ComboBox1.SetItems(items);
  c_.ComboBox1.SetItemIndex(current_);
}

void MemoryLists::LoadDriveFolders() { driveFolders_ = LoadOrEmpty(DriveFolderFile(SaveTarget::kOwn)); }

void MemoryLists::Load(int current, bool twins) {
  if (current < 0 || current > kHistoryList) current = 0;
  current_ = current;
  if (c_.ComboBox1.Count() < kLists) {
    std::vector<std::string> items;
    for (int n = 0; n < kLists; ++n) items.push_back(ListCaption(n, 0));
    c_.ComboBox1.SetItems(items);
  }
  if (current_ == kHistoryList) {
    Fill(LoadOrEmpty(HistoryFile(SaveTarget::kOwn)));
    SetCaption(kHistoryList, static_cast<size_t>(c_.ListBox2.Count()));
  } else {
    Fill(LoadOrEmpty(ListFile(current_)));
    SetCaption(current_, static_cast<size_t>(c_.ListBox2.Count()));
    history_ = LoadOrEmpty(HistoryFile(SaveTarget::kOwn));
    SetCaption(kHistoryList, history_.size());
  }
  exclusion_ = LoadOrEmpty(ListFile(kExclusionList));
  SetCaption(kExclusionList, exclusion_.size());
  c_.ComboBox1.SetItemIndex(current_);
  if (twins) RebuildTwin(c_.ListBox2, c_.ListBox8);
}

void MemoryLists::Busy(bool busy) {
  app_.GetScreen().SetCursor(busy ? gui::Cursor::HourGlass : gui::Cursor::Default);
  c_.Panel4.SetVisible(busy);
}

void MemoryLists::PutAway() {
  const std::vector<std::string>& items = c_.ListBox2.Items();
  if (current_ == kHistoryList) {
    history_ = items;
  } else if (current_ == kExclusionList) {
    exclusion_ = items;
    Write(ListFile(kExclusionList), items);
  } else {
    Write(ListFile(current_), items);
  }
}

void MemoryLists::SwitchToChosen(bool twins) {
  Busy(true);
  app_.ProcessMessages();
  const int chosen = c_.ComboBox1.ItemIndex();
  PutAway();
  if (chosen < 0 || chosen >= kLists) {
    c_.ComboBox1.SetItemIndex(current_);
    Busy(false);
    return;
  }
  current_ = chosen;
  if (current_ == kHistoryList) {
    Fill(history_);
  } else if (current_ == kExclusionList) {
    Fill(exclusion_);
  } else {
    Fill(LoadOrEmpty(ListFile(current_)));
  }
  SetCaption(current_, static_cast<size_t>(c_.ListBox2.Count()));
  c_.ListBox2.SetTag(-1);
  c_.ListBox8.SetTag(-1);
  c_.ComboBox1.SetItemIndex(current_);
  if (twins) RebuildTwin(c_.ListBox2, c_.ListBox8);
  Busy(false);
}

void MemoryLists::RefreshCaptions() {
  if (captionsRefreshed_) return;
  captionsRefreshed_ = true;
  Busy(true);
  app_.ProcessMessages();
  for (int n = 0; n <= 9; ++n) {
    const std::string file = ListFile(n);
    std::optional<std::vector<std::string>> entries = LoadList(fs_, file);
    if (!entries) {
      // Only a file that is not there at all is created; one that could not be read stays.
      if (fs_.Find(file, platform::attr::kReadOnly | platform::attr::kHidden | platform::attr::kSystem |
                             platform::attr::kArchive).empty()) {
        SaveList(fs_, file, {});
      }
      entries.emplace();
    }
    SetCaption(n, n == current_ ? static_cast<size_t>(c_.ListBox2.Count()) : entries->size());
  }
  Busy(false);
}

bool MemoryLists::SaveAll(SaveTarget target) {
  const std::vector<std::string>& items = c_.ListBox2.Items();
  const bool history = current_ == kHistoryList;
  const bool exclusion = current_ == kExclusionList;
  // Every write is attempted, whatever happened to the one before.
  bool ok = true;
  if (!history && !exclusion) ok &= Write(ListFile(current_), items);
  ok &= Write(HistoryFile(target), history ? items : history_);
  ok &= Write(ListFile(kExclusionList), exclusion ? items : exclusion_);
  ok &= Write(DriveFolderFile(target), driveFolders_);
  return ok;
}

void MemoryLists::RebuildTwin(const gui::ListBox& main, gui::ListBox& twin) {
  std::vector<std::string> names;
  names.reserve(main.Items().size());
  for (const std::string& path : main.Items()) names.push_back(TwinName ? TwinName(path) : DisplayName(path, [](const std::string&) { return std::string(); }));
  twin.SetItems(std::move(names));
  twin.SetTag(main.Tag());
  if (main.Tag() >= 0 && main.Tag() < twin.Count()) twin.SetItemIndex(static_cast<int>(main.Tag()));
}

void MemoryLists::RememberDriveFolder(const std::string& folder) {
  if (folder.empty()) return;
  const std::string drive = text::UpperAscii(folder.substr(0, 1));
  for (auto it = driveFolders_.begin(); it != driveFolders_.end(); ++it) {
    if (!it->empty() && text::UpperAscii(it->substr(0, 1)) == drive) {
      driveFolders_.erase(it);
      break;
    }
  }
  driveFolders_.push_back(folder);
}

}  // namespace store
