// Every window moved from 96 to 144, 120 and back to 96 pixels per inch (dragged across monitors)
// equals the window created at each density: bounds, fonts, rows, columns and pictures.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "forms/about_form.h"
#include "forms/dir2set_form.h"
#include "forms/dir2view_form.h"
#include "forms/manager/manager_form.h"
#include "forms/mkbox_form.h"
#include "forms/preview_form.h"
#include "forms/role_forms.h"
#include "forms/setup_form.h"
#include "forms/snbox_form.h"
#include "forms/tmset_form.h"
#include "gui/gui_testing.h"

namespace {

using Make = std::function<gui::Form&(gui::Application&)>;
template <class T>
Make Maker() {
  return [](gui::Application& app) -> gui::Form& { return app.CreateForm<T>(); };
}

std::string Layout(const gui::Form& form) {
  std::ostringstream out;
  out << form.ClientWidth() << "x" << form.ClientHeight() << " " << form.Left() << "," << form.Top() << "\n";
  for (const gui::Component* component : form.Components()) {
    const auto* c = dynamic_cast<const gui::Control*>(component);
    if (c == nullptr) continue;
    const gui::Rect& b = c->Bounds();
    out << c->Name() << " " << b.left << "," << b.top << " " << b.width << "x" << b.height << " " << c->Font().height;
    if (const auto* list = dynamic_cast<const gui::ListBox*>(c)) out << " rows " << list->ItemHeight();
    if (const auto* view = dynamic_cast<const gui::ListView*>(c)) out << " column " << view->Column(0).Width();
    if (const auto* image = dynamic_cast<const gui::Image*>(c); image && image->Picture()) {
      out << " picture " << image->Picture()->Width() << "x" << image->Picture()->Height();
    }
    out << "\n";
  }
  return out.str();
}

TEST(FormScaleTest, AFormMovedAcrossDensitiesEqualsTheFormCreatedAtEach) {
  for (const Make& make : {Maker<forms::TQUOVEL32KAPUL>(), Maker<forms::TAboutBox>(), Maker<forms::TDIR2SETForm>(),
                           Maker<forms::TDIR2VIEWForm>(), Maker<forms::TMKBox>(), Maker<forms::TQUOVEL32PREVIEW>(),
                           Maker<forms::TQUOVEL32BACK>(), Maker<forms::TQUOVEL32SUBFORM>(), Maker<forms::TQUOVEL32TITLE>(),
                           Maker<forms::TSCR32SETUPForm>(), Maker<forms::TSNBox>(), Maker<forms::TTMSETBox>()}) {
    guitest::HeadlessApp h;
    gui::Form& moved = make(h.app);
    SCOPED_TRACE(moved.ClassName());
    for (int ppi : {144, 120, 96}) {
      SCOPED_TRACE(ppi);
      moved.ChangeDpi(ppi);
      guitest::HeadlessApp other;
      other.backend.SetPixelsPerInch(ppi);
      EXPECT_EQ(Layout(moved), Layout(make(other.app)));
    }
  }
}

}  // namespace
