#include "gui/demo_form.h"

#include "gui/application.h"
#include "gui/canvas.h"

namespace guitest {

std::shared_ptr<gui::Bitmap> MakeInfoIcon() {
  auto icon = std::make_shared<gui::Bitmap>(32, 32, gui::colors::kBlack);
  const int c = 16;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int dx = 2 * x + 1 - 2 * c, dy = 2 * y + 1 - 2 * c;
      const int d2 = dx * dx + dy * dy;  // in half pixels
      if (d2 <= 30 * 30) icon->SetPixel(x, y, gui::colors::kWhite);
      if (d2 <= 26 * 26) icon->SetPixel(x, y, gui::Rgb(0, 64, 200));
    }
  }
  for (int y = 7; y <= 10; ++y) {
    for (int x = 14; x <= 17; ++x) icon->SetPixel(x, y, gui::colors::kWhite);
  }
  for (int y = 13; y <= 24; ++y) {
    for (int x = 14; x <= 17; ++x) icon->SetPixel(x, y, gui::colors::kWhite);
  }
  return icon;
}

DemoForm::DemoForm(gui::Application& app) : gui::Form(app, kClassName, "DemoForm") {
  Layout(app);
  Connect();
}

void DemoForm::Layout(gui::Application& app) {
  SetCaption("QUOVEL32 コンポーネント見本");
  SetBorderStyle(gui::BorderStyle::Sizeable);
  SetPosition(gui::FormPosition::ScreenCenter);
  SetMenu(&MainMenu1);
  SetClientSize(520, 340);
  SetShowHint(true);
  K6.SetChecked(true);
  SSN.SetDefault(true);

  PanelTop.SetAlign(gui::Align::Top);
  PanelTop.SetHeight(30);
  PanelTop.SetCaption("スクリーンセーバー切替 ― 部品の見本です");
  gui::Font title = Font();
  title.bold = true;
  title.color = gui::colors::kWhite;
  PanelTop.SetFont(title);
  PanelTop.SetColor(gui::Rgb(0, 70, 140));

  PanelBottom.SetAlign(gui::Align::Bottom);
  PanelBottom.SetHeight(40);
  PanelBottom.SetBevelOuter(gui::Bevel::None);
  LabelStatus.SetBounds(10, 13, 160, 12);
  LabelStatus.SetCaption("準備完了");
  Button1.SetBounds(262, 8, 75, 25);
  Button1.SetCaption("ＯＫ");
  Button1.SetDefault(true);
  Button1.SetModalResult(gui::kMrOk);
  Button2.SetBounds(345, 8, 75, 25);
  Button2.SetCaption("キャンセル");
  Button2.SetCancel(true);
  Button2.SetModalResult(gui::kMrCancel);
  Button3.SetBounds(428, 8, 82, 25);
  Button3.SetCaption("再 生(&P)");
  Button3.SetHint("選んだファイルを再生します");

  PanelList.SetAlign(gui::Align::Right);
  PanelList.SetWidth(180);
  PanelList.SetBevelOuter(gui::Bevel::None);
  PanelList.SetBorderWidth(8);
  Label3.SetAlign(gui::Align::Top);
  Label3.SetAutoSize(false);
  Label3.SetHeight(18);
  Label3.SetCaption("メモリーリスト M0");
  ListBox1.SetAlign(gui::Align::Client);
  ListBox1.SetMultiSelect(true);
  ListBox1.SetStyle(gui::ListStyle::OwnerDrawFixed);
  ListBox1.SetItemHeight(18);
  ListBox1.SetItems({"C:\\WINDOWS\\森の朝.SCR", "C:\\WINDOWS\\星空.SCR", "C:\\SAVERS\\水槽.SCR", "C:\\SAVERS\\迷路.SCR",
                     "D:\\古い\\時計.SCR"});
  ListBox1.SetTag(-1);
  ListBox1.SetDragMode(gui::DragMode::Automatic);
  ListBox1.SetHint("右クリックでメニュー");

  Label1.SetBounds(12, 44, 60, 12);
  Label1.SetCaption("名前(&N):");
  Label1.SetFocusControl(&Edit1);
  Edit1.SetBounds(80, 40, 240, 21);
  Edit1.SetMaxLength(20);
  Edit1.SetText("森の朝");
  Label2.SetBounds(12, 72, 60, 12);
  Label2.SetCaption("種類(&K):");
  ComboBox1.SetBounds(80, 68, 240, 21);
  ComboBox1.SetItems({"スクリーンセーバー (*.SCR)", "実行ファイル (*.EXE)", "すべて (*.*)"});
  ComboBox1.SetItemIndex(0);

  CheckBox1.SetBounds(12, 98, 130, 17);
  CheckBox1.SetCaption("無限に繰り返す(&L)");
  RadioButton1.SetBounds(170, 98, 70, 17);
  RadioButton1.SetCaption("実行");
  RadioButton1.SetChecked(true);
  RadioButton2.SetBounds(250, 98, 70, 17);
  RadioButton2.SetCaption("設定");

  RadioGroup1.SetBounds(12, 122, 308, 64);
  RadioGroup1.SetCaption("再生順");
  RadioGroup1.SetColumns(2);
  RadioGroup1.SetItems({"連続", "逆連", "単独", "ﾗﾝﾀﾞﾑ"});
  RadioGroup1.SetItemIndex(3);

  Memo1.SetBounds(12, 194, 200, 76);
  Memo1.SetReadOnly(true);
  Memo1.SetLines({"メッセージの見本です。", "右クリックで、コピーできます☆"});
  Memo1.SetHint("右クリックで、コピーできます☆");

  Image1.SetBounds(226, 194, 32, 32);
  auto icon = MakeInfoIcon();
  icon->ReplaceColor(gui::colors::kBlack, app.GetBackend().ResolveColor(Color()));
  Image1.SetPicture(icon);
  PaintBox1.SetBounds(226, 232, 94, 38);
  Label4.SetBounds(268, 204, 60, 12);
  Label4.SetCaption("0秒");
}

