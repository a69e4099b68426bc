// The demonstration form on real windows: window messages reach the controls' User... entry
// points, changes made by code stay silent as the model says, and forms are found by class.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/demo_form.h"
#include "gui/header_control.h"
#include "gui/list_view.h"
#include "gui/panel.h"
#include "gui/task_tray.h"
#include "gui/tree_view.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "support/sjis_text.h"

namespace {

using guitest::DemoForm;
using Log = std::vector<std::string>;

HWND H(gui::Control& c) { return reinterpret_cast<HWND>(c.GetHandle()); }

std::wstring Text(HWND h) {
  wchar_t buf[512] = {};
  GetWindowTextW(h, buf, 512);
  return buf;
}

struct Win32Demo : ::testing::Test {
  gui::win32::Backend backend;
  gui::Application app{backend};
  DemoForm& demo = app.CreateForm<DemoForm>();

  void SetUp() override {
    demo.Show();
    app.ProcessMessages();
    demo.log.clear();
  }
  // Lets messages run until `done` holds, for at most `ms` milliseconds.
  template <class F>
  bool PumpUntil(F done, DWORD ms = 5000) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
      if (GetTickCount64() > end) return false;
      app.ProcessMessages();
      Sleep(5);
    }
    return true;
  }
};

TEST_F(Win32Demo, FormsAreFoundByTheirClassNameAndShowJapaneseCaptions) {
  EXPECT_EQ(FindWindowW(L"TQVGUIDEMO", nullptr), H(demo));
  EXPECT_TRUE(IsWindowVisible(H(demo)));
  EXPECT_EQ(Text(H(demo)), L"QUOVEL32 コンポーネント見本");
  EXPECT_EQ(Text(H(demo.Button3)), L"再 生(&P)");
  demo.Label1.SetCaption("件数 12");  // drawn by the program, still told as the window's text
  EXPECT_EQ(Text(H(demo.Label1)), L"件数 12");
  // The owner is the application's taskbar window.
  EXPECT_EQ(GetWindow(H(demo), GW_OWNER), reinterpret_cast<HWND>(app.GetHandle()));
}

// A form whose hidden controls wait for their windows.
struct HiddenPartsForm : gui::Form {
  explicit HiddenPartsForm(gui::Application& app) : gui::Form(app, "TQVHIDDENPARTS", "HiddenPartsForm") {
    for (gui::Button* b : {&first, &second, &third}) b->SetBounds(10, 10, 80, 24);  // overlapping
    second.Hide();
    panel.Hide();
  }
  gui::Button first{*this, "first"};
  gui::Button second{*this, "second"};
  gui::Button third{*this, "third"};
  gui::Panel panel{*this, "panel"};
  gui::Button inner{panel, "inner"};
};

TEST_F(Win32Demo, HiddenControlsGetTheirWindowsWhenShownOrAskedForInTheirPlace) {
  auto& form = app.CreateForm<HiddenPartsForm>();
  form.Show();
  EXPECT_FALSE(form.second.HasPeer());
  EXPECT_FALSE(form.panel.HasPeer() || form.inner.HasPeer());
  // Shown later, the window keeps the place of the control among its siblings: below the
  // first, above the third, as if made with the form.
  form.second.Show();
  EXPECT_EQ(GetWindow(H(form.first), GW_HWNDNEXT), H(form.second));
  EXPECT_EQ(GetWindow(H(form.second), GW_HWNDNEXT), H(form.third));
  EXPECT_EQ(ChildWindowFromPoint(H(form), POINT{20, 20}), H(form.first));
  // Asking for the handle of a control inside a hidden panel makes both, hidden.
  HWND inner = H(form.inner);
  EXPECT_EQ(GetParent(inner), H(form.panel));
  EXPECT_FALSE(IsWindowVisible(H(form.panel)));
  EXPECT_EQ(GetWindow(H(form.third), GW_HWNDNEXT), H(form.panel));
}

// A form whose controls wait under a banner.
struct CoveredForm : gui::Form {
  explicit CoveredForm(gui::Application& app) : gui::Form(app, "TQVCOVERED", "CoveredForm") {
    banner.SetAlign(gui::Align::Client);
    under.SetBounds(10, 10, 80, 24);
    HoldUnder(banner);
  }
  gui::Panel banner{*this, "banner"};
  gui::Button under{*this, "under"};
};

