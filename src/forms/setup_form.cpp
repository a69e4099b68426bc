#include "forms/setup_form.h"

#include "gui/application.h"

namespace forms {

namespace {

void Line(gui::Label& l, const char* caption, int left, int top) {
  l.SetShowAccelChar(false);
  l.SetCaption(caption);
  l.SetLeft(left);
  l.SetTop(top);
}

void Button(gui::Button& b, const char* caption, const char* hint, int left, int top, int width, int height) {
  b.SetCaption(caption);
  b.SetHint(hint);
  b.SetBounds(left, top, width, height);
}

}  // namespace

TSCR32SETUPForm::TSCR32SETUPForm(gui::Application& app) : gui::Form(app, "TSCR32SETUPForm", "SCR32SETUPForm") {
  SetBorderStyle(gui::BorderStyle::Dialog);
  SetBorderIcons(true, false, false);
  SetFormStyle(gui::FormStyle::StayOnTop);
  SetPosition(gui::FormPosition::ScreenCenter);
  gui::Font font;
  font.name = "System";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetColor(gui::colors::kBtnFace);
  SetCaption(app.Title());
  SetClientSize(441, 300);
  SetShowHint(true);

  Line(Label1, "QUOVEL32.EXEを置くフォルダーの設定：", 8, 8);
  Edit1.SetBounds(8, 28, 313, 24);
  Edit1.SetHint("登録するフォルダーの設定");
  Button(Button1, "参照", "", 328, 28, 49, 24);
  Button(Button4, "初期値", "", 384, 28, 49, 24);

  Line(Label2, "QUOVEL32.EXEを登録するグループの選択：", 8, 62);
  ComboBox1.SetStyle(gui::ComboStyle::DropDown);
  ComboBox1.SetBounds(8, 82, 313, 24);
  ComboBox1.SetDropDownCount(12);
  ComboBox1.SetHint("登録グループ名を選びます");
  CheckBoxBkColor.SetCaption("標準色");
  CheckBoxBkColor.SetBounds(336, 84, 97, 20);
  CheckBoxBkColor.SetChecked(true);

  CheckBoxST.SetCaption("EXE版のｱｲｺﾝをｽﾀｰﾄｱｯﾌﾟｸﾞﾙｰﾌﾟにも登録する");
  CheckBoxST.SetBounds(8, 114, 425, 20);
  CheckBoxST.SetHint("ＷＩＮの立ち上げ時に、自動的に起動出来るようになります。");

  Line(Label3, "QUOVEL32.SCR版は、[\\WINDOWS]ﾌｫﾙﾀﾞｰに置かれます。", 8, 144);

  Line(Label4, "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ実行までの待ち時間：", 8, 172);
  LabelSS.SetAutoSize(false);
  LabelSS.SetAlignment(gui::TextAlignment::Right);
  LabelSS.SetBounds(240, 172, 57, 18);
  LabelSS.SetCaption("");
  SpinButtonSS.SetBounds(304, 166, 20, 25);
  SpinButtonSS.SetHint("１分単位です");

  Line(Label5, "作業用ﾌｫﾙﾀﾞｰの設定：", 8, 202);
  Edit2.SetBounds(8, 222, 313, 24);
  Edit2.SetHint("ＬＺＨファイルの解凍先を指定します。　後で変更可能です。");
  Button(Button6, "参照", "", 328, 222, 49, 24);
  Button(Button7, "初期値", "", 384, 222, 49, 24);

  Button(Button2, "中止", "インスツールを中止します", 240, 260, 89, 33);
  Button2.SetCancel(true);
  // Shown in place of 設定 while the installation runs.
  Button(Button5, "設定中", "", 344, 260, 89, 33);
  Button5.SetVisible(false);
  Button(Button3, "設定", "現在の設定値で登録する", 344, 260, 89, 33);
  Button3.SetDefault(true);
}

}  // namespace forms
