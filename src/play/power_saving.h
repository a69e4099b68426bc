// The power-saving count of a run: once the savers of a run have been shown for the power-saving
// time in total, the engine stops ending savers on time and waits until each ends by itself,
// leaving the following ones running after a grace of a few seconds. Also the inputs that end a
// saver left running when a stop is requested: an Escape key-down to every top-level window and a
// small cursor move whose direction alternates from one stop to the next.
#pragma once
#include <functional>

namespace platform {
class Desktop;
}

namespace play {

// Seconds of display after a power-saving wait before the next saver is left running.
constexpr int kPowerSavingGrace = 8;
// Pixels the cursor moves on both axes to end a saver left running.
constexpr int kJiggle = 5;

class PowerSaving {
 public:
  // A run starts: the count goes back to 0. The jiggle sign is kept.
  void StartRun() { count_ = 0; }
  // One second of display. With a limit of 0 (off) nothing is counted and the result is false;
  // otherwise the count grows by 1 and the result tells whether it has reached the limit, i.e.
  // whether the power-saving wait begins instead of any other step of this second.
  bool Tick(int limitSeconds);
  // The wait is over: the next saver is left running after the grace time (count = limit − 8,
  // not below 0).
  void AfterWait(int limitSeconds);
  // Back to 0 (the settings-dialog mode does not accumulate).
  void ResetCount() { count_ = 0; }
  // Ends a saver left running: reads the cursor, sends WM_KEYDOWN VK_ESCAPE (lParam 0) to all
  // top-level windows, runs `letMessagesRun` if given, moves the cursor by 5 × sign on both axes
  // and flips the sign.
  void EndSaverInputs(platform::Desktop& desktop, const std::function<void()>& letMessagesRun = {});

  int Count() const { return count_; }
  int Sign() const { return sign_; }

 private:
  int count_ = 0;
  int sign_ = 1;
};

}  // namespace play
