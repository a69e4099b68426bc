// One item's life: admission, title and display time, the launch, the once-a-second watch, the
// timed end by an injected Shift key, and the wait until the process has really ended.
#include "text/text_path.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/play_engine.h"
#include "play/saver_launch.h"
#include "play/screen_round.h"
#include "platform/services.h"
#include "store/manager_settings.h"
#include "store/memory_lists.h"

namespace play {

namespace {

constexpr int kMaxElapsed = 32700;
constexpr int kHistoryList = 10;  // HIS

}  // namespace

bool PlayEngine::Admitted(const std::string& path) {
  if (!InArchive() && ShowFileInfo && !ShowFileInfo(path)) return false;
  return IsSaverName(path);
}

std::string PlayEngine::TitleName(const std::string& path) {
  itemName_.clear();
  if (f_.SSN.Checked()) {
    if (DisplayName) itemName_ = DisplayName(text::LowerAscii(path));
    if (!itemName_.empty()) return itemName_;
  }
  return UpperFileName(path);
}

int PlayEngine::ComputeDisplayTime(const std::string& path) {
  int fileTimer = FileTimer ? FileTimer(path) : 0;
  return fileTimer != 0 && f_.FT.Checked() ? fileTimer : Interval();
}

void PlayEngine::Skip() {
  app_.ProcessMessages();
  Enable(f_.Timer4);
}

void PlayEngine::Prepare(gui::ListBox& source, const std::string& path) {
  itemSource_ = &source;
  // A row that is an archive is played from its extraction folder: Timer5 builds the view first.
  if (!InArchive() && IsArchiveName(path) && PlayArchive && PlayArchive(path)) return;
  if (!Admitted(path)) {
    Skip();
    return;
  }
  if (Execute() && backdrop_ != nullptr) backdrop_->ShowInFront();
  app_.ProcessMessages();
  PlayTitle(settings_.PlayTitle() + TitleName(path) + (Execute() ? " (表示中)" : " (設定中)"));
  itemPath_ = path;
  if (!HasProgramHeader(os_.fs, path)) {
    itemPath_.clear();
    running_ = {};
    Skip();
    return;
  }
  displayTime_ = ComputeDisplayTime(itemPath_);
  ShowInterval(displayTime_);
  app_.ProcessMessages();
  Enable(f_.Timer1);
}

void PlayEngine::Timer1Timer() {
  f_.Timer1.SetEnabled(false);
  if (StartRound()) {
    played_ |= 1;
    app_.ProcessMessages();
    Enable(f_.Timer7);
    return;
  }
  // A folder that vanished since the admission counts as a failed launch.
  platform::ProcessRef started = StartSaver(os_, itemPath_, !Execute());
  if (!started.valid()) {
    running_ = {};
    app_.ProcessMessages();
    Enable(f_.Timer4);
    return;
  }
  running_ = started;
  played_ |= 1;
  RecordHistory(itemPath_);
  app_.ProcessMessages();
  Enable(f_.Timer7);
}

void PlayEngine::RecordHistory(const std::string& path) {
  int size = settings_.Values().fileHis;
  if (size <= 0) return;
  // The history is shown in ListBox2 while it is the current list, with names in its twin;
  // playing the history itself adds nothing to it.
  bool shown = lists_.Current() == kHistoryList;
  if (shown && itemSource_ == &f_.ListBox2) return;
  auto trim = [size](auto count, auto dropOldest) {
    if (HistoryOverflows(static_cast<size_t>(count), size)) dropOldest();
  };
  if (shown) {
    f_.ListBox2.AddItem(path);
    if (f_.SSN.Checked()) {
      const std::string name = path == itemPath_ ? itemName_ : DisplayName ? DisplayName(text::LowerAscii(path)) : "";
      f_.ListBox8.AddItem(name.empty() ? UpperFileName(path) : name);
    }
    trim(f_.ListBox2.Count(), [this] {
      f_.ListBox2.DeleteItem(0);
      if (f_.SSN.Checked() && f_.ListBox8.Count() > 0) f_.ListBox8.DeleteItem(0);
    });
  } else {
    std::vector<std::string>& history = lists_.History();
    history.push_back(path);
    trim(static_cast<int>(history.size()), [&history] { history.erase(history.begin()); });
  }
  lists_.SetCaption(kHistoryList, shown ? static_cast<size_t>(f_.ListBox2.Count()) : lists_.History().size());
}

void PlayEngine::CoverBesideSaver() {
  if (!Execute() || backdrop_ == nullptr) return;
  if (roundOn_) return backdrop_->CoverBeside(round_->Covered());
  backdrop_->CoverBesideSaver(os_.processes, running_);
}

void PlayEngine::EndByKey() {
  if (backdrop_ != nullptr) backdrop_->CapChanClick();
  PressShiftKeepingCursor(os_.desktop);
  app_.ProcessMessages();
}

void PlayEngine::Timer7Timer() {
  f_.Timer7.SetEnabled(false);
  if (++elapsed_ > kMaxElapsed) elapsed_ = 0;
  f_.Label10.SetCaption(std::to_string(elapsed_));
  // Power saving comes first: the saver showing when the limit is reached is not ended by a key.
  if (power_.Tick(settings_.Values().stimer)) {
    elapsed_ = 0;
    Enable(f_.TimerST);
    return;
  }
  if (roundOn_ && round_->NoneShared()) return FallBackToDesktop();
  displayTime_ = ShownDisplayTime();
  waitForExit_ = Interval() == 0 || order_ == Order::kSingle;
  bool still = SaverRunning();
  if (still && !stopRequest_ && (elapsed_ < displayTime_ || waitForExit_)) {
    CoverBesideSaver();
    Enable(f_.Timer7);
    return;
  }
  elapsed_ = 0;
  exitGuard_.Disarm();
  if (still) {
    waitForExit_ = false;
    if (Execute()) {
      EndShowing();
      exitGuard_.Arm(stopPresses_);
    }
  } else {
    os_.processes.Close(running_);
    if (roundOn_) round_->End();
    if (Execute() && backdrop_ != nullptr) backdrop_->HideImage();
    // The saver ended by itself: in full-screen mode that is the user coming back.
    if (waitForExit_ || Execute()) {
      waitForExit_ = true;
      if (order_ == Order::kSingle || order_ == Order::kRandom) stopRequest_ = true;
    }
  }
  app_.ProcessMessages();
  ScheduleFirstExitLook(f_.Timer8);
  Enable(f_.Timer8);
}

void PlayEngine::Timer8Timer() {
  f_.Timer8.SetEnabled(false);
  const ExitLook look =
      roundOn_ ? RoundExited() : SaverExited(app_, os_.processes, running_, f_.Timer8, exitGuard_, stopPresses_);
  if (look == ExitLook::kRunning) {
    Enable(f_.Timer8);
    return;
  }
  roundOn_ = false;
  if (look == ExitLook::kForced) {
    forcedNotice_ = kForcedEnd + UpperFileName(itemPath_);
    f_.Label4.SetCaption(forcedNotice_);
  }
  if (Execute() && backdrop_ != nullptr) backdrop_->ShowInFront();
  itemPath_.clear();
  app_.ProcessMessages();
  Enable(f_.Timer4);
}

}  // namespace play
