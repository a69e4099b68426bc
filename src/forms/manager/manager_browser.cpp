// The browser in the upper left: the drive row, the filter row, the folder view beside the file
// list, and the folder count under them.
#include "forms/manager/manager_form.h"
#include "forms/manager/manager_layout.h"

namespace forms {

using namespace manager_layout;

namespace {

constexpr int kLeft = 5;
constexpr int kDriveTop = 5;
constexpr int kDriveHeight = 26;
constexpr int kFilterTop = 32;
// Panel_FF's design size; the user may drag it larger.
constexpr int kBrowserTop = 50;
constexpr int kBrowserWidth = 299;
constexpr int kBrowserHeight = 97;
constexpr int kFolderWidth = 156;
constexpr int kBarWidth = 3;

gui::Font SystemFont() {
  gui::Font f = gui::DefaultFont();
  f.name = "System";
  f.height = -19;
  return f;
}

void HiddenPicture(gui::Image& image, int left, int top, int width, int height) {
  Place(image, left, top, width, height);
  image.SetVisible(false);
}

}  // namespace

void TQUOVEL32KAPUL::LayoutBrowser() {
  // Drive row: the drive list, with the bulk-registration notice over it and the archive's name
  // and entry count under it (they show while the archive view hides the drive list); the
  // folder view switch; the file-name pattern, which is either the button that opens it or
  // the pattern field with the button that closes it.
  const int driveWidth = 150;
  Place(Panel3, kLeft, kDriveTop, driveWidth, kDriveHeight);
  Panel3.SetBevelOuter(gui::Bevel::Lowered);
  Panel3.SetCaption("C:ﾄﾞﾗｲﾌﾞ検索中");
  Panel3.SetVisible(false);
  Place(ComboBox2, kLeft, kDriveTop, driveWidth, kDriveHeight);
  ComboBox2.SetStyle(gui::ComboStyle::OwnerDrawFixed);
  ComboBox2.SetFont(SystemFont());
  ComboBox2.SetItemHeight(20);
  ComboBox2.SetHint("ドライブの選択");
  FixedLabel(Label21, "", "展開中のＬＺＨファイル名", kLeft + 3, kDriveTop + 7, 100);
  Label21.SetVisible(false);
  FixedLabel(Label22, "0ｺ", "ＬＺＨ内格納ファイル数", kLeft + 105, kDriveTop + 7, 42, gui::TextAlignment::Right);
  Captioned(Button1, "C", "フォルダーの変更", kLeft + driveWidth + 2, kDriveTop, 26, kDriveHeight);
  Button1.SetFont(SystemFont());
  const int patternLeft = 187;
  const int patternRight = kLeft + kBrowserWidth;
  const int patternTop = kDriveTop + 2;
  Captioned(Button14, "★", "拡張子ﾁｪｯｸを有効にする", patternRight - 21, patternTop, 21, 22);
  Button14.SetVisible(false);
  Place(Edit1, patternLeft, patternTop, patternRight - 21 - 2 - patternLeft, 22);
  Edit1.SetHint("検索ファイル名（ワイルドカードＯＫ）");
  Edit1.SetMaxLength(254);
  Edit1.SetText("*.SCR");
  Edit1.SetVisible(false);
  Captioned(Button13, "ﾌｧｲﾙ名指定", "独自の検索条件を設定する", patternLeft, patternTop, patternRight - patternLeft, 22);
  // Pictures drawn in the drive list and the folder list.
  int left = kLeft + 2;
  for (gui::Image* icon : {&Floppy, &Fixed, &Network, &CDROM, &RAM}) {
    HiddenPicture(*icon, left, kDriveTop + 8, 16, 9);
    left += 18;
  }
  HiddenPicture(Image5, left, kDriveTop + 3, 19, 19);
  HiddenPicture(Image6, left + 21, kDriveTop + 3, 19, 19);

  // Filter row above the file list: the attribute boxes, and the count of the listed files.
  struct Attribute {
    gui::CheckBox* box;
    const char* caption;
    const char* hint;
    bool checked;
  };
  const Attribute attributes[] = {
      {&CB1, "rd", "読み出し専用属性ファイルの表示設定", true},
      {&CB2, "sys", "システム属性 普段はＯＦＦ", false},
      {&CB3, "hid", "隠し属性 普段はＯＦＦ", false},
      {&CB4, "arc", "アーカイブ属性ファイルの表示設定", true},
      {&CB5, "nor", "ﾉｰﾏﾙ属性　普段はＯＮ", true},
  };
  left = kLeft;
  for (const Attribute& a : attributes) {
    const int width = a.box == &CB1 ? 32 : 37;
    Captioned(*a.box, a.caption, a.hint, left, kFilterTop, width, 17);
    a.box->SetChecked(a.checked);
    left += width + 2;
  }
  FixedLabel(Label1, " 0ｺ", "選択ファイルの個数", patternRight - 60, kFilterTop + 2, 60, gui::TextAlignment::Right);

  // Folder side and file list. The bars at the bottom and the right edge resize the browser.
  Place(Panel_FF, kLeft, kBrowserTop, kBrowserWidth, kBrowserHeight);
  Panel_FF.SetBevelOuter(gui::Bevel::None);
  Panel_FF.SetCaption("");
  const int innerHeight = kBrowserHeight - kBarWidth;
  Place(Panel_FF_V, 0, innerHeight, kBrowserWidth, kBarWidth);
  Place(Panel5, kBrowserWidth - kBarWidth, 0, kBarWidth, innerHeight);
  Place(Panel_FOL, 0, 0, kFolderWidth, innerHeight);
  Place(Splitter1, kFolderWidth, 0, kBarWidth, innerHeight);
  for (gui::Panel* bar : {&Panel_FF_V, &Panel5, &Panel_FOL, &Splitter1}) {
    bar->SetBevelOuter(gui::Bevel::None);
    bar->SetCaption("");
  }
  const gui::Rect folderViews{0, 0, kFolderWidth, innerHeight};
  const gui::Rect files{kFolderWidth + kBarWidth, 0, kBrowserWidth - kFolderWidth - 2 * kBarWidth, innerHeight};
  Place(ListBox3, folderViews.left, folderViews.top, folderViews.width, folderViews.height);
  ListBox3.SetHint("展開中ＬＺＨファイルリスト");
  ListBox3.SetVisible(false);
  Place(ListBox1, folderViews.left, folderViews.top, folderViews.width, folderViews.height);
  ListBox1.SetStyle(gui::ListStyle::OwnerDrawFixed);
  ListBox1.SetItemHeight(18);
  ListBox1.SetHint("普通のフォルダー");
  Place(TreeView1, folderViews.left, folderViews.top, folderViews.width, folderViews.height);
  TreeView1.SetReadOnly(true);
  TreeView1.SetHint("ツリーフォルダー");
  for (gui::ListBox* list : {&ListBox7, &ListBox4}) {
    Place(*list, files.left, files.top, files.width, files.height);
    list->SetMultiSelect(true);
    list->SetDragMode(gui::DragMode::Automatic);
  }
  ListBox7.SetVisible(false);
  for (gui::ListBox* list : {&ListBox3, &ListBox1, &ListBox7, &ListBox4}) list->SetTag(-1);
  Panel_FF_V.SetAlign(gui::Align::Bottom);
  Panel5.SetAlign(gui::Align::Right);
  Panel_FOL.SetAlign(gui::Align::Left);
  Splitter1.SetAlign(gui::Align::Left);
  Panel_FF_V.SetCursor(gui::Cursor::SizeNS);
  Panel5.SetCursor(gui::Cursor::SizeWE);
  Splitter1.SetCursor(gui::Cursor::SizeWE);
  for (gui::Control* view : {static_cast<gui::Control*>(&ListBox3), static_cast<gui::Control*>(&ListBox1),
                             static_cast<gui::Control*>(&TreeView1)}) {
    view->SetAlign(gui::Align::Client);
  }
  ListBox7.SetAlign(gui::Align::Client);
  ListBox4.SetAlign(gui::Align::Client);

  // Under the folder side: its count, and the width presets of the folder side.
  const int countTop = kBrowserTop + kBrowserHeight;
  FixedLabel(Label19, "0ｺ", "現在上記リストに登録されているフォルダー数 ", kLeft, countTop + 2, 60);
  Captioned(ButtonR, "<", "ファイル名表示を広くする", 87, countTop, 17, 17);
  Captioned(ButtonM, "･", "標準の位置に戻す", 106, countTop, 17, 17);
  Captioned(ButtonL, ">", "フォルダーを広くする", 125, countTop, 17, 17);
}

}  // namespace forms
