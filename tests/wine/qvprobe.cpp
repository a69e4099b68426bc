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
//   qvprobe drag CLASS FROM TO [VK]  drag with the mouse (real input) from the list row FROM to the
//                                    row TO of another list (both exact row texts); then press VK,
//                                    e.g. to pick an item of a menu the drop opens
//   qvprobe drag-to CLASS FROM NAME [VK]  the same from the row FROM onto the control of that
//                                    designer name
//   qvprobe click-row CLASS TEXT [2|right|ctrl]  click with the mouse (real input) the row TEXT
//                                    of a visible list box; 2: a double click, right: the right
//                                    button, ctrl: with Ctrl held (a row added to the selection)
//   qvprobe click-node CLASS TEXT    click with the mouse (real input) the tree-view item TEXT
//   qvprobe press CLASS TEXT         click with the mouse (real input) the child control whose
//                                    caption is TEXT
//   qvprobe press-name CLASS NAME [right]  the same for the control of that designer name (the program
//                                    keeps a hash of each control's name in its window's user data)
//   qvprobe caption CLASS NAME       the caption of the control of that designer name
//   qvprobe shown-name CLASS NAME    whether the control of that designer name is visible
//   qvprobe items CLASS NAME         "item <text>" per row of the list or combo box of that name
//   qvprobe shown CLASS CHILDCLASS [TEXT]  whether a visible child window of CHILDCLASS (with the
//                                    caption TEXT) exists
//   qvprobe type CLASS TEXT          bring the window to the front and type TEXT with the keyboard
//                                    (real input, one key press per UTF-16 unit) into its focus
//   qvprobe keys CLASS KEY...        bring the window to the front and press the keys (real input)
//                                    in order; KEY is a virtual-key code (13 or 0x0D), with
//                                    "shift+", "ctrl+" or "alt+" before it to hold those
//   qvprobe tray-icon N              "left top right bottom" of icon N (0: the first added) of the
//                                    notification area
//   qvprobe tray-click N [right|2|hover]  click icon N with the mouse (real input); hover only
//                                    moves the mouse onto it (its tip shows)
//   qvprobe tray-remove CLASS ID     take icon ID of the window of CLASS out of the notification area
//   qvprobe broadcast NAME           send the registered message NAME to every top-level window
//   qvprobe menu-key VK [MS]         wait until a popup menu shows, then press the key (real input),
//                                    e.g. an item's mnemonic letter
//   qvprobe menu-pick CLASS BAR ITEMS  pick an item of the window's menu with the mouse (real
//                                    input): BAR lists the captions of the menu bar up to the menu
//                                    to open, ITEMS those of that menu up to the item, each "a|b|c"
//                                    ("-" a separator). A menu lives in its program's process, so
//                                    the probe lays out a menu of the same captions of its own to
//                                    learn where the bar's item and the menu's item are.
//   qvprobe monitors                 "monitor L T R B work L T R B [primary]" per monitor, then
//                                    "virtual L T W H" and "dpi N"
//   qvprobe processes                the executable name of every running process, one a line
//   qvprobe windows                  the class of every visible top-level window, one a line
//   qvprobe every CLASS              every top-level window of CLASS: "window <handle> shown|hidden
//                                    L T R B" (the handle in decimal), then "child <class> <exe>"
//                                    per direct child with the program its process runs
//
// The probe is DPI aware, so that it sees and clicks the same pixels as the program at any
// density.
#include "qvprobe.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace probe {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The window's text as the window itself reports it (an edit field's contents too, which the
// cross-process GetWindowText leaves out).
std::wstring TextOf(HWND w) {
  wchar_t buf[1024];
  const LRESULT n = SendMessageW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

std::wstring ClassOf(HWND w) {
  wchar_t buf[256];
  int n = GetClassNameW(w, buf, 256);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

struct ClassSearch {
  const std::wstring& cls;
  HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  if (_wcsicmp(ClassOf(w).c_str(), search->cls.c_str()) != 0) return TRUE;
  search->found = w;
  return FALSE;
}

// A top-level window of the class. The system's lookup by class name is checked against the
// window list: under load it was seen to miss a window that was on the screen.
HWND Find(const std::wstring& cls) {
  if (HWND w = FindWindowW(cls.c_str(), nullptr)) return w;
  ClassSearch search{cls};
  EnumWindows(MatchClass, reinterpret_cast<LPARAM>(&search));
  if (search.found != nullptr) std::fprintf(stderr, "qvprobe: FindWindow missed a window of class %ls\n", cls.c_str());
  return search.found;
}

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

struct RowContext {
  std::wstring text;
  HWND except = nullptr;
  HWND found = nullptr;
  int row = -1;
};

BOOL CALLBACK FindRow(HWND child, LPARAM param) {
  auto* ctx = reinterpret_cast<RowContext*>(param);
  if (child == ctx->except || !IsWindowVisible(child) || _wcsicmp(ClassOf(child).c_str(), L"ListBox") != 0) return TRUE;
  const LRESULT row = SendMessageW(child, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(ctx->text.c_str()));
  if (row == LB_ERR) return TRUE;
  ctx->found = child;
  ctx->row = static_cast<int>(row);
  return FALSE;
}

// The middle of a row on the screen; the row is scrolled into view first.
bool RowPoint(const RowContext& ctx, POINT& p) {
  SendMessageW(ctx.found, LB_SETTOPINDEX, static_cast<WPARAM>(ctx.row), 0);
  RECT r;
  if (SendMessageW(ctx.found, LB_GETITEMRECT, static_cast<WPARAM>(ctx.row), reinterpret_cast<LPARAM>(&r)) == LB_ERR) return false;
  p = {r.left + 12, (r.top + r.bottom) / 2};
  return ClientToScreen(ctx.found, &p) != FALSE;
}

void MouseInput(POINT p, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65535LL) / (GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = static_cast<LONG>((p.y * 65535LL) / (GetSystemMetrics(SM_CYSCREEN) - 1));
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  SendInput(1, &in, sizeof in);
  Sleep(40);
}

// A drag with the button held from a to b in small steps, then the key vk (0: none), e.g. to
// pick an item of a menu the drop opens.
void DragPoints(HWND w, POINT a, POINT b, WORD vk) {
  SetForegroundWindow(w);
  Sleep(200);
  MouseInput(a, 0);
  MouseInput(a, MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 12; ++step) {
    MouseInput(POINT{a.x + (b.x - a.x) * step / 12, a.y + (b.y - a.y) * step / 12}, 0);
  }
  MouseInput(b, MOUSEEVENTF_LEFTUP);
  if (vk != 0) {
    Sleep(700);  // the drop's menu opens
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = vk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
  }
}

int Drag(HWND w, const std::wstring& from, const std::wstring& to, WORD vk) {
  RowContext source{from};
  EnumChildWindows(w, FindRow, reinterpret_cast<LPARAM>(&source));
  RowContext target{to, source.found};
  EnumChildWindows(w, FindRow, reinterpret_cast<LPARAM>(&target));
  POINT a, b;
  if (source.found == nullptr || target.found == nullptr || !RowPoint(source, a) || !RowPoint(target, b)) return 1;
  DragPoints(w, a, b, vk);
  return 0;
}


// Reads "2", "right" and "ctrl" from the arguments from `first` on.
ClickKind KindOf(int argc, wchar_t** argv, int first) {
  ClickKind kind;
  for (int i = first; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"2") kind.clicks = 2;
    if (a == L"hover") kind.clicks = 0;
    if (a == L"right") kind.right = true;
    if (a == L"ctrl") kind.ctrl = true;
  }
  return kind;
}

void KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
  Sleep(40);
}

