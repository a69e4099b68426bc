#include "common/tmset_box.h"

#include <algorithm>
#include <memory>

#include "common/mkbox.h"
#include "forms/tmset_form.h"
#include "gui/application.h"

namespace common {

int SpinValue(int value, int delta) {
  // In 64 bits, so that a value handed in near the limits of int cannot overflow.
  const long long next = static_cast<long long>(value) + delta;
  return static_cast<int>(std::clamp<long long>(next, 0, TTmSETBoxDlg::kMaxCount));
}

TTmSETBoxDlg::TTmSETBoxDlg(gui::Application& app, platform::Desktop& desktop) : app_(app), desktop_(desktop) {}

int TTmSETBoxDlg::Execute(const std::string& caption) {
  gui::Form* main = app_.MainForm();
  auto repaintMain = [main] {
    if (main != nullptr) main->Invalidate();
  };
  auto box = std::make_unique<forms::TTMSETBox>(app_);
  try {
    box->DoCreate();
    box->LMsg0.SetCaption(Msg0);
    box->LMsg1.SetCaption(Msg1);
    box->LMsg2.SetCaption(Msg2);
    const int textRight = box->LMsg0.Left() + box->LMsg0.Width();
    if (box->Width() < textRight) box->SetWidth(textRight + 10);

    workArea_ = DialogWorkArea(probe_, desktop_);
    Rect reference;
    const gui::Handle ref = SourceHandle != 0 ? SourceHandle : (main != nullptr ? main->GetHandle() : 0);
    if (ref != 0) {
      if (auto r = desktop_.WindowRect(ref)) reference = {r->left, r->top, r->width(), r->height()};
    }
    const gui::Point at = PlaceDialog(reference, workArea_, box->Width(), box->Height());
    box->SetBounds(at.x, at.y, box->Width(), box->Height());

    box->SetCaption(Title.empty() ? app_.Title() : Title);
    const std::string unit = Msg0.empty() ? "個" : HMS;
    int value = TCount;
    const int minimum = MinCount;
    auto showValue = [&] { box->SetValueText(std::to_string(value) + unit); };
    showValue();
    if (main != nullptr) box->SetShowHint(main->ShowHint());

    auto spin = [&](gui::SpinButton& button, int step) {
      button.OnUpClick = [&, step](gui::Component&) {
        value = SpinValue(value, step);
        showValue();
      };
      button.OnDownClick = [&, step](gui::Component&) {
        value = SpinValue(value, -step);
        showValue();
      };
    };
    spin(box->SpinButton1, 1);
    spin(box->SpinButton2, 10);
    spin(box->SpinButton3, 60);

    // The dialog's own message box, centred on the dialog.
    TMKBoxDlg MKBoxDlg1(app_, desktop_);
    box->Button1.OnClick = [&](gui::Component&) {
      if (value != 0 && value < minimum) {
        value = minimum;
        showValue();
      }
      MKBoxDlg1.SourceHandle = box->GetHandle();
      const std::string question = caption + "を、" + "\n" + std::to_string(value) + unit + "に、設定します";
      if (MKBoxDlg1.MsgYesNoTimer(question, gui::kMrYes) == gui::kMrYes) box->SetModalResult(gui::kMrOk);
    };
    box->Button4.OnClick = [&](gui::Component&) { box->SetModalResult(gui::kMrAbort); };

    // The colours follow the main window's each time the dialog paints.
    auto takeColours = [&](gui::Component&) {
      if (main == nullptr) return;
      if (box->Color() != main->Color()) box->SetColor(main->Color());
      if (box->Font().color != main->Font().color) {
        gui::Font f = box->Font();
        f.color = main->Font().color;
        box->SetFont(f);
      }
    };
    box->OnShow = takeColours;
    box->OnPaint = [takeColours](gui::Component& sender, gui::Canvas&) { takeColours(sender); };

    const int result = box->ShowModal();
    if (result == gui::kMrOk) TCount = value;
    box->Hide();
    box.reset();
    repaintMain();
    return result;
  } catch (...) {
    box.reset();
    repaintMain();
    throw;
  }
}

}  // namespace common
