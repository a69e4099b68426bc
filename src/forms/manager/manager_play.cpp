// The play column on the right: order, start and stop, endless play, the interval, and the
// buttons that send the window to the tray and end it.
#include "forms/manager/manager_form.h"
#include "forms/manager/manager_layout.h"

namespace forms {

using namespace manager_layout;

void TQUOVEL32KAPUL::LayoutPlay() {
  // The group's top edge lies above the client area, so its frame shows no caption line.
  Place(RadioGroup1, 312, -8, 81, 97);
  RadioGroup1.SetCaption("");
  RadioGroup1.SetItems({"連続", "逆連", "単独", "ﾗﾝﾀﾞﾑ"});
  RadioGroup1.SetItemIndex(3);
  Captioned(Button2, "再 生", "", 312, 88, 81, 25);
  Captioned(Button5, "中断", "", 312, 112, 41, 25);
  Captioned(ButtonTset, "TSet", "ファイルタイマーの設定", 352, 112, 41, 25);
  // The screen-saver copy shows ButtonTOFF over the endless box.
  Captioned(ButtonTOFF, "ﾀｲﾏｰOFF", "タイマーをＯＦＦにする", 328, 140, 65, 25);
  ButtonTOFF.SetVisible(false);
  Captioned(CheckBox1, "無限@", "エンドレスに再生する", 328, 146, 65, 17);
  CheckBox1.SetChecked(true);
  // Elapsed seconds, and the interval right-aligned against its button; both keep a fixed
  // width so that five digits or "OFF" never run into their neighbours.
  FixedLabel(Label10, "0", "表示経過時間（秒）　／　ファイルタイマー設定値", 320, 168, 27);
  FixedLabel(Label9, "10", "連続チェンジ時間（秒）　／　新規ファイルタイマー設定値", 348, 168, 27, gui::TextAlignment::Right);
  Captioned(ButtonTIMER, "S", "セーバー表示時間を設定する", 376, 168, 17, 23);
  FixedLabel(Label6, "0", "", 320, 182, 27);
  Label6.SetVisible(false);

  // Bottom of the column: the screen-saver copy shows its own end button over both.
  Captioned(ButtonSCROFF, "設定終了", "設定を終了する", 312, 208, 81, 25);
  ButtonSCROFF.SetVisible(false);
  Captioned(ButtonTRAY, "Tray", "タスクトレーに常駐する", 312, 208, 40, 25);
  Captioned(Button6, "終了", "QUOVEL32　ＥＸＥ版を終了する", 353, 208, 40, 25);
}

}  // namespace forms
