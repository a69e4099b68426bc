#include "gui/win32/win32_backend.h"

#include <commctrl.h>

#include "gui/application.h"
#include "gui/bitmap.h"
#include "gui/form.h"
#include "gui/menu.h"
#include "gui/timer.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_dpi.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Wide;

namespace {

const wchar_t kTimerClass[] = L"QvTimerWindow";
const wchar_t kAppClass[] = L"TApplication";

Backend* BackendOf(HWND hwnd) { return reinterpret_cast<Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (Backend* b = BackendOf(hwnd)) Guarded(b->App(), [&] {
      b->TimerMessage(wParam);
      return true;
    });
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Backend* b = BackendOf(hwnd);
  if (b != nullptr && b->App() != nullptr) {
    switch (message) {
      case WM_SYSCOMMAND:
      case WM_CLOSE:
      case WM_ACTIVATE:
      case WM_INITMENUPOPUP:
        Guarded(b->App(), [&] {
          b->AppWindowMessage(message, wParam);
          return true;
        });
        if (message != WM_SYSCOMMAND || (wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE) return 0;
        break;
      default: break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style, HICON icon) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

HICON ProgramIcon(HINSTANCE instance) {
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  return icon != nullptr ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

// The application's own window: zero-sized, it carries the taskbar button and owns every form.
class AppPeer : public ApplicationPeer {
 public:
  AppPeer(Backend& backend, Application& app) : backend_(backend), app_(app) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    hwnd_ = CreateWindowExW(0, kAppClass, Wide(app.Title()).c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            cx / 2, cy / 2, 0, 0, nullptr, nullptr, backend.Instance(), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&backend));
  }
  ~AppPeer() override { DestroyWindow(hwnd_); }

  HWND Hwnd() const { return hwnd_; }
  Handle GetHandle() const override { return reinterpret_cast<Handle>(hwnd_); }
  void TitleChanged() override { SetWindowTextW(hwnd_, Wide(app_.Title()).c_str()); }
  void Minimize() override {
    ShowOwnedPopups(hwnd_, FALSE);
    ShowWindow(hwnd_, SW_MINIMIZE);
  }
  void Restore() override {
    ShowWindow(hwnd_, SW_RESTORE);
    ShowOwnedPopups(hwnd_, TRUE);
    if (Form* main = app_.MainForm(); main != nullptr && main->Visible()) main->BringToFront();
  }
  void ShowTaskbarButton(bool show) override {
    backend_.taskbarButton = show;
    if (!show) {
      ShowWindow(hwnd_, SW_HIDE);
      backend_.TaskbarWindowHidden();
    } else {
      backend_.FormShown();
    }
  }
  void HintSettingsChanged() override {
    for (Form* form : app_.Forms()) {
      if (!form->HasPeer()) continue;
      if (WindowPeer* peer = WindowPeer::FromHwnd(reinterpret_cast<HWND>(form->GetHandle()))) peer->HintSettingsChanged();
    }
  }

 private:
  Backend& backend_;
  Application& app_;
  HWND hwnd_;
};

}  // namespace

Backend::Backend() : instance_(GetModuleHandleW(nullptr)) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterWindowClass(instance_, kTimerClass, TimerWindowProc, 0, nullptr);
  RegisterWindowClass(instance_, kAppClass, AppWindowProc, 0, ProgramIcon(instance_));
  RegisterWindowClass(instance_, ControlWindowClass(), OwnWindowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
  timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
  SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Backend::~Backend() {
  DestroyWindow(timerWindow_);
  // A quit request of this application must not end the loops of the next one.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::unique_ptr<ApplicationPeer> Backend::CreateApplicationPeer(Application& app) {
  app_ = &app;
  auto peer = std::make_unique<AppPeer>(*this, app);
  appWindow_ = peer->Hwnd();
  return peer;
}

std::unique_ptr<ControlPeer> Backend::CreatePeer(Control& control) { return CreateControlPeer(*this, control); }

std::unique_ptr<MenuPeer> Backend::CreateMenuPeer(Menu& menu) { return win32::CreateMenuPeer(*this, menu); }

std::unique_ptr<TaskTrayPeer> Backend::CreateTaskTrayPeer(TTaskTray& tray) { return win32::CreateTaskTrayPeer(*this, tray); }

std::uint64_t Backend::Now() const { return GetTickCount64(); }

void Backend::TimerChanged(Timer& timer, bool running) {
  auto it = timerIds_.find(&timer);
  if (!running) {
    if (it != timerIds_.end()) {
      KillTimer(timerWindow_, it->second);
      timers_.erase(it->second);
      timerIds_.erase(it);
    }
    return;
  }
  const UINT_PTR id = it != timerIds_.end() ? it->second : nextTimerId_++;
  timerIds_[&timer] = id;
  timers_[id] = &timer;
  // Setting an existing timer again starts its countdown afresh.
  SetTimer(timerWindow_, id, static_cast<UINT>(timer.Interval()), nullptr);
}

void Backend::AfterPaint(std::function<void()> run) {
  const UINT_PTR id = nextTimerId_++;
  afterPaint_[id] = std::move(run);
  SetTimer(timerWindow_, id, 0, nullptr);
}

void Backend::TimerMessage(UINT_PTR id) {
  if (auto once = afterPaint_.find(id); once != afterPaint_.end()) {
    KillTimer(timerWindow_, id);
    const std::function<void()> run = std::move(once->second);
    afterPaint_.erase(once);
    run();
    return;
  }
  auto it = timers_.find(id);
  if (it != timers_.end()) it->second->Fire();
}

void Backend::AppWindowMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) app_->Minimize();
      if ((wParam & 0xFFF0) == SC_RESTORE) app_->Restore();
      break;
    case WM_CLOSE:
      if (app_->MainForm() != nullptr) app_->MainForm()->Close();
      break;
    case WM_ACTIVATE:
      // Clicking the taskbar button activates this window: hand the activation to a form.
      if (LOWORD(wParam) != WA_INACTIVE) {
        Form* target = app_->ModalForm() != nullptr ? app_->ModalForm() : app_->MainForm();
        if (target != nullptr && target->Visible() && target->HasPeer()) SetActiveWindow(reinterpret_cast<HWND>(target->GetHandle()));
      }
      break;
    case WM_INITMENUPOPUP:
      if (MenuItem* item = SubMenuItem(reinterpret_cast<HMENU>(wParam))) item->UserClick();
      break;
    default: break;
  }
}

