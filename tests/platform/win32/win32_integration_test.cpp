// The real services where no fake can stand in: windows found by class (also inside other
// windows) and a hand-off message between two processes, Windows' screen-saver settings, the
// cursor, the screen, the order of names, generated short names, file identities under other
// names, the special folders and Program Manager's DDE server.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "support/sjis_text.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

constexpr UINT kHandOff = WM_USER + 1;
constexpr wchar_t kClassVariable[] = L"QV_HANDOFF_TEST_CLASS";
const std::string kHandOffText = "?既にQUOVEL EXE版が起動しています。?/c:1234?";

std::string received;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kHandOff) {
    platform::win32::Win32Desktop desktop;
    received = desktop.GlobalAtomName(static_cast<uint16_t>(wParam)).value_or("<no atom>");
    return 1025;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A hidden top-level window of a class of its own, like a running manager.
class Receiver {
 public:
  Receiver() {
    className_ = L"TQvHandOffTest" + std::to_wstring(GetCurrentProcessId());
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className_.c_str();
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, className_.c_str(), L"", WS_POPUP, 10, 20, 300, 200, nullptr, nullptr,
                            wc.hInstance, nullptr);
  }
  ~Receiver() {
    DestroyWindow(hwnd_);
    UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
  }
  HWND hwnd() const { return hwnd_; }
  std::string className() const { return *Narrow(className_); }

 private:
  std::wstring className_;
  HWND hwnd_ = nullptr;
};

TEST(Win32HandOff, WindowIsFoundByClassWithItsRectangle) {
  Receiver receiver;
  ASSERT_NE(receiver.hwnd(), nullptr);
  platform::win32::Win32Desktop desktop;
  std::optional<platform::WindowId> found = desktop.FindWindowByClass(receiver.className());
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, reinterpret_cast<platform::WindowId>(receiver.hwnd()));
  EXPECT_EQ(desktop.WindowRect(*found), (platform::Rect{10, 20, 310, 220}));
  SetWindowTextW(receiver.hwnd(), Wide("QUOVEL32 EXE版").c_str());
  EXPECT_EQ(desktop.WindowTitle(*found), "QUOVEL32 EXE版");
}

// A window of our class two levels inside a top-level window, as a preview sits in the area of
// the screen-saver dialog.
TEST(Win32Desktop, ChildWindowsAreFoundOnlyByTheSearchBelowTheTopLevel) {
  const std::wstring className = L"TQvChildTest" + std::to_wstring(GetCurrentProcessId());
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className.c_str();
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  HWND area = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 10, 152, 112, dialog, nullptr, wc.hInstance, nullptr);
  HWND inner = CreateWindowExW(0, className.c_str(), L"", WS_CHILD, 0, 0, 152, 112, area, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(inner, nullptr);

  platform::win32::Win32Desktop desktop;
  const std::string name = *Narrow(className);
  EXPECT_EQ(desktop.FindWindowByClass(name), std::nullopt);
  EXPECT_EQ(desktop.FindWindowOrChildByClass(name), reinterpret_cast<platform::WindowId>(inner));
  EXPECT_EQ(desktop.FindWindowOrChildByClass("tqvchildtest" + std::to_string(GetCurrentProcessId())),
            reinterpret_cast<platform::WindowId>(inner));
  DestroyWindow(dialog);
  EXPECT_EQ(desktop.FindWindowOrChildByClass(name), std::nullopt);
  EXPECT_EQ(desktop.WindowRect(reinterpret_cast<platform::WindowId>(area)), std::nullopt);   // a host that has gone
  UnregisterClassW(className.c_str(), wc.hInstance);
}

