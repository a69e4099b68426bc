// Each saver as a process, driven as the player and Windows drive one: full screen until an
// injected key or mouse input, a preview inside a host window that ends with its host, and the
// settings dialog. Every case checks the lines the saver wrote to its log.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "config_dialog.h"
#include "saver_host.h"
#include "saver_settings.h"
#include "saver_test_support.h"

namespace {

using saverstest::Events;
using saverstest::ReadLog;
using saverstest::SaverProcess;

constexpr DWORD kStartMs = 20000;  // a cold Wine start of a program can take several seconds
constexpr DWORD kExitMs = 5000;

std::wstring SaverPath(const wchar_t* file) { return saverstest::SaversFolder() + file; }

std::string Name(const wchar_t* file) {
  std::string name = saverstest::Narrow(file);
  return name.substr(0, name.find('.'));
}

void ShiftKey() {
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

// Waits until the window has the keyboard, which is where an injected key goes.
bool WaitForeground(HWND window) {
  return saverstest::PumpUntil([window] { return GetForegroundWindow() == window; }, 5000);
}

// Start, end and the time between them in a log of one run.
void ExpectOneRun(const std::vector<saverstest::LogEntry>& log, const std::string& name, DWORD pid,
                  const std::string& args, const std::string& reason) {
  ASSERT_EQ(log.size(), 2u) << ::testing::PrintToString(Events(log));
  EXPECT_EQ(log[0].name, name);
  EXPECT_EQ(log[0].pid, pid);
  EXPECT_EQ(log[0].event, "start args=" + args);
  EXPECT_EQ(log[1].name, name);
  EXPECT_EQ(log[1].pid, pid);
  EXPECT_EQ(log[1].event, "end reason=" + reason);
  EXPECT_LE(log[0].ms, log[1].ms);
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  std::uint64_t now = ((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) -
                       116444736000000000ULL) / 10000;
  EXPECT_LE(log[1].ms, now);
  EXPECT_GE(log[0].ms + 120000, now) << "the start is stamped more than two minutes ago";
}

class EverySaver : public ::testing::TestWithParam<const wchar_t*> {};

INSTANTIATE_TEST_SUITE_P(Savers, EverySaver,
                         ::testing::Values(L"STARS.SCR", L"YUME.SCR", L"PLASMA.SCR", L"TESTSAVE.SCR"),
                         [](const auto& info) { return Name(info.param); });

TEST_P(EverySaver, FullScreenUntilTheInjectedShiftKey) {
  std::wstring log = saverstest::ScratchFolder() + L"savers.log";
  SaverProcess saver(SaverPath(GetParam()), L"/s", log);
  ASSERT_TRUE(saver.started());
  HWND window = saver.WaitTopWindow(savers::kSaverWindowClass, kStartMs);
  ASSERT_NE(window, nullptr) << "no saver window";

  // Our savers cover every monitor, the test saver the primary one.
  const bool primary = std::wstring(GetParam()) == L"TESTSAVE.SCR";
  RECT rc;
  GetWindowRect(window, &rc);
  EXPECT_EQ(rc.left, primary ? 0 : GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(rc.top, primary ? 0 : GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(rc.right - rc.left, GetSystemMetrics(primary ? SM_CXSCREEN : SM_CXVIRTUALSCREEN));
  EXPECT_EQ(rc.bottom - rc.top, GetSystemMetrics(primary ? SM_CYSCREEN : SM_CYVIRTUALSCREEN));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_TRUE(WaitForeground(window));

  ShiftKey();
  ASSERT_TRUE(saver.WaitExit(kExitMs)) << "still running after the Shift key";
  EXPECT_EQ(saver.ExitCode(), 0u);
  ExpectOneRun(ReadLog(log), Name(GetParam()), saver.pid(), "/s", "key");
}

// A host window like the one the display settings give a preview.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"QVSaverTestHost";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, L"QVSaverTestHost", L"preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                              260, 210, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~HostWindow() { Destroy(); }
  HWND get() const { return window_; }
  void Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
  }
  // The first child window of the class, or null after `ms` (pumping: the child's creation
  // sends messages to this thread).
  HWND WaitChild(const wchar_t* cls, DWORD ms) {
    HWND child = nullptr;
    saverstest::PumpUntil(
        [&] {
          child = FindWindowExW(window_, nullptr, cls, nullptr);
          return child != nullptr;
        },
        ms);
    return child;
  }

 private:
  HWND window_ = nullptr;
};

TEST_P(EverySaver, PreviewFillsTheHostAndEndsWithIt) {
  std::wstring log = saverstest::ScratchFolder() + L"savers.log";
  HostWindow host;
  ASSERT_NE(host.get(), nullptr);
  std::wstring args = L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(host.get()));
  SaverProcess saver(SaverPath(GetParam()), args, log);
  ASSERT_TRUE(saver.started());
  HWND child = host.WaitChild(savers::kSaverWindowClass, kStartMs);
  ASSERT_NE(child, nullptr) << "no preview inside the host";

  DWORD owner = 0;
  GetWindowThreadProcessId(child, &owner);
  EXPECT_EQ(owner, saver.pid());
  RECT hostRect, childRect;
  GetClientRect(host.get(), &hostRect);
  GetWindowRect(child, &childRect);
  EXPECT_EQ(childRect.right - childRect.left, hostRect.right);
  EXPECT_EQ(childRect.bottom - childRect.top, hostRect.bottom);
  EXPECT_TRUE(saver.Running());

  host.Destroy();
  ASSERT_TRUE(saver.WaitExit(kExitMs)) << "the preview outlived its host";
  ExpectOneRun(ReadLog(log), Name(GetParam()), saver.pid(), saverstest::Narrow(args), "host-gone");
}

// The ways a user comes back, on the plain test saver.
struct Ending {
  const char* what;
  void (*act)(HWND window);
  const char* reason;
};

void MoveMouseFar(HWND) {
  POINT p;
  GetCursorPos(&p);
  // A first, tiny move: only where the cursor rests. A jitter of a few pixels is no return.
  SetCursorPos(p.x + 2, p.y + 1);
  saverstest::PumpUntil([] { return false; }, 300);
  SetCursorPos(p.x + 3, p.y - 2);
  saverstest::PumpUntil([] { return false; }, 300);
  SetCursorPos(p.x > 300 ? p.x - 200 : p.x + 200, p.y > 300 ? p.y - 150 : p.y + 150);
}

const Ending kEndings[] = {
    {"shift key", [](HWND) { ShiftKey(); }, "key"},
    {"escape key",
     [](HWND) {
       keybd_event(VK_ESCAPE, 0, 0, 0);
       keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
     },
     "escape"},
    {"left button",
     [](HWND) {
       mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
       mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
     },
     "mouse-button"},
    {"right button",
     [](HWND) {
       mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
       mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
     },
     "mouse-button"},
    {"mouse move", MoveMouseFar, "mouse-move"},
    {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }, "close"},
};

