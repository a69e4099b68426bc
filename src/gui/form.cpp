#include "gui/form.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/menu.h"

namespace gui {

Form::Form(Application& app, std::string className, std::string name)
    : Control(*this, std::move(name)), app_(app), className_(std::move(className)) {
  SetVisibleState(false);
  SetBoundsState(Rect{0, 0, 320, 240});
  app_.RegisterForm(this);
}

Form::~Form() {
  DestroyPeers();
  app_.UnregisterForm(this);
}

void Form::AddComponent(Component* c) { components_.push_back(c); }

void Form::RemoveComponent(Component* c) {
  components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
}

void Form::ControlGone(Control* c) {
  if (activeControl_ == c) activeControl_ = nullptr;
}

Component* Form::FindComponent(const std::string& name) const {
  for (Component* c : components_) {
    if (c->Name() == name) return c;
  }
  return nullptr;
}

void Form::CollectText(const Control& c, std::string& out) const {
  for (const Control* child : c.Children()) {
    if (!child->Caption().empty()) {
      out += '\n';
      out += child->Caption();
    }
    CollectText(*child, out);
  }
}

std::string Form::AllText() const {
  std::string out = Caption();
  CollectText(*this, out);
  return out;
}

Rect Form::ClientRect() const {
  const bool hasMenu = menu_ != nullptr && menu_->HasVisibleItems();
  const Size extra = app_.GetBackend().FrameExtra(borderStyle_, hasMenu, dpi_.ppi);
  return Rect{0, 0, std::max(Width() - extra.width, 0), std::max(Height() - extra.height, 0)};
}

void Form::SetClientSize(int width, int height) {
  const bool hasMenu = menu_ != nullptr && menu_->HasVisibleItems();
  const Size extra = app_.GetBackend().FrameExtra(borderStyle_, hasMenu, dpi_.ppi);
  SetBounds(Left(), Top(), width + extra.width, height + extra.height);
}

void Form::SetBorderStyle(gui::BorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  Push(Property::BorderStyle);
  Realign();
}

void Form::SetBorderIcons(bool systemMenu, bool minimize, bool maximize) {
  systemMenu_ = systemMenu;
  minimizeBox_ = minimize;
  maximizeBox_ = maximize;
  Push(Property::BorderStyle);
}

void Form::SetFormStyle(gui::FormStyle style) {
  if (formStyle_ == style) return;
  formStyle_ = style;
  Push(Property::FormStyle);
}

void Form::SetWindowState(gui::WindowState state) {
  if (windowState_ == state) return;
  windowState_ = state;
  Push(Property::WindowState);
}

void Form::PeerWindowStateChanged(gui::WindowState state) {
  if (state == gui::WindowState::Minimized && app_.MainForm() == this) {
    app_.Minimize();
    return;
  }
  windowState_ = state;
}

void Form::PeerWindowGone() {
  if (OnWindowGone) OnWindowGone(*this);
  if (app_.MainForm() == this) app_.Terminate();
}

void Form::SetParentWindow(Handle parent) {
  if (parentWindow_ == parent) return;
  parentWindow_ = parent;
  Push(Property::ParentWindow);
}

void Form::SetMenu(MainMenu* menu) {
  if (menu_ == menu) return;
  menu_ = menu;
  Push(Property::Menu);
  Realign();
}

void Form::HoldUnder(Control& cover) { cover_ = &cover; }

bool Form::Holds(const Control& c) const {
  return cover_ != nullptr && &c != cover_ && c.parent_ == this && cover_->Visible();
}

void Form::ReleaseHeld(bool focus) {
  if (cover_ == nullptr) return;
  cover_ = nullptr;
  if (Peer() == nullptr) return;
  RealizeTree();
  if (focus && activeControl_ != nullptr && activeControl_->Peer() != nullptr) activeControl_->Peer()->SetFocus();
}

void Form::SetActiveControl(Control* c, bool pushFocus) {
  if (activeControl_ == c) return;
  Control* old = activeControl_;
  activeControl_ = c;
  if (old != nullptr && old->OnExit) old->OnExit(*old);
  if (c != nullptr) {
    if (pushFocus && c->Peer() != nullptr) c->Peer()->SetFocus();
    if (c->OnEnter) c->OnEnter(*c);
  }
  if (OnActiveControlChange) OnActiveControlChange(*this);
}

namespace {
void TabOrder(Control& c, std::vector<Control*>& out) {
  for (Control* child : c.Children()) {
    out.push_back(child);
    TabOrder(*child, out);
  }
}
}  // namespace

bool Form::FormDialogKey(int key, ShiftState shift) {
  std::vector<Control*> order;
  TabOrder(*this, order);
  if (key == kKeyTab) {
    std::vector<Control*> stops;
    for (Control* c : order) {
      if (c->TabStop() && c->AcceptsInput()) stops.push_back(c);
    }
    if (stops.empty()) return false;
    auto it = std::find(stops.begin(), stops.end(), activeControl_);
    size_t i = it == stops.end() ? 0 : static_cast<size_t>(it - stops.begin());
    if (it != stops.end()) i = (shift & kShift) ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
    stops[i]->SetFocus();
    return true;
  }
  if ((shift & kAlt) != 0) {
    const bool alnum = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!alnum) return false;
    for (Control* c : order) {
      if (c->AcceptsInput() && c->AcceleratorChar() == key && c->AcceleratorPressed()) return true;
    }
    return false;
  }
  if (key != kKeyReturn && key != kKeyEscape) return false;
  for (Control* c : order) {
    if (c->AcceptsInput() && c->DialogKey(key, shift)) return true;
  }
  return false;
}

