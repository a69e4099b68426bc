#include "forms/snbox_form.h"

namespace forms {

TSNBox::TSNBox(gui::Application& app)
    : gui::Form(app, "TSNBox", "SNBox"),
      Msg(*this, "Msg"),
      Panel1(*this, "Panel1"),
      ComboBox1(Panel1, "ComboBox1"),
      Button4(Panel1, "Button4"),
      Button1(*this, "Button1"),
      Button2(*this, "Button2"),
      Button3(*this, "Button3"),
      Edit1(*this, "Edit1") {
  SetBorderStyle(gui::BorderStyle::Dialog);
  SetFormStyle(gui::FormStyle::StayOnTop);
  gui::Font font;
  font.name = "System";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(419, 95);
  SetShowHint(true);

  Msg.SetShowAccelChar(false);
  Msg.SetCaption("：");
  Msg.SetLeft(16);
  Msg.SetTop(16);

  Edit1.SetBounds(16, 48, 273, 26);
  Edit1.SetParentColor(true);

  Button1.SetCaption("登録");
  Button1.SetBounds(320, 8, 89, 33);
  Button1.SetBevelWidth(2);
  Button1.SetDefault(true);
  Button2.SetCaption("中止");
  Button2.SetBounds(320, 48, 89, 33);
  Button2.SetCancel(true);
  Button3.SetCaption("H");
  Button3.SetBounds(288, 48, 17, Button3.Height());
  Button3.SetHint("ヒストリーの表示");

  Panel1.SetCaption("");
  Panel1.SetBounds(16, 48, 289, 26);
  Panel1.SetParentColor(true);
  Panel1.SetVisible(false);
  ComboBox1.SetBounds(32, 0, 257, 26);
  ComboBox1.SetHint("ヒストリーの選択");
  Button4.SetCaption("off");
  Button4.SetBounds(0, 0, 33, Button4.Height());
  Button4.SetHint("ヒストリーを選択せずに閉じる");
}

}  // namespace forms
