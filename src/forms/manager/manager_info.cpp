// The information line of the clicked entry (name; size, date and attributes) and, in the
// middle of it, the choice between running the savers and opening their settings.
#include "forms/manager/manager_form.h"
#include "forms/manager/manager_layout.h"

namespace forms {

using namespace manager_layout;

void TQUOVEL32KAPUL::LayoutInfo() {
  FixedLabel(Label2, "ファイル名表示", "選択ファイル名", 5, 164, 136);
  Captioned(RadioButton1, "実行", "スクリーン・セーバーを表示", 144, 160, 52, 17);
  Captioned(RadioButton2, "設定", "スクリーン・セーバーの設定", 195, 160, 52, 17);
  RadioButton1.SetChecked(true);
  FixedLabel(Label3, "ﾌｧｲﾙｻｲｽﾞ", "ファイルサイズ", 5, 181, 66);
  FixedLabel(Label4, " yy/mm/dd ddd hh:mm:ss ----", "ファイルの日付時間　属性の表示", 74, 181, 178);
}

}  // namespace forms
