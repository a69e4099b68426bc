// Geometry of the message box: where every control of a box goes, computed from the measured
// text extent, so that the arithmetic can be checked without windows. All divisions truncate
// toward zero as the box has always done.
#pragma once

#include "gui/dpi.h"
#include "gui/gui_types.h"

namespace common {

using gui::Rect;

// What a box shows: kind 0 is the OK layout, anything else Yes/No; style 0 plain, 1 timed,
// 2 error; countdown tells whether the timed or error variant counts (otherwise it is plain).
struct MKBoxRequest {
  int kind = 0;
  int style = 0;
  bool countdown = false;
  int defaultResult = 0;
};

// Measurements the window system provides.
struct MKBoxMetrics {
  int textWidth = 0, textHeight = 0;   // extent of the message text (the auto-sized Msg label)
  int countWidth = 0, countHeight = 0; // extent of the count label ("10秒")
  int memoFontHeight = -13;            // the memo font's height value (negative: character height)
  int frameWidth = 0, frameHeight = 0; // outer size minus client size of the box window
  gui::Dpi dpi;                        // the box's density: its design sizes are scaled by it
};

struct MKBoxLayout {
  int outerWidth = 0, outerHeight = 0;
  int left = 0, top = 0;               // screen position of the window
  Rect memo, icon;
  Rect ok, yes, no, abort, pause;      // pause holds both 一時停止 and ｶｳﾝﾄ再開
  bool okVisible = false, yesVisible = false, noVisible = false, abortVisible = false, pauseVisible = false;
  Rect bar;                            // the red time-out bar
  bool barVisible = false;
  Rect count;                          // remaining seconds, bottom right
  bool countVisible = false;
};

// The work area (the screen less the taskbar) and the rectangle the box is centred on; a reference
// of width 0 means "none": the work area is used.
struct Placement {
  Rect workArea;
  Rect reference;
};

// Where a dialog of the given outer size goes: centred on the reference (the work area when the
// reference has no width), then kept inside the work area with its top-left corner first.
gui::Point PlaceDialog(const Rect& reference, const Rect& work, int width, int height);

MKBoxLayout LayoutMKBox(const MKBoxRequest& request, const MKBoxMetrics& metrics, const Placement& placement);

}  // namespace common
