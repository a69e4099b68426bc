// A timer component: OnTimer runs every Interval milliseconds while Enabled, on the GUI thread.
// Enabling it, or changing the interval while it is enabled, starts the countdown afresh; an
// interval of 0 never fires. Like its designer counterpart it starts enabled with 1000 ms.
#pragma once
#include "gui/component.h"

namespace gui {

class Timer : public Component {
 public:
  Timer(Form& owner, std::string name, int interval = 1000, bool enabled = true);
  ~Timer() override;

  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled with a positive interval.
  bool Running() const { return enabled_ && interval_ > 0; }

  NotifyEvent OnTimer;

  // The backend's countdown ran out.
  void Fire();

 private:
  int interval_;
  bool enabled_;
};

}  // namespace gui