// Runs in a second process started by the test below: the sender's side of the hand-off.
TEST(Win32HandOff, DISABLED_ChildSendsTheHandOff) {
  wchar_t className[128] = {};
  if (GetEnvironmentVariableW(kClassVariable, className, 128) == 0) GTEST_SKIP() << "started on its own";
  platform::win32::Win32Desktop desktop;
  std::optional<platform::WindowId> manager = desktop.FindWindowByClass(*Narrow(className));
  ASSERT_TRUE(manager);
  uint16_t atom = desktop.AddGlobalAtom(kHandOffText);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(desktop.Send(*manager, kHandOff, atom, 0), 1025);
  desktop.DeleteGlobalAtom(atom);
}

TEST(Win32HandOff, SecondProcessHandsItsTextOverThroughAnAtom) {
  Receiver receiver;
  received.clear();
  platform::win32::Win32Processes processes;
  SetEnvironmentVariableW(kClassVariable, Wide(receiver.className()).c_str());
  platform::StartRequest request;
  std::string exe(1, '"');
  exe.append(processes.ExecutablePath());
  request.commandLine = exe + "\" --gtest_filter=Win32HandOff.DISABLED_ChildSendsTheHandOff --gtest_also_run_disabled_tests";
  request.showMode = SW_HIDE;
  platform::StartedProcess child = processes.Start(request);
  SetEnvironmentVariableW(kClassVariable, nullptr);
  ASSERT_TRUE(child.result) << child.result.osError;

  // Let the child's message in while waiting for it to end, for at most 30 seconds.
  DWORD start = GetTickCount();
  while (processes.StillRunning(child.process) && GetTickCount() - start < 30000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    HANDLE h = reinterpret_cast<HANDLE>(child.process.handle);
    MsgWaitForMultipleObjects(1, &h, FALSE, 100, QS_ALLINPUT);
  }
  EXPECT_EQ(processes.ExitCode(child.process), 0u);
  processes.Close(child.process);
  EXPECT_EQ(received, kHandOffText) << testsupport::Utf8(received);
}

TEST(Win32Desktop, ScreenSaverSettingsRoundTrip) {
  platform::win32::Win32Desktop desktop;
  std::optional<bool> active = desktop.ScreenSaverActive();
  std::optional<int> timeout = desktop.ScreenSaverTimeout();
  ASSERT_TRUE(active);
  ASSERT_TRUE(timeout);

  ASSERT_TRUE(desktop.SetScreenSaverActive(!*active, false));
  EXPECT_EQ(desktop.ScreenSaverActive(), !*active);
  ASSERT_TRUE(desktop.SetScreenSaverActive(*active, true));
  EXPECT_EQ(desktop.ScreenSaverActive(), *active);

  const int other = *timeout == 120 ? 180 : 120;
  ASSERT_TRUE(desktop.SetScreenSaverTimeout(other, true));
  EXPECT_EQ(desktop.ScreenSaverTimeout(), other);
  ASSERT_TRUE(desktop.SetScreenSaverTimeout(*timeout, true));
  EXPECT_EQ(desktop.ScreenSaverTimeout(), *timeout);
  EXPECT_FALSE(desktop.SetScreenSaverTimeout(0, false));
}

TEST(Win32Desktop, CursorMovesWhereItIsSent) {
  platform::win32::Win32Desktop desktop;
  std::optional<platform::Point> before = desktop.CursorPos();
  ASSERT_TRUE(before);
  desktop.MoveCursor({123, 77});
  EXPECT_EQ(desktop.CursorPos(), (platform::Point{123, 77}));
  desktop.MoveCursor(*before);
}

TEST(Win32Desktop, WorkAreaLiesInsideTheScreen) {
  platform::win32::Win32Desktop desktop;
  platform::Point screen = desktop.ScreenSize();
  platform::Rect work = desktop.WorkArea();
  EXPECT_GT(screen.x, 0);
  EXPECT_GT(screen.y, 0);
  EXPECT_GE(work.left, 0);
  EXPECT_GE(work.top, 0);
  EXPECT_LE(work.right, screen.x);
  EXPECT_LE(work.bottom, screen.y);
  EXPECT_GT(work.width(), 0);
  EXPECT_GT(work.height(), 0);
}

