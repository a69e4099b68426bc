// A real form told by Windows that its scale changed (WM_DPICHANGED) ends up with the windows of
// the form made at that scale: every control's place, size, font and rows, and the suggested place.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "gui/application.h"
#include "gui/demo_form.h"
#include "gui/win32/win32_backend.h"

namespace {

// The real backend on a monitor of `ppi` pixels per inch, whatever the system's scale.
struct MonitorBackend : gui::win32::Backend {
  explicit MonitorBackend(int ppi) : ppi_(ppi) {}
  int FormPixelsPerInch(const gui::Form&) const override { return ppi_; }
  int ppi_;
};

std::string Windows(gui::Form& form) {
  std::ostringstream out;
  RECT r;
  GetClientRect(reinterpret_cast<HWND>(form.GetHandle()), &r);
  out << r.right << "x" << r.bottom << "\n";
  for (gui::Component* component : form.Components()) {
    auto* c = dynamic_cast<gui::Control*>(component);
    if (c == nullptr || !c->HasPeer()) continue;
    HWND h = reinterpret_cast<HWND>(c->GetHandle());
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    LOGFONTW font{};
    if (auto f = reinterpret_cast<HGDIOBJ>(SendMessageW(h, WM_GETFONT, 0, 0))) GetObjectW(f, sizeof font, &font);
    out << c->Name() << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom << " " << font.lfHeight << " "
        << SendMessageW(h, LB_GETITEMHEIGHT, 0, 0) << "\n";
  }
  return out.str();
}

std::string MadeAt(int ppi) {
  MonitorBackend backend(ppi);
  gui::Application app{backend};
  return Windows(app.CreateForm<guitest::DemoForm>());
}

TEST(Win32Dpi, AFormToldOfANewScaleEqualsTheFormMadeAtIt) {
  for (int ppi : {144, 120}) {
    MonitorBackend backend(96);
    gui::Application app{backend};
    gui::Form& form = app.CreateForm<guitest::DemoForm>();
    form.Show();
    RECT suggested{form.Left() + 10, form.Top() + 20, form.Left() + 10 + form.Width() * ppi / 96, form.Top() + 20 + form.Height() * ppi / 96};
    SendMessageW(reinterpret_cast<HWND>(form.GetHandle()), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(ppi, ppi),
                 reinterpret_cast<LPARAM>(&suggested));
    app.ProcessMessages();
    EXPECT_EQ(Windows(form), MadeAt(ppi)) << ppi;
    RECT placed;
    GetWindowRect(reinterpret_cast<HWND>(form.GetHandle()), &placed);
    EXPECT_EQ(placed.left * 10000 + placed.top, suggested.left * 10000 + suggested.top) << ppi;
  }
}

}  // namespace
