// Shows the manager window on real windows for screenshots of its layout: as the program
// creates it, or (first argument) as it looks after start-up ("ready"), in memory mode
// ("memory") or with the trash panel open ("trash").
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "support/win32/arguments.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  auto& f = app.CreateForm<forms::TQUOVEL32KAPUL>();
  const std::vector<std::wstring> args = testsupport::WideArguments();
  const std::wstring state = args.size() > 1 ? args[1] : std::wstring();
  if (!state.empty()) f.PanelOPEN.SetVisible(false);
  if (state == L"memory" || state == L"trash") {
    f.Panel1.SetVisible(false);
    f.Button9.SetVisible(false);
    f.LabelGomiOut.SetVisible(false);
    for (gui::Control* c : std::initializer_list<gui::Control*>{&f.ComboBox1, &f.Button11, &f.ListBox2, &f.Image1, &f.Label7,
                                                                &f.Button17, &f.ButtonMCut}) {
      c->SetVisible(true);
    }
    f.ListBox2.SetItems({"C:\\WINDOWS\\STARS.SCR", "C:\\WINDOWS\\MYSTIFY.SCR", "C:\\SAVERS\\星空.SCR"});
  }
  if (state == L"trash") f.PanelGomi.SetVisible(true);
  f.ComboBox2.SetItems({"c:[]", "z:"});
  f.ComboBox2.SetItemIndex(0);
  f.ListBox1.SetItems({"C:\\", "WINDOWS", "SYSTEM32", "スクリーンセーバー"});
  f.ListBox1.SetItemIndex(1);
  f.ListBox4.SetItems({"BEZIER.SCR", "MYSTIFY.SCR", "STARS.SCR", "星空.SCR"});
  f.Label1.SetCaption(" 4ｺ");
  app.Run();
  return 0;
}
