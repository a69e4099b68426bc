// The peer base, message routing, dragging, and the peer of the controls painted by the program
// (labels, panels, images, paint boxes, group frames).
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "gui/application.h"
#include "gui/canvas.h"
#include "gui/form.h"
#include "gui/win32/win32_dpi.h"
#include "gui/menu.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {
// Which peer owns a window, and the native procedure a subclassed window had. Kept in this
// process rather than in window properties: a property is a trip to the window server on some
// systems, and every message of every control looks here.
std::unordered_map<HWND, WindowPeer*>& PeerOf() {
  static std::unordered_map<HWND, WindowPeer*> peers;
  return peers;
}
std::unordered_map<HWND, WNDPROC>& NativeProcOf() {
  static std::unordered_map<HWND, WNDPROC> procs;
  return procs;
}

// The designer name as a number another process can read from the window (its user data): the
// end-to-end tests find a control by name this way. FNV-1a over the name's bytes.
LONG_PTR NameTag(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return static_cast<LONG_PTR>(hash);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto found = NativeProcOf().find(hwnd);
  const WNDPROC old = found != NativeProcOf().end() ? found->second : nullptr;
  WindowPeer* peer = WindowPeer::FromHwnd(hwnd);
  if (peer != nullptr) {
    peer->RelayToTip(message, wParam, lParam);
    LRESULT result = 0;
    if (Guarded(&peer->GetControl().App(), [&] { return peer->OnMessage(message, wParam, lParam, result); })) return result;
  }
  if (message == WM_NCDESTROY) {
    WindowPeer::Unbind(hwnd);
    NativeProcOf().erase(hwnd);
    if (peer != nullptr) peer->WindowDestroyed();
  }
  return old != nullptr ? CallWindowProcW(old, hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

Point MousePoint(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

ShiftState MouseShift(WPARAM wParam) {
  ShiftState s = 0;
  if (wParam & MK_SHIFT) s |= kShift;
  if (wParam & MK_CONTROL) s |= kCtrl;
  if (wParam & MK_LBUTTON) s |= kLeftButton;
  if (wParam & MK_RBUTTON) s |= kRightButton;
  if (wParam & MK_MBUTTON) s |= kMiddleButton;
  if (GetKeyState(VK_MENU) < 0) s |= kAlt;
  return s;
}
}  // namespace

// The system's shared cursors, loaded once: each load is a search of the system's cursors.
HCURSOR CursorHandle(Cursor cursor) {
  static HCURSOR loaded[static_cast<int>(Cursor::No) + 1] = {};
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case Cursor::HourGlass: id = IDC_WAIT; break;
    case Cursor::SizeNS: id = IDC_SIZENS; break;
    case Cursor::SizeWE: id = IDC_SIZEWE; break;
    case Cursor::SizeAll: id = IDC_SIZEALL; break;
    case Cursor::HandPoint: id = IDC_HAND; break;
    case Cursor::No: id = IDC_NO; break;
    default: cursor = Cursor::Default; break;
  }
  HCURSOR& handle = loaded[static_cast<int>(cursor)];
  if (handle == nullptr) handle = LoadCursorA(nullptr, id);
  return handle;
}

ShiftState CurrentShift() {
  ShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= kAlt;
  return s;
}

WindowPeer::WindowPeer(Backend& backend, Control& control) : backend_(backend), control_(control) {}

WindowPeer::~WindowPeer() {
  DestroyWindowNow();
  if (brush_ != nullptr) DeleteObject(brush_);
}

void WindowPeer::DestroyWindowNow() {
  if (hwnd_ == nullptr) return;
  HWND h = hwnd_;
  // The subclass stays in place (a tool tip may have subclassed the window after us); without
  // its peer it only forwards to the native procedure until WM_NCDESTROY.
  Unbind(h);
  oldProc_ = nullptr;
  hwnd_ = nullptr;
  DestroyWindow(h);
}

void WindowPeer::WindowDestroyed() { hwnd_ = nullptr; }

WindowPeer* WindowPeer::FromHwnd(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto found = PeerOf().find(hwnd);
  return found != PeerOf().end() ? found->second : nullptr;
}

void WindowPeer::Bind(HWND hwnd, WindowPeer* peer) { PeerOf()[hwnd] = peer; }

void WindowPeer::Unbind(HWND hwnd) { PeerOf().erase(hwnd); }

HWND WindowPeer::CreateChild(DWORD exStyle, const wchar_t* windowClass, DWORD style, void* param) {
  const Rect& r = control_.Bounds();
  style |= (control_.Visible() ? WS_VISIBLE : 0) | (control_.Enabled() ? 0 : WS_DISABLED);
  MixedHosting hosting(control_.OwnerForm().HostsOtherPrograms());
  HWND h = CreateWindowExW(exStyle, windowClass, Wide(control_.Caption()).c_str(), style, r.left, r.top, r.width, r.height,
                           ParentHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(backend_.NextControlId())),
                           backend_.Instance(), param);
  born_ = h != nullptr;
  return h;
}

