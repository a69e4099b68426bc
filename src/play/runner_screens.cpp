// A saver on each monitor in the screen-saver runner: the round stands for the one saver in the
// chain's steps, as in the manager's runs.
#include <algorithm>
#include <optional>

#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/role_forms.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/runner.h"
#include "play/screen_round.h"
#include "platform/services.h"
#include "text/text_path.h"

namespace play {

bool Runner::StartRound() {
  roundOn_ = false;
  const std::vector<platform::Monitor> monitors = os_.desktop.Monitors();
  if (desktopOnly_ || !SharesScreens(settings_.monitors, true, monitors.size())) return false;
  gui::ListBox& list = f_.ListBox4;
  const int first = roundFirst_ = std::max(list.ItemIndex(), 0);
  round_->Start(monitors, SaversOf(os_.fs, RoundRows(order_, list.Count(), first, random_), [this, &list](int row) {
                  if (row >= list.Count()) return std::string();
                  std::string path = prefix_ + list.Item(row);
                  try {
                    shell_->RepairFilePath(path);
                  } catch (const browse::ShellError&) {
                  }
                  // A saver that had to be ended by force is not started again.
                  return forcedOut_.count(text::UpperAscii(path)) != 0 ? std::string() : path;
                }));
  roundOn_ = true;
  if (order_ == Order::kContinuous || order_ == Order::kReverse) {
    list.SetItemIndex(RoundLast(order_, list.Count(), first, static_cast<int>(monitors.size())));
  }
  return true;
}

bool Runner::SaverRunning() { return roundOn_ ? round_->Playing() : os_.processes.StillRunning(running_); }

int Runner::ShownDisplayTime() const {
  const int longest =
      roundOn_ ? round_->LongestTime([this](const std::string& path) { return ComputeDisplayTime(path); }) : 0;
  return longest > 0 ? longest : ComputeDisplayTime(itemPath_);
}

void Runner::CoverBesideSaver() {
  if (backdrop_ == nullptr) return;
  if (roundOn_) return backdrop_->CoverBeside(round_->Covered());
  backdrop_->CoverBesideSaver(os_.processes, running_);
}

void Runner::EndShowing() {
  if (backdrop_ != nullptr) backdrop_->CapChanClick();
  if (roundOn_) {
    round_->End();
  } else {
    PressShiftKeepingCursor(os_.desktop);
  }
  app_.ProcessMessages();
}

ExitLook Runner::RoundExited() {
  app_.ProcessMessages();
  for (const std::string& path : round_->TakeForced()) forcedOut_.insert(text::UpperAscii(path));
  if (round_->Ended()) return ExitLook::kEnded;
  if (f_.Timer8.Interval() != 0) f_.Timer8.SetInterval(300);
  return ExitLook::kRunning;
}

void Runner::FallBackToDesktop() {
  round_->End();
  roundOn_ = false;
  desktopOnly_ = true;
  f_.ListBox4.SetItemIndex(roundFirst_);
  app_.ProcessMessages();
  box_.MsgOKTimer(kNoSharedSaver, 1);
  Enable(f_.Timer1);
}

}  // namespace play