int Form::PreviewKey(int key, ShiftState shift) {
  if (keyPreview_ && OnKeyDown) OnKeyDown(*this, key, shift);
  return key;
}

void Form::DoCreate() {
  if (created_) return;
  created_ = true;
  ChangeDpi(app_.GetBackend().FormPixelsPerInch(*this));
  if (OnCreate) OnCreate(*this);
}

void Form::ChangeDpi(int ppi) {
  if (!scaled_ || ppi <= 0 || ppi == dpi_.ppi) return;
  const Rect client = ClientRect();
  const int from = dpi_.ppi;
  ScaleChildren(from, ppi);
  // Resize handlers that run from here on see the new density.
  dpi_.ppi = ppi;
  SetClientSize(designClientWidth_.Rescale(client.width, from, ppi), designClientHeight_.Rescale(client.height, from, ppi));
  ScaleFonts(from, ppi);
  RealignTree();
  KeepLaidOutBounds();
  designClientWidth_.laidOut = ClientWidth();
  designClientHeight_.laidOut = ClientHeight();
  if (OnDpiChanged) OnDpiChanged(*this);
}

void Form::PeerDpiChanged(int ppi, const Rect& suggested) {
  ChangeDpi(ppi);
  if (scaled_ && parentWindow_ == 0) SetBounds(suggested.left, suggested.top, Width(), Height());
}

void Form::ApplyPosition() {
  Rect ref{0, 0, app_.GetScreen().Width(), app_.GetScreen().Height()};
  if (position_ == FormPosition::Designed) return;
  if (position_ != FormPosition::ScreenCenter) {
    Form* main = app_.MainForm();
    if (main != nullptr && main != this && main->Visible()) ref = main->Bounds();
  }
  SetBounds(ref.left + (ref.width - Width()) / 2, ref.top + (ref.height - Height()) / 2, Width(), Height());
}

void Form::SetVisible(bool visible) {
  if (visible) {
    if (Peer() == nullptr) {
      DoCreate();
      RealizeTree();
    }
    if (!shownOnce_) {
      shownOnce_ = true;
      ApplyPosition();
    }
  }
  if (Visible() == visible) return;
  SetVisibleState(visible);
  if (visible) {
    if (OnShow) OnShow(*this);
    Push(Property::Visible);
    if (cover_ != nullptr) {
      GetBackend().AfterPaint([this, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired()) ReleaseHeld(true);
      });
    }
    // The focus goes to the active control, or to the first control that takes it, and that
    // control's OnEnter runs as when the user moves the focus there.
    if (activeControl_ == nullptr) {
      std::vector<Control*> order;
      TabOrder(*this, order);
      for (Control* c : order) {
        if (c->TabStop() && c->AcceptsInput()) {
          SetActiveControl(c, true);
          break;
        }
      }
    } else if (activeControl_->Peer() != nullptr) {
      activeControl_->Peer()->SetFocus();
    }
  } else {
    if (OnHide) OnHide(*this);
    Push(Property::Visible);
  }
}

bool Form::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  return canClose;
}

void Form::Close() {
  if (modal_) {
    if (modalResult_ == kMrNone) modalResult_ = kMrCancel;
    return;
  }
  if (!CloseQuery()) return;
  CloseAction action = CloseAction::Hide;
  if (OnClose) OnClose(*this, action);
  if (action == CloseAction::None) return;
  if (app_.MainForm() == this) {
    Hide();
    app_.Terminate();
  } else if (action == CloseAction::Minimize) {
    SetWindowState(gui::WindowState::Minimized);
  } else {
    Hide();
  }
}

bool Form::CloseModal() {
  if (!CloseQuery()) {
    modalResult_ = kMrNone;
    return false;
  }
  CloseAction action = CloseAction::Hide;
  if (OnClose) OnClose(*this, action);
  if (action == CloseAction::None) {
    modalResult_ = kMrNone;
    return false;
  }
  return true;
}

int Form::ShowModal() {
  modalResult_ = kMrNone;
  modalSerial_ = app_.NextModalSerial();
  modal_ = true;
  app_.PushModal(this);
  Show();
  BringToFront();
  for (;;) {
    const bool completed = app_.GetBackend().RunModal(*this);
    if (!completed || app_.Terminated()) {
      if (modalResult_ == kMrNone) modalResult_ = kMrCancel;
      break;
    }
    if (CloseModal()) break;
  }
  const int result = modalResult_;
  Hide();
  app_.PopModal(this);
  modal_ = false;
  return result;
}

void Form::BringToFront() {
  if (Peer() != nullptr) Peer()->BringToFront();
}

bool Form::UserPickMenu(const std::string& name) {
  auto* item = dynamic_cast<MenuItem*>(FindComponent(name));
  return item != nullptr && item->UserClick();
}

void Form::SetMessageHandler(unsigned message, MessageHandler handler) {
  if (handler) {
    messageHandlers_[message] = std::move(handler);
  } else {
    messageHandlers_.erase(message);
  }
}

bool Form::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result) {
  auto it = messageHandlers_.find(message);
  if (it == messageHandlers_.end()) return false;
  MessageHandler handler = it->second;  // the handler may replace itself while it runs
  result = handler(wParam, lParam);
  return true;
}

void Form::PaintTo(Canvas& canvas) {
  if (OnPaint) OnPaint(*this, canvas);
}

void Form::PeerActivated(bool active) {
  if (active && OnActivate) OnActivate(*this);
  if (!active && OnDeactivate) OnDeactivate(*this);
}

void Form::BoundsChanged(bool resized) { Control::BoundsChanged(resized); }

}  // namespace gui
