#include "forms/dir2set_form.h"

namespace forms {

namespace {

void Button(gui::TColorBtn& b, const char* caption, const char* hint, int left, int top, int width, int height) {
  b.SetCaption(caption);
  b.SetHint(hint);
  b.SetBounds(left, top, width, height);
}

void Line(gui::Label& l, const char* caption, int top) {
  l.SetShowAccelChar(false);
  l.SetCaption(caption);
  l.SetLeft(8);
  l.SetTop(top);
}

}  // namespace

TDIR2SETForm::TDIR2SETForm(gui::Application& app)
    : gui::Form(app, "TDIR2SETForm", "DIR2SETForm"),
      Label1(*this, "Label1"),
      Edit1(*this, "Edit1"),
      Button1(*this, "Button1"),
      Button2(*this, "Button2"),
      Label2(*this, "Label2"),
      Label3(*this, "Label3"),
      Label4(*this, "Label4"),
      Button4(*this, "Button4"),
      Button3(*this, "Button3") {
  SetCaption("フォルダーの設定変更");
  SetFormStyle(gui::FormStyle::StayOnTop);
  gui::Font font;
  font.name = "System";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(411, 126);
  SetShowHint(true);
  SetHint("設定されたフォルダーでは、ファイルの削除／上書きが実行されます　十分注意して設定してね☆");

  Label1.SetAutoSize(false);
  Line(Label1, "ﾌｫﾙﾀﾞｰの設定：", 8);
  Label1.SetBounds(8, 8, 249, 20);
  Label1.SetHint("フォルダー設定画面");
  Edit1.SetBounds(8, 32, 337, 26);
  Edit1.SetHint("設定フォルダー名");
  const int shortHeight = Button1.Height();
  Button(Button1, "初期値", "初期設定値に戻す", 344, 8, 57, shortHeight);
  Button(Button2, "参照", "既にあるフォルダーから選択する", 344, 33, 57, shortHeight);
  Line(Label2, "ﾌｫﾙﾀﾞｰでは", 64);
  Line(Label3, "ﾌｧｲﾙの上書き削除をします", 80);
  Line(Label4, "ﾌｧｲﾙの無いﾌｫﾙﾀﾞｰを選ぶ事", 96);
  Button(Button4, "設定", "フォルダーを変更する", 216, 80, 89, 33);
  Button4.SetBevelWidth(2);
  Button4.SetDefault(true);
  Button(Button3, "中止", "変更を中止する", 312, 80, 89, 33);
  Button3.SetCancel(true);
}

}  // namespace forms
