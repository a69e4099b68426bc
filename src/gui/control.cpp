#include "gui/control.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/form.h"
#include "text/text_path.h"

namespace gui {

Control::Control(Control& parent, std::string name) : Component(&parent.OwnerForm(), std::move(name)), parent_(&parent) {
  parent_->children_.push_back(this);
  parentColor_ = false;
}

Control::Control(Form& self, std::string name) : Component(nullptr, std::move(name)) {
  SetOwnerForm(&self);
  parentFont_ = false;
}

Control::~Control() {
  peer_.reset();
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    OwnerForm().ControlGone(this);
  }
}

Backend& Control::GetBackend() const { return OwnerForm().FormApp().GetBackend(); }

void Control::Realize() {
  if (peer_ == nullptr && visible_ && parent_ != nullptr && parent_->peer_ != nullptr && !OwnerForm().Holds(*this)) {
    RealizeTree();
  }
}

// A hidden control gets its window only when it is first shown or its handle is asked for: a
// form shows faster when the windows of its hidden parts wait (each window costs the window
// system work, several round trips under Wine).
void Control::RealizeTree() {
  if (peer_ == nullptr) {
    peer_ = GetBackend().CreatePeer(*this);
    KeepSiblingOrder();
  }
  for (Control* child : children_) {
    if (child->visible_ && !OwnerForm().Holds(*child)) child->RealizeTree();
  }
}

// A hidden control, or one inside a hidden parent, whose handle is asked for: its window and
// those of its parents are made now, from the top down.
void Control::RealizeWithParents() {
  if (peer_ != nullptr || parent_ == nullptr) return;
  parent_->RealizeWithParents();
  if (parent_->peer_ != nullptr) RealizeTree();
}

// A window made after some of its later siblings goes back to its place in the order of the
// parent's children, which is also the order of the tab key and of overlapping.
void Control::KeepSiblingOrder() {
  if (parent_ == nullptr) return;
  const auto& siblings = parent_->children_;
  const auto self = std::find(siblings.begin(), siblings.end(), this);
  if (std::none_of(self + 1, siblings.end(), [](const Control* c) { return c->peer_ != nullptr; })) return;
  Handle previous = 0;
  for (auto it = siblings.begin(); it != self; ++it) {
    if ((*it)->peer_ != nullptr) previous = (*it)->peer_->GetHandle();
  }
  peer_->PlaceAfter(previous);
}

void Control::DestroyPeers() {
  for (Control* child : children_) child->DestroyPeers();
  peer_.reset();
}

void Control::Push(Property what, int index) {
  if (peer_ != nullptr) peer_->Changed(what, index);
}

Handle Control::GetHandle() {
  if (peer_ == nullptr) {
    Form& form = OwnerForm();
    if (form.peer_ == nullptr) {
      form.DoCreate();
      form.RealizeTree();
    }
    RealizeWithParents();
  }
  return peer_ != nullptr ? peer_->GetHandle() : 0;
}

void Control::SetBounds(int left, int top, int width, int height) {
  ApplyBounds(Rect{left, top, std::max(width, 0), std::max(height, 0)}, true);
  if (parent_ != nullptr && align_ != gui::Align::None) parent_->Realign();
}

void Control::PeerMovedTo(const Rect& bounds) { ApplyBounds(bounds, false); }

void Control::ApplyBounds(const Rect& r, bool push) {
  if (r == bounds_) return;
  const bool resized = r.width != bounds_.width || r.height != bounds_.height;
  bounds_ = r;
  if (push) Push(Property::Bounds);
  if (resized) Realign();
  BoundsChanged(resized);
}

void Control::ScaleChildren(int from, int to) {
  for (Control* c : children_) {
    // By edges, so that controls that touch at design size still touch.
    const Rect& b = c->bounds_;
    Edges& e = c->designEdges_;
    const int left = e.left.Rescale(b.left, from, to), top = e.top.Rescale(b.top, from, to);
    c->bounds_ = Rect{left, top, e.right.Rescale(b.Right(), from, to) - left, e.bottom.Rescale(b.Bottom(), from, to) - top};
    c->Push(Property::Bounds);
    c->ChangeScale(from, to);
    c->ScaleChildren(from, to);
  }
}

void Control::ScaleFonts(int from, int to) {
  if (!parentFont_ || parent_ == nullptr) {
    font_.height = designFontHeight_.Rescale(font_.height, from, to);
    InheritedChanged(Property::Font);
  }
  for (Control* c : children_) c->ScaleFonts(from, to);
}