TEST_F(Win32Demo, ControlsUnderABannerGetTheirWindowsOnceTheFormIsPaintedOrTheBannerGoes) {
  auto& painted = app.CreateForm<CoveredForm>();
  painted.Show();
  EXPECT_TRUE(painted.banner.HasPeer());
  EXPECT_FALSE(painted.under.HasPeer());
  ASSERT_TRUE(PumpUntil([&] { return painted.under.HasPeer(); }));
  EXPECT_EQ(GetWindow(H(painted.banner), GW_HWNDNEXT), H(painted.under));  // still under the banner
  EXPECT_EQ(GetFocus(), H(painted.under));
  auto& uncovered = app.CreateForm<CoveredForm>();
  uncovered.Show();
  uncovered.banner.Hide();
  EXPECT_TRUE(uncovered.under.HasPeer());
  EXPECT_TRUE(IsWindowVisible(H(uncovered.under)));
}

TEST_F(Win32Demo, ClicksArriveThroughButtonMessages) {
  SendMessageW(H(demo.Button3), BM_CLICK, 0, 0);
  SendMessageW(H(demo.CheckBox1), BM_CLICK, 0, 0);
  SendMessageW(H(demo.RadioButton2), BM_CLICK, 0, 0);
  HWND first = FindWindowExW(H(demo.RadioGroup1), nullptr, L"BUTTON", L"連続");
  ASSERT_NE(first, nullptr);
  SendMessageW(first, BM_CLICK, 0, 0);
  EXPECT_EQ(demo.log, (Log{"Button3Click", "CheckBox1Click", "RadioButton2Click", "RadioGroup1Click"}));
  EXPECT_TRUE(demo.CheckBox1.Checked());
  EXPECT_EQ(SendMessageW(H(demo.CheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(H(demo.RadioButton1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(demo.RadioGroup1.ItemIndex(), 0);
}

// What escapes a handler reaches the last resort, and the window and its timers go on.
TEST_F(Win32Demo, AnExceptionOfAHandlerGoesToTheLastResort) {
  std::vector<std::string> failures;
  app.OnHandlerFailed = [&](const std::string& what) { failures.push_back(what); };
  demo.Button3.OnClick = [](gui::Component&) { throw std::runtime_error("button"); };
  demo.Timer1.OnTimer = [&](gui::Component&) {
    demo.Timer1.SetEnabled(false);
    throw std::bad_alloc();
  };
  SendMessageW(H(demo.Button3), BM_CLICK, 0, 0);
  demo.Timer1.SetInterval(10);
  demo.Timer1.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return failures.size() == 2; }));
  EXPECT_EQ(failures, (std::vector<std::string>{"button", std::bad_alloc().what()}));
  EXPECT_TRUE(IsWindow(H(demo.Button3)));
}

TEST_F(Win32Demo, ChangesByCodeRunOnlyTheModelsEventsOnce) {
  demo.ListBox1.SetItemIndex(2);
  demo.ListBox1.SetSelected(2, true);
  demo.ComboBox1.SetItemIndex(1);
  SendMessageW(H(demo.ComboBox1), CB_SETCURSEL, 2, 0);
  demo.Edit1.SetText("新しい名前");
  demo.CheckBox1.SetChecked(true);
  app.ProcessMessages();
  EXPECT_EQ(demo.log, (Log{"Edit1Change", "CheckBox1Click"}));
  EXPECT_NE(SendMessageW(H(demo.ListBox1), LB_GETSEL, 2, 0), 0);
  EXPECT_EQ(Text(H(demo.Edit1)), L"新しい名前");
  EXPECT_EQ(SendMessageW(H(demo.CheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32Demo, DisabledControlsIgnoreClicks) {
  demo.Button3.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(H(demo.Button3)));
  SendMessageW(H(demo.Button3), BM_CLICK, 0, 0);
  SendMessageW(H(demo), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(H(demo.Button3)));
  EXPECT_TRUE(demo.log.empty());
}

TEST_F(Win32Demo, ListClicksSelectRowsAndSetTheTag) {
  const int rowHeight = demo.ListBox1.ItemHeight();
  const LPARAM at = MAKELPARAM(10, rowHeight + rowHeight / 2);  // row 1
  SendMessageW(H(demo.ListBox1), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(H(demo.ListBox1), WM_LBUTTONUP, 0, at);
  app.ProcessMessages();
  ASSERT_FALSE(demo.log.empty());
  EXPECT_EQ(demo.log[0], "ListBox1Click");
  EXPECT_EQ(demo.ListBox1.ItemIndex(), 1);
  EXPECT_TRUE(demo.ListBox1.Selected(1));
  EXPECT_EQ(demo.ListBox1.Tag(), 1);
  EXPECT_EQ(demo.ListBox1.ItemAtPos({10, 2 * rowHeight + 1}), 2);
}

TEST_F(Win32Demo, TypingChangesTheTextAndRunsOnChange) {
  SetFocus(H(demo.Edit1));
  SendMessageW(H(demo.Edit1), EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"星空")) SendMessageW(H(demo.Edit1), WM_CHAR, c, 0);
  EXPECT_EQ(demo.Edit1.Text(), "星空") << testsupport::Utf8(demo.Edit1.Text());
  EXPECT_EQ(demo.log, (Log{"Edit1Change", "Edit1Change"}));
}

TEST_F(Win32Demo, EnterInAnEditClicksTheDefaultButton) {
  SetFocus(H(demo.Edit1));
  PostMessageW(H(demo.Edit1), WM_KEYDOWN, VK_RETURN, 0);
  app.ProcessMessages();
  EXPECT_EQ(demo.log, Log{"Button1Click"});
}

TEST_F(Win32Demo, TimersFireThroughWindowMessages) {
  demo.Timer1.SetInterval(30);
  demo.Timer1.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return demo.ticks >= 3; }));
  demo.Timer1.SetEnabled(false);
  EXPECT_EQ(Text(H(demo.Label4)), platform::win32::Wide(demo.Label4.Caption()));
}

TEST_F(Win32Demo, CustomMessagesReachTheFormHandler) {
  const LRESULT r = SendMessageW(FindWindowW(L"TQVGUIDEMO", nullptr), DemoForm::kHandOffMessage, 0xC001, 7);
  EXPECT_EQ(r, 0xC002);
  EXPECT_EQ(demo.lastLParam, 7);
  EXPECT_EQ(demo.log, Log{"WMUser1"});
}

TEST_F(Win32Demo, MenusRunTheirItemsAndShowTheirState) {
  HMENU bar = GetMenu(H(demo));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  SendMessageW(H(demo), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 1)), 1);
  SendMessageW(H(demo), WM_COMMAND, MAKEWPARAM(demo.F1.Command(), 0), 0);
  EXPECT_EQ(demo.log, (Log{"MOption0Click", "F1Click"}));
  EXPECT_TRUE(GetMenuState(bar, static_cast<UINT>(demo.K6.Command()), MF_BYCOMMAND) & MF_CHECKED);
  demo.K6.SetChecked(false);  // by code: nothing runs, the menu shows it
  EXPECT_FALSE(GetMenuState(bar, static_cast<UINT>(demo.K6.Command()), MF_BYCOMMAND) & MF_CHECKED);
  demo.F1.SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 2);
  EXPECT_EQ(demo.log.size(), 2u);
}

