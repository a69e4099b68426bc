// Forms, layout, menus, custom messages and drawing as data on the headless backend.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/canvas.h"
#include "gui/gui_testing.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/list_box.h"
#include "gui/menu.h"
#include "gui/panel.h"
#include "gui/task_tray.h"
#include "support/sjis_text.h"

namespace {

using gui::Rect;

struct FormTest : ::testing::Test {
  guitest::HeadlessApp h;
};

TEST_F(FormTest, DockedControlsShareTheClientAreaAndFollowResizing) {
  gui::Form f(h.app, "TAlign");
  f.SetBorderStyle(gui::BorderStyle::None);
  f.SetBounds(0, 0, 400, 300);
  gui::Panel top(f, "top"), bottom(f, "bottom"), left(f, "left"), right(f, "right"), client(f, "client");
  gui::Panel top2(f, "top2");
  top.SetBounds(0, 0, 10, 30);
  top2.SetBounds(0, 50, 10, 20);
  bottom.SetHeight(40);
  left.SetWidth(50);
  right.SetWidth(60);
  top.SetAlign(gui::Align::Top);
  top2.SetAlign(gui::Align::Top);
  bottom.SetAlign(gui::Align::Bottom);
  left.SetAlign(gui::Align::Left);
  right.SetAlign(gui::Align::Right);
  client.SetAlign(gui::Align::Client);
  struct Expect {
    gui::Control* c;
    Rect small, large;
  } expect[] = {
      {&top, {0, 0, 400, 30}, {0, 0, 500, 30}},
      {&top2, {0, 30, 400, 20}, {0, 30, 500, 20}},
      {&bottom, {0, 260, 400, 40}, {0, 360, 500, 40}},
      {&left, {0, 50, 50, 210}, {0, 50, 50, 310}},
      {&right, {340, 50, 60, 210}, {440, 50, 60, 310}},
      {&client, {50, 50, 290, 210}, {50, 50, 390, 310}},
  };
  for (const auto& e : expect) EXPECT_EQ(e.c->Bounds(), e.small) << e.c->Name();
  int resized = 0;
  client.OnResize = [&](gui::Component&) { ++resized; };
  f.SetBounds(0, 0, 500, 400);
  for (const auto& e : expect) EXPECT_EQ(e.c->Bounds(), e.large) << e.c->Name();
  EXPECT_EQ(resized, 1);
  top.Hide();
  EXPECT_EQ(top2.Bounds(), (Rect{0, 0, 500, 20}));
}

TEST_F(FormTest, PanelBevelsAndBorderNarrowTheAlignArea) {
  gui::Form f(h.app, "TAlign");
  gui::Panel p(f, "p");
  p.SetBounds(0, 0, 100, 80);
  p.SetBevelInner(gui::Bevel::Lowered);
  p.SetBevelWidth(2);
  p.SetBorderWidth(3);
  gui::Label inside(p, "inside");
  inside.SetAutoSize(false);
  inside.SetAlign(gui::Align::Client);
  EXPECT_EQ(inside.Bounds(), (Rect{7, 7, 86, 66}));
}

TEST_F(FormTest, ClientSizeAccountsForTheFrameAndTheMenu) {
  using B = gui::headless::Backend;
  gui::Form f(h.app, "TFrame");
  f.SetBorderStyle(gui::BorderStyle::Dialog);
  f.SetClientSize(300, 200);
  EXPECT_EQ(f.Width(), 300 + 2 * B::kFixedBorder);
  EXPECT_EQ(f.Height(), 200 + 2 * B::kFixedBorder + B::kCaptionHeight);
  gui::MainMenu menu(f, "menu");
  gui::MenuItem item(menu, "item", "ファイル(&F)");
  f.SetMenu(&menu);
  EXPECT_EQ(f.ClientHeight(), 200 - B::kMenuHeight);
  f.SetBorderStyle(gui::BorderStyle::None);
  EXPECT_EQ(f.ClientWidth(), f.Width());
}

// A form designed at 96 pixels per inch is scaled once, at creation, to the display's density.
TEST_F(FormTest, CreationScalesTheDesignToTheDisplayDensity) {
  struct Case {
    int ppi;
    Rect client, left, right, docked, label;
    int fontHeight, ownFontHeight, itemHeight, pictureWidth, ten;
  };
  const Case cases[] = {
      {96, {0, 0, 200, 100}, {10, 10, 15, 15}, {25, 10, 15, 15}, {0, 70, 200, 30}, {5, 40, 12, 12}, -12, -16, 13, 2, 10},
      {144, {0, 0, 300, 150}, {15, 15, 23, 23}, {38, 15, 22, 23}, {0, 105, 300, 45}, {8, 60, 18, 18}, -18, -24, 20, 3, 15},
      {120, {0, 0, 250, 125}, {13, 13, 18, 18}, {31, 13, 19, 18}, {0, 88, 250, 37}, {6, 50, 15, 15}, -15, -20, 16, 3, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    h.backend.SetPixelsPerInch(c.ppi);
    gui::Form f(h.app, "TScaled");
    f.SetBorderStyle(gui::BorderStyle::Dialog);
    f.SetBounds(30, 40, 0, 0);
    f.SetClientSize(200, 100);
    gui::Panel left(f, "left"), right(f, "right"), docked(f, "docked");
    left.SetBounds(10, 10, 15, 15);
    right.SetBounds(25, 10, 15, 15);  // touches `left`
    docked.SetHeight(30);
    docked.SetAlign(gui::Align::Bottom);
    gui::Label label(f, "label");
    label.SetBounds(5, 40, 0, 0);
    label.SetCaption("ab");
    gui::Font own = gui::DefaultFont();
    own.height = -16;
    right.SetFont(own);
    gui::ListBox list(f, "list");
    gui::Image picture(f, "picture"), stretched(f, "stretched");
    auto twoByTwo = std::make_shared<gui::Bitmap>(2, 2, gui::colors::kRed);
    twoByTwo->SetPixel(1, 1, gui::colors::kBlue);
    picture.SetPicture(twoByTwo);
    stretched.SetStretch(true);
    stretched.SetPicture(twoByTwo);
    f.DoCreate();

    EXPECT_EQ(f.ClientRect(), c.client);
    EXPECT_EQ((gui::Point{f.Left(), f.Top()}), (gui::Point{30, 40}));  // screen pixels stay
    EXPECT_EQ(left.Bounds(), c.left);
    EXPECT_EQ(right.Bounds(), c.right);
    EXPECT_EQ(docked.Bounds(), c.docked);
    EXPECT_EQ(label.Bounds(), c.label);  // measured again in the scaled font
    EXPECT_EQ(f.Font().height, c.fontHeight);
    EXPECT_EQ(right.Font().height, c.ownFontHeight);
    EXPECT_EQ(list.ItemHeight(), c.itemHeight);
    ASSERT_EQ(picture.Picture()->Width(), c.pictureWidth);
    // Nearest pixels: the colours stay exact, the last row and column keep the blue corner.
    EXPECT_EQ(picture.Picture()->Pixel(c.pictureWidth - 1, c.pictureWidth - 1), gui::colors::kBlue);
    EXPECT_EQ(picture.Picture()->Pixel(0, 0), gui::colors::kRed);
    EXPECT_EQ(stretched.Picture(), twoByTwo);
    EXPECT_EQ(f.Scale(10), c.ten);  // lengths handlers compute from the design
  }
}

TEST_F(FormTest, AFormThatIsNotScaledKeepsItsPixels) {
  h.backend.SetPixelsPerInch(144);
  gui::Form f(h.app, "TScreen");
  f.SetScaled(false);
  f.SetBounds(-1024, 0, 2048, 768);
  gui::Panel p(f, "p");
  p.SetBounds(1, 2, 3, 4);
  f.DoCreate();
  EXPECT_EQ(f.Bounds(), (Rect{-1024, 0, 2048, 768}));
  EXPECT_EQ(p.Bounds(), (Rect{1, 2, 3, 4}));
  EXPECT_EQ(f.Font().height, -12);
  EXPECT_EQ(f.Scale(10), 10);
}

TEST_F(FormTest, ScreenCenterPositionAppliesAtTheFirstShow) {
  h.backend.SetScreenSize({1024, 768});
  gui::Form f(h.app, "TCenter");
  f.SetBounds(5, 5, 301, 201);
  f.SetPosition(gui::FormPosition::ScreenCenter);
  f.Show();
  EXPECT_EQ(f.Left(), (1024 - 301) / 2);
  EXPECT_EQ(f.Top(), (768 - 201) / 2);
  f.Hide();
  f.SetLeft(0);
  f.Show();
  EXPECT_EQ(f.Left(), 0);
}

TEST_F(FormTest, CustomMessagesReachTheirHandler) {
  gui::Form f(h.app, "TQUOVEL32KAPUL");
  std::vector<std::uintptr_t> seen;
  f.SetMessageHandler(1025, [&](std::uintptr_t w, std::intptr_t l) -> std::intptr_t {
    seen.push_back(w);
    return l * 2;
  });
  std::intptr_t result = 0;
  EXPECT_TRUE(f.HandleMessage(1025, 0xC123, 21, result));
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(f.HandleMessage(1026, 1, 1, result));
  f.SetMessageHandler(1025, nullptr);
  EXPECT_FALSE(f.HandleMessage(1025, 1, 1, result));
  EXPECT_EQ(seen, std::vector<std::uintptr_t>{0xC123});
}

TEST_F(FormTest, ClosingTheMainFormEndsTheApplicationOthersOnlyHide) {
  auto& main = h.app.CreateForm<gui::Form>("TMain");
  auto& other = h.app.CreateForm<gui::Form>("TOther");
  EXPECT_EQ(h.app.MainForm(), &main);
  EXPECT_EQ(h.app.FindForm("TOther"), &other);
  other.Show();
  other.Close();
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(h.app.Terminated());
  main.Show();
  bool allow = false;
  main.OnCloseQuery = [&](gui::Component&, bool& canClose) { canClose = allow; };
  main.Close();
  EXPECT_FALSE(h.app.Terminated());
  allow = true;
  main.Close();
  EXPECT_TRUE(h.app.Terminated());
}

TEST_F(FormTest, OnCloseCanKeepTheFormOpen) {
  gui::Form f(h.app, "TKeep");
  f.OnClose = [](gui::Component&, gui::CloseAction& action) { action = gui::CloseAction::None; };
  f.Show();
  f.Close();
  EXPECT_TRUE(f.Visible());
}

TEST_F(FormTest, ShowRunsOnCreateOnceThenOnShow) {
  gui::Form f(h.app, "TEvents");
  std::vector<std::string> seen;
  f.OnCreate = [&](gui::Component&) { seen.push_back("create"); };
  f.OnShow = [&](gui::Component&) { seen.push_back("show"); };
  f.OnHide = [&](gui::Component&) { seen.push_back("hide"); };
  f.Show();
  f.Hide();
  f.Show();
  EXPECT_EQ(seen, (std::vector<std::string>{"create", "show", "hide", "show"}));
  EXPECT_NE(f.GetHandle(), 0u);
}

TEST_F(FormTest, ShowingFocusesTheFirstControlThatTakesTheFocus) {
  gui::Form f(h.app, "TFocus");
  gui::Label label(f, "label");
  gui::Button disabled(f, "disabled"), second(f, "second");
  disabled.SetEnabled(false);
  int entered = 0, changes = 0;
  second.OnEnter = [&](gui::Component&) { ++entered; };
  f.OnActiveControlChange = [&](gui::Component&) { ++changes; };
  f.Show();
  EXPECT_EQ(f.ActiveControl(), &second);
  f.Hide();
  f.Show();  // the focus stays where it was
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(FormTest, ComponentsAreFoundByDesignerName) {
  gui::Form f(h.app, "TNames");
  gui::Panel panel(f, "Panel1");
  gui::Label nested(panel, "Label1");
  gui::PopupMenu menu(f, "PopupMenu1");
  gui::MenuItem item(menu, "P1", "再生(&P)");
  EXPECT_EQ(f.Find<gui::Label>("Label1"), &nested);
  EXPECT_EQ(f.Find<gui::MenuItem>("P1"), &item);
  EXPECT_EQ(f.Find<gui::Label>("Panel1"), nullptr);
  EXPECT_EQ(f.FindComponent("nothing"), nullptr);
}

TEST_F(FormTest, FontColourAndHintsAreInheritedUntilSetOwn) {
  gui::Form f(h.app, "TInherit");
  gui::Panel panel(f, "panel");
  gui::Label label(panel, "label");
  gui::Font big = f.Font();
  big.SetSize(12);
  f.SetFont(big);
  EXPECT_EQ(label.Font().height, -16);
  panel.SetColor(gui::colors::kNavy);
  EXPECT_EQ(label.Color(), gui::colors::kNavy);  // labels take the parent's colour
  gui::Font own = label.Font();
  own.bold = true;
  label.SetFont(own);
  f.SetFont(gui::DefaultFont());
  EXPECT_TRUE(label.Font().bold);
  EXPECT_EQ(panel.Font(), gui::DefaultFont());
  f.SetShowHint(true);
  EXPECT_TRUE(label.ShowHint());
  label.SetShowHint(false);
  EXPECT_FALSE(label.ShowHint());
}

// The fixed headless metric: half the font height per byte, one font height per line.
TEST_F(FormTest, AutoSizedLabelsMeasureTheirCaption) {
  gui::Form f(h.app, "TMeasure");
  gui::Label label(f, "Msg");
  gui::Font system = label.Font();
  system.height = -13;
  label.SetFont(system);
  struct {
    std::string caption;
    gui::Size size;
  } cases[] = {
      {"", {0, 13}}, {"OK", {13, 13}}, {"再生", {26, 13}}, {"&Open", {26, 13}}, {"ab\nabcd", {26, 26}}, {"x\r\ny\r\n", {6, 39}},
  };
  for (const auto& c : cases) {
    label.SetCaption(c.caption);
    EXPECT_EQ(label.Width(), c.size.width) << testsupport::Utf8(c.caption);
    EXPECT_EQ(label.Height(), c.size.height) << testsupport::Utf8(c.caption);
  }
}

TEST(FontSize, PointsAndPixelsConvertLikeWindows) {
  gui::Font f;
  struct {
    int points, height;
  } cases[] = {{9, -12}, {10, -13}, {12, -16}, {11, -15}, {8, -11}};
  for (const auto& c : cases) {
    f.SetSize(c.points);
    EXPECT_EQ(f.height, c.height) << c.points;
    EXPECT_EQ(f.Size(), c.points) << c.points;
  }
}

TEST_F(FormTest, MenuItemsRunOnClickOnlyWhenPickedAndAvailable) {
  gui::Form f(h.app, "TMenus");
  gui::MainMenu menu(f, "MainMenu1");
  gui::MenuItem file(menu, "MF0", "ファイル(&F)");
  gui::MenuItem save(file, "F1", "保存(&S)");
  std::vector<std::string> seen;
  file.OnClick = [&](gui::Component&) { seen.push_back("MF0"); };
  save.OnClick = [&](gui::Component& s) { seen.push_back(s.Name()); };
  f.SetMenu(&menu);
  f.Show();
  save.SetChecked(true);  // by code: nothing runs
  EXPECT_TRUE(file.UserClick());  // opening the sub-menu
  EXPECT_TRUE(save.UserClick());
  file.SetEnabled(false);
  EXPECT_FALSE(save.UserClick());
  file.SetEnabled(true);
  save.SetVisible(false);
  EXPECT_FALSE(save.UserClick());
  EXPECT_EQ(seen, (std::vector<std::string>{"MF0", "F1"}));
}

TEST_F(FormTest, PopupMenusRunOnPopupAndTheScriptedPick) {
  gui::Form f(h.app, "TPopup");
  gui::PopupMenu popup(f, "PopupMenu_TR");
  gui::MenuItem play(popup, "TR1", "再生(&P)"), stop(popup, "TR2", "中断(&K)");
  std::vector<std::string> seen;
  popup.OnPopup = [&](gui::Component&) { seen.push_back("popup"); };
  play.OnClick = [&](gui::Component&) { seen.push_back("TR1"); };
  stop.OnClick = [&](gui::Component&) { seen.push_back("TR2"); };
  h.backend.ExpectPopup("PopupMenu_TR", "TR2");
  popup.Popup(10, 20);
  popup.Popup(10, 20);  // nothing scripted: dismissed
  EXPECT_EQ(seen, (std::vector<std::string>{"popup", "TR2", "popup"}));
  EXPECT_EQ(h.backend.PopupHistory(), (std::vector<std::string>{"PopupMenu_TR>TR2", "PopupMenu_TR"}));
}

TEST_F(FormTest, OwnerDrawnRowsBecomeDrawOperations) {
  gui::Form f(h.app, "TDraw");
  gui::ListBox list(f, "ListBox1");
  list.SetBounds(0, 0, 120, 40);
  list.SetStyle(gui::ListStyle::OwnerDrawFixed);
  list.SetItemHeight(16);
  list.SetItems({"A:", "C:", "D:", "E:"});
  list.SetTag(1);
  list.SetItemIndex(2);
  list.OnDrawItem = [&](gui::Component&, gui::Canvas& canvas, int index, const Rect& rect, gui::OwnerDrawState) {
    canvas.FillRect(rect);
    canvas.font.bold = index == list.Tag();
    canvas.TextAt(rect.left + 18, rect.top + 1, list.Item(index));
  };
  gui::RecordingCanvas canvas;
  list.PaintTo(canvas);
  auto texts = canvas.OpsOf(gui::DrawOp::Kind::Text);
  auto fills = canvas.OpsOf(gui::DrawOp::Kind::FillRect);
  ASSERT_EQ(texts.size(), 3u);  // two rows fit, the third is partly visible
  EXPECT_EQ(texts[1].text, "C:");
  EXPECT_TRUE(texts[1].font.bold);
  EXPECT_FALSE(texts[0].font.bold);
  EXPECT_EQ(texts[2].points[0], (gui::Point{18, 33}));
  EXPECT_EQ(fills[2].brush.color, gui::colors::kHighlight);
  EXPECT_EQ(fills[0].brush.color, gui::colors::kWindow);
  EXPECT_EQ(texts[2].font.color, gui::colors::kHighlightText);
}

TEST_F(FormTest, PanelsPaintFillBevelsAndCaption) {
  gui::Form f(h.app, "TPanel");
  gui::Panel p(f, "Btn_OK");
  p.SetBounds(0, 0, 89, 33);
  p.SetCaption("ＯＫ");
  p.SetBevelWidth(2);
  p.SetBevelOuter(gui::Bevel::Lowered);
  p.SetColor(gui::Rgb(200, 100, 50));
  gui::RecordingCanvas canvas;
  p.PaintTo(canvas);
  const auto& ops = canvas.Ops();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].kind, gui::DrawOp::Kind::FillRect);
  EXPECT_EQ(ops[0].brush.color, gui::Rgb(200, 100, 50));
  EXPECT_EQ(ops[1].kind, gui::DrawOp::Kind::Bevel);
  EXPECT_EQ(ops[1].colors[0], gui::colors::kBtnShadow);  // lowered: dark at the top left
  EXPECT_EQ(ops[1].width, 2);
  EXPECT_EQ(ops[2].kind, gui::DrawOp::Kind::TextRect);
  EXPECT_EQ(ops[2].rect, (Rect{2, 2, 85, 29}));
}

TEST_F(FormTest, ImagesDrawTheirPictureWhereTheirModeSays) {
  gui::Form f(h.app, "TImage");
  gui::Image image(f, "Image1");
  image.SetBounds(0, 0, 40, 40);
  auto picture = std::make_shared<gui::Bitmap>(32, 16);
  image.SetPicture(picture);
  EXPECT_EQ(image.PictureRect(), (Rect{0, 0, 32, 16}));
  image.SetCenter(true);
  EXPECT_EQ(image.PictureRect(), (Rect{4, 12, 32, 16}));
  image.SetStretch(true);
  EXPECT_EQ(image.PictureRect(), (Rect{0, 0, 40, 40}));
  gui::RecordingCanvas canvas;
  image.PaintTo(canvas);
  ASSERT_EQ(canvas.OpsOf(gui::DrawOp::Kind::Bitmap).size(), 1u);
  EXPECT_EQ(canvas.OpsOf(gui::DrawOp::Kind::Bitmap)[0].bitmap.get(), picture.get());
}

TEST(BitmapPixels, ColoursRoundTripAndReplace) {
  gui::Bitmap b(3, 2, gui::colors::kBlack);
  b.SetPixel(1, 1, gui::Rgb(10, 20, 30));
  b.SetPixel(9, 9, gui::colors::kWhite);  // ignored
  EXPECT_EQ(b.Pixel(1, 1), gui::Rgb(10, 20, 30));
  EXPECT_EQ(b.Data()[4], 0x000A141Eu);  // DIB order 0x00RRGGBB
  b.ReplaceColor(gui::colors::kBlack, gui::colors::kBtnFace & 0xFFFFFF);
  EXPECT_EQ(b.Pixel(0, 0), gui::colors::kBtnFace & 0xFFFFFF);
  EXPECT_EQ(b.Pixel(1, 1), gui::Rgb(10, 20, 30));
}

TEST_F(FormTest, MinimisingAndTheCursorAreApplicationState) {
  auto& main = h.app.CreateForm<gui::Form>("TMain");
  int minimized = 0, restored = 0;
  h.app.OnMinimize = [&](gui::Component&) { ++minimized; };
  h.app.OnRestore = [&](gui::Component&) { ++restored; };
  main.PeerWindowStateChanged(gui::WindowState::Minimized);  // the user minimises the main form
  h.app.Minimize();
  EXPECT_TRUE(h.app.Minimized());
  h.app.Restore();
  EXPECT_EQ(minimized, 1);
  EXPECT_EQ(restored, 1);
  h.app.GetScreen().SetCursor(gui::Cursor::HourGlass);
  EXPECT_EQ(h.backend.CurrentCursor(), gui::Cursor::HourGlass);
}

TEST_F(FormTest, AWindowDestroyedByItsHostEndsTheApplicationOnlyForTheMainForm) {
  auto& main = h.app.CreateForm<gui::Form>("TMain");
  auto& other = h.app.CreateForm<gui::Form>("TOther");
  std::vector<std::string> gone;
  for (gui::Form* f : {&main, &other}) f->OnWindowGone = [&gone, f](gui::Component&) { gone.push_back(f->ClassName()); };
  other.PeerWindowGone();
  EXPECT_FALSE(h.app.Terminated());
  main.PeerWindowGone();
  EXPECT_TRUE(h.app.Terminated());
  EXPECT_EQ(gone, (std::vector<std::string>{"TOther", "TMain"}));
}

TEST_F(FormTest, NotificationIconsFollowTheirStateAndReportMouseMessages) {
  gui::Form f(h.app, "TTray");
  std::vector<gui::MouseButton> seen;
  {
    gui::TTaskTray icon(f, "TaskTray1");
    icon.OnMouseDown = [&](gui::Component&, gui::MouseButton button, gui::ShiftState, int, int) { seen.push_back(button); };
    icon.SetIcon(gui::TrayIcon::Program());
    icon.SetTipString("QUOVEL32");
    EXPECT_TRUE(h.backend.TrayIcons().empty());
    icon.SetRegistered(true);
    EXPECT_EQ(h.backend.TrayIcons(), (std::map<int, std::string>{{1, "QUOVEL32"}}));
    icon.SetIconID(2);
    icon.SetTipString("再生中");
    EXPECT_EQ(h.backend.TrayIcons(), (std::map<int, std::string>{{2, "再生中"}}));
    gui::TTaskTray::ShellCallback(2, gui::kNotifyLeftDown, 5, 6);
  }
  EXPECT_TRUE(h.backend.TrayIcons().empty());  // destroying the component removes its icon
  EXPECT_EQ(seen, std::vector<gui::MouseButton>{gui::MouseButton::Left});
}

}  // namespace