// Real keyboard input of text: each UTF-16 unit is a key press of its own (the system turns it
// into a WM_CHAR of that unit), whatever the keyboard layout.
void TypeText(HWND w, const std::wstring& text) {
  SetForegroundWindow(w);
  Sleep(200);
  for (wchar_t unit : text) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wScan = keys[1].ki.wScan = unit;
    keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
    keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
    Sleep(10);
  }
}

// Real key presses; each is "[shift+][ctrl+][alt+]VK". False on a key that does not parse.
bool PressKeys(HWND w, wchar_t** keys, int count) {
  SetForegroundWindow(w);
  Sleep(200);
  for (int i = 0; i < count; ++i) {
    std::wstring key = keys[i];
    std::vector<WORD> held;
    for (bool more = true; more;) {
      more = false;
      for (auto [prefix, vk] : {std::pair{L"shift+", VK_SHIFT}, std::pair{L"ctrl+", VK_CONTROL}, std::pair{L"alt+", VK_MENU}}) {
        if (key.rfind(prefix, 0) == 0) {
          key.erase(0, std::wcslen(prefix));
          held.push_back(static_cast<WORD>(vk));
          more = true;
        }
      }
    }
    wchar_t* end = nullptr;
    const long vk = std::wcstol(key.c_str(), &end, 0);
    if (key.empty() || *end != L'\0' || vk <= 0 || vk > 0xFE) return false;
    for (WORD h : held) KeyInput(h, false);
    KeyInput(static_cast<WORD>(vk), false);
    KeyInput(static_cast<WORD>(vk), true);
    for (auto h = held.rbegin(); h != held.rend(); ++h) KeyInput(*h, true);
  }
  return true;
}

