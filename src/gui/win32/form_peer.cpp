// The peer of a form: a top-level window of the form's own class (or a child of another
// program's window), with its menu bar, tool tips, custom messages and minimising.
#include <windows.h>
#include <commctrl.h>

#include "gui/application.h"
#include "gui/form.h"
#include "gui/menu.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "gui/win32/win32_dpi.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Wide;

namespace {

class FormPeer : public WindowPeer {
 public:
  FormPeer(Backend& backend, Form& form) : WindowPeer(backend, form), form_(form) {
    DWORD style = 0, exStyle = 0;
    Styles(style, exStyle);
    const Rect& r = form.Bounds();
    HWND owner = form.ParentWindow() != 0 ? reinterpret_cast<HWND>(form.ParentWindow())
                 : form.Owner() != nullptr  ? reinterpret_cast<HWND>(form.Owner()->GetHandle())
                                            : backend.AppWindow();
    MixedHosting hosting(form.HostsOtherPrograms());
    HWND h = CreateWindowExW(exStyle, backend.FormWindowClass(form.ClassName()), Wide(form.Caption()).c_str(), style, r.left, r.top,
                             r.width, r.height, owner, nullptr, backend.Instance(), this);
    Attach(h, false);
    ready_ = true;
  }

  ~FormPeer() override {
    if (tips_ != nullptr) DestroyWindow(tips_);
  }

  void PushAll() override {
    WindowPeer::PushAll();
    if (form_.Menu() != nullptr) ::SetMenu(hwnd_, MenuHandleOf(*form_.Menu()));
  }

  // One tool-tip window per form; a control with a hint to show is one of its tools. The
  // control's peer relays its mouse messages to the tip (no subclassing by the tip: that costs
  // every message of the control a window-property lookup).
  HWND SetTool(HWND control, const std::string& hint, bool show) override {
    if (tips_ == nullptr) {
      if (!show || hint.empty()) return nullptr;
      tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, backend_.Instance(), nullptr);
      SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
      HintSettingsChanged();
    }
    std::wstring text = Wide(hint);
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (!show || hint.empty()) return nullptr;
    info.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    return tips_;
  }

  void HintSettingsChanged() override {
    if (tips_ == nullptr || backend_.App() == nullptr) return;
    SendMessageW(tips_, TTM_ACTIVATE, backend_.App()->ShowHint() ? TRUE : FALSE, 0);
    SendMessageW(tips_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(backend_.App()->HintPause(), 0));
  }

