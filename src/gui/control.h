// The base of visual controls and forms. A control owns its state (bounds, visibility,
// caption, colours, font, hint, alignment) and mirrors every change to its backend peer; logic
// reads the state from the object, never from a window. User input arrives through the User...
// methods (from the win32 peer or from a test) and is accepted only by enabled, visible controls
// whose form is not blocked by a modal form.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/backend.h"
#include "gui/component.h"
#include "gui/font.h"
#include "gui/gui_types.h"

namespace gui {

class Canvas;

enum class ControlKind {
  Form, Label, Button, CheckBox, RadioButton, RadioGroup, Edit, Memo, ListBox, ComboBox,
  Panel, GroupBox, Image, PaintBox, TreeView, ListView, HeaderControl,
};

class Control : public Component {
 public:
  // A child of `parent` (a form, panel or group box), added after its earlier siblings.
  Control(Control& parent, std::string name);
  ~Control() override;

  virtual ControlKind Kind() const = 0;

  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  // Bounds relative to the parent's client area (a form's are screen coordinates).
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const Rect& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetBounds(const Rect& r) { SetBounds(r.left, r.top, r.width, r.height); }
  void SetLeft(int v) { SetBounds(v, bounds_.top, bounds_.width, bounds_.height); }
  void SetTop(int v) { SetBounds(bounds_.left, v, bounds_.width, bounds_.height); }
  void SetWidth(int v) { SetBounds(bounds_.left, bounds_.top, v, bounds_.height); }
  void SetHeight(int v) { SetBounds(bounds_.left, bounds_.top, bounds_.width, v); }
  // The client area in the control's own coordinates.
  virtual Rect ClientRect() const { return Rect{0, 0, bounds_.width, bounds_.height}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent visible too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Caption of labels, buttons, panels and forms; the text of edits and combo boxes.
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& caption);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // Whether the hint shows: the control's own setting, or its parent's while ParentShowHint.
  bool ShowHint() const;
  void SetShowHint(bool show);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);

