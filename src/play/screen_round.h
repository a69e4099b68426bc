// A saver on each monitor: one round of a run lays a black window of ours over every monitor and
// starts in each a saver of the play order as Windows starts a preview ("/p" and that window), so
// that every saver draws inside its own monitor. Savers in a preview do not end on input, so the
// round watches the user itself: a key, a button or a cursor move of more than a few pixels ends
// every saver at once. A saver that cannot play in a window (it shows no window inside ours in
// time, or shows one of its own on the desktop) is ended and its monitor takes the next saver of
// the order; one that failed so is not tried again in the run.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "play/play_engine.h"
#include "play/saver_launch.h"
#include "platform/desktop.h"
#include "platform/processes.h"

namespace gui {
class Application;
}

namespace platform {
class FileSystem;
struct Services;
}

namespace forms {
class TQUOVEL32SCREEN;
}

namespace play {

// What the information line says when a list has no saver that can share the screens; the run
// then plays over the whole desktop.
extern const char kNoSharedSaver[];
// A cursor move of more than this many pixels from where it rested is the user coming back.
constexpr int kMoveTolerance = 8;
// For this long after a round's windows show, input that leaves the cursor where it was does not
// count: showing a window under the cursor counts as input on some systems.
constexpr int kSettleMs = 1000;

// The rows of a round in play order, each row once, from `first` (the row the walk stands at) in
// a list of `count` rows: 連続 first, first+1, … and 逆連 first, first-1, … round the ends;
// ﾗﾝﾀﾞﾑ first, then the others in a random order; 単独 first alone. Monitor i takes rows[i % size];
// a monitor whose saver cannot play in a window takes the next row not yet given.
std::vector<int> RoundRows(Order order, int count, int first, std::mt19937& random);
// Where a walking order stands after a round of `monitors` savers from `first`: the row of the
// last monitor, kept inside the list, so that the next step crosses the list's end exactly when
// the round reached it.
int RoundLast(Order order, int count, int first, int monitors);
// Whether a run plays a saver on each monitor: the setting is on, savers play full screen (not
// their settings) and there is more than one monitor.
bool SharesScreens(bool setting, bool fullScreen, size_t monitors);

// The order's savers for a round: the rows in turn, each as `pathOf` names it (empty: the row is
// gone), when it is a saver that can start.
std::function<std::optional<std::string>()> SaversOf(platform::FileSystem& fs, std::vector<int> rows,
                                                     std::function<std::string(int row)> pathOf);

class ScreenRound {
 public:
  ScreenRound(gui::Application& app, platform::Services& os);
  ~ScreenRound();

  // A saver shows in its window for the first time in this round (the history records it).
  std::function<void(const std::string& path)> Shown;

  // A new run: every saver may try to share the screens again.
  void NewRun() { unshared_.clear(); }
  // The next saver of the play order (admitted: a program that can start); none when the order
  // has no more.
  using NextSaver = std::function<std::optional<std::string>()>;
  // Starts a round over `monitors`, each taking the next saver of `next`; when the order runs
  // out, monitors take again the savers given so far, in turn. A saver that failed to play in a
  // window before in the run is passed over.
  void Start(const std::vector<platform::Monitor>& monitors, NextSaver next);
  // A saver starts or shows on some monitor, and the user has not come back.
  bool Playing() const;
  bool UserBack() const { return userBack_; }
  // Nothing of the round could play in a window: every monitor ran out of savers.
  bool NoneShared() const { return started_ && !userBack_ && !anyShown_ && !Busy(); }
  // The round changes when the longest of its savers' times is over; 0 while none shows.
  int LongestTime(const std::function<int(const std::string& path)>& timeOf) const;
  // The monitors our windows cover.
  std::vector<platform::Rect> Covered() const;
  // Asks every saver to end (the windows it draws in are asked to close); one still there
  // kPreviewCloseMs later is ended with every process it started.
  void End();
  // Every saver of the round has ended and our windows are gone.
  bool Ended() const { return !Busy() && !shown_; }
  // The savers that had to be ended by force since the last call.
  std::vector<std::string> TakeForced();
  // Ends every saver at once and hides the windows (the program closes).
  void Release();

 private:
  // The savers showing (a saver on two monitors counts once), in monitor order.
  std::vector<std::string> Paths() const;
  enum class Phase { kEmpty, kStarting, kShowing, kEnding };
  struct Screen {
    forms::TQUOVEL32SCREEN* form = nullptr;
    platform::Rect bounds;
    std::string path;
    platform::ProcessRef process;
    Phase phase = Phase::kEmpty;
    std::uint64_t startedAt = 0;
    ExitGuard guard{1, 1};
  };

  forms::TQUOVEL32SCREEN& FormOf(size_t index);
  bool Busy() const;
  void Look();
  void WatchInput();
  void Watch(Screen& s);
  // Ends the saver that cannot play in a window and starts the next one on its monitor.
  void GiveUp(Screen& s);
  // The next saver of the order not passed over; none when the order has no more.
  std::optional<std::string> TakeNext();
  void StartOn(Screen& s, const std::string& path);
  void Hide();

  gui::Application& app_;
  platform::Services& os_;
  std::vector<forms::TQUOVEL32SCREEN*> forms_;
  std::vector<Screen> screens_;
  NextSaver next_;
  std::vector<std::string> given_;   // the savers the order gave in this round
  std::set<std::string> unshared_;   // savers that could not play in a window (upper case)
  std::vector<std::string> forced_;
  bool started_ = false;
  bool shown_ = false;               // our windows show
  bool anyShown_ = false;
  bool userBack_ = false;
  bool ending_ = false;              // End was called
  std::uint32_t lastInput_ = 0;
  std::uint64_t settled_ = 0;        // when input without a move counts again
  std::optional<platform::Point> rest_;   // where the cursor rested when the round began
  std::optional<platform::Point> last_;   // where it was at the last look
};

}  // namespace play
