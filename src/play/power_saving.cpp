#include "play/power_saving.h"

#include <algorithm>
#include <optional>

#include "platform/desktop.h"

namespace play {

bool PowerSaving::Tick(int limitSeconds) {
  if (limitSeconds == 0) return false;
  ++count_;
  return count_ >= limitSeconds;
}

void PowerSaving::AfterWait(int limitSeconds) { count_ = std::max(0, limitSeconds - kPowerSavingGrace); }

void PowerSaving::EndSaverInputs(platform::Desktop& desktop, const std::function<void()>& letMessagesRun) {
  std::optional<platform::Point> cursor = desktop.CursorPos();
  desktop.Broadcast(platform::msg::kKeyDown, platform::vk::kEscape, 0);
  if (letMessagesRun) letMessagesRun();
  // A saver that ignores keys still ends on a mouse move; the direction alternates so repeated
  // stops do not walk the cursor off towards one corner.
  if (cursor) desktop.MoveCursor({cursor->x + kJiggle * sign_, cursor->y + kJiggle * sign_});
  sign_ = -sign_;
}

}  // namespace play