void Control::KeepLaidOutBounds() {
  for (Control* c : children_) {
    const Rect& b = c->bounds_;
    c->designEdges_.left.laidOut = b.left;
    c->designEdges_.top.laidOut = b.top;
    c->designEdges_.right.laidOut = b.Right();
    c->designEdges_.bottom.laidOut = b.Bottom();
    c->KeepLaidOutBounds();
  }
}

void Control::RealignTree() {
  Realign();
  for (Control* c : children_) c->RealignTree();
}

void Control::BoundsChanged(bool resized) {
  if (resized && OnResize) OnResize(*this);
}

// Docked children are laid out in the order top, bottom, left, right, client; within one kind
// by their current position, so that the design order stays.
void Control::Realign() {
  if (aligning_) return;
  aligning_ = true;
  Rect area = AlignRect();
  auto docked = [&](gui::Align a) {
    std::vector<Control*> list;
    for (Control* c : children_) {
      if (c->align_ == a && c->visible_) list.push_back(c);
    }
    std::stable_sort(list.begin(), list.end(), [a](const Control* x, const Control* y) {
      switch (a) {
        case gui::Align::Top: return x->bounds_.top < y->bounds_.top;
        case gui::Align::Bottom: return x->bounds_.Bottom() > y->bounds_.Bottom();
        case gui::Align::Left: return x->bounds_.left < y->bounds_.left;
        case gui::Align::Right: return x->bounds_.Right() > y->bounds_.Right();
        default: return false;
      }
    });
    return list;
  };
  for (Control* c : docked(gui::Align::Top)) {
    int h = std::min(c->bounds_.height, std::max(area.height, 0));
    c->ApplyBounds(Rect{area.left, area.top, std::max(area.width, 0), c->bounds_.height}, true);
    area.top += h;
    area.height -= h;
  }
  for (Control* c : docked(gui::Align::Bottom)) {
    int h = std::min(c->bounds_.height, std::max(area.height, 0));
    c->ApplyBounds(Rect{area.left, area.Bottom() - c->bounds_.height, std::max(area.width, 0), c->bounds_.height}, true);
    area.height -= h;
  }
  for (Control* c : docked(gui::Align::Left)) {
    int w = std::min(c->bounds_.width, std::max(area.width, 0));
    c->ApplyBounds(Rect{area.left, area.top, c->bounds_.width, std::max(area.height, 0)}, true);
    area.left += w;
    area.width -= w;
  }
  for (Control* c : docked(gui::Align::Right)) {
    int w = std::min(c->bounds_.width, std::max(area.width, 0));
    c->ApplyBounds(Rect{area.Right() - c->bounds_.width, area.top, c->bounds_.width, std::max(area.height, 0)}, true);
    area.width -= w;
  }
  for (Control* c : docked(gui::Align::Client)) {
    c->ApplyBounds(Rect{area.left, area.top, std::max(area.width, 0), std::max(area.height, 0)}, true);
  }
  aligning_ = false;
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (!visible && parent_ != nullptr && OwnerForm().cover_ == this) OwnerForm().ReleaseHeld(false);
  if (peer_ == nullptr) {
    Realize();
  } else {
    Push(Property::Visible);
  }
  if (parent_ != nullptr && align_ != gui::Align::None) parent_->Realign();
  if (!visible && parent_ != nullptr && OwnerForm().ActiveControl() == this) OwnerForm().SetActiveControl(nullptr, false);
}

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Push(Property::Enabled);
}

void Control::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Push(Property::Caption);
}

void Control::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  Push(Property::Hint);
}

bool Control::ShowHint() const {
  if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
  return showHint_;
}

void Control::SetShowHint(bool show) {
  showHint_ = show;
  parentShowHint_ = false;
  InheritedChanged(Property::Hint);
}

void Control::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  InheritedChanged(Property::Hint);
}

gui::Color Control::Color() const {
  if (parentColor_ && parent_ != nullptr) return parent_->Color();
  return color_;
}

void Control::SetColor(gui::Color color) {
  if (color_ == color && !parentColor_) return;  // a paint handler may set the same colour each time
  color_ = color;
  parentColor_ = false;
  InheritedChanged(Property::Color);
}

void Control::SetParentColor(bool v) {
  parentColor_ = v;
  InheritedChanged(Property::Color);
}

const gui::Font& Control::Font() const {
  if (parentFont_ && parent_ != nullptr) return parent_->Font();
  return font_;
}

void Control::SetFont(const gui::Font& font) {
  if (font_ == font && !parentFont_) return;
  font_ = font;
  parentFont_ = false;
  InheritedChanged(Property::Font);
}

