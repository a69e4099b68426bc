#include "gui/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>

#include "gui/application.h"
#include "gui/canvas.h"
#include "gui/form.h"
#include "gui/menu.h"
#include "gui/task_tray.h"
#include "gui/save_dialog.h"
#include "gui/timer.h"

namespace gui::headless {

namespace {

class NullControlPeer : public ControlPeer {
 public:
  explicit NullControlPeer(Handle h) : handle_(h) {}
  Handle GetHandle() const override { return handle_; }
  void Changed(Property, int) override {}
  void Invalidate() override {}
  void SetFocus() override {}
  void BringToFront() override {}

 private:
  Handle handle_;
};

class NullMenuPeer : public MenuPeer {
 public:
  void Changed() override {}
};

// Keeps the backend's picture of the notification area up to date.
class TrayPeer : public TaskTrayPeer {
 public:
  TrayPeer(TTaskTray& icon, std::map<int, std::string>& tray) : icon_(icon), tray_(tray) {}
  ~TrayPeer() override { Remove(); }
  void Changed() override {
    Remove();
    if (icon_.Registered()) {
      tray_[icon_.IconID()] = icon_.TipString();
      id_ = icon_.IconID();
    }
  }

 private:
  void Remove() {
    if (id_ != 0) tray_.erase(id_);
    id_ = 0;
  }
  TTaskTray& icon_;
  std::map<int, std::string>& tray_;
  int id_ = 0;
};

class NullApplicationPeer : public ApplicationPeer {
 public:
  explicit NullApplicationPeer(Handle h) : handle_(h) {}
  Handle GetHandle() const override { return handle_; }
  void TitleChanged() override {}
  void Minimize() override {}
  void Restore() override {}
  void ShowTaskbarButton(bool) override {}
  void HintSettingsChanged() override {}

 private:
  Handle handle_;
};

std::string Describe(Form& form) { return form.ClassName() + " \"" + form.AllText() + "\""; }

}  // namespace

ModalExpectation& ModalExpectation::Answer(int result) {
  how_ = How::Answer;
  result_ = result;
  return *this;
}

ModalExpectation& ModalExpectation::Do(std::function<void(Form&)> act) {
  how_ = How::Do;
  act_ = std::move(act);
  return *this;
}

ModalExpectation& ModalExpectation::LetRun(std::uint64_t maxMs) {
  how_ = How::LetRun;
  maxMs_ = maxMs;
  return *this;
}

Backend::Backend() = default;
Backend::~Backend() = default;

void Backend::Fail(const std::string& message) {
  ++failures_;
  if (reporter_) {
    reporter_(message);
  } else {
    std::fprintf(stderr, "gui headless: %s\n", message.c_str());
  }
}

std::unique_ptr<ApplicationPeer> Backend::CreateApplicationPeer(Application&) {
  return std::make_unique<NullApplicationPeer>(NewHandle());
}

std::unique_ptr<ControlPeer> Backend::CreatePeer(Control&) { return std::make_unique<NullControlPeer>(NewHandle()); }

std::unique_ptr<MenuPeer> Backend::CreateMenuPeer(Menu&) { return std::make_unique<NullMenuPeer>(); }

std::unique_ptr<TaskTrayPeer> Backend::CreateTaskTrayPeer(TTaskTray& tray) { return std::make_unique<TrayPeer>(tray, tray_); }

void Backend::TimerChanged(Timer& timer, bool running) {
  if (!running) {
    timers_.erase(&timer);
    return;
  }
  Scheduled s;
  s.due = now_ + static_cast<std::uint64_t>(timer.Interval());
  s.order = ++order_;
  s.timer = &timer;
  timers_[&timer] = s;
}

bool Backend::IsScheduled(const Timer& timer) const { return timers_.count(&timer) != 0; }

std::uint64_t Backend::Deadline(const Timer& timer) const {
  auto it = timers_.find(&timer);
  return it == timers_.end() ? 0 : it->second.due;
}

void Backend::Post(std::function<void()> action, std::uint64_t delayMs) {
  Scheduled s;
  s.due = now_ + delayMs;
  s.order = ++order_;
  s.action = std::move(action);
  posted_.push_back(std::move(s));
}

// The earliest timer or posted action due by `limit` (ties: the one scheduled first).
bool Backend::NextDue(std::uint64_t limit, Scheduled& out) {
  const Scheduled* best = nullptr;
  auto better = [&](const Scheduled& s) {
    return s.due <= limit && (best == nullptr || s.due < best->due || (s.due == best->due && s.order < best->order));
  };
  for (const auto& [timer, s] : timers_) {
    if (better(s)) best = &s;
  }
  size_t postedIndex = posted_.size();
  for (size_t i = 0; i < posted_.size(); ++i) {
    if (better(posted_[i])) {
      best = &posted_[i];
      postedIndex = i;
    }
  }
  if (best == nullptr) return false;
  if (postedIndex < posted_.size() && best == &posted_[postedIndex]) {
    out = std::move(posted_[postedIndex]);
    posted_.erase(posted_.begin() + static_cast<std::ptrdiff_t>(postedIndex));
  } else {
    out = *best;
  }
  return true;
}

void Backend::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  Scheduled s;
  while (NextDue(target, s)) {
    now_ = std::max(now_, s.due);
    if (s.timer != nullptr) {
      Scheduled& live = timers_[s.timer];
      live.due = now_ + static_cast<std::uint64_t>(s.timer->Interval());
      live.order = ++order_;
      s.timer->Fire();
    } else if (s.action) {
      s.action();
    }
  }
  now_ = std::max(now_, target);
}

