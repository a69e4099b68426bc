// The lower area outside memory mode: the thirty extension boxes under their group labels, and
// the title panel, which covers every box right of the left strip. So the strip's group label,
// the SCR box and the ALL box are what the user reaches.
#include "forms/manager/manager_form.h"
#include "forms/manager/manager_layout.h"
#include "gui/application.h"

namespace forms {

using namespace manager_layout;

namespace {

constexpr int kTop = 234;
constexpr int kRow = 13;
constexpr int kBoxWidth = 43;
constexpr int kBoxHeight = 13;

}  // namespace

void TQUOVEL32KAPUL::LayoutExtensions() {
  // Left strip.
  TextLabel(Label14, "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ", 10, kTop + 10);
  Captioned(CB26, "SCR", "スクリーンセーバーの選択", 10, kTop + 28, 60, 17);
  CB26.SetChecked(true);
  Captioned(CB32, "ALL(*.*)", "すべてのファイルを選択", 10, kTop + 56, 84, 17);

  // Title panel: the program's name, in a cell height at which the manager's longer title
  // still fits the panel.
  Place(Panel2, 104, kTop, 289, 111);
  gui::Font title = gui::DefaultFont();
  title.height = 32;
  title.bold = title.italic = title.underline = true;
  title.color = gui::colors::kNavy;
  Panel2.SetFont(title);
  Panel2.SetCaption(FormApp().Title());

  // Under the title panel: the groups in columns, each label above its boxes.
  struct Group {
    gui::Label* label;
    const char* caption;
    int left, top;
  };
  const Group groups[] = {
      {&Label11, "動画", 108, kTop + 2},   {&Label12, "音楽", 152, kTop + 2},   {&Label15, "MSXCG", 152, kTop + 54},
      {&Label13, "静止画", 196, kTop + 2}, {&Label17, "圧縮", 284, kTop + 2},   {&Label18, "ﾍﾙﾌﾟ", 284, kTop + 33},
      {&Label16, "ﾃｷｽﾄ", 328, kTop + 2},
  };
  for (const Group& g : groups) TextLabel(*g.label, g.caption, g.left, g.top);
  // Column and row of every box but SCR, in table order.
  struct Cell {
    int left, row;
  };
  const Cell cells[kExtensionCount] = {
      {108, 0}, {108, 1}, {108, 2}, {108, 3}, {108, 4}, {108, 5}, {108, 6},  // 動画
      {152, 0}, {152, 1}, {152, 2},                                          // 音楽
      {196, 0}, {196, 1}, {196, 2}, {196, 3}, {196, 4},                      // 静止画
      {240, 0}, {240, 1}, {240, 2}, {240, 3}, {240, 4},                      //
      {0, 0},                                                                // SCR, in the strip
      {152, 4}, {152, 5}, {152, 6},                                          // MSXCG
      {284, 0},                                                              // 圧縮
      {284, 3},                                                              // ﾍﾙﾌﾟ
      {328, 0}, {328, 1}, {328, 2}, {328, 3},                                // ﾃｷｽﾄ
  };
  static const char* const kNames[kExtensionCount] = {
      "AVI", "MOV", "MMM", "MPG", "DAT", "MPA", "MPV", "WAV", "MID", "RMI", "MKI", "MAG", "MAX", "PIC", "JPG",
      "BMP", "ICO", "RLE", "WMF", "PCT", "SCR", "SR?", "GE?", "GR?", "LZH", "HLP", "TXT", "DOC", "INI", "WRI",
  };
  for (int i = 0; i < kExtensionCount; ++i) {
    gui::CheckBox& box = ExtensionBox(i);
    box.SetTag(i);
    box.SetCaption(kNames[i]);
    if (i == kScrExtension) continue;
    box.SetTabStop(false);
    Place(box, cells[i].left, kTop + 15 + cells[i].row * kRow, kBoxWidth, kBoxHeight);
  }
}

}  // namespace forms
