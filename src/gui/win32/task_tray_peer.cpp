// The notification-area icon on the shell. One hidden window per process receives the shell's
// callback message for every icon and hands it to TTaskTray::ShellCallback with the cursor
// position, and hears when the taskbar is made anew (Explorer restarted), which forgets every
// icon: each shown one is added again. The tip goes through the wide API, so it reads right on any
// system code page.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "gui/task_tray.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

namespace {

const wchar_t kNotifyClass[] = L"QvNotifyWindow";

// The message the shell broadcasts to every top-level window when it has made a new taskbar.
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

class Win32TrayPeer;
// The peers of this process, whose icons a new taskbar has to be given again.
std::vector<Win32TrayPeer*>& Peers() {
  static std::vector<Win32TrayPeer*> peers;
  return peers;
}
void AddIconsAgain();

LRESULT CALLBACK NotifyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNotifyCallbackMessage) {
    POINT p{};
    GetCursorPos(&p);
    TTaskTray::ShellCallback(static_cast<int>(wParam), static_cast<int>(lParam), p.x, p.y);
    return 0;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    AddIconsAgain();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The window the shell reports to, created with the first icon shown.
HWND NotifyWindow(HINSTANCE instance) {
  static HWND window = nullptr;
  if (window != nullptr && IsWindow(window)) return window;
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kNotifyClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kNotifyClass;
    RegisterClassExW(&wc);
  }
  window = CreateWindowExW(0, kNotifyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  // A program running with higher rights than the shell hears its broadcast only when it lets the
  // message through (Windows 7 and later; looked up, since Vista lacks the call).
  using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  auto allow = reinterpret_cast<AllowMessage>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
  if (allow != nullptr && window != nullptr) allow(window, TaskbarCreatedMessage(), 1 /* MSGFLT_ALLOW */, nullptr);
  return window;
}

// An icon made from the picture's pixels, fully opaque.
HICON IconFromBitmap(const Bitmap& picture) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = picture.Width();
  bi.bmiHeader.biHeight = -picture.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, dc);
  if (color == nullptr) return nullptr;
  auto* out = static_cast<std::uint32_t*>(bits);
  const size_t n = static_cast<size_t>(picture.Width()) * static_cast<size_t>(picture.Height());
  for (size_t i = 0; i < n; ++i) out[i] = picture.Data()[i] | 0xFF000000u;
  std::vector<unsigned char> zeros(static_cast<size_t>((picture.Width() + 15) / 16 * 2) * static_cast<size_t>(picture.Height()), 0);
  HBITMAP mask = CreateBitmap(picture.Width(), picture.Height(), 1, 1, zeros.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask;
  info.hbmColor = color;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

class Win32TrayPeer : public TaskTrayPeer {
 public:
  Win32TrayPeer(Backend& backend, TTaskTray& tray) : backend_(backend), tray_(tray) {
    TaskbarCreatedMessage();
    Peers().push_back(this);
  }
  ~Win32TrayPeer() override {
    std::erase(Peers(), this);
    if (added_) Call(NIM_DELETE);
    FreeIcon();
  }

  // The taskbar was made anew and knows no icon: a shown one is added as at first.
  void AddAgain() {
    added_ = false;
    Changed();
  }

  void Changed() override {
    // An icon shown under an identifier the component has left (it moves by remove and add).
    if (added_ && (!tray_.Registered() || addedId_ != tray_.IconID())) {
      Call(NIM_DELETE);
      added_ = false;
    }
    if (!tray_.Registered()) return;
    FreeIcon();
    const TrayIcon& icon = tray_.Icon();
    if (icon.program) {
      // The small picture of the program's icon, as the shell shows it.
      icon_ = static_cast<HICON>(LoadImageW(backend_.Instance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    } else if (icon.pixels != nullptr) {
      icon_ = IconFromBitmap(*icon.pixels);
    }
    if (Call(added_ ? NIM_MODIFY : NIM_ADD)) {
      added_ = true;
      addedId_ = tray_.IconID();
    }
  }

 private:
  void FreeIcon() {
    if (icon_ != nullptr) DestroyIcon(icon_);
    icon_ = nullptr;
  }

  bool Call(DWORD what) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = NotifyWindow(backend_.Instance());
    data.uID = static_cast<UINT>(what == NIM_DELETE ? addedId_ : tray_.IconID());
    data.uFlags = static_cast<UINT>(tray_.ShellFlags());
    data.uCallbackMessage = kNotifyCallbackMessage;
    data.hIcon = icon_ != nullptr ? icon_ : LoadIconA(nullptr, IDI_APPLICATION);
    // Cut by characters: no character is split, and a tip already cut to 63 bytes fits whole.
    lstrcpynW(data.szTip, platform::win32::Wide(tray_.TipString()).c_str(), 64);
    return Shell_NotifyIconW(what, &data) != FALSE;
  }

  Backend& backend_;
  TTaskTray& tray_;
  HICON icon_ = nullptr;
  bool added_ = false;
  int addedId_ = 0;
};

void AddIconsAgain() {
  for (Win32TrayPeer* peer : std::vector<Win32TrayPeer*>(Peers())) peer->AddAgain();
}

}  // namespace

std::unique_ptr<TaskTrayPeer> CreateTaskTrayPeer(Backend& backend, TTaskTray& tray) {
  return std::make_unique<Win32TrayPeer>(backend, tray);
}

}  // namespace gui::win32