MenuItem* Backend::SubMenuItem(HMENU menu) const {
  auto it = subMenus_.find(menu);
  return it != subMenus_.end() ? it->second : nullptr;
}

const wchar_t* Backend::FormWindowClass(const std::string& className) {
  const std::wstring name = Wide(className);
  auto it = formClasses_.find(name);
  if (it == formClasses_.end()) {
    it = formClasses_.emplace(name, 0).first;
    RegisterWindowClass(instance_, it->first.c_str(), OwnWindowProc, CS_DBLCLKS, ProgramIcon(instance_));
  }
  return it->first.c_str();
}

void Backend::FormShown() {
  if (appShown_ || !taskbarButton || appWindow_ == nullptr) return;
  appShown_ = true;
  ShowWindow(appWindow_, SW_SHOWNA);
}

void Backend::FormStyles(BorderStyle border, DWORD& style, DWORD& exStyle) {
  exStyle = 0;
  const DWORD caption = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  switch (border) {
    case BorderStyle::None: style = WS_POPUP | WS_CLIPCHILDREN; break;
    case BorderStyle::Single: style = caption | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case BorderStyle::Sizeable: style = caption | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case BorderStyle::Dialog:
      style = WS_POPUP | caption;
      exStyle = WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::ToolWindow:
      style = caption;
      exStyle = WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::SizeToolWin:
      style = caption | WS_THICKFRAME;
      exStyle = WS_EX_TOOLWINDOW;
      break;
  }
}

Size Backend::FrameExtra(BorderStyle border, bool hasMenu, int ppi) const {
  DWORD style = 0, exStyle = 0;
  FormStyles(border, style, exStyle);
  RECT rc{0, 0, 100, 100};
  AdjustForDpi(rc, style, hasMenu, exStyle, ppi);
  return Size{rc.right - rc.left - 100, rc.bottom - rc.top - 100};
}

Color Backend::ResolveColor(Color c) const { return static_cast<Color>(ToColorRef(c)); }

Size Backend::ScreenSize() const { return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Rect Backend::VirtualScreen() const {
  return Rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
              GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The manifest declares the program DPI aware, so this is the display's real setting, not the
// 96 that Windows reports to programs it scales as bitmaps.
int Backend::PixelsPerInch() const { return SystemDpi(); }

// A top-level window is made at the scale of the monitor it appears on; a child window has its
// parent's.
int Backend::FormPixelsPerInch(const Form& form) const {
  if (form.ParentWindow() != 0) return WindowDpi(reinterpret_cast<HWND>(form.ParentWindow()));
  const Rect& b = form.Bounds();
  return MonitorDpiAt(RECT{b.left, b.top, b.Right(), b.Bottom()});
}

int Backend::ColorDepth() const {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits;
}

namespace {
// The pixels of `bitmap` (not selected into any device context) as a top-down 32-bit picture.
std::shared_ptr<Bitmap> ReadPixels(HDC dc, HBITMAP bitmap, int width, int height) {
  auto picture = std::make_shared<Bitmap>(width, height);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), picture->Data(), &bi, DIB_RGB_COLORS) != height) return nullptr;
  // GDI leaves the fourth byte undefined; a picture keeps it 0.
  std::uint32_t* p = picture->Data();
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) p[i] &= 0xFFFFFF;
  return picture;
}
}  // namespace

