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
    if (box->Width() < textRight) box->SetWidth(textRight + box->Scale(10));

    workArea_ = PlaceOnSource(app_, desktop_, probe_, *box, SourceHandle);

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

    FollowMainColours(app_, *box);

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
