#include "forms/mkbox_form.h"

namespace forms {

namespace {

void Place(gui::Control& c, int left, int top, int width, int height) { c.SetBounds(left, top, width, height); }

void Button(gui::TColorBtn& b, const char* caption, int left, int top, bool visible) {
  b.SetCaption(caption);
  Place(b, left, top, 89, 33);
  b.SetVisible(visible);
}

}  // namespace

TMKBox::TMKBox(gui::Application& app)
    : gui::Form(app, "TMKBox", "MKBox"),
      Msg(*this, "Msg"),
      Image_Box(*this, "Image_Box"),
      MemoMsg(*this, "MemoMsg"),
      Btn_OK(*this, "Btn_OK"),
      Btn_Yes(*this, "Btn_Yes"),
      Btn_No(*this, "Btn_No"),
      Btn_Abort(*this, "Btn_Abort"),
      Btn_TM_STOP(*this, "Btn_TM_STOP"),
      Btn_TM_OPEN(*this, "Btn_TM_OPEN"),
      Label_TM(*this, "Label_TM"),
      TMCountS(*this, "TMCountS"),
      Label_Select(*this, "Label_Select"),
      Timer1(*this, "Timer1", 1000, false),
      Timer_Paint(*this, "Timer_Paint", 200, false) {
  SetBorderStyle(gui::BorderStyle::Dialog);
  SetFormStyle(gui::FormStyle::StayOnTop);
  gui::Font font;
  font.name = "System";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(423, 251);
  SetKeyPreview(true);

  Msg.SetAutoSize(true);
  Msg.SetLeft(88);
  Msg.SetTop(16);
  Msg.SetVisible(false);
  Msg.SetShowAccelChar(false);

  Place(Image_Box, 16, 16, 32, 32);

  Place(MemoMsg, 128, 16, 113, 57);
  MemoMsg.SetReadOnly(true);
  MemoMsg.SetParentColor(true);
  MemoMsg.SetTabStop(false);
  MemoMsg.SetHint("右クリックで、コピーできます☆");
  MemoMsg.SetWordWrap(false);

  Button(Btn_OK, "ＯＫ", 72, 80, true);
  Btn_OK.SetBevelWidth(2);
  Btn_OK.SetDefault(true);
  Button(Btn_Yes, "はい", 72, 160, false);
  Btn_Yes.SetBevelWidth(2);
  Btn_Yes.SetDefault(true);
  Button(Btn_No, "いいえ", 168, 160, false);
  Btn_No.SetCancel(true);
  Button(Btn_Abort, "中 断", 168, 80, false);
  Btn_Abort.SetCancel(true);
  Button(Btn_TM_STOP, "一時停止", 296, 80, false);
  Button(Btn_TM_OPEN, "ｶｳﾝﾄ再開", 264, 80, false);

  Label_TM.SetAlignment(gui::TextAlignment::Right);
  Label_TM.SetLeft(188);
  Label_TM.SetTop(128);
  Label_TM.SetVisible(false);
  TMCountS.SetLeft(80);
  TMCountS.SetTop(128);
  TMCountS.SetVisible(false);

  Label_Select.SetAutoSize(false);
  Label_Select.SetCaption("");
  Place(Label_Select, 72, 216, 89, 3);
  Label_Select.SetColor(gui::colors::kRed);
  Label_Select.SetTransparent(false);
  Label_Select.SetHint("タイムアウト、デフォルト値");
  Label_Select.SetVisible(false);
}

}  // namespace forms