TEST_F(Win32Demo, ResizingTheWindowRealignsTheList) {
  const int listHeight = demo.ListBox1.Height();
  RECT rc;
  GetWindowRect(H(demo), &rc);
  SetWindowPos(H(demo), nullptr, 0, 0, rc.right - rc.left + 60, rc.bottom - rc.top + 40, SWP_NOMOVE | SWP_NOZORDER);
  app.ProcessMessages();
  EXPECT_EQ(demo.Width(), rc.right - rc.left + 60);
  EXPECT_EQ(demo.ListBox1.Height(), listHeight + 40);
  RECT list;
  GetWindowRect(H(demo.ListBox1), &list);
  EXPECT_EQ(list.bottom - list.top, listHeight + 40);
}

TEST_F(Win32Demo, RowsAddedInABatchRepaintTheListOnceAtTheEnd) {
  HWND list = H(demo.ListBox1);
  RECT dirty;
  // Without a batch every new row invalidates the list.
  ValidateRect(list, nullptr);
  demo.ListBox1.AddItem("single");
  EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE));
  const int before = demo.ListBox1.Count();
  ValidateRect(list, nullptr);
  {
    gui::ListUpdate batch{&demo.ListBox1};
    demo.ListBox1.BeginUpdate();  // nested
    for (int i = 0; i < 55; ++i) demo.ListBox1.AddItem("row " + std::to_string(i));
    for (int i = 0; i < 5; ++i) demo.ListBox1.DeleteItem(0);
    demo.ListBox1.EndUpdate();
    EXPECT_FALSE(GetUpdateRect(list, &dirty, FALSE));
    EXPECT_TRUE(IsWindowVisible(list));
  }
  EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE));
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), before + 50);
  EXPECT_TRUE(IsWindowVisible(list));
}

