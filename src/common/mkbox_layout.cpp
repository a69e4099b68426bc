#include "common/mkbox_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace common {

namespace {

// Design sizes of the box's controls.
constexpr int kDesignIconSize = 32;
constexpr int kMemoTop = 16;
constexpr int kDesignButtonWidth = 89;
constexpr int kDesignButtonHeight = 33;
constexpr Rect kDesignBar{72, 216, 89, 3};

// Quarter of a width, rounded half to even as the original arithmetic did.
int RoundQuarter(int width) { return static_cast<int>(std::nearbyint(width / 4.0)); }

}  // namespace

gui::Point PlaceDialog(const Rect& reference, const Rect& work, int width, int height) {
  const Rect& ref = reference.width > 0 ? reference : work;
  const Rect placed = Rect{ref.left + (ref.width - width) / 2, ref.top + (ref.height - height) / 2, width, height}
                          .KeptInside(work);
  return {placed.left, placed.top};
}

MKBoxLayout LayoutMKBox(const MKBoxRequest& request, const MKBoxMetrics& metrics, const Placement& placement) {
  MKBoxLayout out;
  const bool yesNo = request.kind != 0;
  const bool counting = request.countdown && request.style != 0;
  const bool error = counting && request.style == 2;

  // The design sizes at the box's density; the text extents come measured in its scaled fonts.
  const gui::Dpi& dpi = metrics.dpi;
  const int iconSize = dpi.Scale(kDesignIconSize);
  const int buttonWidth = dpi.Scale(kDesignButtonWidth);
  const int buttonHeight = dpi.Scale(kDesignButtonHeight);

  // Text area and window size.
  out.memo = {2 * iconSize, dpi.Scale(kMemoTop), metrics.textWidth + dpi.Scale(10),
              metrics.textHeight - 2 * metrics.memoFontHeight};
  out.outerWidth = 3 * iconSize + out.memo.width;
  if (iconSize > out.memo.height) {
    out.outerHeight = 3 * iconSize + buttonHeight + iconSize / 2;
  } else {
    out.outerHeight = out.memo.height + buttonHeight + 2 * iconSize + iconSize / 2;
  }
  auto clientWidth = [&] { return out.outerWidth - metrics.frameWidth; };
  const int clientHeight = out.outerHeight - metrics.frameHeight;

  const int iconMargin = dpi.Scale(16);
  out.icon = {iconMargin, std::max(iconMargin, out.memo.top + (out.memo.height - iconSize) / 2 - dpi.Scale(4)), iconSize,
              iconSize};

  // Button row, vertically centred below the text and the icon.
  const int below = std::max(out.memo.Bottom(), out.icon.Bottom());
  const int buttonTop = below + (clientHeight - below - buttonHeight) / 2;
  out.ok = out.yes = out.no = out.abort = out.pause = {0, buttonTop, buttonWidth, buttonHeight};
  out.bar = dpi.Scale(kDesignBar);
  out.bar.top = buttonTop - out.bar.height;

  std::vector<Rect*> row;
  if (yesNo) {
    row = {&out.yes, &out.no};
    out.yesVisible = out.noVisible = true;
  } else {
    row = {&out.ok};
    out.okVisible = true;
  }
  if (error) {
    row.push_back(&out.abort);
    out.abortVisible = true;
  }
  if (counting) {
    row.push_back(&out.pause);
    out.pauseVisible = true;
  }
  if (!yesNo && !counting) {
    out.ok.left = (clientWidth() - out.ok.width) / 2;
  } else {
    int total = 0;
    for (const Rect* r : row) total += r->width;
    const int gap = std::max(dpi.Scale(10), (clientWidth() - total) / static_cast<int>(row.size() + 1));
    int x = gap;
    for (Rect* r : row) {
      r->left = x;
      x += r->width + gap;
    }
  }

  // The bar marks the button the time-out chooses.
  if (counting) {
    const int d = request.defaultResult;
    const bool shown = yesNo ? (d == 2 || d == 6 || d == 7 || (error && d == 3)) : (d == 1 || d == 2 || (error && d == 3));
    if (shown) {
      out.barVisible = true;
      if (d == 1) out.bar.left = out.ok.left;
      if (d == 3) out.bar.left = out.abort.left;
      if (d == 6) out.bar.left = out.yes.left;
      if (d == 7) out.bar.left = out.no.left;
      if (d == 2) {
        out.bar.left = out.pause.left + out.bar.width;
        out.bar.top = dpi.Scale(3);
      }
    }
  }

  // Widen the window for the count, or for the rightmost button.
  if (counting) {
    const int room = clientWidth() - out.pause.Right();
    if (room < metrics.countWidth) out.outerWidth += metrics.countWidth - room;
    out.memo.width = std::max(out.memo.width, RoundQuarter(out.pause.width) * 3 + out.pause.left - out.memo.left);
    out.count = {clientWidth() - metrics.countWidth, clientHeight - metrics.countHeight, metrics.countWidth, metrics.countHeight};
    out.countVisible = true;
  } else {
    const Rect& last = yesNo ? out.no : out.ok;
    if (out.memo.Right() < last.Right()) {
      out.outerWidth = last.Right() + iconSize / 2;
      out.memo.width = std::max(out.memo.width, RoundQuarter(last.width) * 3 + last.left - out.memo.left);
    }
  }

  const gui::Point at = PlaceDialog(placement.reference, placement.workArea, out.outerWidth, out.outerHeight);
  out.left = at.x;
  out.top = at.y;
  return out;
}

}  // namespace common
