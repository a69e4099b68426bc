// The part of the screen not covered by the taskbar, found by looking at the windows in the four
// screen corners. Every dialog of the program places itself inside this area.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/mkbox_layout.h"

namespace gui {
class Application;
class Form;
}  // namespace gui

namespace platform {
class Desktop;
}

namespace common {

// A window's rectangle as its four edges.
struct WindowEdges {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Window look-ups the probe needs; handles are opaque, 0 means none.
struct WindowQueries {
  std::function<uintptr_t(int x, int y)> windowAt;
  // nullopt when the window cannot be read (destroyed).
  std::function<std::optional<WindowEdges>(uintptr_t)> edges;
  std::function<std::string(uintptr_t)> title;
};

class WorkAreaProbe {
 public:
  // Recomputes the work area for a screen of the given size. True when a taskbar was found; the
  // area is the whole screen otherwise. A remembered taskbar is reused; when it has gone, the
  // corners are searched again.
  bool Probe(int screenWidth, int screenHeight, const WindowQueries& queries);
  const Rect& Area() const { return area_; }
  uintptr_t Taskbar() const { return taskbar_; }

 private:
  Rect area_;
  uintptr_t taskbar_ = 0;
};

// The area every dialog is kept in: the work area of the monitor of the window `reference` (the
// primary monitor when it has no width). On the primary monitor that is the corner probe's answer
// when it finds a classic taskbar, otherwise the system's own work area (newer shells, or Wine
// without a window manager, have no taskbar the probe recognises); on any other monitor it is
// that monitor's work area.
Rect DialogWorkArea(WorkAreaProbe& probe, platform::Desktop& desktop, const Rect& reference = {});

// Places a dialog window as every dialog of the program is placed: centred on the window
// `source` (the main window when 0), inside the dialog work area of that window's monitor.
// Returns that area.
Rect PlaceOnSource(gui::Application& app, platform::Desktop& desktop, WorkAreaProbe& probe, gui::Form& dialog,
                   gui::Handle source);
// The dialog takes the main window's background and font colours whenever it shows or paints
// (nothing without a main window).
void FollowMainColours(gui::Application& app, gui::Form& dialog);
// The rectangle of the window `source` (the main window when 0); no width when there is none.
Rect SourceRect(gui::Application& app, platform::Desktop& desktop, gui::Handle source);

}  // namespace common
