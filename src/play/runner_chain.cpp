// The runner's timer chain: select a row of ListBox4, admit and launch the saver full screen,
// end it by the Shift key after its display time (or wait while power saving holds it), wait for
// its exit and move on. Every end of a run closes the program.
#include <algorithm>
#include <random>

#include "browse/file_info.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/role_forms.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/runner.h"
#include "play/saver_launch.h"
#include "play/screen_round.h"
#include "platform/services.h"
#include "store/list_file.h"

namespace play {

namespace {

constexpr int kMaxElapsed = 32700;
constexpr char kPlayTitlePrefix[] = "QUOVEL32 ";
constexpr char kIdleTitle[] = "QUOVEL32";


}  // namespace

void Runner::Enable(gui::Timer& timer) {
  if (!closing_) timer.SetEnabled(true);
}

void Runner::PlayTitle(const std::string& text) {
  std::string title = CutTitle(text);
  app_.SetTitle(title);
  f_.SetCaption(title);
}

void Runner::IdleTitle() {
  app_.SetTitle(kIdleTitle);
  f_.SetCaption(kIdleTitle);
}

void Runner::StopPlay() {
  playing_ = false;
  IdleTitle();
  if (backdropUsed_) {
    app_.ProcessMessages();
    if (backdrop_ != nullptr) backdrop_->Close();
    backdropUsed_ = false;
  }
}

void Runner::EndRun() {
  StopPlay();
  CloseRunner();
}

void Runner::Timer2Timer() {
  f_.Timer2.SetEnabled(false);
  elapsed_ = 0;
  waitForExit_ = false;
  f_.Label9.SetCaption(std::to_string(settings_.timer));
  if (stopRequest_) {
    EndRun();
    return;
  }
  gui::ListBox& list = f_.ListBox4;
  const int count = list.Count();
  if (count == 0) {
    os_.desktop.Beep(platform::beep::kExclamation);
    EndRun();
    return;
  }
  int row = list.ItemIndex() < 0 ? 0 : list.ItemIndex();
  if (order_ == Order::kRandom) row = std::uniform_int_distribution<int>(0, count - 1)(random_);
  list.SetItemIndex(row);
  std::string path = prefix_ + list.Item(row);
  try {
    shell_->RepairFilePath(path);
  } catch (const browse::ShellError&) {
  }
  Prepare(path);
}

std::string Runner::TitleName(const std::string& path) const {
  if (settings_.Names()) {
    std::string name = names_.DisplayName(text::LowerAscii(path));
    if (!name.empty()) return name;
  }
  return UpperFileName(path);
}

int Runner::ComputeDisplayTime(const std::string& path) const {
  int fileTimer = settings_.FileTimers() && FileTimer ? FileTimer(path) : 0;
  return fileTimer != 0 ? fileTimer : settings_.timer;
}

void Runner::Prepare(const std::string& path) {
  // A direct look-up, which also finds hidden and system files.
  if (!os_.fs.FileExists(path) || !IsSaverName(path) || forcedOut_.count(text::UpperAscii(path)) != 0) {
    Skip();
    return;
  }
  if (backdrop_ != nullptr) backdrop_->ShowInFront();
  app_.ProcessMessages();
  PlayTitle(kPlayTitlePrefix + TitleName(path) + " (表示中)");
  itemPath_ = path;
  if (!HasProgramHeader(os_.fs, path)) {
    itemPath_.clear();
    running_ = {};
    Skip();
    return;
  }
  displayTime_ = ComputeDisplayTime(itemPath_);
  f_.Label9.SetCaption(browse::IntervalText(displayTime_));
  app_.ProcessMessages();
  Enable(f_.Timer1);
}

void Runner::Skip() {
  // In random order there are no passes: once every row has failed, nothing can be played.
  const int row = f_.ListBox4.ItemIndex();
  if (order_ == Order::kRandom && row >= 0 && static_cast<size_t>(row) < unplayable_.size()) {
    unplayable_[static_cast<size_t>(row)] = true;
    if (std::find(unplayable_.begin(), unplayable_.end(), false) == unplayable_.end()) {
      os_.desktop.Beep(platform::beep::kExclamation);
      EndRun();
      return;
    }
  }
  app_.ProcessMessages();
  Enable(f_.Timer4);
}

void Runner::Timer1Timer() {
  f_.Timer1.SetEnabled(false);
  if (StartRound()) {
    played_ |= 1;
    app_.ProcessMessages();
    Enable(f_.Timer7);
    return;
  }
  running_ = StartSaver(os_, itemPath_, false);
  if (!running_.valid()) {
    Skip();
    return;
  }
  played_ |= 1;
  RecordHistory(itemPath_);
  app_.ProcessMessages();
  Enable(f_.Timer7);
}

void Runner::RecordHistory(const std::string& path) {
  if (settings_.fileHis == 0) return;
  if (!FolderPlayed() && ListNumber() == store::kHistoryList) return;
  history_.push_back(path);
  if (HistoryOverflows(history_.size(), settings_.fileHis)) history_.erase(history_.begin());
}

void Runner::SaverEndedByItself() {
  os_.processes.Close(running_);
  if (roundOn_) round_->End();
  if (backdrop_ != nullptr) backdrop_->HideImage();
  // The user came back: the run ends (in the walking orders after the index has moved on).
  waitForExit_ = true;
  if (order_ == Order::kSingle || order_ == Order::kRandom) stopRequest_ = true;
}

void Runner::EnterTimer8() {
  app_.ProcessMessages();
  ScheduleFirstExitLook(f_.Timer8);
  Enable(f_.Timer8);
}

void Runner::Timer7Timer() {
  f_.Timer7.SetEnabled(false);
  if (++elapsed_ > kMaxElapsed) elapsed_ = 0;
  if (power_.Tick(settings_.stimer)) {
    elapsed_ = 0;
    Enable(f_.TimerST);
    return;
  }
  if (roundOn_ && round_->NoneShared()) return FallBackToDesktop();
  displayTime_ = ShownDisplayTime();
  waitForExit_ = settings_.timer == 0 || order_ == Order::kSingle;
  const bool still = SaverRunning();
  if (still && !stopRequest_ && (elapsed_ < displayTime_ || waitForExit_)) {
    CoverBesideSaver();
    Enable(f_.Timer7);
    return;
  }
  elapsed_ = 0;
  exitGuard_.Disarm();
  if (still) {
    waitForExit_ = false;
    EndShowing();
    exitGuard_.Arm(stopPresses_);
  } else {
    SaverEndedByItself();
  }
  EnterTimer8();
}

void Runner::TimerSTTimer() {
  f_.TimerST.SetEnabled(false);
  const bool still = SaverRunning();
  if (still && !stopRequest_) {
    CoverBesideSaver();
    Enable(f_.TimerST);
    return;
  }
  power_.AfterWait(settings_.stimer);
  waitForExit_ = false;
  exitGuard_.Disarm();
  if (still) {
    if (backdrop_ != nullptr) backdrop_->CapChanClick();
    app_.ProcessMessages();
    if (roundOn_) {
      round_->End();
    } else {
      power_.EndSaverInputs(os_.desktop, [this] { app_.ProcessMessages(); });
    }
    exitGuard_.Arm(stopPresses_);
  } else {
    // The saver held by power saving ended by itself: the user is back, as in Timer7.
    SaverEndedByItself();
  }
  EnterTimer8();
}

void Runner::Timer8Timer() {
  f_.Timer8.SetEnabled(false);
  const ExitLook look =
      roundOn_ ? RoundExited() : SaverExited(app_, os_.processes, running_, f_.Timer8, exitGuard_, stopPresses_);
  if (look == ExitLook::kRunning) {
    Enable(f_.Timer8);
    return;
  }
  roundOn_ = false;
  // The runner has no information line; a saver that had to be ended is not started again.
  if (look == ExitLook::kForced) forcedOut_.insert(text::UpperAscii(itemPath_));
  if (backdrop_ != nullptr) backdrop_->ShowInFront();
  itemPath_.clear();
  app_.ProcessMessages();
  Enable(f_.Timer4);
}

void Runner::Timer4Timer() {
  f_.Timer4.SetEnabled(false);
  if (stopRequest_) {
    EndRun();
    return;
  }
  if (order_ == Order::kRandom) {
    Enable(f_.Timer2);
    return;
  }
  if (order_ == Order::kSingle) {
    EndRun();
    return;
  }
  gui::ListBox& list = f_.ListBox4;
  int next = list.ItemIndex() + static_cast<int>(order_);
  if (next < 0 || next >= list.Count()) {
    if (played_ == 2) {
      os_.desktop.Beep(platform::beep::kExclamation);
      EndRun();
      return;
    }
    if (played_ == 0) played_ = 2;
    next = next < 0 ? list.Count() - 1 : 0;
  }
  list.SetItemIndex(next);
  if (waitForExit_) {
    EndRun();
    return;
  }
  Enable(f_.Timer2);
}

}  // namespace play
