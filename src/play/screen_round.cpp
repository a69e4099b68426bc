#include "play/screen_round.h"

#include <algorithm>
#include <cstdlib>

#include "forms/role_forms.h"
#include "gui/application.h"
#include "play/live_preview.h"
#include "platform/services.h"
#include "text/text_path.h"

namespace play {

const char kNoSharedSaver[] = "モニターごとに再生できるセーバーがありません・・・\n画面全体で再生します。";

namespace {

constexpr int kLookMs = 100;

}  // namespace

std::vector<int> RoundRows(Order order, int count, int first, std::mt19937& random) {
  std::vector<int> rows;
  if (count <= 0) return rows;
  first = std::clamp(first, 0, count - 1);
  rows.push_back(first);
  if (order == Order::kSingle) return rows;
  if (order == Order::kRandom) {
    for (int row = 0; row < count; ++row) {
      if (row != first) rows.push_back(row);
    }
    std::shuffle(rows.begin() + 1, rows.end(), random);
    return rows;
  }
  const int step = order == Order::kReverse ? -1 : 1;
  for (int i = 1; i < count; ++i) rows.push_back(((first + step * i) % count + count) % count);
  return rows;
}

int RoundLast(Order order, int count, int first, int monitors) {
  if (order != Order::kContinuous && order != Order::kReverse) return first;
  const int last = first + static_cast<int>(order) * (monitors - 1);
  return std::clamp(last, 0, std::max(count - 1, 0));
}

std::function<std::optional<std::string>()> SaversOf(platform::FileSystem& fs, std::vector<int> rows,
                                                     std::function<std::string(int row)> pathOf) {
  size_t at = 0;
  return [&fs, rows = std::move(rows), pathOf = std::move(pathOf), at]() mutable -> std::optional<std::string> {
    while (at < rows.size()) {
      std::string path = pathOf(rows[at++]);
      if (!path.empty() && fs.FileExists(path) && IsSaverName(path) && HasProgramHeader(fs, path)) return path;
    }
    return std::nullopt;
  };
}

bool SharesScreens(bool setting, bool fullScreen, size_t monitors) { return setting && fullScreen && monitors > 1; }

ScreenRound::ScreenRound(gui::Application& app, platform::Services& os) : app_(app), os_(os) {}

ScreenRound::~ScreenRound() = default;

forms::TQUOVEL32SCREEN& ScreenRound::FormOf(size_t index) {
  while (forms_.size() <= index) {
    forms::TQUOVEL32SCREEN& form = app_.CreateForm<forms::TQUOVEL32SCREEN>();
    form.LookTimer.SetInterval(kLookMs);
    form.LookTimer.OnTimer = [this](gui::Component&) { Look(); };
    forms_.push_back(&form);
  }
  return *forms_[index];
}

void ScreenRound::Start(const std::vector<platform::Monitor>& monitors, NextSaver next) {
  screens_.assign(monitors.size(), Screen{});
  next_ = std::move(next);
  given_.clear();
  forced_.clear();
  started_ = true;
  anyShown_ = false;
  userBack_ = false;
  ending_ = false;
  lastInput_ = os_.desktop.LastInputTick();
  rest_ = last_ = os_.desktop.CursorPos();
  for (size_t i = 0; i < screens_.size(); ++i) {
    Screen& s = screens_[i];
    s.form = &FormOf(i);
    s.bounds = monitors[i].bounds;
    s.guard = ExitGuard(1, kPreviewCloseMs / kLookMs);
    s.form->SetBounds(gui::Rect{s.bounds.left, s.bounds.top, s.bounds.width(), s.bounds.height()});
    s.form->SetVisible(true);
    s.form->BringToFront();
  }
  shown_ = !screens_.empty();
  app_.ProcessMessages();
  settled_ = app_.Now() + kSettleMs;
  size_t again = 0;
  for (Screen& s : screens_) {
    std::optional<std::string> path = TakeNext();
    if (!path && !given_.empty()) path = given_[again++ % given_.size()];
    if (path) StartOn(s, *path);
  }
  if (!forms_.empty()) forms_.front()->LookTimer.SetEnabled(true);
}

void ScreenRound::StartOn(Screen& s, const std::string& path) {
  s.path = path;
  s.process = StartSaverPreview(os_, path, s.form->GetHandle());
  s.startedAt = app_.Now();
  s.phase = Phase::kStarting;
  if (!s.process.valid()) GiveUp(s);
}

void ScreenRound::GiveUp(Screen& s) {
  if (s.process.valid()) os_.processes.EndAll(s.process);
  if (!s.path.empty()) unshared_.insert(text::UpperAscii(s.path));
  s.phase = Phase::kEmpty;
  s.path.clear();
  if (std::optional<std::string> path = TakeNext()) StartOn(s, *path);
}

std::optional<std::string> ScreenRound::TakeNext() {
  while (next_) {
    std::optional<std::string> path = next_();
    if (!path) break;
    if (unshared_.count(text::UpperAscii(*path)) != 0) continue;
    given_.push_back(*path);
    return path;
  }
  return std::nullopt;
}

bool ScreenRound::Busy() const {
  return std::any_of(screens_.begin(), screens_.end(), [](const Screen& s) { return s.phase != Phase::kEmpty; });
}

bool ScreenRound::Playing() const {
  if (userBack_) return false;
  return std::any_of(screens_.begin(), screens_.end(),
                     [](const Screen& s) { return s.phase == Phase::kStarting || s.phase == Phase::kShowing; });
}

std::vector<std::string> ScreenRound::Paths() const {
  std::vector<std::string> paths;
  for (const Screen& s : screens_) {
    if (s.phase == Phase::kShowing && std::find(paths.begin(), paths.end(), s.path) == paths.end()) {
      paths.push_back(s.path);
    }
  }
  return paths;
}

int ScreenRound::LongestTime(const std::function<int(const std::string& path)>& timeOf) const {
  int longest = 0;
  for (const std::string& path : Paths()) longest = std::max(longest, timeOf(path));
  return longest;
}

std::vector<platform::Rect> ScreenRound::Covered() const {
  std::vector<platform::Rect> covered;
  if (!shown_) return covered;
  for (const Screen& s : screens_) covered.push_back(s.bounds);
  return covered;
}

void ScreenRound::End() {
  ending_ = true;
  for (Screen& s : screens_) {
    if (s.phase != Phase::kStarting && s.phase != Phase::kShowing) continue;
    s.phase = Phase::kEnding;
    s.guard.Arm(0);
    s.guard.Look(os_.processes, s.process, 0);
  }
  Look();
}

std::vector<std::string> ScreenRound::TakeForced() {
  std::vector<std::string> forced;
  forced.swap(forced_);
  return forced;
}

void ScreenRound::Release() {
  for (Screen& s : screens_) {
    if (s.process.valid()) os_.processes.EndAll(s.process);
    s.phase = Phase::kEmpty;
  }
  Hide();
}

void ScreenRound::Hide() {
  if (!forms_.empty()) forms_.front()->LookTimer.SetEnabled(false);
  for (forms::TQUOVEL32SCREEN* form : forms_) form->SetVisible(false);
  shown_ = false;
}

// Every 100 ms while the round lives: the user first, then each monitor's saver.
void ScreenRound::Look() {
  if (!userBack_ && Playing()) WatchInput();
  if (userBack_) {
    for (Screen& s : screens_) {
      if (s.phase == Phase::kStarting || s.phase == Phase::kShowing) {
        s.phase = Phase::kEnding;
        s.guard.Arm(0);
      }
    }
  }
  for (Screen& s : screens_) Watch(s);
  // The windows go once every saver of an ended round has gone; a round whose monitors ran out
  // of savers keeps them black until the run decides.
  if (shown_ && (ending_ || userBack_) && !Busy()) Hide();
}

// Savers in a preview ignore the user: a key or a button leaves the cursor where it was, a move
// shifts it; one of more than a few pixels from where it rested counts.
void ScreenRound::WatchInput() {
  const std::uint32_t input = os_.desktop.LastInputTick();
  if (input == lastInput_) return;
  lastInput_ = input;
  const std::optional<platform::Point> at = os_.desktop.CursorPos();
  const bool moved = !(at == last_);
  last_ = at;
  if (!moved) {
    if (app_.Now() >= settled_) userBack_ = true;
    return;
  }
  if (at && rest_ && (std::abs(at->x - rest_->x) > kMoveTolerance || std::abs(at->y - rest_->y) > kMoveTolerance)) {
    userBack_ = true;
  }
}

void ScreenRound::Watch(Screen& s) {
  if (s.phase == Phase::kEmpty) return;
  if (!os_.processes.StillRunning(s.process)) {
    os_.processes.Close(s.process);
    // A saver that ends by itself before it showed could not play in a window.
    if (s.phase == Phase::kStarting) return GiveUp(s);
    s.phase = Phase::kEmpty;
    return;
  }
  if (s.phase == Phase::kEnding) {
    if (s.guard.Look(os_.processes, s.process, 0)) {
      forced_.push_back(s.path);
      s.phase = Phase::kEmpty;
    }
    return;
  }
  // A saver of old ignores the window it is given and takes the whole screen.
  if (!os_.processes.ShownWindows(s.process).empty()) return GiveUp(s);
  if (s.phase != Phase::kStarting) return;
  if (os_.processes.ShowsInside(s.process, s.form->GetHandle())) {
    s.phase = Phase::kShowing;
    anyShown_ = true;
    const bool first = std::none_of(screens_.begin(), screens_.end(), [&s](const Screen& other) {
      return &other != &s && other.phase == Phase::kShowing && other.path == s.path;
    });
    if (first && Shown) Shown(s.path);
  } else if (app_.Now() - s.startedAt >= static_cast<std::uint64_t>(kPreviewShowMs)) {
    GiveUp(s);
  }
}

}  // namespace play