void Control::SetParentFont(bool v) {
  if (!v && parentFont_) font_ = Font();
  parentFont_ = v;
  InheritedChanged(Property::Font);
}

// A colour, font or hint setting changed here: this control and every child that inherits it
// show the new value.
void Control::InheritedChanged(Property what) {
  Push(what);
  InheritedStateChanged(what);
  for (Control* child : children_) {
    bool inherits = what == Property::Color ? child->parentColor_ : what == Property::Font ? child->parentFont_ : child->parentShowHint_;
    if (inherits) child->InheritedChanged(what);
  }
}

void Control::SetAlign(gui::Align align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void Control::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  Push(Property::TabStop);
}

bool Control::Focused() const { return OwnerForm().ActiveControl() == this; }

bool Control::SetFocus() {
  if (!Showing() || !enabled_ || parent_ == nullptr) return false;
  OwnerForm().SetActiveControl(this, true);
  return true;
}

void Control::UserFocused() {
  if (parent_ != nullptr) OwnerForm().SetActiveControl(this, false);
}

void Control::Invalidate() {
  if (peer_ != nullptr) peer_->Invalidate();
}

void Control::PaintTo(Canvas&) {}

bool Control::AcceptsInput() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) return false;
  }
  Form* modal = OwnerForm().FormApp().ModalForm();
  return modal == nullptr || modal == &OwnerForm();
}

void Control::Click() {
  if (OnClick) OnClick(*this);
}

bool Control::UserClick() {
  if (!AcceptsInput()) return false;
  if (tabStop_) SetFocus();
  Click();
  return true;
}

bool Control::UserDblClick() {
  if (!AcceptsInput()) return false;
  if (OnDblClick) OnDblClick(*this);
  return true;
}

bool Control::UserMouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (!AcceptsInput()) return false;
  if (button == MouseButton::Left) mousePressed_ = true;
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
  return true;
}

bool Control::UserMouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (!AcceptsInput()) return false;
  const bool wasPressed = mousePressed_ && button == MouseButton::Left;
  if (button == MouseButton::Left) mousePressed_ = false;
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
  if (wasPressed && ClicksOnMouseUp() && ClientRect().Contains(Point{x, y})) Click();
  return true;
}

bool Control::UserMouseMove(ShiftState shift, int x, int y) {
  if (!AcceptsInput()) return false;
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
  return true;
}

char Control::AcceleratorChar() const {
  const std::string& c = caption_;
  for (size_t i = 0; i + 1 < c.size(); ++i) {
    const auto b = static_cast<unsigned char>(c[i]);
    if (text::IsLeadByte(b)) {
      ++i;  // the second byte of a double-byte character is never a mark
      continue;
    }
    if (c[i] != '&') continue;
    const char next = c[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    if (next >= 'a' && next <= 'z') return static_cast<char>(next - 'a' + 'A');
    if ((next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9')) return next;
    return 0;
  }
  return 0;
}

bool Control::WantsKey(int key) const { return key != kKeyTab && key != kKeyReturn && key != kKeyEscape; }

bool Control::DialogKey(int, ShiftState) { return false; }

bool Control::UserKeyDown(int key, ShiftState shift) {
  if (!AcceptsInput()) return false;
  DispatchKeyDown(key, shift);
  return true;
}

int Control::DispatchKeyDown(int key, ShiftState shift) {
  if (!AcceptsInput()) return key;
  Form& form = OwnerForm();
  if (((shift & kAlt) != 0 || !WantsKey(key)) && form.FormDialogKey(key, shift)) return 0;
  if (this != &form) key = form.PreviewKey(key, shift);
  if (key != 0 && OnKeyDown) OnKeyDown(*this, key, shift);
  return key;
}

bool Control::UserKeyUp(int key, ShiftState shift) {
  if (!AcceptsInput()) return false;
  Form& form = OwnerForm();
  if (this != &form && form.KeyPreview() && form.OnKeyUp) form.OnKeyUp(form, key, shift);
  if (key != 0 && OnKeyUp) OnKeyUp(*this, key, shift);
  return true;
}

bool Control::UserDragOver(Component& source, int x, int y) {
  if (!AcceptsInput() || !OnDragOver) return false;
  bool accept = true;
  OnDragOver(*this, source, x, y, accept);
  return accept;
}

bool Control::UserDrop(Component& source, int x, int y) {
  if (!UserDragOver(source, x, y)) return false;
  if (OnDragDrop) OnDragDrop(*this, source, x, y);
  return true;
}

}  // namespace gui
