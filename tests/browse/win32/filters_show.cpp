// Shows the manager window in memory mode with the real browser, the filter controls, drag and
// drop and bulk registration on real windows, for the end-to-end scenario and its screenshots:
// filters_show FOLDER opens FOLDER with the SCR box checked. Prints "ready <folder>" once the
// browser has opened, with the folder in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "browse/file_browser.h"
#include "browse/filter_handlers.h"
#include "browse/filters.h"
#include "browse/registration.h"
#include "browse/shell_paths.h"
#include "browse/transfer.h"
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
  platform::win32::Win32Platform os;
  platform::Services services = os.Services();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::string folder = args.size() > 1 ? platform::win32::Narrow(args[1]) : os.desktop.WindowsFolder();

  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  auto& f = app.CreateForm<forms::TQUOVEL32KAPUL>();
  f.PanelOPEN.SetVisible(false);
  f.K6.SetChecked(true);
  f.SSN.SetChecked(false);
  // Memory mode: the memory list over the extension area, the bulk registration button free.
  f.Panel1.Hide();
  f.Panel2.Hide();
  f.ListBox2.Show();
  f.Button7.Show();
  f.Button12.Hide();
  f.Panel3.Hide();
  common::TMKBoxDlg box(app, os.desktop);
  browse::ShellPaths paths(os.fs, os.shell, os.desktop.WindowsFolder());
  browse::BrowserHooks hooks;
  hooks.SaverDescription = [&](const std::string& path) { return store::SaverDescription(os.fs, path); };
  browse::FileBrowser browser(app, f, services, box, paths, platform::win32::Narrow(self), hooks);

  // The boxes as the saved settings leave them, then the handlers take over.
  browse::FilterHandlers filters(f, browser);
  filters.AttachEvents();
  for (gui::CheckBox* b : {&f.CB1, &f.CB2, &f.CB3, &f.CB4, &f.CB5}) b->SetChecked(b != &f.CB2 && b != &f.CB3);
  f.Button13.Show();
  f.ExtensionBox(browse::kScrIndex).SetChecked(true);
  filters.StartUp();
  browse::Transfers transfers(app, f, box, browser, browse::TransferHooks{});
  transfers.AttachEvents();
  browse::RegistrationHooks registrationHooks;
  registrationHooks.TwinName = [&](const std::string& path) { return store::DisplayName(os.fs, path); };
  browse::Registration registration(app, f, services, box, browser, paths, registrationHooks);
  registration.AttachEvents();

  f.Show();
  browser.StartUp(false, 0, folder);
  std::printf("ready %s\n", testsupport::Utf8(browser.CurrentFolder()).c_str());
  std::fflush(stdout);
  app.Run();
  return 0;
}
