// The power-saving wait: once the savers of a run have been shown for the power-saving time in
// total, the saver showing is left running until it ends by itself, and each following one after
// a short grace. No key is injected while waiting; a stop request ends the saver by an Escape
// key-down to every window and a small cursor move.
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/play_engine.h"
#include "play/saver_launch.h"
#include "play/screen_round.h"
#include "platform/services.h"
#include "store/manager_settings.h"

namespace play {

void PlayEngine::TimerSTTimer() {
  f_.TimerST.SetEnabled(false);
  const bool still = SaverRunning();
  if (still && !stopRequest_) {
    CoverBesideSaver();
    Enable(f_.TimerST);
    return;
  }
  power_.AfterWait(settings_.Values().stimer);
  waitForExit_ = false;
  exitGuard_.Disarm();
  if (still && Execute()) {
    if (backdrop_ != nullptr) backdrop_->CapChanClick();
    app_.ProcessMessages();
    if (roundOn_) {
      round_->End();
    } else {
      power_.EndSaverInputs(os_.desktop, [this] { app_.ProcessMessages(); });
    }
    exitGuard_.Arm(stopPresses_);
  }
  if (!still) {
    os_.processes.Close(running_);
    if (roundOn_) round_->End();
    if (Execute() && backdrop_ != nullptr) backdrop_->HideImage();
    if (!Execute()) {
      // Settings dialogs do not add up to power saving; the dialog closed ends the run where a
      // timed end is off.
      power_.ResetCount();
      if (Interval() == 0 || order_ == Order::kSingle) {
        waitForExit_ = true;
        if (order_ == Order::kSingle || order_ == Order::kRandom) stopRequest_ = true;
      }
    }
  }
  app_.ProcessMessages();
  ScheduleFirstExitLook(f_.Timer8);
  Enable(f_.Timer8);
}

}  // namespace play
