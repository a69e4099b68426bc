#include "forms/tmset_form.h"

namespace forms {

namespace {

void Spin(gui::SpinButton& s, int left, const char* hint) {
  s.SetBounds(left, 72, 20, 25);
  s.SetHint(hint);
}

void Button(gui::TColorBtn& b, const char* caption, int left) {
  b.SetCaption(caption);
  b.SetBounds(left, 68, 57, 33);
}

}  // namespace

TTMSETBox::TTMSETBox(gui::Application& app)
    : gui::Form(app, "TTMSETBox", "TMSETBox"),
      LMsg0(*this, "LMsg0"),
      LMsg1(*this, "LMsg1"),
      LMsg2(*this, "LMsg2"),
      Label2(*this, "Label2"),
      SpinButton1(*this, "SpinButton1"),
      SpinButton2(*this, "SpinButton2"),
      SpinButton3(*this, "SpinButton3"),
      Button1(*this, "Button1"),
      Button4(*this, "Button4") {
  SetBorderStyle(gui::BorderStyle::Dialog);
  SetFormStyle(gui::FormStyle::StayOnTop);
  gui::Font font;
  font.name = "System";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(332, 118);

  LMsg0.SetBounds(8, 8, 0, 0);
  LMsg0.SetCaption("LMsg0");
  LMsg1.SetBounds(8, 28, 0, 0);
  LMsg1.SetCaption("ファイルタイマーの設定：");
  LMsg2.SetBounds(8, 48, 0, 0);
  LMsg2.SetCaption("LMsg2");
  for (gui::Label* l : {&LMsg0, &LMsg1, &LMsg2, &Label2}) l->SetShowAccelChar(false);

  Label2.SetAlignment(gui::TextAlignment::Right);
  Label2.SetBounds(96, 77, 0, 0);
  Label2.SetCaption("0秒");
  label2Right_ = Label2.Left() + Label2.Width();

  Spin(SpinButton1, 124, "１");
  Spin(SpinButton2, 148, "１０");
  Spin(SpinButton3, 172, "６０");

  Button(Button1, "設 定", 204);
  Button1.SetDefault(true);
  Button(Button4, "中 止", 268);
  Button4.SetCancel(true);
}

void TTMSETBox::SetValueText(const std::string& text) {
  Label2.SetCaption(text);
  Label2.SetLeft(Scale(label2Right_) - Label2.Width());
}

}  // namespace forms
