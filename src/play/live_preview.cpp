#include "play/live_preview.h"

#include <algorithm>

#include "text/text_path.h"
#include "forms/preview_form.h"
#include "gui/application.h"
#include "platform/services.h"

namespace play {

const char kNoPreview[] = "プレビューできません";

namespace {

constexpr int kLookMs = 100;

std::string NameOf(const std::string& path) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  return name;
}

}  // namespace

gui::Rect PreviewBounds(const gui::Rect& manager, gui::Size size, const gui::Rect& work,
                        const std::optional<gui::Point>& saved) {
  gui::Rect r{manager.Right(), manager.top, size.width, size.height};
  if (saved) {
    r.left = saved->x;
    r.top = saved->y;
  } else if (r.Right() > work.Right()) {
    r.left = manager.left - size.width;
  }
  return r.KeptInside(work);
}

// A look every 100 ms: the close is asked at the first look of the guard, the end by force
// comes twenty looks later.
LivePreview::LivePreview(gui::Application& app, forms::TQUOVEL32PREVIEW& form, platform::Services& os,
                         LivePreviewHooks hooks)
    : app_(app), f_(form), os_(os), hooks_(std::move(hooks)), guard_(1, kPreviewCloseMs / kLookMs) {
  f_.LookTimer.SetInterval(kLookMs);
  f_.LookTimer.OnTimer = [this](gui::Component&) { LookTimerTimer(); };
  f_.OnClose = [this](gui::Component&, gui::CloseAction&) {
    SetOn(false);
    if (hooks_.Closed) hooks_.Closed();
  };
}

void LivePreview::SetOn(bool on, const std::optional<gui::Point>& saved) {
  on_ = on;
  if (on && !placed_) {
    placed_ = true;
    saved_ = saved;
    const gui::Rect manager = hooks_.ManagerBounds ? hooks_.ManagerBounds() : gui::Rect{};
    const gui::Size size{f_.Width(), f_.Height()};
    const gui::Rect near = saved ? gui::Rect{saved->x, saved->y, size.width, size.height} : manager;
    const gui::Rect work = hooks_.WorkAreaOf ? hooks_.WorkAreaOf(near) : near;
    f_.SetBounds(PreviewBounds(manager, size, work, saved));
  }
  LookTimerTimer();
}

std::optional<gui::Point> LivePreview::Place() const {
  if (!placed_) return saved_;
  return gui::Point{f_.Left(), f_.Top()};
}

void LivePreview::Release() {
  if (running_.valid()) os_.processes.EndAll(running_);
  guard_.Disarm();
  wanted_.clear();
  handled_ = true;
  KeepTimer();
}

void LivePreview::LookTimerTimer() {
  const bool shown = on_ && (!hooks_.ManagerShown || hooks_.ManagerShown());
  if (f_.Visible() != shown) f_.SetVisible(shown);
  const bool active = shown && !(hooks_.Resting && hooks_.Resting());
  const std::string want = active && hooks_.CurrentPath ? hooks_.CurrentPath() : std::string();
  bool asked = false;
  if (want != wanted_) {
    // A new row, or none: the saver shown goes, and the new one waits until the row rests.
    wanted_ = want;
    handled_ = false;
    restUntil_ = app_.Now() + kPreviewRestMs;
    ShowText(NameOf(want));
    asked = running_.valid() && phase_ != Phase::kEnding;
    if (asked) AskToEnd();
  }
  if (running_.valid() && !asked) Watch();
  if (!running_.valid() && !handled_ && app_.Now() >= restUntil_) {
    handled_ = true;
    Start(wanted_);
  }
  KeepTimer();
}

void LivePreview::Watch() {
  if (!os_.processes.StillRunning(running_)) {
    os_.processes.Close(running_);
    guard_.Disarm();
    if (phase_ != Phase::kEnding) ShowText(kNoPreview);
    return;
  }
  if (phase_ == Phase::kEnding) {
    guard_.Look(os_.processes, running_, 0);
    return;
  }
  // Savers of old ignore the window they are given and take the whole screen.
  if (!os_.processes.ShownWindows(running_).empty()) return EndOnCannot();
  if (phase_ == Phase::kStarting) {
    if (os_.processes.ShowsInside(running_, f_.HostPanel.GetHandle())) {
      phase_ = Phase::kShowing;
      ShowText("");
    } else if (app_.Now() - startedAt_ >= static_cast<std::uint64_t>(kPreviewShowMs)) {
      EndOnCannot();
    }
  }
}

void LivePreview::Start(const std::string& row) {
  if (row.empty() || !IsSaverName(row)) return;
  const std::string path = hooks_.RealPath ? hooks_.RealPath(row) : row;
  // Anything else keeps its name in the window.
  if (!HasProgramHeader(os_.fs, path)) return;
  running_ = StartSaverPreview(os_, path, f_.HostPanel.GetHandle());
  if (!running_.valid()) return ShowText(kNoPreview);
  phase_ = Phase::kStarting;
  startedAt_ = app_.Now();
}

void LivePreview::AskToEnd() {
  phase_ = Phase::kEnding;
  guard_.Arm(0);
  guard_.Look(os_.processes, running_, 0);
}

void LivePreview::EndOnCannot() {
  os_.processes.EndAll(running_);
  guard_.Disarm();
  ShowText(kNoPreview);
}

void LivePreview::ShowText(const std::string& text) {
  if (f_.HostPanel.Caption() != text) f_.HostPanel.SetCaption(text);
}

void LivePreview::KeepTimer() { f_.LookTimer.SetEnabled(on_ || running_.valid()); }

}  // namespace play