// Brings the window to the front and waits until it is there: a click on a window that is still
// being activated only activates it.
void ToFront(HWND w) {
  SetForegroundWindow(w);
  for (int i = 0; i < 40 && GetForegroundWindow() != w; ++i) Sleep(50);
  Sleep(200);
}

void ClickAt(HWND w, POINT p, ClickKind kind) {
  ToFront(w);
  MouseInput(p, 0);
  if (kind.ctrl) KeyInput(VK_CONTROL, false);
  for (int i = 0; i < kind.clicks; ++i) {
    MouseInput(p, kind.right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseInput(p, kind.right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  }
  if (kind.ctrl) KeyInput(VK_CONTROL, true);
}

int ClickRow(HWND w, const std::wstring& text, ClickKind kind) {
  RowContext row{text};
  EnumChildWindows(w, FindRow, reinterpret_cast<LPARAM>(&row));
  POINT p;
  if (row.found == nullptr || !RowPoint(row, p)) return 1;
  ClickAt(w, p, kind);
  return 0;
}

BOOL CALLBACK FindTree(HWND child, LPARAM param) {
  if (!IsWindowVisible(child) || _wcsicmp(ClassOf(child).c_str(), WC_TREEVIEWW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

// Memory in the tree's own process: item records and texts travel through it, since a tree view
// reads and writes its messages' pointers in its own address space.
class RemoteBlock {
 public:
  RemoteBlock(HWND w, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (at_ != nullptr) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  bool ok() const { return at_ != nullptr; }
  char* at() const { return static_cast<char*>(at_); }
  bool Put(size_t offset, const void* data, size_t n) { return WriteProcessMemory(process_, at() + offset, data, n, nullptr) != 0; }
  bool Get(size_t offset, void* data, size_t n) { return ReadProcessMemory(process_, at() + offset, data, n, nullptr) != 0; }

 private:
  HANDLE process_ = nullptr;
  void* at_ = nullptr;
  size_t size_;
};

std::wstring NodeText(HWND tree, RemoteBlock& block, HTREEITEM item) {
  constexpr size_t kTextAt = 256, kChars = 260;
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = reinterpret_cast<wchar_t*>(block.at() + kTextAt);
  tv.cchTextMax = kChars;
  if (!block.Put(0, &tv, sizeof tv) || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.at()))) return {};
  wchar_t text[kChars] = {};
  block.Get(kTextAt, text, sizeof text);
  text[kChars - 1] = L'\0';
  return text;
}

HTREEITEM FindNode(HWND tree, RemoteBlock& block, HTREEITEM item, const std::wstring& text) {
  for (; item != nullptr; item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    if (NodeText(tree, block, item) == text) return item;
    HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (HTREEITEM found = FindNode(tree, block, child, text)) return found;
  }
  return nullptr;
}

struct NameContext {
  LONG_PTR tag = 0;
  HWND found = nullptr;
};

LONG_PTR NameTag(const std::wstring& name) {
  uint32_t hash = 2166136261u;
  for (wchar_t c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return static_cast<LONG_PTR>(hash);
}

BOOL CALLBACK FindNamed(HWND child, LPARAM param) {
  auto* ctx = reinterpret_cast<NameContext*>(param);
  if (GetWindowLongPtrW(child, GWLP_USERDATA) != ctx->tag) return TRUE;
  ctx->found = child;
  return FALSE;
}

HWND Named(HWND w, const std::wstring& name) {
  NameContext ctx{NameTag(name)};
  EnumChildWindows(w, FindNamed, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

POINT Middle(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  POINT p{r.right / 2, r.bottom / 2};
  ClientToScreen(control, &p);
  return p;
}

// A real click in the middle of a control.
int Press(HWND w, HWND control, ClickKind kind) {
  if (control == nullptr) return 1;
  ClickAt(w, Middle(control), kind);
  return 0;
}

struct ShownContext {
  std::wstring cls;
  const wchar_t* text = nullptr;  // any caption when null
  bool found = false;
};

BOOL CALLBACK FindShown(HWND child, LPARAM param) {
  auto* ctx = reinterpret_cast<ShownContext*>(param);
  // A child counts as shown only when it and every parent up to the window are visible.
  if (_wcsicmp(ClassOf(child).c_str(), ctx->cls.c_str()) != 0 || !IsWindowVisible(child)) return TRUE;
  if (ctx->text != nullptr && TextOf(child) != ctx->text) return TRUE;
  ctx->found = true;
  return FALSE;
}

int ClickNode(HWND w, const std::wstring& text) {
  HWND tree = nullptr;
  EnumChildWindows(w, FindTree, reinterpret_cast<LPARAM>(&tree));
  if (tree == nullptr) return 1;
  RemoteBlock block(tree, 1024);
  if (!block.ok()) return 1;
  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  HTREEITEM item = FindNode(tree, block, root, text);
  if (item == nullptr) return 1;
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RECT r{};
  std::memcpy(&r, &item, sizeof item);   // the rectangle asked for names its item
  if (!block.Put(0, &r, sizeof r) || !SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block.at())) ||
      !block.Get(0, &r, sizeof r)) {
    return 1;
  }
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(tree, &p);
  ClickAt(w, p);
  return 0;
}

struct TrayContext {
  int wanted = 0;
  int seen = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindTrayIcon(HWND child, LPARAM param) {
  auto* ctx = reinterpret_cast<TrayContext*>(param);
  if (!IsWindowVisible(child) || _wcsicmp(ClassOf(child).c_str(), L"__winex11_tray_icon") != 0) return TRUE;
  if (ctx->seen++ != ctx->wanted) return TRUE;
  ctx->found = child;
  return FALSE;
}

// Icon N of the notification area. Wine without a window manager keeps explorer's taskbar
// hidden; its X11 driver shows the icons in a "Wine System Tray" window of its own, one child
// window per icon, which answers the mouse as the taskbar's icons do.
HWND TrayIconWindow(int index, HWND& tray) {
  tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
  if (tray == nullptr) return nullptr;
  TrayContext ctx{index};
  EnumChildWindows(tray, FindTrayIcon, reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

int Usage() {
  std::fprintf(stderr, "usage: qvprobe wait-window|wait-gone|text|rect|close|send|click|key|select|drag|click-row|click-node|drag-to|press|press-name|caption|shown-name|items|shown|type|keys CLASS ...\n"
                       "       qvprobe tray-icon|tray-click N ... | tray-remove CLASS ID | broadcast NAME | menu-key VK [MS] | monitors | menu-pick CLASS BAR ITEMS |\n"
                       "       processes | windows | every CLASS\n");
  return 2;
}

}  // namespace probe

using namespace probe;


int main() {
  SetProcessDPIAware();
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv != nullptr && argc == 2 && std::wstring(argv[1]) == L"monitors") return PrintMonitors();
  if (argv != nullptr && argc == 2 && std::wstring(argv[1]) == L"processes") return PrintProcesses();
  if (argv != nullptr && argc == 2 && std::wstring(argv[1]) == L"windows") return PrintShownWindows();
  if (argv == nullptr || argc < 3) return Usage();
  std::wstring cmd = argv[1];
  std::wstring cls = argv[2];
  auto num = [&](int i, long def) { return i < argc ? std::wcstol(argv[i], nullptr, 0) : def; };
  if (cmd == L"every") return PrintEvery(cls);

  if (cmd == L"wait-window") return WaitFor(cls, true, static_cast<DWORD>(num(3, 20000))) ? 0 : 1;
  if (cmd == L"wait-gone") return WaitFor(cls, false, static_cast<DWORD>(num(3, 20000))) ? 0 : 1;
  if (cmd == L"tray-icon" || cmd == L"tray-click") {
    HWND tray = nullptr;
    HWND icon = TrayIconWindow(static_cast<int>(num(2, 0)), tray);
    if (icon == nullptr) return 1;
    if (cmd == L"tray-click") return Press(tray, icon, KindOf(argc, argv, 3));
    RECT r;
    GetWindowRect(icon, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (cmd == L"broadcast") {
    const UINT message = RegisterWindowMessageW(cls.c_str());
    DWORD_PTR result = 0;
    return message != 0 && SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0 : 1;
  }
  if (cmd == L"menu-key") {
    // The menu takes the keyboard from the window that popped it up; no window is brought to the
    // front here, which would close the menu.
    if (!WaitFor(L"#32768", true, static_cast<DWORD>(num(3, 10000)))) return 1;
    Sleep(200);
    const WORD vk = static_cast<WORD>(num(2, 0));
    KeyInput(vk, false);
    KeyInput(vk, true);
    return 0;
  }

  HWND w = Find(cls);
  // Input is meant for a window the scenario has seen: a lookup that misses it for a moment (seen
  // under Wine in the plain user's prefix, by the window list too) is tried again for a few
  // seconds. Queries answer at once, since scenarios also ask them of windows that are gone.
  static const wchar_t* const kActions[] = {L"press", L"press-name", L"click", L"click-node", L"click-row", L"key",
                                            L"keys", L"drag", L"drag-to", L"type", L"select", L"send", L"menu-pick"};
  const bool acting = std::any_of(std::begin(kActions), std::end(kActions), [&](const wchar_t* a) { return cmd == a; });
  for (int tries = 0; w == nullptr && acting && tries < 30; ++tries) {
    Sleep(100);
    w = Find(cls);
  }
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
  if (cmd == L"tray-remove" && argc >= 4) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = w;
    data.uID = static_cast<UINT>(num(3, 0));
    return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
  }
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
  if (cmd == L"drag" && argc >= 5) return Drag(w, argv[3], argv[4], static_cast<WORD>(num(5, 0)));
  if (cmd == L"click-row" && argc >= 4) return ClickRow(w, argv[3], KindOf(argc, argv, 4));
  if (cmd == L"click-node" && argc >= 4) return ClickNode(w, argv[3]);
  if (cmd == L"shown" && argc >= 4) {
    ShownContext ctx{argv[3], argc >= 5 ? argv[4] : nullptr};
    EnumChildWindows(w, FindShown, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found ? 0 : 1;
  }
  if (cmd == L"press" && argc >= 4) {
    ClickContext ctx{argv[3]};
    EnumChildWindows(w, FindButton, reinterpret_cast<LPARAM>(&ctx));
    return Press(w, ctx.found, KindOf(argc, argv, 4));
  }
  if (cmd == L"drag-to" && argc >= 5) {
    RowContext source{argv[3]};
    EnumChildWindows(w, FindRow, reinterpret_cast<LPARAM>(&source));
    HWND target = Named(w, argv[4]);
    POINT a;
    if (source.found == nullptr || target == nullptr || !RowPoint(source, a)) return 1;
    DragPoints(w, a, Middle(target), static_cast<WORD>(num(5, 0)));
    return 0;
  }
  if (cmd == L"menu-pick" && argc >= 5) return MenuPick(w, argv[3], argv[4]);
  if (cmd == L"press-name" && argc >= 4) return Press(w, Named(w, argv[3]), KindOf(argc, argv, 4));
  if (cmd == L"items" && argc >= 4) {
    HWND list = Named(w, argv[3]);
    if (list == nullptr) return 1;
    if (_wcsicmp(ClassOf(list).c_str(), L"ComboBox") == 0) {
      PrintItems(list, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    } else {
      PrintItems(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    }
    return 0;
  }
  if (cmd == L"shown-name" && argc >= 4) {
    HWND control = Named(w, argv[3]);
    return control != nullptr && IsWindowVisible(control) ? 0 : 1;
  }
  if (cmd == L"caption" && argc >= 4) {
    HWND control = Named(w, argv[3]);
    if (control == nullptr) return 1;
    std::printf("%s\n", Utf8(TextOf(control)).c_str());
    return 0;
  }
  if (cmd == L"type" && argc >= 4) {
    TypeText(w, argv[3]);
    return 0;
  }
  if (cmd == L"keys" && argc >= 4) return PressKeys(w, argv + 3, argc - 3) ? 0 : Usage();
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
