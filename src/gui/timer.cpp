#include "gui/timer.h"

#include "gui/application.h"

namespace gui {

Timer::Timer(Form& owner, std::string name, int interval, bool enabled)
    : Component(&owner, std::move(name)), interval_(interval < 0 ? 0 : interval), enabled_(enabled) {
  App().GetBackend().TimerChanged(*this, Running());
}

Timer::~Timer() { App().GetBackend().TimerChanged(*this, false); }

void Timer::SetInterval(int ms) {
  if (ms < 0) ms = 0;
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) App().GetBackend().TimerChanged(*this, Running());
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  App().GetBackend().TimerChanged(*this, Running());
}

void Timer::Fire() {
  if (Running() && OnTimer) OnTimer(*this);
}

}  // namespace gui