TEST(TestSaver, EndsOnEveryKindOfReturn) {
  for (const Ending& e : kEndings) {
    SCOPED_TRACE(e.what);
    std::wstring log = saverstest::ScratchFolder() + L"savers.log";
    SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), L"/s", log);
    ASSERT_TRUE(saver.started());
    HWND window = saver.WaitTopWindow(savers::kSaverWindowClass, kStartMs);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForeground(window));
    e.act(window);
    ASSERT_TRUE(saver.WaitExit(kExitMs)) << "still running";
    ExpectOneRun(ReadLog(log), "TESTSAVE", saver.pid(), "/s", e.reason);
  }
}

TEST(TestSaver, SmallMouseMovesDoNotEndIt) {
  std::wstring log = saverstest::ScratchFolder() + L"savers.log";
  SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), L"-S", log);
  ASSERT_TRUE(saver.started());
  HWND window = saver.WaitTopWindow(savers::kSaverWindowClass, kStartMs);
  ASSERT_NE(window, nullptr);
  POINT p;
  GetCursorPos(&p);
  for (int i = 0; i < 6; ++i) {
    SetCursorPos(p.x + (i % 3) * 2, p.y + (i % 2) * 3);
    saverstest::PumpUntil([] { return false; }, 150);
  }
  EXPECT_TRUE(saver.Running()) << ::testing::PrintToString(Events(ReadLog(log)));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(saver.WaitExit(kExitMs));
  ExpectOneRun(ReadLog(log), "TESTSAVE", saver.pid(), "-S", "close");
}

// Copies under other names log under those names, one after another into the same file, and
// start in their own folder as the player starts them.
TEST(TestSaver, CopiesLogTheirOwnNames) {
  std::wstring folder = saverstest::ScratchFolder();
  std::wstring log = folder + L"shared.log";
  std::vector<unsigned long> pids;
  for (const wchar_t* copy : {L"ALPHA.SCR", L"BETA2.SCR"}) {
    ASSERT_TRUE(CopyFileW(SaverPath(L"TESTSAVE.SCR").c_str(), (folder + copy).c_str(), FALSE));
    SaverProcess saver(folder + copy, L"/s", log);
    ASSERT_TRUE(saver.started());
    HWND window = saver.WaitTopWindow(savers::kSaverWindowClass, kStartMs);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForeground(window));
    ShiftKey();
    ASSERT_TRUE(saver.WaitExit(kExitMs));
    pids.push_back(saver.pid());
  }
  std::vector<saverstest::LogEntry> entries = ReadLog(log);
  EXPECT_EQ(Events(entries), (std::vector<std::string>{"ALPHA start args=/s", "ALPHA end reason=key",
                                                       "BETA2 start args=/s", "BETA2 end reason=key"}));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].pid, pids[0]);
  EXPECT_EQ(entries[3].pid, pids[1]);
  EXPECT_LE(entries[1].ms, entries[2].ms);
}