TEST_F(Win32Demo, AListRefilledInABatchHasItsRowsWhenTheBatchEndsOrTheUserActs) {
  HWND list = H(demo.ListBox1);
  std::vector<std::string> rows;
  for (int i = 0; i < 200; ++i) rows.push_back("row " + std::to_string(i));
  rows[0] = "星空ｽｸﾘｰﾝ";  // longer in UTF-16 than the row after it
  {
    gui::ListUpdate batch{&demo.ListBox1};
    demo.ListBox1.SetItems({"old"});
    demo.ListBox1.SetItems(rows);
    demo.ListBox1.SetItemIndex(150);
  }
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 200);
  for (const auto& [row, text] : {std::pair{0, L"星空ｽｸﾘｰﾝ"}, std::pair{1, L"row 1"}}) {
    wchar_t got[64] = {};
    SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(got));
    EXPECT_STREQ(got, text);
  }
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 150);
  const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  EXPECT_TRUE(top <= 150 && 150 < top + demo.ListBox1.VisibleRows()) << top;
  EXPECT_EQ(demo.ListBox1.TopIndex(), top);
  SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_POS};
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &bar));  // the bar follows the rows, drawn or not
  EXPECT_EQ(bar.nMax, 199);
  EXPECT_EQ(bar.nPos, top);
  EXPECT_TRUE(IsWindowVisible(list));
  // The same rows again leave the window as new rows would: none selected, caret and top row
  // where a refill puts them.
  demo.ListBox1.SetItems({"x", "y"});
  const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  demo.ListBox1.SetItems(rows);
  demo.ListBox1.SetSelected(150, true);
  demo.ListBox1.SetItemIndex(150);
  demo.ListBox1.SetItems(rows);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 200);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), caret);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  // A click in the middle of a batch lands on the rows the list holds by then.
  gui::ListUpdate batch{&demo.ListBox1};
  demo.ListBox1.SetItems({"a", "b", "c"});
  const int rowHeight = demo.ListBox1.ItemHeight();
  const LPARAM at = MAKELPARAM(10, rowHeight + rowHeight / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(demo.ListBox1.ItemIndex(), 1);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
}

TEST_F(Win32Demo, AModalFormEndsWithTheResultOfAPostedClick) {
  DemoForm box(app);
  box.GetHandle();
  PostMessageW(H(box.Button1), BM_CLICK, 0, 0);
  EXPECT_EQ(box.ShowModal(), gui::kMrOk);
  EXPECT_FALSE(IsWindowVisible(H(box)));
  EXPECT_TRUE(IsWindowEnabled(H(demo)));
  PostMessageW(H(box), WM_CLOSE, 0, 0);
  EXPECT_EQ(box.ShowModal(), gui::kMrCancel);
  EXPECT_EQ(box.log, (Log{"Button1Click", "FormCloseQuery", "FormCloseQuery"}));
}

TEST_F(Win32Demo, OtherFormsAreDisabledWhileAModalFormRuns) {
  DemoForm box(app);
  box.GetHandle();
  BOOL mainEnabled = TRUE;
  box.Timer1.SetInterval(20);
  box.Timer1.SetEnabled(true);
  box.Timer1.OnTimer = [&](gui::Component&) {
    mainEnabled = IsWindowEnabled(H(demo));
    box.SetModalResult(gui::kMrYes);
  };
  EXPECT_EQ(box.ShowModal(), gui::kMrYes);
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(H(demo)));
}

