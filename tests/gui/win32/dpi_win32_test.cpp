// A real window told by Windows that its scale changed (WM_DPICHANGED) ends up with the same
// windows as the form made at that scale: every control's place and size, its font and its rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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

// What the windows show: the form's client area, then each control's window rectangle in its
// parent, font height and row height.
std::string Windows(gui::Form& form) {
  std::ostringstream out;
  RECT client;
  GetClientRect(reinterpret_cast<HWND>(form.GetHandle()), &client);
  out << "client " << client.right << "x" << client.bottom << "\n";
  for (gui::Component* component : form.Components()) {
    auto* c = dynamic_cast<gui::Control*>(component);
    if (c == nullptr || c == &form || !c->HasPeer()) continue;
    HWND h = reinterpret_cast<HWND>(c->GetHandle());
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    LOGFONTW font{};
    if (HGDIOBJ f = reinterpret_cast<HGDIOBJ>(SendMessageW(h, WM_GETFONT, 0, 0))) GetObjectW(f, sizeof font, &font);
    out << c->Name() << " " << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top << " font "
        << font.lfHeight << " rows " << SendMessageW(h, LB_GETITEMHEIGHT, 0, 0) << "\n";
  }
  return out.str();
}

TEST(Win32Dpi, AFormToldOfANewScaleEqualsTheFormMadeAtIt) {
  for (int ppi : {144, 120}) {
    SCOPED_TRACE(ppi);
    std::string made;
    {
      MonitorBackend backend(ppi);
      gui::Application app{backend};
      auto& form = app.CreateForm<guitest::DemoForm>();
      form.Show();
      app.ProcessMessages();
      made = Windows(form);
    }
    MonitorBackend backend(96);
    gui::Application app{backend};
    auto& form = app.CreateForm<guitest::DemoForm>();
    form.Show();
    app.ProcessMessages();
    RECT suggested{form.Left() + 10, form.Top() + 20, form.Left() + 10 + form.Width() * ppi / 96,
                   form.Top() + 20 + form.Height() * ppi / 96};
    SendMessageW(reinterpret_cast<HWND>(form.GetHandle()), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(ppi, ppi),
                 reinterpret_cast<LPARAM>(&suggested));
    app.ProcessMessages();
    EXPECT_EQ(Windows(form), made);
    RECT placed;
    GetWindowRect(reinterpret_cast<HWND>(form.GetHandle()), &placed);
    EXPECT_EQ(placed.left, suggested.left);
    EXPECT_EQ(placed.top, suggested.top);
  }
}

}  // namespace
