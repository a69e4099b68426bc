#include "platform/desktop.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

int64_t Overlap(const Rect& a, const Rect& b) {
  const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
int64_t Distance(const Rect& a, const Rect& b) {
  const int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
  const int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

const Monitor& MonitorOf(const std::vector<Monitor>& monitors, const Rect& window) {
  const Monitor* best = &monitors.front();
  int64_t bestOverlap = -1, bestDistance = 0;
  for (const Monitor& m : monitors) {
    const int64_t overlap = Overlap(m.bounds, window);
    const int64_t distance = Distance(m.bounds, window);
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
      best = &m;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return *best;
}

}  // namespace platform
