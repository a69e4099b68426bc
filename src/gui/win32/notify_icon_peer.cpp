// The notification-area icon on the shell: one hidden window per icon receives the shell's
// callback message and turns it into the component's UserMouseMessage.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "gui/notify_icon.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

namespace {

const wchar_t kNotifyClass[] = L"QvNotifyWindow";

LRESULT CALLBACK NotifyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

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

class Win32NotifyPeer : public NotifyIconPeer {
 public:
  Win32NotifyPeer(Backend& backend, NotifyIcon& icon) : backend_(backend), icon_(icon) {
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(backend.Instance(), kNotifyClass, &wc)) {
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = NotifyWindowProc;
      wc.hInstance = backend.Instance();
      wc.lpszClassName = kNotifyClass;
      RegisterClassExW(&wc);
    }
    hwnd_ = CreateWindowExW(0, kNotifyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, backend.Instance(), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Win32NotifyPeer() override {
    if (added_) Call(NIM_DELETE);
    DestroyWindow(hwnd_);
    if (ownIcon_ != nullptr) DestroyIcon(ownIcon_);
  }

  void Changed() override {
    if (!icon_.Shown()) {
      if (added_) Call(NIM_DELETE);
      added_ = false;
      return;
    }
    if (ownIcon_ != nullptr) DestroyIcon(ownIcon_);
    ownIcon_ = icon_.Picture() != nullptr && !icon_.Picture()->Empty() ? IconFromBitmap(*icon_.Picture()) : nullptr;
    added_ = Call(added_ ? NIM_MODIFY : NIM_ADD) || added_;
  }

  void Callback(LPARAM mouseMessage) {
    POINT p{};
    GetCursorPos(&p);
    icon_.UserMouseMessage(static_cast<int>(mouseMessage), p.x, p.y);
  }

 private:
  bool Call(DWORD what) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = hwnd_;
    data.uID = static_cast<UINT>(icon_.Id());
    data.uFlags = NIF_MESSAGE | NIF_ICON | (icon_.Tip().empty() ? 0 : NIF_TIP);
    data.uCallbackMessage = kNotifyCallbackMessage;
    data.hIcon = ownIcon_ != nullptr ? ownIcon_ : LoadIconW(backend_.Instance(), MAKEINTRESOURCEW(1));
    if (data.hIcon == nullptr) data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynW(data.szTip, platform::win32::Wide(icon_.Tip()).c_str(), 64);
    return Shell_NotifyIconW(what, &data) != FALSE;
  }

  Backend& backend_;
  NotifyIcon& icon_;
  HWND hwnd_;
  HICON ownIcon_ = nullptr;
  bool added_ = false;
};

LRESULT CALLBACK NotifyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kNotifyCallbackMessage) {
    if (auto* peer = reinterpret_cast<Win32NotifyPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) peer->Callback(lParam);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<NotifyIconPeer> CreateNotifyIconPeer(Backend& backend, NotifyIcon& icon) {
  return std::make_unique<Win32NotifyPeer>(backend, icon);
}

}  // namespace gui::win32
