// Every window at 144 and 120 pixels per inch: a form moved from 96 to 144, then to 120, then back
// to 96 (as when the user drags it across monitors) equals the same form created at each of those
// densities, in every control's bounds and font, and in row heights, column widths and pictures.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

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
#include "gui/combo_box.h"
#include "gui/gui_testing.h"
#include "gui/header_control.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/list_view.h"
#include "gui/tree_view.h"

namespace {

using Make = std::function<gui::Form&(gui::Application&)>;

template <class T>
Make Maker() {
  return [](gui::Application& app) -> gui::Form& { return app.CreateForm<T>(); };
}

// One line per control: what scaling changes.
std::string Layout(const gui::Form& form) {
  std::ostringstream out;
  out << "client " << form.ClientWidth() << "x" << form.ClientHeight() << " at " << form.Left() << "," << form.Top()
      << " font " << form.Font().height << "\n";
  for (const gui::Component* component : form.Components()) {
    const auto* c = dynamic_cast<const gui::Control*>(component);
    if (c == nullptr) continue;
    const gui::Rect& b = c->Bounds();
    out << c->Name() << " " << b.left << "," << b.top << " " << b.width << "x" << b.height << " font " << c->Font().height;
    if (const auto* list = dynamic_cast<const gui::ListBox*>(c)) out << " rows " << list->ItemHeight();
    if (const auto* combo = dynamic_cast<const gui::ComboBox*>(c)) out << " rows " << combo->ItemHeight();
    if (const auto* view = dynamic_cast<const gui::ListView*>(c)) {
      for (int i = 0; i < view->ColumnCount(); ++i) out << " column " << view->Column(i).Width();
    }
    if (const auto* header = dynamic_cast<const gui::HeaderControl*>(c)) {
      for (const gui::HeaderSection& s : header->Sections()) out << " section " << s.width;
    }
    if (const auto* tree = dynamic_cast<const gui::TreeView*>(c)) {
      for (const auto& image : tree->Images()) out << " image " << (image != nullptr ? image->Width() : 0);
    }
    if (const auto* image = dynamic_cast<const gui::Image*>(c); image != nullptr && image->Picture() != nullptr) {
      out << " picture " << image->Picture()->Width() << "x" << image->Picture()->Height();
    }
    out << "\n";
  }
  return out.str();
}

std::string CreatedAt(const Make& make, int ppi) {
  guitest::HeadlessApp h;
  h.backend.SetPixelsPerInch(ppi);
  return Layout(make(h.app));
}

TEST(FormScaleTest, AFormMovedAcrossDensitiesEqualsTheFormCreatedAtEach) {
  const struct {
    const char* name;
    Make make;
  } forms[] = {
      {"TQUOVEL32KAPUL", Maker<forms::TQUOVEL32KAPUL>()}, {"TAboutBox", Maker<forms::TAboutBox>()},
      {"TDIR2SETForm", Maker<forms::TDIR2SETForm>()},     {"TDIR2VIEWForm", Maker<forms::TDIR2VIEWForm>()},
      {"TMKBox", Maker<forms::TMKBox>()},                 {"TQUOVEL32PREVIEW", Maker<forms::TQUOVEL32PREVIEW>()},
      {"TQUOVEL32BACK", Maker<forms::TQUOVEL32BACK>()},   {"TQUOVEL32SUBFORM", Maker<forms::TQUOVEL32SUBFORM>()},
      {"TQUOVEL32TITLE", Maker<forms::TQUOVEL32TITLE>()}, {"TSCR32SETUPForm", Maker<forms::TSCR32SETUPForm>()},
      {"TSNBox", Maker<forms::TSNBox>()},                 {"TTMSETBox", Maker<forms::TTMSETBox>()},
  };
  for (const auto& f : forms) {
    SCOPED_TRACE(f.name);
    guitest::HeadlessApp h;
    gui::Form& moved = f.make(h.app);
    for (int ppi : {144, 120, 96}) {
      SCOPED_TRACE(ppi);
      h.backend.SetPixelsPerInch(ppi);
      moved.ChangeDpi(ppi);
      EXPECT_EQ(Layout(moved), CreatedAt(f.make, ppi));
    }
  }
}

}  // namespace
