// The manager window's layout: the names the program looks up, the fixed places of the play
// column, the main menu, and that nothing overlaps except the places meant to be shared.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/manager/manager_form.h"
#include "gui/gui_testing.h"
#include "support/sjis_text.h"

namespace {

using forms::TQUOVEL32KAPUL;
using Names = std::vector<std::string>;

struct ManagerFormTest : ::testing::Test {
  guitest::HeadlessApp h;
  TQUOVEL32KAPUL& form = h.app.CreateForm<TQUOVEL32KAPUL>();

  // The control of that name; a missing one fails the test and stands in as the form.
  gui::Control& C(const std::string& name) {
    auto* c = form.Find<gui::Control>(name);
    if (c == nullptr) {
      ADD_FAILURE() << "no control " << name;
      return form;
    }
    return *c;
  }
};

Names Numbered(const std::string& prefix, int first, int last, std::set<int> skip = {}) {
  Names out;
  for (int i = first; i <= last; ++i) {
    if (!skip.count(i)) out.push_back(prefix + std::to_string(i));
  }
  return out;
}

template <class T>
void ExpectKind(const TQUOVEL32KAPUL& form, const Names& names, const char* kind) {
  for (const std::string& name : names) EXPECT_NE(form.Find<T>(name), nullptr) << name << " is not a " << kind;
}

TEST_F(ManagerFormTest, EveryNameTheProgramLooksUpHasItsKind) {
  ExpectKind<gui::ListBox>(form, {"ListBox1", "ListBox2", "ListBox3", "ListBox4", "ListBox5", "ListBox6", "ListBox7", "ListBox8",
                                  "ListBox9", "ListBoxKaKo", "ListBoxRD", "ListBoxRM", "ListBoxRL"},
                           "list box");
  ExpectKind<gui::ComboBox>(form, {"ComboBox1", "ComboBox2"}, "combo box");
  ExpectKind<gui::CheckBox>(form, Numbered("CB", 1, 36), "check box");
  ExpectKind<gui::CheckBox>(form, {"CheckBox1", "CheckBoxGomi"}, "check box");
  ExpectKind<gui::RadioButton>(form, {"RadioButton1", "RadioButton2"}, "radio button");
  ExpectKind<gui::RadioGroup>(form, {"RadioGroup1"}, "radio group");
  ExpectKind<gui::Edit>(form, {"Edit1"}, "edit");
  ExpectKind<gui::TreeView>(form, {"TreeView1"}, "tree view");
  Names buttons = Numbered("Button", 1, 17, {3, 4, 8, 10, 15, 16});
  for (const char* b : {"ButtonL", "ButtonM", "ButtonR", "ButtonTIMER", "ButtonTOFF", "ButtonTset", "ButtonTRAY", "ButtonSCROFF",
                        "ButtonMCut", "ButtonGomiCUT", "ButtonGomiALLCUT", "ButtonGomiOFF", "ButtonKaKoCut", "ButtonALLCUT",
                        "ButtonRESET", "ButtonKaKoOK"}) {
    buttons.push_back(b);
  }
  ExpectKind<gui::Button>(form, buttons, "button");
  Names labels = Numbered("Label", 1, 22, {5, 8, 20});
  for (const char* l : {"LabelGomiTitle", "LabelGomiKosu2", "LabelGomiOut", "LabelGomiSASIN", "LabelGomiTUIKA", "LabelKaKo0", "LabelKaKo"}) {
    labels.push_back(l);
  }
  ExpectKind<gui::Label>(form, labels, "label");
  ExpectKind<gui::Panel>(form, {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "PanelOPEN", "PanelGomi", "PanelKaKo", "Panel_FF",
                                "Panel_FF_V", "Panel_FOL", "Splitter1"},
                         "panel");
  ExpectKind<gui::Image>(form, {"Image1", "Image2", "Image3", "Image5", "Image6", "Floppy", "Fixed", "Network", "CDROM", "RAM"}, "image");
  Names timers = Numbered("Timer", 1, 9);
  for (const char* t : {"TimerST", "TimerEROUT", "TimerAUTO"}) timers.push_back(t);
  ExpectKind<gui::Timer>(form, timers, "timer");
  ExpectKind<gui::MainMenu>(form, {"MainMenu1"}, "main menu");
  ExpectKind<gui::PopupMenu>(form, {"PopupMenu1", "PopupMenu2", "PopupMenu_TL", "PopupMenu_TR"}, "popup menu");
  Names items = {"P0", "P1", "P2", "P3", "P4", "PIDO", "PCOPY", "PKILL", "PLZH0", "PLZH1", "PLZH2", "PLZH3", "PLZH4", "PLZH5", "PASHUKU",
                 "PASHUKUALL", "PkPLAY", "PKANREN", "PTEXT", "PAKI", "PBinary", "PHTML", "P0DCUT", "PLZHX", "TL1", "TL2", "TLOFF", "TR1",
                 "TR2", "TRM0", "TRM1", "TRM2", "TRM3", "TR3", "TR4", "TR5", "TR6", "TRKINSI", "TR_IconOFF", "TRX", "TROFF", "N3",
                 "N4", "N5"};
  ExpectKind<gui::MenuItem>(form, items, "menu item");
}

TEST_F(ManagerFormTest, NamesAreUniqueAndTheWindowIsFoundByItsClass) {
  std::set<std::string> seen;
  for (const gui::Component* c : form.Components()) {
    EXPECT_FALSE(c->Name().empty());
    EXPECT_TRUE(seen.insert(c->Name()).second) << "two components named " << c->Name();
  }
  EXPECT_EQ(form.ClassName(), "TQUOVEL32KAPUL");
  EXPECT_EQ(form.ClientWidth(), 401);
  EXPECT_EQ(form.ClientHeight(), 356);
  EXPECT_EQ(h.app.FindForm("TQUOVEL32KAPUL"), &form);
}

TEST_F(ManagerFormTest, FixedPlacesKeepTheirDesignBounds) {
  struct Place {
    const char* name;
    gui::Rect r;
  };
  const Place places[] = {
      {"RadioGroup1", {312, -8, 81, 97}}, {"Button2", {312, 88, 81, 25}},       {"Button5", {312, 112, 41, 25}},
      {"ButtonTset", {352, 112, 41, 25}}, {"CheckBox1", {328, 146, 65, 17}},    {"ButtonTOFF", {328, 140, 65, 25}},
      {"ButtonTIMER", {376, 168, 17, 23}}, {"RadioButton1", {144, 160, 52, 17}}, {"RadioButton2", {195, 160, 52, 17}},
      {"Image1", {257, 152, 32, 32}},     {"Panel1", {5, 208, 212, 25}},        {"Panel2", {104, 234, 289, 111}},
      {"PanelGomi", {5, 5, 388, 196}},    {"PanelKaKo", {5, 132, 388, 185}},    {"ButtonL", {125, 147, 17, 17}},
  };
  for (const Place& p : places) EXPECT_EQ(C(p.name).Bounds(), p.r) << p.name;
  EXPECT_EQ(C("Label10").Left(), 320);
  EXPECT_EQ(C("Label10").Top(), 168);
  EXPECT_EQ(C("Button7").Left(), 144);
  EXPECT_EQ(C("Button7").Top(), 208);
  // Label9 is right-aligned against its button, on the same line as Label10.
  EXPECT_EQ(form.Label9.Alignment(), gui::TextAlignment::Right);
  EXPECT_EQ(form.Label9.Top(), 168);
  EXPECT_LE(form.Label9.Bounds().Right(), form.ButtonTIMER.Left());
  EXPECT_GE(form.Label9.Left(), form.Label10.Bounds().Right());
  EXPECT_EQ(form.Panel_FF.Width(), 299);
  EXPECT_EQ(form.Panel_FF.Height(), 97);
  EXPECT_EQ(form.Panel_FOL.Width(), 156);
  // The file list fills what the folder side, the splitter and the right-hand bar leave.
  EXPECT_EQ(form.ListBox4.Left(), 159);
  EXPECT_EQ(form.ListBox4.Bounds().Right(), 296);
  EXPECT_EQ(form.ComboBox2.Font().height, -19);
  EXPECT_EQ(form.ComboBox2.ItemHeight(), 20);
  EXPECT_EQ(form.ListBox1.ItemHeight(), 18);
}

// The main menu as the program's menus table lists it, separators left out.
TEST_F(ManagerFormTest, MainMenuHasItsItemsInOrder) {
  struct Menu {
    std::string name, caption;
    std::vector<std::pair<std::string, std::string>> items;
  };
  const std::vector<Menu> expected = {
      {"MF0", "ファイル(&F)", {{"F1", "現在の設定値を、［SCR版］に渡す(&T)"}, {"TEMPSS", "作業用ﾌｫﾙﾀﾞｰの変更...(&F)"}, {"FX", "終了(&X)"}}},
      {"MStart0",
       "タイマー(&T)",
       {{"Start1", "自動立ち上げ(&A)"},
        {"Start2", "最小化立ち上げ(&M)"},
        {"FT", "ファイル・タイマーＯＮ(&T)"},
        {"K9", "ファイルタイマーの編集...(&E)"},
        {"ST", "省電力タイマー設定　9999秒"}}},
      {"MOption0",
       "オプション(&O)",
       {{"K6", "隠しフォルダーも表示する(&K)"},
        {"SSN", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ名表示ＯＮ(&N)"},
        {"PREVIEW", "プレビュー表示(&P)"},
        {"MONITORS", "モニターごとに別のセーバー(&M)"},
        {"BackColor", "バックカラーを標準色にする(&B)"},
        {"KINSI", "起動禁止ＯＮ(&C)"},
        {"FOLDERHIS", "フォルダーヒストリーの設定...(&H)"},
        {"FILEHIS", "ファイルヒストリーの設定...(&F)"},
        {"MICON_SET", "アイコンを、スタートアップにも、登録する (&S)"},
        {"MICON_DEL", "アイコンを、スタートアップから、削除する (&S)"},
        {"MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)"},
        {"MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)"}}},
      {"MHelp0",
       "ヘルプ(&H)",
       {{"help1", "使い方...(&H)"},
        {"help2", "バージョン情報...(&V)"},
        {"help3", "ミニヘルプＯＮ(&M)"},
        {"help4", "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)"},
        {"MHelp3", "緊急脱出装置...(&Z)"}}},
  };
  ASSERT_EQ(form.Menu(), &form.MainMenu1);
  const auto& menus = form.MainMenu1.Items();
  ASSERT_EQ(menus.size(), expected.size());
  for (size_t m = 0; m < expected.size(); ++m) {
    EXPECT_EQ(menus[m]->Name(), expected[m].name);
    EXPECT_EQ(menus[m]->Caption(), expected[m].caption) << testsupport::Utf8(menus[m]->Caption());
    std::vector<std::pair<std::string, std::string>> items;
    for (const gui::MenuItem* item : menus[m]->Items()) {
      if (!item->IsSeparator()) items.emplace_back(item->Name(), item->Caption());
    }
    EXPECT_EQ(items, expected[m].items) << expected[m].name;
  }
}

// Every visibility the program gives the menu items leaves no separator at an end of a menu
// and no two separators in a row.
TEST_F(ManagerFormTest, HidingItemsNeverStrandsASeparator) {
  struct Variant {
    Names hide, show;
  };
  const std::vector<Variant> variants = {
      {{}, {}},                                                       // as designed
      {{"F1", "Start1", "Start2", "N3", "N4", "N5"}, {}},              // the screen-saver copy's settings window
      {{"MICON_SET", "MDESK_SET"}, {"MICON_DEL", "MDESK_DEL"}},       // both shortcuts exist
      {{}, {"help4"}},                                                // the help menu opened
  };
  for (const Variant& v : variants) {
    TQUOVEL32KAPUL& f = h.app.CreateForm<TQUOVEL32KAPUL>();
    for (const std::string& n : v.hide) f.Find<gui::MenuItem>(n)->SetVisible(false);
    for (const std::string& n : v.show) f.Find<gui::MenuItem>(n)->SetVisible(true);
    std::function<void(const std::vector<gui::MenuItem*>&, const std::string&)> check = [&](const auto& items, const std::string& where) {
      std::vector<const gui::MenuItem*> shown;
      for (const gui::MenuItem* i : items) {
        if (i->Visible()) shown.push_back(i);
        if (!i->Items().empty()) check(i->Items(), i->Name());
      }
      if (shown.empty() || where == "MainMenu1") return;
      EXPECT_FALSE(shown.front()->IsSeparator()) << where << " starts with a separator";
      EXPECT_FALSE(shown.back()->IsSeparator()) << where << " ends with a separator";
      for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_FALSE(shown[i - 1]->IsSeparator() && shown[i]->IsSeparator()) << where << ": two separators before " << shown[i]->Name();
      }
    };
    for (gui::Menu* m : {static_cast<gui::Menu*>(&f.MainMenu1), static_cast<gui::Menu*>(&f.PopupMenu1),
                         static_cast<gui::Menu*>(&f.PopupMenu2), static_cast<gui::Menu*>(&f.PopupMenu_TL),
                         static_cast<gui::Menu*>(&f.PopupMenu_TR)}) {
      check(m->Items(), m->Name());
    }
  }
}

TEST_F(ManagerFormTest, TimersWaitStoppedWithTheirIntervals) {
  const std::map<std::string, int> intervals = {{"Timer1", 300}, {"Timer2", 300}, {"Timer4", 300}, {"Timer5", 300}, {"Timer7", 1000},
                                                {"Timer8", 300}, {"Timer9", 300}, {"TimerST", 1111}, {"TimerEROUT", 300}};
  for (const gui::Component* c : form.Components()) {
    if (const auto* t = dynamic_cast<const gui::Timer*>(c)) {
      EXPECT_FALSE(t->Enabled()) << t->Name();
      if (intervals.count(t->Name())) {
        EXPECT_EQ(t->Interval(), intervals.at(t->Name())) << t->Name();
      }
    }
  }
}

TEST_F(ManagerFormTest, ExtensionBoxesFollowTheTableOrder) {
  std::set<std::string> names;
  for (int i = 0; i < TQUOVEL32KAPUL::kExtensionCount; ++i) {
    gui::CheckBox& box = form.ExtensionBox(i);
    EXPECT_EQ(box.Tag(), i) << box.Name();
    EXPECT_TRUE(names.insert(box.Caption()).second) << box.Caption();
    // Only the screen-saver box is reached with the tab key, and only it starts checked.
    EXPECT_EQ(box.TabStop(), i == TQUOVEL32KAPUL::kScrExtension) << box.Name();
    EXPECT_EQ(box.Checked(), i == TQUOVEL32KAPUL::kScrExtension) << box.Name();
  }
  EXPECT_EQ(&form.ExtensionBox(TQUOVEL32KAPUL::kScrExtension), &form.CB26);
  EXPECT_EQ(form.CB26.Caption(), "SCR");
  EXPECT_EQ(form.ExtensionBox(21).Caption(), "SR?");
  EXPECT_FALSE(names.count("ALL(*.*)"));
}

// Every picture has its control's size; the pictures the drive and folder lists draw keep pure
// red, which those lists paint transparent, around the drawing.
TEST_F(ManagerFormTest, PicturesFitTheirPlaces) {
  for (const char* name : {"Floppy", "Fixed", "Network", "CDROM", "RAM", "Image5", "Image6", "Image1", "Image2", "Image3"}) {
    const auto* image = form.Find<gui::Image>(name);
    ASSERT_NE(image->Picture(), nullptr) << name;
    EXPECT_EQ(image->Picture()->Width(), image->Width()) << name;
    EXPECT_EQ(image->Picture()->Height(), image->Height()) << name;
    const bool keyed = image != &form.Image1 && image != &form.Image2 && image != &form.Image3;
    EXPECT_EQ(image->Picture()->Pixel(0, 0) == gui::colors::kRed, keyed) << name;
  }
  EXPECT_EQ(form.Image1.Picture(), form.Image2.Picture());
}

// Places the window shares on purpose: a cover may lie over the controls listed after it. One of
// the two must hold the other whole, and the cover comes first, so that it is drawn on top.
const std::map<std::string, Names>& Covers() {
  static const std::map<std::string, Names> covers = [] {
    Names underTitle = {"Label11", "Label12", "Label13", "Label15", "Label16", "Label17", "Label18"};
    for (int i = 6; i <= 36; ++i) {
      if (i != 26 && i != 32) underTitle.push_back("CB" + std::to_string(i));
    }
    Names lowerArea = underTitle;
    for (const char* n : {"Panel2", "Label14", "CB26", "CB32", "ListBox5"}) lowerArea.push_back(n);
    Names underList8 = lowerArea;
    underList8.push_back("ListBox2");
    return std::map<std::string, Names>{
        {"Panel2", underTitle},
        {"ListBox8", underList8},
        {"ListBox2", lowerArea},
        {"Panel3", {"ComboBox2", "Label21", "Label22"}},
        {"ComboBox2", {"Label21", "Label22"}},
        {"Panel4", {"Panel1", "ComboBox1"}},
        {"Panel1", {"ComboBox1", "Button12", "Button7"}},
        {"Button12", {"Button7"}},
        {"Button11", {"Button9"}},
        {"Button14", {"Button13"}},
        {"Edit1", {"Button13"}},
        {"ListBox3", {"ListBox1", "TreeView1"}},
        {"ListBox1", {"TreeView1"}},
        {"ListBox7", {"ListBox4"}},
        {"ListBox9", {"ListBox6"}},
        {"Image1", {"Image2", "Image3"}},
        {"Image2", {"Image3"}},
        {"LabelGomiOut", {"LabelGomiSASIN", "LabelGomiTUIKA"}},
        {"LabelGomiSASIN", {"LabelGomiTUIKA"}},
        {"ButtonTOFF", {"CheckBox1"}},
        {"ButtonSCROFF", {"ButtonTRAY", "Button6"}},
    };
  }();
  return covers;
}

// Panels that open over the window: they may cover anything declared after them.
const std::set<std::string> kOverlays = {"PanelOPEN", "PanelGomi", "PanelKaKo"};
// Controls of the play column placed so that their edges share one pixel.
const std::set<std::pair<std::string, std::string>> kTouching = {{"RadioGroup1", "Button2"}, {"Button2", "Button5"},
                                                                  {"Button2", "ButtonTset"}, {"Button5", "ButtonTset"},
                                                                  {"RadioButton1", "RadioButton2"}};

bool Intersect(const gui::Rect& a, const gui::Rect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}
bool Holds(const gui::Rect& outer, const gui::Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() && inner.Bottom() <= outer.Bottom();
}

// Checks every pair of showing siblings below `parent`.
void ExpectNoStrayOverlap(const gui::Control& parent, const std::string& state) {
  const auto& kids = parent.Children();
  for (size_t i = 0; i < kids.size(); ++i) {
    for (size_t j = i + 1; j < kids.size(); ++j) {
      const gui::Control& a = *kids[i];  // declared first: on top
      const gui::Control& b = *kids[j];
      if (!a.Visible() || !b.Visible() || !Intersect(a.Bounds(), b.Bounds())) continue;
      if (kOverlays.count(a.Name()) || kTouching.count({a.Name(), b.Name()})) continue;
      auto cover = Covers().find(a.Name());
      const bool declared = cover != Covers().end() &&
                            std::find(cover->second.begin(), cover->second.end(), b.Name()) != cover->second.end();
      EXPECT_TRUE(declared) << state << ": " << a.Name() << " overlaps " << b.Name();
      if (declared) {
        EXPECT_TRUE(Holds(a.Bounds(), b.Bounds()) || Holds(b.Bounds(), a.Bounds()))
            << state << ": " << a.Name() << " and " << b.Name() << " share their place only in part";
      }
    }
  }
  for (const gui::Control* c : kids) {
    if (c->Visible()) ExpectNoStrayOverlap(*c, state);
  }
}

TEST_F(ManagerFormTest, SharedPlacesAreDeclaredAndNothingElseOverlaps) {
  // Each state shows what the program shows in it; covers stay as designed.
  struct State {
    const char* name;
    Names show, hide;
  };
  const State states[] = {
      {"as designed", {}, {}},
      {"after start-up", {}, {"PanelOPEN"}},
      {"memory mode", {"ComboBox1", "Button11", "ListBox2", "Image1", "Label7", "Button17", "ButtonMCut"},
       {"PanelOPEN", "Panel1", "Button9", "LabelGomiOut"}},
      {"names shown", {"ListBox7", "ListBox8", "ListBox9", "ComboBox1"}, {"PanelOPEN", "Panel1"}},
      {"archive view", {"ListBox3", "Label21"}, {"PanelOPEN", "ComboBox2"}},
      {"own pattern", {"Edit1", "Button14"}, {"PanelOPEN", "Button13"}},
      {"screen-saver copy", {"ButtonSCROFF", "ButtonTOFF"}, {"PanelOPEN"}},
      {"bulk registration", {"Panel3", "Button12"}, {"PanelOPEN", "Button7", "Button1"}},
      {"trash open", {"PanelGomi", "ListBox9"}, {"PanelOPEN"}},
      {"history open", {"PanelKaKo"}, {"PanelOPEN"}},
  };
  for (const State& s : states) {
    guitest::HeadlessApp fresh;
    auto& f = fresh.app.CreateForm<TQUOVEL32KAPUL>();
    for (const std::string& n : s.show) f.Find<gui::Control>(n)->SetVisible(true);
    for (const std::string& n : s.hide) f.Find<gui::Control>(n)->SetVisible(false);
    ExpectNoStrayOverlap(f, s.name);
  }
}

TEST_F(ManagerFormTest, CoversComeFirstSoTheyAreDrawnOnTop) {
  for (const auto& [coverName, covered] : Covers()) {
    const gui::Control& cover = C(coverName);
    const auto& kids = cover.Parent()->Children();
    const auto at = [&](const gui::Control* c) { return std::find(kids.begin(), kids.end(), c) - kids.begin(); };
    for (const std::string& n : covered) {
      const gui::Control& c = C(n);
      ASSERT_EQ(c.Parent(), cover.Parent()) << n;
      EXPECT_LT(at(&cover), at(&c)) << coverName << " comes after " << n;
    }
  }
}

// The trash panel opens over the upper part of the window: whatever it touches, it hides whole
// (the order group, which reaches above the window, excepted).
TEST_F(ManagerFormTest, TheTrashPanelHidesWholeControls) {
  for (const gui::Control* c : form.Children()) {
    if (c == &form.PanelGomi || c == &form.RadioGroup1 || kOverlays.count(c->Name())) continue;
    if (Intersect(form.PanelGomi.Bounds(), c->Bounds())) {
      EXPECT_TRUE(Holds(form.PanelGomi.Bounds(), c->Bounds())) << c->Name() << " shows in part beside the trash panel";
    }
  }
}

// Every control lies inside its parent's client area; the order group alone reaches above the
// window's top edge, which hides the caption line of its frame.
TEST_F(ManagerFormTest, EveryControlLiesInsideItsParent) {
  std::function<void(const gui::Control&)> check = [&](const gui::Control& parent) {
    for (const gui::Control* c : parent.Children()) {
      gui::Rect r = c->Bounds();
      if (c == &form.RadioGroup1) r.top = 0, r.height += c->Top();
      EXPECT_TRUE(Holds(parent.ClientRect(), r)) << c->Name() << " outside " << parent.Name();
      check(*c);
    }
  };
  check(form);
}

}  // namespace
