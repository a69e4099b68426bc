// Shows the manager window with the real browser on real windows, for the end-to-end scenario
// and its screenshots: browser_show list|tree FOLDER opens FOLDER in the folder list or tree of
// the machine's real drives and folders. Prints "ready <folder>" once the browser has opened,
// with the folder in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "browse/file_browser.h"
#include "browse/shell_paths.h"
#include "browse/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "store/list_file.h"
#include "support/sjis_text.h"
#include "support/win32/arguments.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::vector<std::wstring> args = testsupport::WideArguments();
  const bool tree = args.size() > 1 && args[1] == L"tree";
  platform::win32::Win32Platform os;
  platform::Services services = os.Services();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::string folder = args.size() > 2 ? platform::win32::Narrow(args[2]) : os.desktop.WindowsFolder();

  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  auto& f = app.CreateForm<forms::TQUOVEL32KAPUL>();
  f.PanelOPEN.SetVisible(false);
  f.K6.SetChecked(true);
  f.SSN.SetChecked(false);
  f.CB5.SetChecked(true);
  common::TMKBoxDlg box(app, os.desktop);
  browse::ShellPaths paths(os.fs, os.shell, os.desktop.WindowsFolder());
  std::vector<std::string> driveFolders;
  browse::BrowserHooks hooks;
  hooks.RememberDriveFolder = [&](const std::string& path) {
    for (std::string& line : driveFolders) {
      if (browse::SameText(line.substr(0, 1), path.substr(0, 1))) {
        line = path;
        return;
      }
    }
    driveFolders.push_back(path);
  };
  hooks.DriveFolders = [&] { return driveFolders; };
  hooks.SaverDescription = [&](const std::string& path) { return store::SaverDescription(os.fs, path); };
  browse::FileBrowser browser(app, f, services, box, paths, platform::win32::Narrow(self), hooks);
  browser.SetFilter("*.SCR;*.TXT;", 0x27);
  f.Show();
  browser.StartUp(false, tree ? 1 : 0, folder);
  std::printf("ready %s\n", testsupport::Utf8(browser.CurrentFolder()).c_str());
  std::fflush(stdout);
  app.Run();
  return 0;
}
