// Benchmark (not a test): bulk registration of 32,000 screen savers in 100 folders on real windows
// and the real file system, against a bare recursive enumeration of the same tree (what a minimal
// program needs to see every file), in one run. Prints both sides, their ratio, and where the
// registration's time goes: one walk over the tree that times each step of a folder's visit.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "browse/file_browser.h"
#include "browse/registration.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "store/description_cache.h"

namespace {

constexpr int kFolders = 100;
constexpr int kPerFolder = 320;

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring Folder(const std::wstring& root, int d) {
  return root + L"\\D" + std::to_wstring(d / 10) + L"\\F" + std::to_wstring(d);
}

void Build(const std::wstring& root) {
  CreateDirectoryW(root.c_str(), nullptr);
  for (int d = 0; d < kFolders; ++d) {
    CreateDirectoryW((root + L"\\D" + std::to_wstring(d / 10)).c_str(), nullptr);
    const std::wstring folder = Folder(root, d);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kPerFolder; ++i) {
      HANDLE h = CreateFileW((folder + L"\\S" + std::to_wstring(i) + L".SCR").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
      if (h == INVALID_HANDLE_VALUE) continue;
      const std::string body = "MZ....SCRNSAVE : Saver " + std::to_string(i % 50) + std::string(1, '\0');
      DWORD written = 0;
      WriteFile(h, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
      CloseHandle(h);
    }
  }
}

void Remove(const std::wstring& root) {
  for (int d = 0; d < kFolders; ++d) {
    const std::wstring folder = Folder(root, d);
    for (int i = 0; i < kPerFolder; ++i) DeleteFileW((folder + L"\\S" + std::to_wstring(i) + L".SCR").c_str());
    RemoveDirectoryW(folder.c_str());
  }
  for (int d = 0; d <= (kFolders - 1) / 10; ++d) RemoveDirectoryW((root + L"\\D" + std::to_wstring(d)).c_str());
  RemoveDirectoryW(root.c_str());
}

// What a minimal program does: every file of the tree, folders entered as found.
int BareWalk(const std::wstring& folder) {
  int files = 0;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) {
        files += BareWalk(folder + L"\\" + data.cFileName);
      }
    } else {
      ++files;
    }
  } while (FindNextFileW(h, &data));
  FindClose(h);
  return files;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"qv-bulk-bench";
  const std::string data = *platform::win32::Narrow(std::wstring(temp));
  Build(root);

  platform::win32::Win32Platform os;
  platform::Services services = os.Services();
  gui::win32::Backend backend;
  gui::Application app(backend);
  auto& f = app.CreateForm<forms::TQUOVEL32KAPUL>();
  f.PanelOPEN.SetVisible(false);
  f.K6.SetChecked(true);
  f.SSN.SetChecked(false);
  f.CB5.SetChecked(true);
  f.Panel1.Hide();
  f.Panel2.Hide();
  f.ListBox2.Show();
  common::TMKBoxDlg box(app, os.desktop);
  browse::ShellPaths paths(os.fs, os.shell, os.collation, os.desktop.WindowsFolder());
  // As the manager wires it: the savers' descriptions through the cache in the data folder.
  DeleteFileW((std::wstring(temp) + L"QVNAME32.DAT").c_str());
  store::DescriptionCache names(os.fs, os.text, data);
  browse::BrowserHooks browserHooks;
  browserHooks.SaverDescription = [&](const std::string& p, const platform::FindEntry& e) {
    return names.Description(p, e.size, e.lastWrite);
  };
  browse::FileBrowser browser(app, f, services, box, paths, "C:\\QUOVEL32.EXE", browserHooks);
  browser.SetFilter("*.SCR;", 0x27);
  browse::RegistrationHooks hooks;
  hooks.TwinName = [&](const std::string& p, const platform::FindEntry* e) {
    return e != nullptr ? names.DisplayName(p, e->size, e->lastWrite) : names.DisplayName(p);
  };
  browse::Registration registration(app, f, services, box, browser, paths, hooks);
  f.Show();
  const std::string start = *platform::win32::Narrow(root);

  // Alternating: the bare walk, then a registration with names off, five times.
  std::vector<double> bare, off;
  int rows = 0;
  for (int run = 0; run < 5; ++run) {
    double t0 = Now();
    const int files = BareWalk(root);
    bare.push_back(Now() - t0);
    f.ListBox2.ClearItems();
    f.ListBox8.ClearItems();
    t0 = Now();
    registration.Search(start);
    off.push_back(Now() - t0);
    rows = f.ListBox2.Count();
    if (files != kFolders * kPerFolder) std::printf("bare walk saw %d files\n", files);
  }
  // Names on: the first registration reads every saver, the second finds them in the cache.
  f.SSN.SetChecked(true);
  double on[2];
  for (double& t : on) {
    f.ListBox2.ClearItems();
    f.ListBox8.ClearItems();
    const double t0 = Now();
    registration.Search(start);
    names.Save();
    t = Now() - t0;
  }
  f.SSN.SetChecked(false);

  // Where the time goes: the steps of each folder's visit, as the search takes them.
  enum { kOpen, kFill, kMessages, kAdd, kSubfolders, kSteps };
  const char* stepNames[kSteps] = {"folder list (shell)", "file list (find, sort, ListBox4)", "messages",
                                   "memory list (ListBox2)", "subfolders (shell)"};
  double step[kSteps] = {};
  f.ListBox2.ClearItems();
  const browse::ShellPaths::Walk walk(paths);
  const std::initializer_list<gui::ListBox*> lists{&f.ListBox1, &f.ListBox4, &f.ListBox7, &f.ListBox2, &f.ListBox8};
  std::optional<gui::ListUpdate> quiet(std::in_place, lists);
  std::uint64_t painted = app.Now(), handled = 0;
  std::vector<std::string> stack{start + "\\"};
  while (!stack.empty()) {
    const std::string folder = stack.back();
    stack.pop_back();
    double t = Now();
    browser.OpenFolderList(folder);
    step[kOpen] += Now() - t;
    const std::string real = text::AddYen(browser.CurrentFolder());
    t = Now();
    browser.FillFileList(real);
    step[kFill] += Now() - t;
    t = Now();
    // Messages and the lists' repaints as often as the search runs them.
    if (app.Now() - painted >= 200) {
      quiet.reset();
      app.ProcessMessages();
      painted = handled = app.Now();
      quiet.emplace(lists);
    } else if (handled == 0 || app.Now() - handled >= 100) {
      app.ProcessMessages();
      handled = app.Now();
    }
    step[kMessages] += Now() - t;
    t = Now();
    {
      gui::ListUpdate batch{&f.ListBox2};
      for (const std::string& row : f.ListBox4.Items()) f.ListBox2.AddItem(real + row);
      if (f.ListBox2.Count() > 0) f.ListBox2.SetItemIndex(f.ListBox2.Count() - 1);
    }
    step[kAdd] += Now() - t;
    t = Now();
    std::vector<std::string> below = paths.SubFolders(text::CutYen(real), true);
    step[kSubfolders] += Now() - t;
    for (auto it = below.rbegin(); it != below.rend(); ++it) stack.push_back(real + *it + "\\");
  }

  const double b = Median(bare), r = Median(off);
  std::printf("bulk registration of %d savers in %d folders (median of 5, alternating)\n", rows, kFolders);
  std::printf("  bare recursive enumeration  %8.1f ms\n", b);
  std::printf("  registration, names off     %8.1f ms   %5.1f x the enumeration (goal <= 5)\n", r, r / b);
  std::printf("  registration, names on      %8.1f ms   %5.1f x (descriptions read)\n", on[0], on[0] / b);
  std::printf("  registration, names on      %8.1f ms   %5.1f x (descriptions cached)\n", on[1], on[1] / b);
  std::printf("  steps of one walk, names off:\n");
  for (int s = 0; s < kSteps; ++s) std::printf("    %-34s %8.1f ms\n", stepNames[s], step[s]);
  std::fflush(stdout);
  Remove(root);
  DeleteFileW((std::wstring(temp) + L"QVNAME32.DAT").c_str());
  return rows == kFolders * kPerFolder ? 0 : 1;
}