void WindowPeer::Attach(HWND hwnd, bool subclass) {
  hwnd_ = hwnd;
  Bind(hwnd, this);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, NameTag(control_.Name()));
  if (subclass) {
    oldProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    NativeProcOf()[hwnd] = oldProc_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc));
  }
  pushing_ = true;
  PushAll();
  pushing_ = false;
  born_ = false;
}

HWND WindowPeer::ParentHwnd() const {
  Control* parent = control_.Parent();
  return parent != nullptr ? reinterpret_cast<HWND>(parent->GetHandle()) : nullptr;
}

void WindowPeer::PushBounds() {
  const Rect& r = control_.Bounds();
  MoveWindow(hwnd_, r.left, r.top, r.width, r.height, TRUE);
}

void WindowPeer::PushFont() { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Fonts().Get(control_.Font())), TRUE); }

void WindowPeer::PushHint() {
  WindowPeer* root = FromHwnd(GetAncestor(hwnd_, GA_ROOT));
  if (root != nullptr && root != this) tip_ = root->SetTool(hwnd_, control_.Hint(), control_.ShowHint());
}

void WindowPeer::RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (tip_ == nullptr || message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
  MSG msg{hwnd_, message, wParam, lParam, GetMessageTime(), {}};
  const DWORD pos = GetMessagePos();
  msg.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void WindowPeer::PushAll() {
  if (!control_.Hint().empty()) PushHint();
  PushFont();
  if (born_) return;
  SetWindowTextW(hwnd_, Wide(control_.Caption()).c_str());
  PushBounds();
  EnableWindow(hwnd_, control_.Enabled());
  ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void WindowPeer::Changed(Property what, int) {
  if (hwnd_ == nullptr) return;
  pushing_ = true;
  switch (what) {
    case Property::Bounds: PushBounds(); break;
    case Property::Visible: ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case Property::Enabled: EnableWindow(hwnd_, control_.Enabled()); break;
    case Property::Caption: SetWindowTextW(hwnd_, Wide(control_.Caption()).c_str()); break;
    case Property::Font: PushFont(); break;
    case Property::Hint: PushHint(); break;
    default: break;
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
  pushing_ = false;
}

void WindowPeer::PlaceAfter(Handle previous) {
  SetWindowPos(hwnd_, previous != 0 ? reinterpret_cast<HWND>(previous) : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPeer::Invalidate() {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void WindowPeer::SetFocus() {
  if (hwnd_ != nullptr && GetFocus() != hwnd_) ::SetFocus(hwnd_);
}

void WindowPeer::OnCommand(int, HWND) {}

bool WindowPeer::OnDrawItem(const DRAWITEMSTRUCT&) { return false; }

bool WindowPeer::OnNotify(const NMHDR&, LRESULT&) { return false; }

HBRUSH WindowPeer::ColorBrush(gui::Color color) {
  if (brush_ == nullptr || brushColor_ != color) {
    if (brush_ != nullptr) DeleteObject(brush_);
    brush_ = CreateSolidBrush(ToColorRef(color));
    brushColor_ = color;
  }
  return brush_;
}

HBRUSH WindowPeer::OnCtlColor(HDC dc, UINT) {
  SetTextColor(dc, ToColorRef(control_.Enabled() ? control_.Font().color : colors::kGrayText));
  SetBkColor(dc, ToColorRef(control_.Color()));
  return ColorBrush(control_.Color());
}

// Mouse and focus messages common to every control window; the window's own handling goes on
// unless a derived peer says otherwise.
bool WindowPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const Point p = MousePoint(lParam);
  if (control_.DragMode() == DragMode::Automatic && Drag(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  switch (message) {
    case WM_SETFOCUS: control_.UserFocused(); break;
    case WM_LBUTTONDOWN: control_.UserMouseDown(MouseButton::Left, MouseShift(wParam), p.x, p.y); break;
    case WM_LBUTTONUP: control_.UserMouseUp(MouseButton::Left, MouseShift(wParam), p.x, p.y); break;
    case WM_RBUTTONDOWN: control_.UserMouseDown(MouseButton::Right, MouseShift(wParam), p.x, p.y); break;
    case WM_RBUTTONUP: control_.UserMouseUp(MouseButton::Right, MouseShift(wParam), p.x, p.y); break;
    case WM_MOUSEMOVE: control_.UserMouseMove(MouseShift(wParam), p.x, p.y); break;
    case WM_SETCURSOR:
      if (backend_.HourGlass() || (control_.Cursor() != Cursor::Default && LOWORD(lParam) == HTCLIENT)) {
        ::SetCursor(CursorHandle(backend_.HourGlass() ? Cursor::HourGlass : control_.Cursor()));
        result = TRUE;
        return true;
      }
      break;
    default: break;
  }
  return false;
}

namespace {
// The control under a screen point, and the point in its client coordinates.
Control* ControlAt(POINT screen, Point& local) {
  for (HWND h = WindowFromPoint(screen); h != nullptr; h = GetParent(h)) {
    if (WindowPeer* peer = WindowPeer::FromHwnd(h)) {
      POINT client = screen;
      ScreenToClient(reinterpret_cast<HWND>(peer->GetControl().GetHandle()), &client);
      local = Point{client.x, client.y};
      return &peer->GetControl();
    }
  }
  return nullptr;
}
}  // namespace

// Automatic dragging: a press arms it, moving a few pixels with the button held starts it (the
// window's own tracking stops seeing the moves), the release drops on the control underneath.
bool WindowPeer::Drag(UINT message, WPARAM wParam, LPARAM lParam) {
  const Point p = MousePoint(lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
      dragArmed_ = true;
      dragStart_ = p;
      return false;
    case WM_MOUSEMOVE: {
      if (!dragArmed_ || (wParam & MK_LBUTTON) == 0) {
        dragArmed_ = false;
        return false;
      }
      if (!dragging_) {
        if (std::abs(p.x - dragStart_.x) < kDragThreshold && std::abs(p.y - dragStart_.y) < kDragThreshold) return false;
        dragging_ = true;
        SetCapture(hwnd_);
      }
      POINT screen{p.x, p.y};
      ClientToScreen(hwnd_, &screen);
      Point local;
      Control* target = ControlAt(screen, local);
      const bool accept = target != nullptr && target->UserDragOver(control_, local.x, local.y);
      ::SetCursor(LoadCursorA(nullptr, accept ? IDC_ARROW : IDC_NO));
      return true;
    }
    case WM_LBUTTONUP: {
      dragArmed_ = false;
      if (!dragging_) return false;
      dragging_ = false;
      POINT screen{p.x, p.y};
      ClientToScreen(hwnd_, &screen);
      // A native control finishes its click first (a list reports its new selection on the
      // release), so the drop sees the row the user dragged.
      HWND self = hwnd_;
      if (oldProc_ != nullptr) CallWindowProcW(oldProc_, self, message, wParam, lParam);
      if (GetCapture() == self) ReleaseCapture();
      Point local;
      if (Control* target = ControlAt(screen, local)) target->UserDrop(control_, local.x, local.y);
      return true;
    }
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag is over without a drop.
      if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd_) dragging_ = dragArmed_ = false;
      return false;
    default: return false;
  }
}

bool RouteChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      if (lParam == 0) return false;
      auto source = reinterpret_cast<HWND>(lParam);
      WindowPeer* child = WindowPeer::FromHwnd(source);
      if (child == nullptr) return false;
      child->OnCommand(HIWORD(wParam), source);
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      WindowPeer* child = WindowPeer::FromHwnd(header->hwndFrom);
      return child != nullptr && child->OnNotify(*header, result);
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      WindowPeer* child = WindowPeer::FromHwnd(item->hwndItem);
      if (child == nullptr || !child->OnDrawItem(*item)) return false;
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      WindowPeer* child = WindowPeer::FromHwnd(reinterpret_cast<HWND>(lParam));
      if (child == nullptr) return false;
      result = reinterpret_cast<LRESULT>(child->OnCtlColor(reinterpret_cast<HDC>(wParam), message));
      return true;
    }
    default: return false;
  }
}

LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* peer = static_cast<WindowPeer*>(create->lpCreateParams);
    if (peer != nullptr) {
      WindowPeer::Bind(hwnd, peer);
      peer->SetHwnd(hwnd);
    }
  }
  WindowPeer* peer = WindowPeer::FromHwnd(hwnd);
  if (peer != nullptr) {
    peer->RelayToTip(message, wParam, lParam);
    LRESULT result = 0;
    if (Guarded(&peer->GetControl().App(), [&] {
          return RouteChildNotification(message, wParam, lParam, result) || peer->OnMessage(message, wParam, lParam, result);
        })) {
      return result;
    }
    if (message == WM_NCDESTROY) {
      WindowPeer::Unbind(hwnd);
      peer->WindowDestroyed();
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void PaintControl(Backend& backend, Control& control, HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const int w = rc.right > 0 ? rc.right : 1, h = rc.bottom > 0 ? rc.bottom : 1;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  {
    GdiCanvas canvas(mem, backend.Fonts());
    canvas.brush.color = control.Color();
    canvas.FillRect(Rect{0, 0, w, h});
    control.PaintTo(canvas);
  }
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(hwnd, &ps);
}

namespace {

// A window of our own class for the controls the program paints itself.
class PaintPeer : public WindowPeer {
 public:
  PaintPeer(Backend& backend, Control& control) : WindowPeer(backend, control) {
    const bool container = control.Kind() == ControlKind::Panel || control.Kind() == ControlKind::GroupBox ||
                           control.Kind() == ControlKind::RadioGroup;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (container ? WS_CLIPCHILDREN : 0);
    Attach(CreateChild(0, Backend::ControlWindowClass(), style, this), false);
  }

  // The caption is drawn from the control and told from it (WM_GETTEXT) without the system's
  // copy of the text, which would cost a call to the window server for each change. (A child
  // window's text is not read across processes without asking the window anyway.)
  void Changed(Property what, int index) override {
    if (what != Property::Caption) return WindowPeer::Changed(what, index);
    if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_PAINT:
        PaintControl(backend_, control_, hwnd_);
        result = 0;
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_LBUTTONDOWN:
        SetCapture(hwnd_);
        break;
      case WM_LBUTTONUP: {
        // A click may open a modal window: the mouse must be free before it runs, or the first
        // click in that window only ends this capture. A drag keeps it until its drop.
        if (!dragging_ && GetCapture() == hwnd_) ReleaseCapture();
        const bool handled = WindowPeer::OnMessage(message, wParam, lParam, result);
        if (hwnd_ != nullptr && GetCapture() == hwnd_) ReleaseCapture();
        return handled;
      }
      case WM_LBUTTONDBLCLK: {
        WindowPeer::OnMessage(WM_LBUTTONDOWN, wParam, lParam, result);
        control_.UserDblClick();
        result = 0;
        return true;
      }
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
      case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
      case WM_GETTEXTLENGTH:
        result = static_cast<LRESULT>(Wide(control_.Caption()).size());
        return true;
      case WM_GETTEXT: {
        const std::wstring text = Wide(control_.Caption());
        const size_t room = static_cast<size_t>(wParam);
        const size_t n = room == 0 ? 0 : std::min(text.size(), room - 1);
        wchar_t* out = reinterpret_cast<wchar_t*>(lParam);
        if (room > 0 && out != nullptr) {
          text.copy(out, n);
          out[n] = L'\0';
        }
        result = static_cast<LRESULT>(n);
        return true;
      }
      default: break;
    }
    return WindowPeer::OnMessage(message, wParam, lParam, result);
  }
};

}  // namespace

std::unique_ptr<ControlPeer> CreatePaintPeer(Backend& backend, Control& control) { return std::make_unique<PaintPeer>(backend, control); }

}  // namespace gui::win32