TEST(TestSaver, PreviewWithColonAndHostResize) {
  std::wstring log = saverstest::ScratchFolder() + L"savers.log";
  HostWindow host;
  std::wstring args = L"/p:" + std::to_wstring(reinterpret_cast<std::uintptr_t>(host.get()));
  SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), args, log);
  HWND child = host.WaitChild(savers::kSaverWindowClass, kStartMs);
  ASSERT_NE(child, nullptr);
  SetWindowPos(host.get(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  RECT hostRect;
  GetClientRect(host.get(), &hostRect);
  EXPECT_TRUE(saverstest::PumpUntil(
      [&] {
        RECT r;
        GetWindowRect(child, &r);
        return r.right - r.left == hostRect.right && r.bottom - r.top == hostRect.bottom;
      },
      3000))
      << "the preview did not follow the host's new size";
  // Input inside a preview belongs to the host: it does not end the saver.
  PostMessageW(child, WM_KEYDOWN, VK_SHIFT, 0);
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  saverstest::PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(saver.Running());
  host.Destroy();
  ASSERT_TRUE(saver.WaitExit(kExitMs));
  ExpectOneRun(ReadLog(log), "TESTSAVE", saver.pid(), saverstest::Narrow(args), "host-gone");
}

TEST(TestSaver, PreviewOfAMissingHostEndsAtOnce) {
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  for (std::wstring args : {std::wstring(L"/p"), L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(gone))}) {
    SCOPED_TRACE(saverstest::Narrow(args));
    std::wstring log = saverstest::ScratchFolder() + L"savers.log";
    SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), args, log);
    ASSERT_TRUE(saver.WaitExit(kStartMs));
    EXPECT_NE(saver.ExitCode(), 0u);
    ExpectOneRun(ReadLog(log), "TESTSAVE", saver.pid(), saverstest::Narrow(args), "host-gone");
  }
}

TEST(TestSaver, PasswordSwitchJustExits) {
  std::wstring log = saverstest::ScratchFolder() + L"savers.log";
  SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), L"/a", log);
  ASSERT_TRUE(saver.WaitExit(kStartMs));
  EXPECT_EQ(saver.ExitCode(), 0u);
  EXPECT_EQ(Events(ReadLog(log)), std::vector<std::string>{"TESTSAVE start args=/a"});
}

// The settings dialog, answered from outside: the slider is moved, then OK or キャンセル.
struct ConfigCase {
  const wchar_t* args;
  DWORD stored;   // TextSize in the registry before the dialog; 0 = none
  int shownPos;   // where the slider starts
  int movedTo;
  int button;
  const char* reason;
  DWORD after;    // TextSize in the registry afterwards; 0 = none
};

const ConfigCase kConfigCases[] = {
    {L"/c", 0, 5, 8, IDOK, "config-ok", 8},
    {L"", 7, 7, 2, IDCANCEL, "config-cancel", 7},
    {L"/c:0", 99, 10, 10, IDOK, "config-ok", 10},  // a stored value out of range is clamped
};

DWORD StoredTextSize() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, savers::SettingsKey(L"TestSaver").c_str(), L"TextSize", RRF_RT_REG_DWORD,
                   nullptr, &value, &size) != ERROR_SUCCESS) {
    return 0;
  }
  return value;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t cls[64];
  GetClassNameW(window, cls, 64);
  if (pid == found->first && IsWindowVisible(window) && lstrcmpW(cls, L"#32770") == 0) {
    found->second = window;
    return FALSE;
  }
  return TRUE;
}

TEST(TestSaver, SettingsDialog) {
  std::wstring key = savers::SettingsKey(L"TestSaver");
  for (const ConfigCase& c : kConfigCases) {
    SCOPED_TRACE(saverstest::Narrow(c.args));
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    if (c.stored != 0) {
      ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"TextSize", REG_DWORD, &c.stored, sizeof c.stored),
                ERROR_SUCCESS);
    }
    std::wstring log = saverstest::ScratchFolder() + L"savers.log";
    SaverProcess saver(SaverPath(L"TESTSAVE.SCR"), c.args, log);
    std::pair<DWORD, HWND> found{saver.pid(), nullptr};
    saverstest::PumpUntil(
        [&] {
          EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&found));
          return found.second != nullptr || !saver.Running();
        },
        kStartMs);
    HWND dialog = found.second;
    ASSERT_NE(dialog, nullptr) << "no settings dialog";
    wchar_t caption[128];
    GetWindowTextW(dialog, caption, 128);
    EXPECT_EQ(saverstest::Narrow(caption), saverstest::Narrow(L"テスト用セーバー の設定"));
    HWND slider = GetDlgItem(dialog, savers::kFirstSlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), c.shownPos);
    SendMessageW(slider, TBM_SETPOS, TRUE, c.movedTo);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
    ASSERT_TRUE(saver.WaitExit(kExitMs));
    EXPECT_EQ(saver.ExitCode(), 0u);
    ExpectOneRun(ReadLog(log), "TESTSAVE", saver.pid(), saverstest::Narrow(c.args), c.reason);
    EXPECT_EQ(StoredTextSize(), c.after);
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace
