// The window peers of the win32 backend (internal). Each peer owns one HWND and mirrors its
// control's state onto it; window messages become the control's User... calls. Changes pushed
// by code are guarded so that the notifications Windows sends for them are not taken for user
// input.
#pragma once
#include <optional>
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/backend.h"
#include "gui/control.h"
#include "gui/form.h"
#include "gui/menu.h"
#include "gui/task_tray.h"

namespace gui {
class ComboBox;
class HeaderControl;
class ListBox;
class ListView;
class RadioGroup;
class TreeView;
}  // namespace gui

namespace gui::win32 {

class Backend;

class WindowPeer : public ControlPeer {
 public:
  WindowPeer(Backend& backend, Control& control);
  ~WindowPeer() override;

  Handle GetHandle() const override { return reinterpret_cast<Handle>(hwnd_); }
  HWND Hwnd() const { return hwnd_; }
  Control& GetControl() const { return control_; }
  void Changed(Property what, int index) override;
  void Invalidate() override;
  void SetFocus() override;
  void BringToFront() override {}
  void PlaceAfter(Handle previous) override;

  // Notifications of child windows, routed here from the parent window's procedure.
  virtual void OnCommand(int code, HWND source);
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item);
  virtual HBRUSH OnCtlColor(HDC dc, UINT message);
  virtual bool OnNotify(const NMHDR& header, LRESULT& result);
  // A message of the peer's own window; true when handled (result set).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Tool tips (forms keep them for their controls) and the application's hint settings. SetTool
  // answers the tool-tip window that now shows the control's hint, or none.
  virtual HWND SetTool(HWND, const std::string&, bool) { return nullptr; }
  virtual void HintSettingsChanged() {}

  static WindowPeer* FromHwnd(HWND hwnd);
  // Makes hwnd's messages and notifications reach peer, or nothing any more.
  static void Bind(HWND hwnd, WindowPeer* peer);
  static void Unbind(HWND hwnd);
  // For the window procedures.
  void SetHwnd(HWND hwnd) { hwnd_ = hwnd; }
  // Hands a mouse message to the tool tip showing this control's hint, if any.
  void RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const;
  WNDPROC OldProc() const { return oldProc_; }
  void WindowDestroyed();

 protected:
  // Creates a child window of the control's parent with the control's caption, bounds,
  // visibility and enabled state, so that Attach need not push them one by one (under Wine each
  // push is a round trip to the window server and several messages).
  HWND CreateChild(DWORD exStyle, const wchar_t* windowClass, DWORD style, void* param);
  // Links the freshly created window to this peer (subclassing a native control) and pushes
  // the control's whole state.
  void Attach(HWND hwnd, bool subclass);
  // Pushes every property.
  virtual void PushAll();
  void PushBounds();
  void PushFont();
  void PushHint();
  HWND ParentHwnd() const;
  HBRUSH ColorBrush(gui::Color color);
  // Destroys the window (and the subclassing) before a peer re-creates it.
  void DestroyWindowNow();

  // Automatic dragging; true when the message belongs to a drag.
  bool Drag(UINT message, WPARAM wParam, LPARAM lParam);
  static constexpr int kDragThreshold = 5;

  Backend& backend_;
  Control& control_;
  HWND hwnd_ = nullptr;
  bool dragArmed_ = false;
  bool dragging_ = false;
  Point dragStart_;
  WNDPROC oldProc_ = nullptr;
  HWND tip_ = nullptr;  // the form's tool tip, while it has this control's hint
  bool pushing_ = false;  // set while code changes the window: its notifications are ignored
  bool born_ = false;  // the window came from CreateChild and has its caption, place and states

 private:
  HBRUSH brush_ = nullptr;
  gui::Color brushColor_ = 0;
};

// A native control created with a class and a style; style changes that Windows cannot apply
// to a live window re-create it.
class NativePeer : public WindowPeer {
 public:
  NativePeer(Backend& backend, Control& control, const wchar_t* windowClass) : WindowPeer(backend, control), class_(windowClass) {}

 protected:
  void Create();
  void Recreate();
  virtual DWORD Style(DWORD& exStyle) const = 0;

 private:
  const wchar_t* class_;
};

// The text of a window in Shift-JIS; nullopt when it holds a character Shift-JIS lacks.
std::optional<std::string> HeldWindowText(HWND hwnd);

std::unique_ptr<ControlPeer> CreateListPeer(Backend& backend, ListBox& list);
std::unique_ptr<ControlPeer> CreateComboPeer(Backend& backend, ComboBox& combo);
std::unique_ptr<ControlPeer> CreateTreePeer(Backend& backend, TreeView& tree);
std::unique_ptr<ControlPeer> CreateListViewPeer(Backend& backend, ListView& list);
std::unique_ptr<ControlPeer> CreateHeaderPeer(Backend& backend, HeaderControl& header);
std::unique_ptr<ControlPeer> CreateRadioGroupPeer(Backend& backend, RadioGroup& group);

// Routes WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* of a parent window to the child's peer.
bool RouteChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The system cursor of a cursor kind.
HCURSOR CursorHandle(Cursor cursor);
// Keyboard shift state now.
ShiftState CurrentShift();

// The HMENU of a menu (created with its peer on first use).
HMENU MenuHandleOf(Menu& menu);
std::unique_ptr<MenuPeer> CreateMenuPeer(Backend& backend, Menu& menu);
std::unique_ptr<ControlPeer> CreatePaintPeer(Backend& backend, Control& control);
std::unique_ptr<TaskTrayPeer> CreateTaskTrayPeer(Backend& backend, TTaskTray& tray);
std::unique_ptr<ControlPeer> CreateFormPeer(Backend& backend, Form& form);

// Paints a control through its portable PaintTo, double-buffered (WM_PAINT of our windows).
void PaintControl(Backend& backend, Control& control, HWND hwnd);

// Creates the peer of a control of any kind.
std::unique_ptr<ControlPeer> CreateControlPeer(Backend& backend, Control& control);
// The window procedure of our own window classes.
LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace gui::win32