  void BringToFront() override {
    if (hwnd_ == nullptr) return;
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
  }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    switch (what) {
      case Property::Visible:
        if (form_.Visible()) {
          backend_.FormShown();
          ShowWindow(hwnd_, form_.ActivateOnShow() ? WindowStateCommand() : SW_SHOWNOACTIVATE);
        } else {
          ShowWindow(hwnd_, SW_HIDE);
        }
        return;
      case Property::Bounds: {
        const Rect& r = form_.Bounds();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
      }
      case Property::ParentWindow:
        SetParent(hwnd_, form_.ParentWindow() != 0 ? reinterpret_cast<HWND>(form_.ParentWindow()) : nullptr);
        if (form_.ParentWindow() == 0) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(backend_.AppWindow()));
        [[fallthrough]];
      case Property::BorderStyle: {
        DWORD style = 0, exStyle = 0;
        Styles(style, exStyle);
        style |= static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)) & WS_VISIBLE;
        SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style));
        SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(exStyle));
        const Rect& r = form_.Bounds();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
      }
      case Property::FormStyle:
        SetWindowPos(hwnd_, form_.FormStyle() == gui::FormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
      case Property::WindowState:
        if (form_.Visible()) ShowWindow(hwnd_, WindowStateCommand());
        return;
      case Property::Menu: {
        MainMenu* menu = form_.Menu();
        ::SetMenu(hwnd_, menu != nullptr ? MenuHandleOf(*menu) : nullptr);
        DrawMenuBar(hwnd_);
        return;
      }
      case Property::Color:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
      default:
        WindowPeer::Changed(what, index);
    }
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    std::intptr_t custom = 0;
    if (message >= WM_USER && form_.HandleMessage(message, wParam, lParam, custom)) {
      result = custom;
      return true;
    }
    switch (message) {
      case WM_CLOSE:
        form_.Close();
        result = 0;
        return true;
      case WM_DESTROY:
        // The peer takes itself off the window before destroying it, so this is someone else:
        // the host window of a preview destroys its children with it.
        form_.PeerWindowGone();
        break;
      case WM_PAINT:
        PaintControl(backend_, form_, hwnd_);
        result = 0;
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_WINDOWPOSCHANGED:
        if (ready_ && !IsIconic(hwnd_)) {
          RECT rc;
          GetWindowRect(hwnd_, &rc);
          // A form inside another window keeps coordinates relative to that window.
          if (form_.ParentWindow() != 0) MapWindowPoints(nullptr, reinterpret_cast<HWND>(form_.ParentWindow()), reinterpret_cast<POINT*>(&rc), 2);
          form_.PeerMovedTo(Rect{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top});
          InvalidateRect(hwnd_, nullptr, FALSE);
        }
        break;
      case kWmDpiChanged: {
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        form_.PeerDpiChanged(HIWORD(wParam), Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
        result = 0;
        return true;
      }
      case kWmDpiChangedAfterParent:
        form_.PeerDpiChanged(WindowDpi(hwnd_), form_.Bounds());
        break;
      case WM_SIZE:
        if (ready_) {
          form_.PeerWindowStateChanged(wParam == SIZE_MINIMIZED   ? gui::WindowState::Minimized
                                       : wParam == SIZE_MAXIMIZED ? gui::WindowState::Maximized
                                                                  : gui::WindowState::Normal);
        }
        break;
      case WM_SYSCOMMAND:
        // The main form minimises the whole application, like the taskbar button does.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && backend_.App() != nullptr && backend_.App()->MainForm() == &form_) {
          backend_.App()->Minimize();
          result = 0;
          return true;
        }
        break;
      case WM_ACTIVATE:
        form_.PeerActivated(LOWORD(wParam) != WA_INACTIVE);
        if (LOWORD(wParam) != WA_INACTIVE && form_.ActiveControl() != nullptr && form_.ActiveControl()->HasPeer()) {
          ::SetFocus(reinterpret_cast<HWND>(form_.ActiveControl()->GetHandle()));
          result = 0;
          return true;
        }
        break;
      case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0 && form_.Menu() != nullptr) {
          if (MenuItem* item = form_.Menu()->FindCommand(LOWORD(wParam))) item->UserClick();
          result = 0;
          return true;
        }
        break;
      case WM_INITMENUPOPUP:
        if (MenuItem* item = backend_.SubMenuItem(reinterpret_cast<HMENU>(wParam))) item->UserClick();
        result = 0;
        return true;
      case WM_SETCURSOR:
        if (backend_.HourGlass()) {
          ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
          result = TRUE;
          return true;
        }
        return false;
      default: break;
    }
    return false;
  }

 private:
  void Styles(DWORD& style, DWORD& exStyle) const {
    if (form_.ParentWindow() != 0) {
      style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
      exStyle = 0;
      return;
    }
    Backend::FormStyles(form_.BorderStyle(), style, exStyle);
    style = AdjustIcons(style);
    if (form_.FormStyle() == gui::FormStyle::StayOnTop) exStyle |= WS_EX_TOPMOST;
  }
  DWORD AdjustIcons(DWORD style) const {
    if (!form_.HasSystemMenu()) style &= ~static_cast<DWORD>(WS_SYSMENU);
    if (form_.BorderStyle() == gui::BorderStyle::Single || form_.BorderStyle() == gui::BorderStyle::Sizeable) {
      if (!form_.HasMinimizeBox()) style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
      if (!form_.HasMaximizeBox()) style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    }
    return style;
  }
  int WindowStateCommand() const {
    switch (form_.WindowState()) {
      case gui::WindowState::Minimized: return SW_SHOWMINIMIZED;
      case gui::WindowState::Maximized: return SW_SHOWMAXIMIZED;
      default: return SW_SHOWNORMAL;
    }
  }
  Form& form_;
  bool ready_ = false;
  HWND tips_ = nullptr;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateFormPeer(Backend& backend, Form& form) { return std::make_unique<FormPeer>(backend, form); }

}  // namespace gui::win32
