// qvprobe: a small console tool the end-to-end scenarios run under Wine to look at and act on the
// program's windows by class name. Output is UTF-8, one fact per line; the exit code tells the
// scenario whether the condition held (0) or not (1); 2 is a usage error.
//
//   qvprobe wait-window CLASS [MS]   wait until a visible window of CLASS exists; print its handle
//   qvprobe wait-gone CLASS [MS]     wait until no window of CLASS exists
//   qvprobe text CLASS               the window's caption, then "child <class> <text>" per child
//                                    and "item <text>" per row of a list or combo box
//   qvprobe rect CLASS               "left top right bottom" and "client W H"
//   qvprobe close CLASS              post WM_CLOSE
//   qvprobe send CLASS MSG [W [L]]   SendMessage, print the result
//   qvprobe click CLASS TEXT         click the child control whose caption is TEXT (mouse down and
//                                    up in its middle, so drawn buttons answer as native ones do)
//   qvprobe key CLASS VK             post a key press (down and up) to the window with the focus
//   qvprobe select CLASS PREFIX N    pick row N of the combo box that has a row starting with
//                                    PREFIX, as a user's pick does (selection, then CBN_SELCHANGE)
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND w) {
  wchar_t buf[1024];
  int n = GetWindowTextW(w, buf, 1024);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

std::wstring ClassOf(HWND w) {
  wchar_t buf[256];
  int n = GetClassNameW(w, buf, 256);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

HWND Find(const std::wstring& cls) { return FindWindowW(cls.c_str(), nullptr); }

bool WaitFor(const std::wstring& cls, bool present, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND w = Find(cls);
    bool ok = present ? (w != nullptr && IsWindowVisible(w)) : (w == nullptr);
    if (ok) {
      if (present) std::printf("%p\n", static_cast<void*>(w));
      return true;
    }
    if (GetTickCount() - start >= ms) return false;
    Sleep(100);
  }
}

struct ClickContext {
  std::wstring text;
  HWND found = nullptr;
  bool prefix = false;
};

// A list's rows (list boxes and combo boxes), one "item" line each.
void PrintItems(HWND list, UINT count, UINT length, UINT get) {
  LRESULT n = SendMessageW(list, count, 0, 0);
  for (LRESULT i = 0; i < n && i < 500; ++i) {
    LRESULT len = SendMessageW(list, length, static_cast<WPARAM>(i), 0);
    if (len < 0) continue;
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(list, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(len));
    std::printf("item %s\n", Utf8(text).c_str());
  }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  const std::wstring cls = ClassOf(child);
  std::printf("child %s %s\n", Utf8(cls).c_str(), Utf8(TextOf(child)).c_str());
  if (_wcsicmp(cls.c_str(), L"ListBox") == 0) PrintItems(child, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
  if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) PrintItems(child, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
  return TRUE;
}

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
  auto* ctx = reinterpret_cast<ClickContext*>(param);
  const std::wstring text = TextOf(child);
  // A combo box is found by one of its rows starting with the text.
  if (ctx->prefix ? _wcsicmp(ClassOf(child).c_str(), L"ComboBox") == 0 &&
                        SendMessageW(child, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(ctx->text.c_str())) != CB_ERR
                  : text == ctx->text) {
    ctx->found = child;
    return FALSE;
  }
  return TRUE;
}

int Usage() {
  std::fprintf(stderr, "usage: qvprobe wait-window|wait-gone|text|rect|close|send|click CLASS ...\n");
  return 2;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 3) return Usage();
  std::wstring cmd = argv[1];
  std::wstring cls = argv[2];
  auto num = [&](int i, long def) { return i < argc ? std::wcstol(argv[i], nullptr, 0) : def; };

  if (cmd == L"wait-window") return WaitFor(cls, true, static_cast<DWORD>(num(3, 20000))) ? 0 : 1;
  if (cmd == L"wait-gone") return WaitFor(cls, false, static_cast<DWORD>(num(3, 20000))) ? 0 : 1;

  HWND w = Find(cls);
  if (w == nullptr) {
    std::printf("no window of class %s\n", Utf8(cls).c_str());
    return 1;
  }
  if (cmd == L"text") {
    std::printf("%s\n", Utf8(TextOf(w)).c_str());
    EnumChildWindows(w, PrintChild, 0);
    return 0;
  }
  if (cmd == L"rect") {
    RECT r, c;
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    std::printf("%ld %ld %ld %ld\nclient %ld %ld\n", r.left, r.top, r.right, r.bottom, c.right, c.bottom);
    return 0;
  }
  if (cmd == L"close") return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
  if (cmd == L"send" && argc >= 4) {
    LRESULT r = SendMessageW(w, static_cast<UINT>(num(3, 0)), static_cast<WPARAM>(num(4, 0)), static_cast<LPARAM>(num(5, 0)));
    std::printf("%ld\n", static_cast<long>(r));
    return 0;
  }
  if (cmd == L"key" && argc >= 4) {
    SetForegroundWindow(w);
    DWORD thread = GetWindowThreadProcessId(w, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr ? info.hwndFocus : w;
    WPARAM vk = static_cast<WPARAM>(num(3, 0));
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    return 0;
  }
  if (cmd == L"select" && argc >= 5) {
    ClickContext ctx{argv[3], nullptr, true};
    EnumChildWindows(w, FindButton, reinterpret_cast<LPARAM>(&ctx));
    if (ctx.found == nullptr) return 1;
    SendMessageW(ctx.found, CB_SETCURSEL, static_cast<WPARAM>(num(4, 0)), 0);
    HWND parent = GetParent(ctx.found);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ctx.found), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(ctx.found));
    return 0;
  }
  if (cmd == L"click" && argc >= 4) {
    ClickContext ctx{argv[3]};
    EnumChildWindows(w, FindButton, reinterpret_cast<LPARAM>(&ctx));
    if (ctx.found == nullptr) return 1;
    RECT r;
    GetClientRect(ctx.found, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(ctx.found, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(ctx.found, WM_LBUTTONUP, 0, at);
    return 0;
  }
  return Usage();
}
