#include "forms/manager/manager_form.h"

#include <array>

#include "forms/manager/manager_layout.h"
#include "gui/application.h"

namespace forms {

using namespace manager_layout;

TQUOVEL32KAPUL::TQUOVEL32KAPUL(gui::Application& app) : gui::Form(app, kClassName, "QUOVEL32KAPUL") {
  SetCaption(app.Title());
  SetBorderStyle(gui::BorderStyle::Sizeable);
  SetPosition(gui::FormPosition::ScreenCenter);
  SetFont(gui::DefaultFont());
  SetColor(gui::colors::kBtnFace);
  SetShowHint(true);
  LayoutMenus();
  // The menu bar is part of the frame: set it before sizing the client area.
  SetMenu(&MainMenu1);
  SetClientSize(kClientWidth, kClientHeight);
  LayoutPanels();
  LayoutBrowser();
  LayoutInfo();
  LayoutPlay();
  LayoutLists();
  LayoutExtensions();
  LayoutPictures();
}

gui::CheckBox& TQUOVEL32KAPUL::ExtensionBox(int index) {
  const std::array<gui::CheckBox*, kExtensionCount> boxes = {
      &CB6,  &CB7,  &CB8,  &CB9,  &CB10, &CB11, &CB12, &CB13, &CB14, &CB15, &CB16, &CB17, &CB18, &CB19, &CB20,
      &CB21, &CB22, &CB23, &CB24, &CB25, &CB26, &CB27, &CB28, &CB29, &CB30, &CB31, &CB33, &CB34, &CB35, &CB36,
  };
  return *boxes.at(static_cast<size_t>(index));
}

// The banner and the two panels that open over the browser.
void TQUOVEL32KAPUL::LayoutPanels() {
  PanelOPEN.SetAlign(gui::Align::Client);
  PanelOPEN.SetBevelOuter(gui::Bevel::Raised);
  PanelOPEN.SetBevelInner(gui::Bevel::Lowered);
  PanelOPEN.SetBevelWidth(2);
  PanelOPEN.SetColor(gui::colors::kNavy);
  gui::Font banner = gui::DefaultFont();
  banner.height = 40;
  banner.bold = banner.italic = true;
  banner.color = gui::colors::kWhite;
  PanelOPEN.SetFont(banner);
  PanelOPEN.SetCaption("ＱＵＯＶＥＬ３２");
  // While the banner covers the window, the controls under it need no windows yet.
  HoldUnder(PanelOPEN);

  // Trash: title and count, the list with its twin, the buttons on the right.
  Place(PanelGomi, 5, 5, 388, 196);
  PanelGomi.SetVisible(false);
  PanelGomi.SetCaption("");
  TextLabel(LabelGomiTitle, "ゴミ箱", 8, 6);
  FixedLabel(LabelGomiKosu2, "0ｺ", "捨てたファイル数", 60, 6, 80);
  for (gui::ListBox* list : {&ListBox9, &ListBox6}) {
    Place(*list, 6, 22, 278, 168);
    list->SetMultiSelect(true);
    list->SetDragMode(gui::DragMode::Automatic);
    list->SetTag(-1);
  }
  ListBox9.SetVisible(false);
  Captioned(ButtonGomiCUT, "削除", "選択のみ削除", 290, 22, 90, 25);
  Captioned(ButtonGomiALLCUT, "Clear", "すべて削除", 290, 51, 90, 25);
  Captioned(CheckBoxGomi, "削除ﾎﾞﾀﾝON", "メモリーを直に削除するボタン表示／非表示", 290, 86, 94, 17);
  Captioned(ButtonGomiOFF, "閉じる", "ゴミ箱を閉じる", 290, 165, 90, 25);
  int poolLeft = 292;
  for (gui::ListBox* pool : {&ListBoxRD, &ListBoxRM, &ListBoxRL}) {
    Place(*pool, poolLeft, 112, 24, 40);
    pool->SetVisible(false);
    pool->SetTag(-1);
    poolLeft += 26;
  }

  // Folder history.
  Place(PanelKaKo, 5, 132, 388, 185);
  PanelKaKo.SetVisible(false);
  PanelKaKo.SetCaption("");
  TextLabel(LabelKaKo0, "過去のﾌｫﾙﾀﾞｰの選択", 8, 6);
  FixedLabel(LabelKaKo, "0ｺ", "過去のフォルダー数", 130, 6, 80);
  Place(ListBoxKaKo, 6, 22, 278, 157);
  ListBoxKaKo.SetHint("過去のフォルダー名一覧");
  ListBoxKaKo.SetMultiSelect(true);
  ListBoxKaKo.SetTag(-1);
  gui::Font history = gui::DefaultFont();
  history.height = -12;
  ListBoxKaKo.SetFont(history);
  Captioned(ButtonKaKoCut, "削除", "選択のみ削除", 290, 22, 90, 25);
  Captioned(ButtonALLCUT, "Clear", "すべて削除", 290, 51, 90, 25);
  Captioned(ButtonRESET, "戻す", "開く直前のフォルダーに戻す", 290, 92, 90, 25);
  Captioned(ButtonKaKoOK, "閉じる", "これを閉じる", 290, 154, 90, 25);
}

}  // namespace forms
