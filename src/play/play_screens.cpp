// A saver on each monitor in the manager's runs: the round stands for the one saver in the
// chain's steps (its start, the watch, its end, the wait for its exit).
#include <optional>

#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/play_engine.h"
#include "play/screen_round.h"
#include "platform/services.h"

namespace play {

bool PlayEngine::StartRound() {
  roundOn_ = false;
  const std::vector<platform::Monitor> monitors = os_.desktop.Monitors();
  if (itemSource_ == nullptr || desktopOnly_ || !SharesScreens(f_.MONITORS.Checked(), Execute(), monitors.size())) {
    return false;
  }
  gui::ListBox& list = *itemSource_;
  const int first = roundFirst_ = static_cast<int>(list.Tag());
  round_->Start(monitors, SaversOf(os_.fs, RoundRows(order_, list.Count(), first, random_), [this, &list](int row) {
                  if (row >= list.Count()) return std::string();
                  std::string path = itemPrefix_ + list.Item(row);
                  return RepairFilePath ? RepairFilePath(path) : path;
                }));
  roundOn_ = true;
  if (order_ == Order::kContinuous || order_ == Order::kReverse) {
    SelectOnly(list, RoundLast(order_, list.Count(), first, static_cast<int>(monitors.size())));
  }
  return true;
}

bool PlayEngine::SaverRunning() { return roundOn_ ? round_->Playing() : os_.processes.StillRunning(running_); }

int PlayEngine::ShownDisplayTime() {
  const int longest =
      roundOn_ ? round_->LongestTime([this](const std::string& path) { return ComputeDisplayTime(path); }) : 0;
  return longest > 0 ? longest : ComputeDisplayTime(itemPath_);
}

void PlayEngine::EndShowing() {
  if (!roundOn_) return EndByKey();
  // The gap shows the round's last picture, as it shows a saver's.
  if (backdrop_ != nullptr) backdrop_->CapChanClick();
  round_->End();
  app_.ProcessMessages();
}

ExitLook PlayEngine::RoundExited() {
  app_.ProcessMessages();
  for (const std::string& path : round_->TakeForced()) {
    forcedNotice_ = kForcedEnd + UpperFileName(path);
    f_.Label4.SetCaption(forcedNotice_);
  }
  if (round_->Ended()) return ExitLook::kEnded;
  if (f_.Timer8.Interval() != 0) f_.Timer8.SetInterval(300);
  return ExitLook::kRunning;
}

void PlayEngine::FallBackToDesktop() {
  round_->End();
  roundOn_ = false;
  desktopOnly_ = true;
  if (order_ == Order::kContinuous || order_ == Order::kReverse) SelectOnly(*itemSource_, roundFirst_);
  app_.ProcessMessages();
  box_.MsgOKTimer(kNoSharedSaver, 1);
  // The first saver of the round plays again, alone, over the whole desktop.
  Enable(f_.Timer1);
}

}  // namespace play