std::shared_ptr<Bitmap> Backend::CaptureScreen(bool viaClipboard) {
  const Rect all = VirtualScreen();
  const int width = all.width, height = all.height;
  if (width <= 0 || height <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  std::shared_ptr<Bitmap> picture;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC memory = bitmap != nullptr ? CreateCompatibleDC(screen) : nullptr;
  if (memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, all.left, all.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    DeleteDC(memory);
    if (copied && viaClipboard && OpenClipboard(timerWindow_)) {
      EmptyClipboard();
      // The clipboard owns the bitmap once it has taken it; what it gives back stays its own.
      if (SetClipboardData(CF_BITMAP, bitmap) != nullptr) {
        bitmap = nullptr;
        if (HBITMAP back = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)); back != nullptr) {
          picture = ReadPixels(screen, back, width, height);
        }
      }
      CloseClipboard();
    }
    if (copied && bitmap != nullptr && picture == nullptr) picture = ReadPixels(screen, bitmap, width, height);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return picture;
}

void Backend::SetCursor(Cursor cursor) {
  cursor_ = cursor;
  ::SetCursor(CursorHandle(cursor == Cursor::HourGlass ? Cursor::HourGlass : Cursor::Default));
}

Size Backend::TextExtent(const gui::Font& font, const std::string& text) { return MeasureText(fonts_, font, text); }

bool Backend::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_SYSKEYDOWN) return false;
  for (HWND h = msg.hwnd; h != nullptr; h = GetParent(h)) {
    WindowPeer* peer = WindowPeer::FromHwnd(h);
    if (peer == nullptr) continue;
    Control& control = peer->GetControl();
    const int key = static_cast<int>(msg.wParam);
    // Alt combinations the form does not take (menu mnemonics, Alt+F4) go on to the window.
    ShiftState shift = CurrentShift();
    if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29)) != 0) shift |= kAlt;  // the context bit: Alt is down
    if (msg.message != WM_KEYUP) return control.DispatchKeyDown(key, shift) == 0;
    control.UserKeyUp(key, CurrentShift());
    return false;
  }
  return false;
}

bool Backend::PumpOne(bool wait) {
  MSG msg;
  if (wait) {
    const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      quit_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
  } else {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      quit_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
  }
  if (!PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void Backend::ProcessMessages() {
  while (!quit_ && PumpOne(false)) {
  }
}

void Backend::Run(Application& app) {
  while (!quit_ && !app.Terminated()) PumpOne(true);
}

void Backend::Terminate() { PostQuitMessage(0); }

std::vector<HWND> Backend::DisableForms(const Form* except) {
  std::vector<HWND> disabled;
  for (Form* other : app_->Forms()) {
    if (other == except || !other->HasPeer()) continue;
    HWND h = reinterpret_cast<HWND>(other->GetHandle());
    if (IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, FALSE);
      disabled.push_back(h);
    }
  }
  return disabled;
}

void Backend::EnableForms(const std::vector<HWND>& disabled) {
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

bool Backend::RunModal(Form& form) {
  HWND previous = GetActiveWindow();
  const std::vector<HWND> disabled = DisableForms(&form);
  while (form.ModalResult() == kMrNone && !quit_ && !app_->Terminated()) {
    if (!PumpOne(true)) break;
  }
  EnableForms(disabled);
  if (previous != nullptr && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
  return true;
}

MenuItem* Backend::TrackPopup(PopupMenu& menu, int x, int y) {
  Form& form = menu.OwnerForm();
  HWND owner = form.HasPeer() && form.Visible() ? reinterpret_cast<HWND>(form.GetHandle()) : appWindow_;
  HMENU h = MenuHandleOf(menu);
  // The owner must be in the foreground, or the menu does not close when the user clicks
  // elsewhere; the posted message lets it close properly afterwards.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenu(h, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return command != 0 ? menu.FindCommand(static_cast<int>(command)) : nullptr;
}

}  // namespace gui::win32