void Backend::ProcessMessages() { Advance(step_); }

void Backend::Run(Application& app) {
  const std::uint64_t limit = now_ + 24ull * 3600 * 1000;
  while (!terminated_ && !app.Terminated()) {
    if (timers_.empty() && posted_.empty()) return;
    if (now_ >= limit) {
      Fail("Run: the application did not end within a virtual day");
      return;
    }
    ProcessMessages();
  }
}

ModalExpectation& Backend::ExpectModal(const std::string& className, const std::string& textContains) {
  ModalExpectation e;
  e.className_ = className;
  e.textContains_ = textContains;
  modal_.push_back(std::move(e));
  return modal_.back();
}

void Backend::ExpectPopup(const std::string& menuName, const std::string& itemName) {
  popupScript_.push_back(PopupExpectation{menuName, itemName});
}

void Backend::ExpectSaveDialog(std::optional<std::string> path) { saveScript_.push_back(std::move(path)); }

bool Backend::VerifyExpectations() {
  const bool ok = modal_.empty() && popupScript_.empty() && saveScript_.empty();
  for (const auto& e : modal_) Fail("expected modal form " + e.className_ + " containing \"" + e.textContains_ + "\" was never shown");
  for (const auto& p : popupScript_) Fail("expected popup menu " + p.menu + " was never shown");
  for (const auto& a : saveScript_) Fail("expected save dialog (answer " + (a ? "\"" + *a + "\"" : std::string("cancel")) + ") was never shown");
  modal_.clear();
  popupScript_.clear();
  saveScript_.clear();
  return ok;
}

bool Backend::RunUntilClosed(Form& form, std::uint64_t maxMs) {
  const std::uint64_t deadline = now_ + maxMs;
  while (form.ModalResult() == kMrNone && !terminated_) {
    if (now_ >= deadline) {
      Fail("modal form " + Describe(form) + " still open after " + std::to_string(maxMs) + " ms");
      return false;
    }
    ProcessMessages();
  }
  return true;
}

bool Backend::RunModal(Form& form) {
  // A modal loop resumed after OnCloseQuery refused to close the form.
  auto served = served_.find(&form);
  if (served != served_.end() && served->second.serial == form.ModalSerial()) {
    if (served->second.answered) {
      Fail("modal form " + Describe(form) + " refused to close after its scripted answer");
      return false;
    }
    return RunUntilClosed(form, served->second.maxMs);
  }
  served_[&form] = Served{form.ModalSerial(), true, 0};

  ModalRecord record;
  record.className = form.ClassName();
  record.text = form.AllText();
  record.shownAt = now_;
  bool completed = false;
  if (modal_.empty()) {
    Fail("unexpected modal form " + Describe(form));
  } else {
    ModalExpectation e = std::move(modal_.front());
    modal_.pop_front();
    if (e.className_ != form.ClassName() || record.text.find(e.textContains_) == std::string::npos) {
      Fail("modal form " + Describe(form) + " shown where " + e.className_ + " containing \"" + e.textContains_ + "\" was expected");
    } else if (e.how_ == ModalExpectation::How::Answer) {
      form.SetModalResult(e.result_);
      completed = true;
    } else {
      served_[&form] = Served{form.ModalSerial(), false, e.maxMs_};
      if (e.how_ == ModalExpectation::How::Do && e.act_) e.act_(form);
      completed = form.ModalResult() != kMrNone || RunUntilClosed(form, e.maxMs_);
    }
  }
  record.result = completed ? form.ModalResult() : kMrCancel;
  record.closedAt = now_;
  history_.push_back(record);
  return completed;
}