// One sort key per name must order names exactly as comparing them pair by pair does.
TEST(Win32Collation, KeysOrderAsCompareStringDoes) {
  const char* names[] = {"_a", "b", "a-c", "ab", "abc", "~x", "1", "10", "9", "a", "B", "co-op", "coop", "co op",
                         "a_b.scr", "a.scr", "A B", "Ａ", "ｱ", "ア", "イ", "星空", "日本", ""};
  platform::win32::Win32Collation collation;
  for (const char* a : names) {
    for (const char* b : names) {
      const std::wstring wa = Wide(a), wb = Wide(b);
      const int compared = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()),
                                          wb.c_str(), static_cast<int>(wb.size())) - CSTR_EQUAL;
      const std::string ka = collation.SortKey(a), kb = collation.SortKey(b);
      const int keyed = ka < kb ? -1 : kb < ka ? 1 : 0;
      EXPECT_EQ(keyed, compared < 0 ? -1 : compared > 0 ? 1 : 0) << testsupport::Utf8(a) << " / " << testsupport::Utf8(b);
    }
  }
}

TEST(Win32FileSystem, LongNamesGetAShortForm) {
  platform::win32::Win32FileSystem fs;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::string path = *Narrow(temp) + "qv long saver name " + std::to_string(GetCurrentProcessId()) + ".scr";
  ASSERT_TRUE(fs.WriteFile(path, "MZ"));
  std::optional<std::string> shortPath = fs.ShortPath(path);
  ASSERT_TRUE(shortPath);
  const std::string name = shortPath->substr(shortPath->find_last_of('\\') + 1);
  EXPECT_LE(name.size(), 12u) << name;
  EXPECT_EQ(name.find(' '), std::string::npos) << name;
  EXPECT_EQ(fs.ReadFile(*shortPath), "MZ");
  EXPECT_TRUE(fs.Delete(path));
}

// Every name of one file (a hard link, the 8.3 name) gives its identity.
TEST(Win32FileSystem, OneFileHasOneIdentityUnderEveryName) {
  platform::win32::Win32FileSystem fs;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::string path = *Narrow(temp) + "qv identity of a saver " + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(fs.WriteFile(path + ".scr", "MZ"));
  ASSERT_TRUE(CreateHardLinkW(Wide(path + ".lnk.scr").c_str(), Wide(path + ".scr").c_str(), nullptr));
  const std::optional<platform::FileId> id = fs.Identity(path + ".scr");
  ASSERT_TRUE(id);
  EXPECT_EQ(fs.Identity(path + ".lnk.scr"), id);
  EXPECT_EQ(fs.Identity(fs.ShortPath(path + ".scr").value_or("")), id);
  EXPECT_TRUE(fs.Delete(path + ".lnk.scr"));
  EXPECT_TRUE(fs.Delete(path + ".scr"));
}

TEST(Win32FileSystem, LocalTimeIsTheSystemsLocalTime) {
  platform::win32::Win32FileSystem fs;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  SYSTEMTIME local;
  GetLocalTime(&local);
  platform::LocalTime converted =
      fs.ToLocal(platform::FileTime{(static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime});
  EXPECT_EQ(converted.year, local.wYear);
  EXPECT_EQ(converted.dayOfWeek, local.wDayOfWeek);
  EXPECT_NEAR(converted.hour * 60 + converted.minute, local.wHour * 60 + local.wMinute, 1);
}

TEST(Win32Shell, SpecialFoldersExist) {
  platform::win32::Win32Platform os;
  for (platform::SpecialFolder which : {platform::SpecialFolder::kDesktop, platform::SpecialFolder::kPrograms,
                                        platform::SpecialFolder::kStartup, platform::SpecialFolder::kLocalAppData,
                                        platform::SpecialFolder::kProfile}) {
    std::optional<std::string> folder = os.shell.SpecialFolderPath(which);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->substr(1, 2), ":\\") << testsupport::Utf8(*folder);
  }
  EXPECT_TRUE(os.fs.DirectoryExists(*os.shell.SpecialFolderPath(platform::SpecialFolder::kDesktop)));
  EXPECT_TRUE(os.fs.DirectoryExists(*os.shell.SpecialFolderPath(platform::SpecialFolder::kLocalAppData)));
}

