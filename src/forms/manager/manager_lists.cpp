// The memory lists: the trash icon with its counter and receive mode, the row with the list
// selector and the memory-mode buttons, and the memory list itself over the lower area. The
// design state is memory mode off, as on the very first start.
#include "forms/manager/manager_form.h"
#include "forms/manager/manager_layout.h"

namespace forms {

using namespace manager_layout;

namespace {

constexpr int kRowTop = 208;
constexpr int kAreaTop = 234;
constexpr int kAreaLeft = 5;
constexpr int kAreaWidth = 388;
constexpr int kAreaHeight = 111;

}  // namespace

void TQUOVEL32KAPUL::LayoutLists() {
  // Trash icon; its pictures are copied from the hidden full and empty images.
  Place(Image1, 257, 152, 32, 32);
  Image1.SetHint("ゴミ箱");
  Image1.SetDragMode(gui::DragMode::Automatic);
  Image1.SetVisible(false);
  for (gui::Image* picture : {&Image2, &Image3}) {
    Place(*picture, 257, 152, 32, 32);
    picture->SetVisible(false);
  }
  FixedLabel(Label7, "0ｺ", "ゴミ箱に捨てた数", 291, 156, 26);
  Label7.SetVisible(false);
  // Receive mode: "CLR" lies over "add"; outside memory mode a blank label covers both.
  FixedLabel(LabelGomiOut, "", "", 291, 172, 24);
  LabelGomiOut.SetTransparent(false);
  FixedLabel(LabelGomiSASIN, "CLR", "ゴミを捨ててから受け取る", 291, 172, 24);
  FixedLabel(LabelGomiTUIKA, "add", "ゴミをどんどん追加する", 291, 172, 24);
  // Under the icon, and like it inside the trash panel's place, which hides both when it opens.
  Captioned(Button17, "cls", "ゴミ捨て（実際の削除はしません）", 257, 184, 32, 17);
  Button17.SetVisible(false);

  // Selector row: outside memory mode the extension caption panel covers the list selector
  // and the bulk-registration button.
  Place(Panel4, kAreaLeft, kRowTop, 136, 22);
  Panel4.SetCaption("ﾒﾓﾘｰ設定中");
  Panel4.SetColor(gui::colors::kInfoBk);
  Panel4.SetVisible(false);
  Place(Panel1, kAreaLeft, kRowTop, 212, 25);
  Panel1.SetCaption(" 拡張子選択 ・ ﾁｪｯｸﾎﾞｯｸｽ");
  Panel1.SetBevelOuter(gui::Bevel::Lowered);
  Place(ComboBox1, kAreaLeft, kRowTop + 2, 136, 21);
  ComboBox1.SetStyle(gui::ComboStyle::DropDownList);
  ComboBox1.SetHint("メモリー番号　／　登録数");
  ComboBox1.SetDropDownCount(12);
  // One row per list in list-number order: M0 to M9, the history, the exclusion list.
  ComboBox1.SetItems({"M0 : 0ｺ", "M1 : 0ｺ", "M2 : 0ｺ", "M3 : 0ｺ", "M4 : 0ｺ", "M5 : 0ｺ", "M6 : 0ｺ", "M7 : 0ｺ", "M8 : 0ｺ",
                      "M9 : 0ｺ", "HIS: 0ｺ", "EXT: 0ｺ"});
  ComboBox1.SetItemIndex(0);
  ComboBox1.SetVisible(false);
  Captioned(Button12, "検索中", "検索結果をメモリーに登録中", 144, kRowTop, 70, 25);
  Button12.SetVisible(false);
  Captioned(Button7, "一括登録", "条件一致ファイルをメモリーに登録する", 144, kRowTop, 70, 25);
  Captioned(ButtonMCut, "削除", "", 221, kRowTop, 34, 25);
  ButtonMCut.SetVisible(false);
  Captioned(Button11, "ﾒﾓﾘｰoff", "メモリー・ﾓｰﾄﾞを終了する", 258, kRowTop, 50, 25);
  Button11.SetVisible(false);
  Captioned(Button9, "ﾒﾓﾘｰON", "メモリー・ﾓｰﾄﾞにする", 258, kRowTop, 50, 25);

  // The memory list and its twin cover the whole lower area in memory mode.
  for (gui::ListBox* list : {&ListBox8, &ListBox2}) {
    Place(*list, kAreaLeft, kAreaTop, kAreaWidth, kAreaHeight);
    list->SetHint("メモリー登録ファイル名");
    list->SetMultiSelect(true);
    list->SetDragMode(gui::DragMode::Automatic);
    list->SetTag(-1);
    list->SetVisible(false);
  }
  Place(ListBox5, kAreaLeft, kAreaTop, 40, 40);
  ListBox5.SetVisible(false);
}

}  // namespace forms