void DemoForm::Connect() {
  auto logged = [this](const char* name) { return [this, name](gui::Component&) { log.push_back(name); }; };
  F1.OnClick = logged("F1Click");
  FX.OnClick = [this](gui::Component&) {
    log.push_back("FXClick");
    Close();
  };
  MOption0.OnClick = logged("MOption0Click");
  K6.OnClick = logged("K6Click");
  SSN.OnClick = logged("SSNClick");
  PopupMenu1.OnPopup = logged("PopupMenu1Popup");
  P1.OnClick = logged("P1Click");
  P2.OnClick = logged("P2Click");
  Button1.OnClick = logged("Button1Click");
  Button2.OnClick = logged("Button2Click");
  Button3.OnClick = [this](gui::Component&) {
    log.push_back("Button3Click");
    LabelStatus.SetCaption("再生中: " + (ListBox1.ItemIndex() >= 0 ? ListBox1.Item(ListBox1.ItemIndex()) : std::string("なし")));
  };
  Edit1.OnChange = logged("Edit1Change");
  ComboBox1.OnChange = logged("ComboBox1Change");
  CheckBox1.OnClick = logged("CheckBox1Click");
  RadioButton1.OnClick = logged("RadioButton1Click");
  RadioButton2.OnClick = logged("RadioButton2Click");
  RadioGroup1.OnClick = logged("RadioGroup1Click");
  ListBox1.OnClick = [this](gui::Component&) {
    log.push_back("ListBox1Click");
    ListBox1.SetTag(ListBox1.ItemIndex());
  };
  ListBox1.OnDblClick = logged("ListBox1DblClick");
  ListBox1.OnMouseUp = [this](gui::Component&, gui::MouseButton button, gui::ShiftState, int x, int y) {
    if (button == gui::MouseButton::Right) PopupMenu1.Popup(x, y);
  };
  ListBox1.OnDrawItem = [this](gui::Component&, gui::Canvas& canvas, int index, const gui::Rect& rect, gui::OwnerDrawState state) {
    ListBox1DrawItem(canvas, index, rect, state);
  };
  Image1.OnClick = logged("Image1Click");
  Memo1.OnDragOver = [this](gui::Component&, gui::Component& source, int, int, bool& accept) { accept = &source == &ListBox1; };
  Memo1.OnDragDrop = [this](gui::Component&, gui::Component&, int, int) {
    log.push_back("Memo1DragDrop");
    if (ListBox1.ItemIndex() >= 0) Memo1.AddLine(ListBox1.Item(ListBox1.ItemIndex()));
  };
  PaintBox1.OnPaint = [this](gui::Component&, gui::Canvas& canvas) { PaintBox1Paint(canvas); };
  Timer1.OnTimer = [this](gui::Component&) {
    ++ticks;
    log.push_back("Timer1Timer");
    Label4.SetCaption(std::to_string(ticks) + "秒");
    PaintBox1.Invalidate();
  };
  OnCloseQuery = [this](gui::Component&, bool&) { log.push_back("FormCloseQuery"); };
  SetMessageHandler(kHandOffMessage, [this](std::uintptr_t wParam, std::intptr_t lParam) -> std::intptr_t {
    log.push_back("WMUser1");
    lastWParam = wParam;
    lastLParam = lParam;
    return static_cast<std::intptr_t>(wParam) + 1;
  });
}

// The current row (the list's Tag) is drawn bold; selected rows on the highlight colour.
void DemoForm::ListBox1DrawItem(gui::Canvas& canvas, int index, const gui::Rect& rect, gui::OwnerDrawState state) {
  canvas.FillRect(rect);
  if (state.focused) canvas.FrameRect(gui::Rect{rect.left, rect.top, rect.width, rect.height});
  canvas.font.bold = index == ListBox1.Tag();
  canvas.TextAt(rect.left + 4, rect.top + 3, ListBox1.Item(index));
}

// A progress bar of the timer's ticks (one tenth per tick) with the count in the middle.
void DemoForm::PaintBox1Paint(gui::Canvas& canvas) {
  const gui::Rect all{0, 0, PaintBox1.Width(), PaintBox1.Height()};
  canvas.brush.color = gui::colors::kWhite;
  canvas.pen.color = gui::colors::kGray;
  canvas.Rectangle(all);
  const int filled = (all.width - 4) * (ticks % 11) / 10;
  canvas.brush.color = gui::Rgb(80, 160, 80);
  canvas.FillRect(gui::Rect{2, 2, filled, all.height - 4});
  canvas.brush.color = gui::colors::kRed;
  canvas.pen.color = gui::colors::kMaroon;
  canvas.Ellipse(gui::Rect{all.width - 16, 4, 12, 12});
  canvas.brush.color = gui::colors::kNone;
  canvas.font.color = gui::colors::kBlack;
  canvas.TextIn(all, std::to_string(ticks % 11 * 10) + "％", gui::text_flags::kCenter | gui::text_flags::kVCenter | gui::text_flags::kSingleLine);
}

}  // namespace guitest
