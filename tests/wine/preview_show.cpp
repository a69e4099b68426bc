// preview_show: the preview title of the program as a plain top-level window of the preview
// area's size, so that a screenshot shows how it paints (Wine does not show what a program paints
// into a child window of another program's window). Closes itself after the given time.
//   preview_show LEFT TOP WIDTH HEIGHT MS
#include <windows.h>

#include <cstdlib>

#include "forms/role_forms.h"
#include "gui/application.h"
#include "gui/timer.h"
#include "gui/win32/win32_backend.h"

int main(int argc, char** argv) {
  if (argc < 6) return 2;
  auto arg = [argv](int i) { return std::atoi(argv[i]); };
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32");
  auto& title = app.CreateForm<forms::TQUOVEL32TITLE>();
  title.SetBounds(arg(1), arg(2), arg(3), arg(4));
  gui::Timer end(title, "End", arg(5), true);
  end.OnTimer = [&app](gui::Component&) { app.Terminate(); };
  app.Run();
  return 0;
}
