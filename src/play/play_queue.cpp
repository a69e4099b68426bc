// Choosing the next row: the source list, the four orders, the random pools and the walk's ends.
#include <cstdlib>

#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "play/play_engine.h"
#include "platform/services.h"
#include "store/manager_settings.h"

namespace play {

namespace {

// The row a pool entry names: the decimal number before a "/" if one is present; -1 when the
// entry is not a number.
int PoolRow(const std::string& entry) {
  std::string number = entry.substr(0, entry.find('/'));
  if (number.empty()) return -1;
  char* end = nullptr;
  long row = std::strtol(number.c_str(), &end, 10);
  return *end == '\0' ? static_cast<int>(row) : -1;
}

int Clamp(intptr_t tag, int count) {
  if (tag < 0) return 0;
  if (tag >= count) return count - 1;
  return static_cast<int>(tag);
}

}  // namespace

gui::ListBox* PlayEngine::TwinOf(const gui::ListBox& list) {
  if (&list == &f_.ListBox2) return &f_.ListBox8;
  if (&list == &f_.ListBox4) return &f_.ListBox7;
  if (&list == &f_.ListBox6) return &f_.ListBox9;
  return nullptr;
}

gui::ListBox* PlayEngine::PartnerOf(const gui::ListBox& list) {
  if (gui::ListBox* twin = TwinOf(list)) return twin;
  for (gui::ListBox* main : {&f_.ListBox2, &f_.ListBox4, &f_.ListBox6}) {
    if (TwinOf(*main) == &list) return main;
  }
  return nullptr;
}

PlayEngine::Source PlayEngine::ChooseSource() {
  bool ssn = f_.SSN.Checked();
  std::string folder = FileListFolder ? text::AddYen(FileListFolder()) : std::string();
  Source source;
  if (InArchive()) return {&f_.ListBox3, text::AddYen(ArchiveFolder ? ArchiveFolder() : std::string())};
  if (settings_.MemoryMode()) {
    source = {&f_.ListBox2, ""};
  } else {
    source = {&f_.ListBox4, folder};
  }
  if (order_ == Order::kSingle) {
    gui::ListBox* play = clicked_ != nullptr ? clicked_ : settings_.PlayListBox();
    if (play == &f_.ListBox2 || play == &f_.ListBox8) {
      source = {&f_.ListBox2, ""};
    } else if (play == &f_.ListBox6 || play == &f_.ListBox9) {
      source = {&f_.ListBox6, ""};
    } else {
      source = {&f_.ListBox4, folder};
    }
  }
  if (ssn) {
    gui::ListBox* twin = TwinOf(*source.list);
    if (twin != nullptr) source.list->SetTag(twin->Tag());
  }
  return source;
}

gui::ListBox& PlayEngine::PoolOf(const gui::ListBox& source) {
  return &source == &f_.ListBox4 ? f_.ListBoxRD : f_.ListBoxRM;
}

bool PlayEngine::DrawFromPool(gui::ListBox& source) {
  gui::ListBox& pool = PoolOf(source);
  for (;;) {
    if (pool.Count() > 0) {
      std::uniform_int_distribution<int> pick(0, pool.Count() - 1);
      int at = pick(random_);
      source.SetTag(PoolRow(pool.Item(at)));
      pool.DeleteItem(at);
    } else {
      source.SetTag(-1);
      pool.ClearItems();
      if (source.Count() == 0) {
        StopPlay();
        return false;
      }
      std::vector<std::string> rows;
      for (int i = 0; i < source.Count(); ++i) rows.push_back(std::to_string(i));
      pool.SetItems(std::move(rows));
      // An exhausted pass ends a run without endless play. A pool that was never filled has had
      // no pass yet: its first pass starts at once instead of ending a run that played nothing.
      bool& filledBefore = &pool == &f_.ListBoxRD ? fileListPoolFilled_ : otherPoolFilled_;
      bool passEnded = filledBefore;
      filledBefore = true;
      if (passEnded && !f_.CheckBox1.Checked()) {
        StopPlay();
        return false;
      }
      continue;
    }
    // An entry beyond the end of a list that has shrunk since the pass began is dropped.
    if (source.Tag() >= 0 && source.Tag() < source.Count()) return true;
  }
}

void PlayEngine::SelectOnly(gui::ListBox& list, int row) {
  list.SetTag(row);
  for (gui::ListBox* l : {&list, TwinOf(list)}) {
    if (l == nullptr || (l != &list && !f_.SSN.Checked())) continue;
    l->SetTag(row);
    if (l->MultiSelect()) {
      for (int i = 0; i < l->Count(); ++i) l->SetSelected(i, false);
    }
    if (row < l->Count()) {
      if (l->MultiSelect()) l->SetSelected(row, true);
      l->SetItemIndex(row);
    }
  }
}

void PlayEngine::Timer2Timer() {
  f_.Timer2.SetEnabled(false);
  f_.Label6.SetCaption("0");
  elapsed_ = 0;
  f_.Label10.SetCaption("0");
  waitForExit_ = false;
  f_.Label9.SetCaption(std::to_string(Interval()));
  if (stopRequest_) {
    StopPlay();
    return;
  }
  Source source = ChooseSource();
  gui::ListBox& list = *source.list;
  if (list.Count() == 0) {
    // An empty archive: on with the list underneath.
    if (&list == &f_.ListBox3) {
      Enable(f_.Timer4);
      return;
    }
    StopPlay();
    os_.desktop.Beep(platform::beep::kExclamation);
    return;
  }
  list.SetTag(Clamp(list.Tag(), list.Count()));
  if (order_ == Order::kRandom && &list == &f_.ListBox3) {
    // One saver of the archive, drawn without touching the pools of the lists underneath.
    list.SetTag(std::uniform_int_distribution<int>(0, list.Count() - 1)(random_));
  } else if (order_ == Order::kRandom && !DrawFromPool(list)) {
    return;
  }
  int row = static_cast<int>(list.Tag());
  SelectOnly(list, row);
  itemPrefix_ = source.prefix;
  std::string path = source.prefix + list.Item(row);
  if (RepairFilePath) path = RepairFilePath(path);
  Prepare(list, path);
}

void PlayEngine::ArchiveListed(bool listed) { Enable(listed ? f_.Timer2 : f_.Timer4); }

void PlayEngine::Timer4Timer() {
  f_.Timer4.SetEnabled(false);
  if (stopRequest_) {
    StopPlay();
    return;
  }
  // An archive gives one item of a random draw; the next draw is from the list underneath.
  if (order_ == Order::kRandom) {
    if (InArchive()) {
      LeaveArchive();
      Enable(f_.Timer4);
      return;
    }
    Enable(f_.Timer2);
    return;
  }
  gui::ListBox& list = InArchive() ? f_.ListBox3 : settings_.MemoryMode() ? f_.ListBox2 : f_.ListBox4;
  if (order_ == Order::kSingle) {
    StopPlay();
    return;
  }
  intptr_t next = list.Tag() + static_cast<int>(order_);
  if (next < 0 || next >= list.Count()) {
    // The archive's rows are done: the list underneath moves one step from its own row.
    if (&list == &f_.ListBox3) {
      LeaveArchive();
      Enable(f_.Timer4);
      return;
    }
    if (!scrVersion_ && !f_.CheckBox1.Checked()) {
      StopPlay();
      return;
    }
    if (played_ == 2) {
      os_.desktop.Beep(platform::beep::kExclamation);
      box_.MsgOKTimer(kNothingToPlayMessage, 1);
      StopPlay();
      return;
    }
    if (played_ == 0) played_ = 2;
    next = next < 0 ? list.Count() - 1 : 0;
  }
  SelectOnly(list, static_cast<int>(next));
  if (waitForExit_) {
    StopPlay();
    return;
  }
  Enable(f_.Timer2);
}

}  // namespace play
