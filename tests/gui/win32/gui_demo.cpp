// Shows the demonstration form on real windows (for screenshots of the component layer).
#include <windows.h>

#include "gui/application.h"
#include "gui/demo_form.h"
#include "gui/win32/win32_backend.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 見本");
  auto& demo = app.CreateForm<guitest::DemoForm>();
  demo.ListBox1.SetItemIndex(1);
  demo.ListBox1.SetSelected(1, true);
  demo.ListBox1.SetTag(1);
  demo.Timer1.SetEnabled(true);
  app.Run();
  return 0;
}