TEST_F(Win32Demo, AltWithAnAcceleratorClicksTheButton) {
  SetFocus(H(demo.Edit1));
  PostMessageW(H(demo.Edit1), WM_SYSKEYDOWN, 'P', 1 << 29);
  app.ProcessMessages();
  EXPECT_EQ(demo.log, Log{"Button3Click"});
}

TEST_F(Win32Demo, DraggingAListRowDropsItOnTheMemo) {
  demo.BringToFront();
  app.ProcessMessages();
  RECT memo;
  GetWindowRect(H(demo.Memo1), &memo);
  POINT drop{(memo.left + memo.right) / 2, (memo.top + memo.bottom) / 2};
  ScreenToClient(H(demo.ListBox1), &drop);
  const int y = demo.ListBox1.ItemHeight() * 2 + 3;  // row 2
  HWND list = H(demo.ListBox1);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
  SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, y + 10));
  SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  app.ProcessMessages();
  EXPECT_EQ(demo.log, (Log{"ListBox1Click", "Memo1DragDrop"}));
  EXPECT_EQ(demo.Memo1.Lines().back(), "C:\\SAVERS\\水槽.SCR");
}

TEST_F(Win32Demo, DraggingFromASelectedRowKeepsEverySelectedRow) {
  demo.BringToFront();
  demo.ListBox1.SetSelected(1, true);
  demo.ListBox1.SetSelected(3, true);
  int selectedAtDrop = -1;
  auto logDrop = demo.Memo1.OnDragDrop;
  demo.Memo1.OnDragDrop = [&](gui::Component& s, gui::Component& src, int x, int y) {
    selectedAtDrop = demo.ListBox1.SelCount();
    logDrop(s, src, x, y);
  };
  app.ProcessMessages();
  RECT memo;
  GetWindowRect(H(demo.Memo1), &memo);
  POINT drop{(memo.left + memo.right) / 2, (memo.top + memo.bottom) / 2};
  ScreenToClient(H(demo.ListBox1), &drop);
  const int y = demo.ListBox1.ItemHeight() * 3 + 3;  // row 3, selected
  HWND list = H(demo.ListBox1);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
  SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, y + 12));
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  EXPECT_EQ(selectedAtDrop, 2);
  EXPECT_TRUE(demo.ListBox1.Selected(1));
  // A press on a selected row without moving is an ordinary click: only that row stays.
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
  app.ProcessMessages();
  EXPECT_EQ(demo.ListBox1.SelCount(), 1);
  EXPECT_TRUE(demo.ListBox1.Selected(3));
}

