#include "platform/fake/fake_desktop.h"

#include <algorithm>
#include <utility>

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

constexpr size_t kMaxAtomCharacters = 255;
constexpr unsigned kMaxIntegerAtom = 0xBFFF;

size_t CharacterCount(const std::string& text) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i, ++n) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;
  }
  return n;
}

// "#123" names the integer atom 123, as on Windows.
std::optional<uint16_t> IntegerAtom(const std::string& name) {
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  unsigned value = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(name[i] - '0');
    if (value > kMaxIntegerAtom) return std::nullopt;
  }
  if (value == 0) return std::nullopt;
  return static_cast<uint16_t>(value);
}

}  // namespace

WindowId FakeDesktop::AddWindow(const std::string& className, Rect rect, Handler handler) {
  return AddChildWindow(0, className, rect, std::move(handler));
}

WindowId FakeDesktop::AddChildWindow(WindowId parent, const std::string& className, Rect rect, Handler handler) {
  WindowId id = nextWindow_;
  nextWindow_ += 0x10;
  windows_.push_back({id, className, rect, std::move(handler), std::string(), parent});
  return id;
}

void FakeDesktop::RemoveWindow(WindowId window) {
  std::vector<WindowId> gone{window};
  for (size_t i = 0; i < gone.size(); ++i) {
    for (const Window& w : windows_) {
      if (w.parent == gone[i]) gone.push_back(w.id);
    }
  }
  std::erase_if(windows_, [&gone](const Window& w) { return std::find(gone.begin(), gone.end(), w.id) != gone.end(); });
}

std::optional<WindowId> FakeDesktop::FindWindowByClass(const std::string& className) {
  // Class names compare case-insensitively; the newest window is on top of the z-order.
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (it->parent == 0 && SameText(it->className, className)) return it->id;
  }
  return std::nullopt;
}

std::optional<WindowId> FakeDesktop::FindWindowOrChildByClass(const std::string& className) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (SameText(it->className, className)) return it->id;
  }
  return std::nullopt;
}

std::optional<Rect> FakeDesktop::WindowRect(WindowId window) {
  for (const Window& w : windows_) {
    if (w.id == window) return w.rect;
  }
  return std::nullopt;
}

WindowId FakeDesktop::WindowAt(Point point) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (it->parent != 0) continue;
    const Rect& r = it->rect;
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return it->id;
  }
  return 0;
}

std::string FakeDesktop::WindowTitle(WindowId window) {
  for (const Window& w : windows_) {
    if (w.id == window) return w.title;
  }
  return {};
}

void FakeDesktop::SetWindowTitle(WindowId window, const std::string& title) {
  for (Window& w : windows_) {
    if (w.id == window) w.title = title;
  }
}

intptr_t FakeDesktop::Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  messages_.push_back({window, message, wParam, lParam, false});
  for (const Window& w : windows_) {
    if (w.id == window) return w.handler ? w.handler(message, wParam, lParam) : 0;
  }
  return 0;
}

bool FakeDesktop::Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  messages_.push_back({window, message, wParam, lParam, true});
  for (const Window& w : windows_) {
    if (w.id == window) return true;
  }
  return false;
}

void FakeDesktop::Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  messages_.push_back({kBroadcast, message, wParam, lParam, false});
  std::vector<Window> receivers = windows_;  // handlers may add or remove windows
  for (const Window& w : receivers) {
    // HWND_BROADCAST reaches the top-level windows only.
    if (w.parent == 0 && w.handler) w.handler(message, wParam, lParam);
  }
  if (message == msg::kKeyDown) UserInput();
}

uint16_t FakeDesktop::AddGlobalAtom(const std::string& name) {
  if (std::optional<uint16_t> integer = IntegerAtom(name)) return *integer;
  if (name.empty() || CharacterCount(name) > kMaxAtomCharacters) return 0;
  for (auto& [atom, entry] : atoms_) {
    if (SameText(entry.name, name)) {
      ++entry.references;
      return atom;
    }
  }
  uint16_t atom = nextAtom_++;
  atoms_[atom] = Atom{name, 1};
  return atom;
}

std::optional<std::string> FakeDesktop::GlobalAtomName(uint16_t atom) {
  if (atom != 0 && atom <= kMaxIntegerAtom) {
    std::string name(1, '#');
    name.append(std::to_string(atom));
    return name;
  }
  auto it = atoms_.find(atom);
  if (it == atoms_.end()) return std::nullopt;
  return it->second.name;
}

void FakeDesktop::DeleteGlobalAtom(uint16_t atom) {
  auto it = atoms_.find(atom);
  if (it != atoms_.end() && --it->second.references == 0) atoms_.erase(it);
}

void FakeDesktop::MoveCursor(Point position) {
  cursorMoves_.push_back(position);
  bool moved = !(position == cursor_);
  cursor_ = position;
  if (moved) UserInput();
}

void FakeDesktop::PressKey(uint8_t virtualKey) {
  keys_.push_back(virtualKey);
  UserInput();
}

OsResult FakeDesktop::SetScreenSaverActive(bool active, bool persist) {
  screenSaverActive_ = active;
  persisted_ = persist;
  return OsResult::Ok();
}

OsResult FakeDesktop::SetScreenSaverTimeout(int seconds, bool persist) {
  if (seconds <= 0) return OsResult::FromCode(code::kInvalidParameter);
  screenSaverTimeout_ = seconds;
  persisted_ = persist;
  return OsResult::Ok();
}

void FakeDesktop::UserInput() {
  ++lastInput_;
  if (OnUserInput) OnUserInput();
}

void FakeDesktop::SetMonitors(std::vector<Monitor> monitors) {
  monitors_ = std::move(monitors);
  if (monitors_.empty()) return;
  screen_ = {monitors_.front().bounds.width(), monitors_.front().bounds.height()};
  workArea_ = monitors_.front().workArea;
}

std::vector<Monitor> FakeDesktop::Monitors() {
  if (!monitors_.empty()) return monitors_;
  return {Monitor{Rect{0, 0, screen_.x, screen_.y}, workArea_, true}};
}

}  // namespace platform::fake
