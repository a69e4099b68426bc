#include "forms/about_form.h"

namespace forms {

namespace {

void Text(gui::Label& label, int top, int height) {
  label.SetBounds(16, top, 0, 0);
  label.SetShowAccelChar(false);
  gui::Font f = label.Font();
  f.height = height;
  label.SetFont(f);
}

}  // namespace

TAboutBox::TAboutBox(gui::Application& app)
    : gui::Form(app, "TAboutBox", "AboutBox"),
      ProductName(*this, "ProductName"),
      ProgramTitle(*this, "ProgramTitle"),
      Version(*this, "Version"),
      Comments(*this, "Comments"),
      Comments2(*this, "Comments2"),
      ColorBtn1(*this, "ColorBtn1"),
      HomePage(*this, "HomePage"),
      Mail(*this, "Mail") {
  SetBorderStyle(gui::BorderStyle::Dialog);
  SetCaption("バージョン情報");
  gui::Font font;
  font.name = "ＭＳ Ｐゴシック";
  font.height = -12;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(300, 176);

  Text(ProductName, 12, -12);
  Text(ProgramTitle, 32, -16);
  Text(Version, 58, -12);
  Text(Comments, 82, -12);
  Text(Comments2, 102, -12);

  ColorBtn1.SetCaption("Ｏ Ｋ");
  ColorBtn1.SetBounds(210, 132, 75, 30);
  ColorBtn1.SetDefault(true);
  ColorBtn1.SetCancel(true);
  HomePage.SetCaption("ﾎｰﾑﾍﾟｰｼﾞ");
  HomePage.SetHint("ホームページへアクセス");
  HomePage.SetBounds(16, 132, 84, 30);
  Mail.SetCaption("ﾒｰﾙ");
  Mail.SetHint("作者へメール");
  Mail.SetBounds(108, 132, 84, 30);
}

}  // namespace forms