TEST_F(Win32Demo, PopupMenusRunOnPopupAndThePickedItem) {
  SetForegroundWindow(H(demo));
  // The menu's own loop reads these keys: down to the second item, then Enter.
  PostMessageW(H(demo), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(H(demo), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(H(demo), WM_KEYDOWN, VK_RETURN, 0);
  RECT rc;
  GetWindowRect(H(demo.ListBox1), &rc);
  demo.PopupMenu1.Popup(rc.left + 10, rc.top + 10);
  EXPECT_EQ(demo.log, (Log{"PopupMenu1Popup", "P2Click"}));
}

TEST_F(Win32Demo, AFormCanLiveInsideAnotherWindow) {
  DemoForm preview(app);
  preview.SetBorderStyle(gui::BorderStyle::None);
  preview.SetParentWindow(reinterpret_cast<gui::Handle>(H(demo.PanelTop)));
  preview.SetBounds(0, 0, 100, 20);
  preview.Show();
  app.ProcessMessages();
  EXPECT_EQ(GetParent(H(preview)), H(demo.PanelTop));
  EXPECT_TRUE(GetWindowLongW(H(preview), GWL_STYLE) & WS_CHILD);
  SetWindowPos(H(preview), nullptr, 5, 3, 100, 20, SWP_NOZORDER);
  EXPECT_EQ(preview.Left(), 5);
  EXPECT_EQ(preview.Top(), 3);
}

TEST_F(Win32Demo, MinimisingHidesTheFormsBehindTheTaskbarWindow) {
  HWND appWindow = reinterpret_cast<HWND>(app.GetHandle());
  EXPECT_TRUE(IsWindowVisible(appWindow));  // it carries the taskbar button
  SendMessageW(H(demo), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(app.Minimized());
  EXPECT_FALSE(IsWindowVisible(H(demo)));
  EXPECT_TRUE(demo.Visible());
  SendMessageW(appWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(app.Minimized());
  EXPECT_TRUE(IsWindowVisible(H(demo)));
  app.ShowTaskbarButton(false);
  EXPECT_FALSE(IsWindowVisible(appWindow));
  EXPECT_TRUE(IsWindowVisible(H(demo)));
}

BOOL CALLBACK CountTips(HWND hwnd, LPARAM counts) {
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<LRESULT*>(counts) += SendMessageW(hwnd, TTM_GETTOOLCOUNT, 0, 0);
  return TRUE;
}

LRESULT ToolCount() {
  LRESULT n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTips, reinterpret_cast<LPARAM>(&n));
  return n;
}

TEST_F(Win32Demo, HintsBecomeToolTipsOfTheirControls) {
  const LRESULT before = ToolCount();
  EXPECT_EQ(before, 3);  // Button3, ListBox1 and Memo1 have hints
  demo.Button3.SetShowHint(false);
  EXPECT_EQ(ToolCount(), before - 1);
  demo.Edit1.SetHint("名前を入れます");
  EXPECT_EQ(ToolCount(), before);
}

TEST_F(Win32Demo, TreeNodesOpenThroughTheWindowAndReadTheirChildren) {
  gui::Form form(app, "TTreeTest");
  gui::TreeView tree(form, "TreeView1");
  tree.SetBounds(0, 0, 200, 150);
  Log seen;
  tree.OnExpanding = [&](gui::Component&, gui::TreeNode& n, bool&) {
    seen.push_back("expanding");
    if (n.Count() == 0) n.AddChild("WINDOWS");
  };
  tree.OnChange = [&](gui::Component&, gui::TreeNode& n) { seen.push_back("change " + n.Text()); };
  gui::TreeNode* c = tree.AddRoot("C:");
  c->SetHasChildren(true);
  gui::TreeNode* d = tree.AddRoot("デスクトップ");
  form.Show();
  HWND h = H(tree);
  EXPECT_EQ(SendMessageW(h, TVM_GETCOUNT, 0, 0), 2);
  HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageW(h, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  SendMessageW(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(SendMessageW(h, TVM_GETCOUNT, 0, 0), 3);
  EXPECT_TRUE(c->Expanded());
  tree.SetSelected(d);  // by code: no OnChange
  SetFocus(h);
  SendMessageW(h, WM_KEYDOWN, VK_HOME, 0);  // the user goes to the first node
  EXPECT_EQ(tree.Selected(), c);
  d->SetBold(true);
  HTREEITEM second = reinterpret_cast<HTREEITEM>(SendMessageW(h, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(first)));
  EXPECT_TRUE(SendMessageW(h, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(second), TVIS_BOLD) & TVIS_BOLD);
  c->DeleteChildren();
  EXPECT_EQ(SendMessageW(h, TVM_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(seen, (Log{"expanding", "change C:"}));
}

std::wstring ColumnText(HWND list, int column) {
  wchar_t buf[128] = {};
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.pszText = buf;
  col.cchTextMax = 128;
  SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
  return std::wstring(buf) + ((col.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? L" >" : L"");
}

std::wstring CellText(HWND list, int row, int column) {
  wchar_t buf[128] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = 128;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buf;
}

// Presses and releases the left button in the middle of `r` (client coordinates of `h`).
void ClickAt(HWND h, const RECT& r) {
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(h, WM_LBUTTONUP, 0, at);
}

TEST_F(Win32Demo, ListViewRowsColumnsSelectionAndRowStylesGoThroughTheWindow) {
  gui::Form form(app, "TListViewTest");
  gui::ListView list(form, "ListView1");
  list.SetBounds(0, 0, 300, 150);
  list.SetRowSelect(true);
  list.AddColumn("ファイル名", 120);
  list.AddColumn("サイズ", 80, gui::TextAlignment::Right);
  list.AddItem({"STARS.SCR", {"12,288", "scr"}});
  list.AddItem({"星空.SCR", {"204,800", "scr"}});
  Log seen;
  list.OnClick = [&](gui::Component&) { seen.push_back("click " + std::to_string(list.ItemIndex())); };
  list.OnColumnClick = [&](gui::Component&, int c) { seen.push_back("column " + std::to_string(c)); };
  std::vector<int> styled;
  list.OnRowStyle = [&](const gui::ListItem& item, bool selected) {
    styled.push_back(item.caption == "星空.SCR" ? (selected ? 11 : 1) : (selected ? 10 : 0));
    return gui::RowStyle{true, false, selected};
  };
  form.Show();
  HWND h = H(list);
  list.Column(0).SetCaption("2ｺ　ファイル名");
  EXPECT_EQ(ColumnText(h, 0), L"2ｺ　ファイル名");
  EXPECT_EQ(ColumnText(h, 1), L"サイズ >");
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(CellText(h, 1, 0), L"星空.SCR");
  EXPECT_EQ(CellText(h, 1, 1), L"204,800");

  list.SetItemIndex(1);  // by code: no OnClick
  EXPECT_EQ(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_NE(std::find(styled.begin(), styled.end(), 11), styled.end());
  EXPECT_NE(std::find(styled.begin(), styled.end(), 0), styled.end());

  SetFocus(h);
  SendMessageW(h, WM_KEYDOWN, VK_HOME, 0);  // the user goes to the first row
  EXPECT_EQ(list.ItemIndex(), 0);
  RECT head{};
  HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
  SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&head));
  ClickAt(header, head);
  list.Sort([](const gui::ListItem& a, const gui::ListItem& b) { return b.caption.compare(a.caption); });
  EXPECT_EQ(CellText(h, 1, 0), L"STARS.SCR");
  EXPECT_EQ(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(seen, (Log{"click 0", "column 1"}));
}

TEST_F(Win32Demo, HeaderSectionsShowTheirTextAndReportClicks) {
  gui::Form form(app, "THeaderTest");
  gui::HeaderControl bar(form, "HeaderControl1");
  bar.SetBounds(0, 0, 200, 18);
  bar.AddSection("フォルダー", 150);
  Log seen;
  bar.OnSectionClick = [&](gui::Component&, int s) { seen.push_back("section " + std::to_string(s)); };
  form.Show();
  HWND h = H(bar);
  bar.SetSectionText(0, "12ｺ　ツリーフォルダー");
  wchar_t buf[64] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.pszText = buf;
  item.cchTextMax = 64;
  SendMessageW(h, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(buf), L"12ｺ　ツリーフォルダー");
  EXPECT_EQ(item.cxy, 150);
  RECT r{};
  SendMessageW(h, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  ClickAt(h, r);
  EXPECT_EQ(seen, Log{"section 0"});
}

BOOL CALLBACK FindNotifyWindow(HWND hwnd, LPARAM found) {
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpW(cls, L"QvNotifyWindow") == 0) *reinterpret_cast<HWND*>(found) = hwnd;
  return TRUE;
}

TEST_F(Win32Demo, NotificationIconCallbacksReachTheComponent) {
  gui::TTaskTray icon(demo, "TaskTray1");
  std::vector<gui::MouseButton> seen;
  icon.OnMouseUp = [&](gui::Component&, gui::MouseButton button, gui::ShiftState, int, int) { seen.push_back(button); };
  icon.SetTipString("QUOVEL32 見本");
  icon.SetIcon(gui::TrayIcon::Pixels(guitest::MakeInfoIcon()));
  icon.SetRegistered(true);
  HWND window = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindNotifyWindow, reinterpret_cast<LPARAM>(&window));
  ASSERT_NE(window, nullptr);
  SendMessageW(window, gui::kNotifyCallbackMessage, static_cast<WPARAM>(icon.IconID()), gui::kNotifyRightUp);
  icon.SetRegistered(false);
  EXPECT_EQ(seen, std::vector<gui::MouseButton>{gui::MouseButton::Right});
}

TEST_F(Win32Demo, TextIsMeasuredWithTheRealFont) {
  const gui::Size one = backend.TextExtent(demo.Font(), "再");
  const gui::Size two = backend.TextExtent(demo.Font(), "再生\n再生");
  EXPECT_GT(one.width, 0);
  EXPECT_GE(two.width, 2 * one.width - 1);
  EXPECT_EQ(two.height, 2 * one.height);
}

}  // namespace
