// Benchmark (not a test): bulk registration of 32,700 files on real windows and the real file
// system. Builds 109 folders of 300 empty .SCR files under the temporary folder, registers them
// into the shown memory list, prints the time and the files per second, and removes the tree.
#include <windows.h>

#include <cstdio>
#include <string>

#include "browse/file_browser.h"
#include "browse/registration.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace {

constexpr int kFolders = 109;
constexpr int kPerFolder = 300;

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
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"qv-bulk-bench";
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
  browse::FileBrowser browser(app, f, services, box, paths, "C:\\QUOVEL32.EXE", {});
  browser.SetFilter("*.SCR;", 0x27);
  browse::Registration registration(app, f, services, box, browser, paths, {});
  f.Show();

  const DWORD t0 = GetTickCount();
  registration.Search(platform::win32::Narrow(root));
  const DWORD ms = GetTickCount() - t0;
  const int rows = f.ListBox2.Count();
  std::printf("bulk registration: %d files in %lu ms, %.0f files/s\n", rows, static_cast<unsigned long>(ms),
              ms > 0 ? rows * 1000.0 / ms : 0.0);
  std::fflush(stdout);
  Remove(root);
  return rows == kFolders * kPerFolder ? 0 : 1;
}