  // The colour, the parent's while ParentColor is set.
  gui::Color Color() const;
  void SetColor(gui::Color color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  // The font, the parent's while ParentFont is set.
  const gui::Font& Font() const;
  void SetFont(const gui::Font& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  gui::Align Align() const { return align_; }
  void SetAlign(gui::Align align);

  // The cursor over the control (a splitter bar shows SizeNS); Default leaves the usual one.
  gui::Cursor Cursor() const { return cursor_; }
  void SetCursor(gui::Cursor cursor) { cursor_ = cursor; }

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);

  // The window handle, creating the form's windows first if needed (headless: a made-up number).
  Handle GetHandle();
  bool HasPeer() const { return peer_ != nullptr; }

  // Focus within the form.
  bool Focused() const;
  // Moves the focus here when the control can take it; returns whether it did.
  bool SetFocus();

  void Invalidate();
  // Paints the control's own look on `canvas` (custom-drawn controls; nothing for native ones).
  virtual void PaintTo(Canvas& canvas);

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;
  NotifyEvent OnEnter;
  NotifyEvent OnExit;
  NotifyEvent OnResize;
  DragOverEvent OnDragOver;
  DragDropEvent OnDragDrop;

  // Whether user input reaches the control now: enabled and visible up to the form, and the
  // form not disabled by another form's modal loop.
  bool AcceptsInput() const;

  // User input. Each returns false and does nothing when the control does not accept input.
  virtual bool UserClick();
  virtual bool UserDblClick();
  bool UserMouseDown(MouseButton button, ShiftState shift, int x, int y);
  bool UserMouseUp(MouseButton button, ShiftState shift, int x, int y);
  bool UserMouseMove(ShiftState shift, int x, int y);
  // A key pressed while this control has the focus: dialog keys first (Tab, Enter, Escape),
  // then the form's OnKeyDown with KeyPreview, then the control's OnKeyDown.
  bool UserKeyDown(int key, ShiftState shift = 0);
  // The same for a backend that must know what is left: returns 0 when the key was consumed
  // (a dialog key acted on, or a handler cleared it), else the key for the window to handle.
  int DispatchKeyDown(int key, ShiftState shift);
  bool UserKeyUp(int key, ShiftState shift = 0);
  // `source` dropped at (x, y): OnDragOver decides (no handler: refused), then OnDragDrop.
  // Returns whether the drop was accepted.
  bool UserDrop(Component& source, int x, int y);
  // The focus moved here by the user (win32: WM_SETFOCUS); runs OnExit/OnEnter.
  void UserFocused();

  // The accelerator of the caption ("&P" gives 'P'; upper-case ASCII), or 0.
  char AcceleratorChar() const;
  // Alt plus the accelerator was pressed; true when the control acted on it (buttons click).
  virtual bool AcceleratorPressed() { return false; }

  // Dragging with the left button starts a drag of this control (win32; tests call UserDrop).
  gui::DragMode DragMode() const { return dragMode_; }
  void SetDragMode(gui::DragMode mode) { dragMode_ = mode; }
  // Whether `source` may be dropped at (x, y): OnDragOver decides; no handler refuses.
  bool UserDragOver(Component& source, int x, int y);

  // A dialog key offered by the form (Enter, Escape); true when the control acted on it.
  virtual bool DialogKey(int key, ShiftState shift);
  // Whether the control wants `key` itself instead of the form's dialog-key handling.
  virtual bool WantsKey(int key) const;

  // Called by the win32 peer when the user moved or sized the window: updates the state
  // without pushing it back.
  void PeerMovedTo(const Rect& bounds);

 protected:
  // The constructor of a form's base.
  explicit Control(Form& self, std::string name);

  // Creates the peer when the parent has one. Concrete controls call it at the end of their
  // constructors; forms create their windows on first use.
  void Realize();
  void Push(Property what, int index = -1);
  ControlPeer* Peer() const { return peer_.get(); }
  Backend& GetBackend() const;

  // Fires OnClick. Overridden where a click has side effects (modal results).
  virtual void Click();
  // Controls drawn by the program fire OnClick on a left button released inside them.
  virtual bool ClicksOnMouseUp() const { return false; }
  // The area children are aligned in (panels leave room for their bevels).
  virtual Rect AlignRect() const { return ClientRect(); }
  // After the bounds changed: runs OnResize when the size changed.
  virtual void BoundsChanged(bool resized);
  // After the effective font, colour or hint changed (own or inherited).
  virtual void InheritedStateChanged(Property) {}
  // Lays out the pixel sizes a control keeps beside its bounds and font (row heights, column
  // widths, pictures), laid out for density `from`, again for density `to`, each through its
  // design value (gui::Rescale); part of a form's scaling.
  virtual void ChangeScale(int /*from*/, int /*to*/) {}

  void RealizeTree();
  void RealizeWithParents();
  void KeepSiblingOrder();
  void DestroyPeers();
  // State changes that bypass the peer (constructors, and forms that push in their own order).
  void SetVisibleState(bool v) { visible_ = v; }
  void SetBoundsState(const Rect& r) { bounds_ = r; }
  void SetParentColorState(bool v) { parentColor_ = v; }
  void SetCaptionState(const std::string& caption) { caption_ = caption; }

 private:
  friend class Form;
  void ApplyBounds(const Rect& r, bool push);
  void Realign();
  // A form's scaling from density `from` to `to`, in passes over the tree: the children's bounds
  // and other sizes first, then the fonts (so that auto-sized labels measure their text in the
  // new font), then the docked children laid out again.
  void ScaleChildren(int from, int to);
  void ScaleFonts(int from, int to);
  // After the layout at a new density (docked children placed again): the bounds as they are
  // now are the ones laid out.
  void KeepLaidOutBounds();
  void RealignTree();
  void InheritedChanged(Property what);

  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::unique_ptr<ControlPeer> peer_;
  Rect bounds_;
  struct Edges {
    DesignLength left, top, right, bottom;
  } designEdges_;
  DesignLength designFontHeight_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  gui::Color color_ = colors::kBtnFace;
  bool parentColor_ = false;
  gui::Font font_ = DefaultFont();
  bool parentFont_ = true;
  gui::Align align_ = gui::Align::None;
  bool tabStop_ = false;
  gui::DragMode dragMode_ = gui::DragMode::Manual;
  gui::Cursor cursor_ = gui::Cursor::Default;
  bool aligning_ = false;
  bool mousePressed_ = false;
};

}  // namespace gui