// Posts WM_CLOSE to a shell window or a top-level window whose title holds the text, and counts it.
BOOL CALLBACK CloseIfTitled(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<std::pair<const std::wstring*, int>*>(param);
  wchar_t text[512] = {}, name[64] = {};
  GetWindowTextW(window, text, 512);
  GetClassNameW(window, name, 64);
  if (std::wstring(text).find(*search->first) != std::wstring::npos || std::wstring(name) == L"ExplorerWClass") {
    PostMessageW(window, WM_CLOSE, 0, 0);
    ++search->second;
  }
  return TRUE;
}

// Program Manager's server as the shell runs it: a group is a folder of the programs folder, an
// item a shortcut file in the group last created or shown; commands end in CR LF as the
// program sends them.
TEST(Win32Dde, ProgramManagerGroupsAndItems) {
  platform::win32::Win32Platform os;
  const std::string group = "QV試験" + std::to_string(GetCurrentProcessId());
  const std::string folder = *os.shell.SpecialFolderPath(platform::SpecialFolder::kPrograms) + "\\" + group;
  const std::string link = folder + "\\メモ 帳.lnk";
  const std::string notepad = os.desktop.WindowsFolder() + "\\notepad.exe";
  auto run = [&](const std::string& command) { return os.dde.Execute("PROGMAN", "PROGMAN", command + "\r\n"); };
  ASSERT_EQ(run("[CreateGroup(" + group + ")]"), platform::DdeStatus::kOk);
  EXPECT_TRUE(os.fs.DirectoryExists(folder));
  EXPECT_EQ(run("[AddItem(\"" + notepad + "\",\"メモ 帳\")]"), platform::DdeStatus::kOk);
  EXPECT_TRUE(os.fs.FileExists(link));
  EXPECT_EQ(run("[AddItem(\"C:\\qv-missing.exe\",\"無い\")]"), platform::DdeStatus::kRefused);
  const platform::DdeReply groups = os.dde.Request("PROGMAN", "PROGMAN", "GROUPS");
  EXPECT_EQ(groups.status, platform::DdeStatus::kOk);
  EXPECT_NE(groups.text.find(group + "\r\n"), std::string::npos) << testsupport::Utf8(groups.text);
  EXPECT_EQ(run("[ShowGroup(" + group + ",1)]"), platform::DdeStatus::kOk);
  EXPECT_EQ(run("[DeleteItem(\"メモ 帳\")]"), platform::DdeStatus::kOk);
  EXPECT_FALSE(os.fs.FileExists(link));
  EXPECT_EQ(run("[DeleteItem(\"メモ 帳\")]"), platform::DdeStatus::kRefused);
  EXPECT_EQ(os.dde.Execute("QV_NO_SUCH_SERVICE", "QV_NO_SUCH_SERVICE", "[X]"), platform::DdeStatus::kNoConversation);
  os.fs.RemoveFolder(folder);
  // The shell may open windows on the group, sooner or later; they would stay on the desktop.
  const std::wstring title = Wide(group);
  bool seen = false;
  for (int tries = 0; tries < 100; ++tries) {
    std::pair<const std::wstring*, int> search{&title, 0};
    EnumWindows(CloseIfTitled, reinterpret_cast<LPARAM>(&search));
    if (search.second > 0) seen = true;
    if (search.second == 0 && (seen || tries >= 30)) break;
    Sleep(100);
  }
}

}  // namespace