MenuItem* Backend::TrackPopup(PopupMenu& menu, int, int) {
  std::string entry = menu.Name();
  MenuItem* picked = nullptr;
  if (!popupScript_.empty() && popupScript_.front().menu == menu.Name()) {
    const std::string item = popupScript_.front().item;
    popupScript_.pop_front();
    if (!item.empty()) {
      picked = dynamic_cast<MenuItem*>(menu.OwnerForm().FindComponent(item));
      if (picked == nullptr || &picked->OwnerMenu() != &menu) {
        Fail("popup menu " + menu.Name() + " has no item " + item);
        picked = nullptr;
      } else {
        entry += ">" + item;
      }
    }
  }
  popups_.push_back(entry);
  return picked;
}

std::optional<std::string> Backend::RunSaveDialog(const SaveDialog& dialog) {
  SaveDialogRecord record{dialog.Name(), dialog.Title, dialog.InitialDir, dialog.FileName, dialog.DefaultExt,
                          dialog.Filter, dialog.HideReadOnly, dialog.PathMustExist, std::nullopt};
  if (saveScript_.empty()) {
    Fail("unexpected save dialog " + dialog.Name() + " \"" + dialog.Title + "\"");
  } else {
    record.chosen = std::move(saveScript_.front());
    saveScript_.pop_front();
  }
  saveDialogs_.push_back(record);
  return record.chosen;
}

Size Backend::TextExtent(const gui::Font& font, const std::string& text) { return FixedTextExtent(font, text); }

// The frame's parts at 96 pixels per inch, grown with the density as Windows grows them.
Size Backend::FrameExtra(BorderStyle border, bool hasMenu, int ppi) const {
  int b = 0, caption = 0;
  switch (border) {
    case BorderStyle::None: return Size{0, 0};
    case BorderStyle::Sizeable: b = kSizeableBorder; caption = kCaptionHeight; break;
    case BorderStyle::SizeToolWin: b = kSizeableBorder; caption = kToolCaptionHeight; break;
    case BorderStyle::ToolWindow: b = kFixedBorder; caption = kToolCaptionHeight; break;
    case BorderStyle::Single:
    case BorderStyle::Dialog: b = kFixedBorder; caption = kCaptionHeight; break;
  }
  const Dpi dpi{ppi};
  return Size{2 * dpi.Scale(b), 2 * dpi.Scale(b) + dpi.Scale(caption) + (hasMenu ? dpi.Scale(kMenuHeight) : 0)};
}

// The classic Windows scheme, so that resolved colours are stable in tests.
Color Backend::ResolveColor(Color c) const {
  if (!IsSystemColor(c)) return c & 0xFFFFFF;
  switch (c & 0xFF) {
    case 5: return Rgb(255, 255, 255);     // window
    case 8: return Rgb(0, 0, 0);           // window text
    case 13: return Rgb(10, 36, 106);      // highlight
    case 14: return Rgb(255, 255, 255);    // highlight text
    case 15: return Rgb(212, 208, 200);    // button face
    case 16: return Rgb(128, 128, 128);    // button shadow
    case 17: return Rgb(128, 128, 128);    // grey text
    case 18: return Rgb(0, 0, 0);          // button text
    case 20: return Rgb(255, 255, 255);    // button highlight
    case 23: return Rgb(0, 0, 0);          // info text
    case 24: return Rgb(255, 255, 225);    // info background
    default: return Rgb(0, 0, 0);
  }
}

}  // namespace gui::headless

namespace gui::headless {

std::shared_ptr<Bitmap> Backend::CaptureScreen(bool viaClipboard) {
  ++captures_;
  if (viaClipboard) ++clipboardCaptures_;
  if (screenPicture_ != nullptr) return std::make_shared<Bitmap>(*screenPicture_);
  const Rect all = VirtualScreen();
  auto picture = std::make_shared<Bitmap>(all.width, all.height);
  std::uint32_t* row = picture->Data();
  for (int y = 0; y < picture->Height(); ++y, row += picture->Width()) {
    for (int x = 0; x < picture->Width(); ++x) {
      row[x] = static_cast<std::uint32_t>(((x % 256) << 16) | ((y % 256) << 8) | 0x80);
    }
  }
  return picture;
}

}  // namespace gui::headless
