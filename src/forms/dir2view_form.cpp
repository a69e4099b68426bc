#include "forms/dir2view_form.h"

#include <memory>

#include "forms/folder_pictures.h"

namespace forms {

namespace {

constexpr int kBarHeight = 33;
constexpr int kFolderSideWidth = 168;
constexpr int kSplitterWidth = 3;
constexpr int kHeaderHeight = 18;
constexpr int kRowHeight = 30;       // the rows of the chosen folder and file
constexpr int kFieldLeft = 70;       // where the folder and file fields start in their rows
constexpr int kFieldMargin = 4;      // between a field and the end of its row

void Bare(gui::Panel& p) {
  p.SetCaption("");
  p.SetBevelOuter(gui::Bevel::None);
}

void Captioned(gui::Control& c, const char* caption, const char* hint, int left, int top, int width, int height) {
  c.SetCaption(caption);
  c.SetHint(hint);
  c.SetBounds(left, top, width, height);
}

// A label and its field in one row; the field reaches the row's right end.
void FieldRow(gui::Panel& row, gui::Label& label, const char* caption, gui::Edit& field, const char* hint) {
  label.SetCaption(caption);
  label.SetLeft(6);
  label.SetTop(9);
  field.SetHint(hint);
  field.SetBounds(kFieldLeft, 4, row.Width() - kFieldLeft - kFieldMargin, 22);
}

struct ColumnSpec {
  const char* caption;
  int divisor;
  int less;
  gui::TextAlignment alignment;
};
constexpr ColumnSpec kColumns[] = {
    {"ファイル名", 3, 24, gui::TextAlignment::Left},
    {"サイズ", 5, 10, gui::TextAlignment::Right},
    {"種類", 9, 10, gui::TextAlignment::Left},
    {"日付", 3, 10, gui::TextAlignment::Left},
    {"属性", 9, 10, gui::TextAlignment::Right},
};

}  // namespace

int TDIR2VIEWForm::ColumnWidth(int column, int listWidth) {
  const ColumnSpec& c = kColumns[column];
  return listWidth / c.divisor - c.less;
}

TDIR2VIEWForm::TDIR2VIEWForm(gui::Application& app) : gui::Form(app, "TDIR2VIEWForm", "DIR2VIEWForm") {
  SetCaption(" フォルダーの参照");
  SetFormStyle(gui::FormStyle::StayOnTop);
  SetBorderIcons(true, false, true);
  gui::Font font;
  font.name = "ＭＳ Ｐゴシック";
  font.height = -13;
  font.charset = gui::kShiftJisCharset;
  SetFont(font);
  SetClientSize(614, 262);
  SetShowHint(true);

  // Drive and filter bar: drives, the four folder buttons, the filter to the bar's end.
  Panel_DRV.SetCaption("");
  Panel_DRV.SetBounds(0, 0, ClientWidth(), kBarHeight);
  Panel_DRV.SetAlign(gui::Align::Top);
  ComboBox2.SetStyle(gui::ComboStyle::OwnerDrawFixed);
  ComboBox2.SetItemHeight(18);
  Captioned(ComboBox2, "", "ドライブの選択", 4, 4, 150, 24);
  int left = 158;
  struct FolderButton {
    gui::Button* button;
    const char* caption;
    const char* hint;
  };
  const FolderButton buttons[] = {
      {&Button_HF, "HF", "一個前のフォルダー"},
      {&Button5, "BF", "一つ上階層フォルダー"},
      {&Button3, "NF", "フォルダー新規作成"},
      {&Button4, "DF", "フォルダー削除"},
  };
  for (const FolderButton& b : buttons) {
    Captioned(*b.button, b.caption, b.hint, left, 4, 25, 25);
    left += 27;
  }
  left += 2;
  Captioned(ComboBox_KAKU, "", "ファイルフィルター", left, 6, Panel_DRV.Width() - left, 21);

  // The rows at the bottom: the chosen folder with the buttons at its right, and under it the
  // chosen file, which is hidden in folder mode.
  Bare(Panel_Edit_File);
  Panel_Edit_File.SetBounds(0, ClientHeight() - kRowHeight, ClientWidth(), kRowHeight);
  Bare(Panel_Bottom);
  Panel_Bottom.SetBounds(0, ClientHeight() - 2 * kRowHeight, ClientWidth(), kRowHeight);
  Panel_Edit_File.SetAlign(gui::Align::Bottom);
  Panel_Bottom.SetAlign(gui::Align::Bottom);
  FieldRow(Panel_Edit_File, Label5, "ファイル名", Edit_File, "設定ファイル名");
  Panel_Edit_File.SetVisible(false);
  Bare(Panel_Buttons);
  Panel_Buttons.SetBounds(ClientWidth() - 164, 0, 164, kRowHeight);
  Panel_Buttons.SetAlign(gui::Align::Right);
  Captioned(Button2, "設定", "設定", 0, 3, 76, 25);
  Button2.SetDefault(true);
  Captioned(Button1, "中止", "キャンセル", 80, 3, 76, 25);
  Button1.SetCancel(true);
  Bare(Panel_Edit_Folder);
  Panel_Edit_Folder.SetAlign(gui::Align::Client);
  FieldRow(Panel_Edit_Folder, Label4, "フォルダー", Edit_Folder, "設定フォルダー名");

  // Folder side: the header over the folder list and the tree (the tree shows first).
  Bare(Panel_DIR);
  Panel_DIR.SetBounds(0, kBarHeight, kFolderSideWidth, 100);
  Panel_DIR.SetAlign(gui::Align::Left);
  HeaderControl1.SetBounds(0, 0, kFolderSideWidth, kHeaderHeight);
  HeaderControl1.SetAlign(gui::Align::Top);
  HeaderControl1.SetHint("フォルダーの選択");
  HeaderControl1.AddSection("フォルダー", Panel_DIR.Width() + 10);
  ListBox1.SetStyle(gui::ListStyle::OwnerDrawFixed);
  ListBox1.SetItemHeight(16);
  ListBox1.SetHint("普通のフォルダー");
  ListBox1.SetAlign(gui::Align::Client);
  ListBox1.SetVisible(false);
  TreeView1.SetReadOnly(true);
  TreeView1.SetHint("ツリー構造のフォルダー");
  TreeView1.SetImages({pictures::SmallFolderClosed(), pictures::SmallFolderOpen()}, pictures::kPictureKey);
  TreeView1.SetAlign(gui::Align::Client);
  Bare(Splitter1);
  Splitter1.SetBounds(kFolderSideWidth, kBarHeight, kSplitterWidth, 100);
  Splitter1.SetAlign(gui::Align::Left);
  Splitter1.SetCursor(gui::Cursor::SizeWE);

  // The file list takes the rest; its columns follow its width.
  ListView1.SetHint("ファイル一覧");
  ListView1.SetRowSelect(true);
  ListView1.SetReadOnly(true);
  ListView1.SetColumnClick(true);
  ListView1.SetAlign(gui::Align::Client);
  for (int i = 0; i < 5; ++i) ListView1.AddColumn(kColumns[i].caption, ColumnWidth(i, ListView1.Width()), kColumns[i].alignment);

  struct Picture {
    gui::Image* image;
    std::shared_ptr<gui::Bitmap> bitmap;
  };
  const Picture pictures[] = {
      {&Floppy, pictures::Floppy()},     {&Fixed, pictures::Fixed()},
      {&Network, pictures::Network()},   {&CDROM, pictures::Cdrom()},
      {&RAM, pictures::Ram()},           {&Image5, pictures::FolderClosed()},
      {&Image6, pictures::FolderOpen()},
  };
  for (const Picture& p : pictures) {
    p.image->SetPicture(p.bitmap);
    p.image->SetBounds(0, 0, p.bitmap->Width(), p.bitmap->Height());
    p.image->SetVisible(false);
  }

  for (gui::Panel* panel : {&Panel_DRV, &Panel_DIR, &Panel_Edit_Folder, &Panel_Edit_File}) {
    panel->OnResize = [this](gui::Component&) { FitToPanels(); };
  }
}

void TDIR2VIEWForm::FitToPanels() {
  ComboBox_KAKU.SetWidth(Panel_DRV.Width() - ComboBox_KAKU.Left());
  Edit_Folder.SetWidth(Panel_Edit_Folder.Width() - Edit_Folder.Left() - Scale(kFieldMargin));
  Edit_File.SetWidth(Panel_Edit_File.Width() - Edit_File.Left() - Scale(kFieldMargin));
  if (HeaderControl1.SectionCount() > 0) HeaderControl1.SetSectionWidth(0, Panel_DIR.Width() + Scale(10));
}

}  // namespace forms
