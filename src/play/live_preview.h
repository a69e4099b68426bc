// The manager's live preview: while it is on, a small window beside the manager shows the saver
// on the current row of the list the user last clicked, started as Windows starts a preview
// ("/p" and the handle of the window to draw in) once the row has rested for a moment. One
// preview process at most lives at a time; a row that is no saver shows its name instead, and a
// saver that does not draw inside the window is ended and the window says so.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "gui/gui_types.h"
#include "play/saver_launch.h"
#include "platform/processes.h"

namespace gui {
class Application;
}

namespace platform {
struct Services;
}

namespace forms {
class TQUOVEL32PREVIEW;
}

namespace play {

// How long a row must stay current before its saver starts, how long a started saver has to
// show a window inside the preview, and how long one asked to close may take before it is ended
// with every process it started (all in milliseconds).
constexpr int kPreviewRestMs = 300;
constexpr int kPreviewShowMs = 3000;
constexpr int kPreviewCloseMs = 2000;
// What the window says of a saver it cannot show.
extern const char kNoPreview[];  // "プレビューできません"

struct LivePreviewHooks {
  // The full path of the current row of the list the user last clicked; empty for none.
  std::function<std::string()> CurrentPath;
  // The file a row's path leads to (folders named by the shell's names mapped to real ones);
  // by default the path itself.
  std::function<std::string(const std::string& path)> RealPath;
  // A run plays, a file command works on the files or the lists' file menu is open: the preview
  // rests until that is over.
  std::function<bool()> Resting;
  // The manager window is on the screen (not minimised, not in the notification area), and where.
  std::function<bool()> ManagerShown;
  std::function<gui::Rect()> ManagerBounds;
  // The work area of the monitor a rectangle lies on.
  std::function<gui::Rect(const gui::Rect&)> WorkAreaOf;
  // The user closed the window: the preview is off.
  std::function<void()> Closed;
};

// Where the window goes, `size` big: at `saved` when there is a saved place, else right of the
// manager, or left of it when the right side of the work area has no room; then inside `work`.
gui::Rect PreviewBounds(const gui::Rect& manager, gui::Size size, const gui::Rect& work,
                        const std::optional<gui::Point>& saved);

class LivePreview {
 public:
  LivePreview(gui::Application& app, forms::TQUOVEL32PREVIEW& form, platform::Services& os, LivePreviewHooks hooks);

  // On: the window shows (first at `saved`, see PreviewBounds) and follows the row. Off: the
  // window hides and the saver is asked to close.
  void SetOn(bool on, const std::optional<gui::Point>& saved = std::nullopt);
  // The window's place once it has been placed, else `saved` as given.
  std::optional<gui::Point> Place() const;
  // The saver is ended at once (the file it runs from is needed, or the manager closes); it
  // starts again when the row rests next.
  void Release();


 private:
  enum class Phase { kStarting, kShowing, kEnding };

  // Every 100 ms while on or while a saver is held.
  void LookTimerTimer();
  void Watch();
  void Start(const std::string& row);
  void AskToEnd();
  void ShowText(const std::string& text);
  void EndOnCannot();
  void KeepTimer();

  gui::Application& app_;
  forms::TQUOVEL32PREVIEW& f_;
  platform::Services& os_;
  LivePreviewHooks hooks_;
  bool on_ = false;
  bool placed_ = false;
  std::optional<gui::Point> saved_;
  std::string wanted_;          // the row to show; empty: nothing
  bool handled_ = true;         // wanted_ has been started or shown as a name
  std::uint64_t restUntil_ = 0;
  platform::ProcessRef running_;
  Phase phase_ = Phase::kStarting;
  std::uint64_t startedAt_ = 0;
  ExitGuard guard_;
};

}  // namespace play
