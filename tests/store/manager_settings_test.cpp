#include "store/manager_settings.h"

#include <gtest/gtest.h>

#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace store {
namespace {

using V = std::vector<std::string>;

struct ManagerSettingsTest : testing::Test {
  void Set(const std::string& name, const std::string& text, const std::string& key = ExeKey()) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, key, name, text);
  }
  std::string Stored(const std::string& name, const std::string& key = ExeKey()) {
    return p.registry.ReadString(platform::RegistryRoot::kCurrentUser, key, name).value_or("<missing>");
  }
  // Creates the window and runs the start-up sequence as Timer9 does.
  void Start(bool scrVersion = false) {
    settings = std::make_unique<ManagerSettings>(h.app, form, os, box, lists,
                                                 ManagerContext{scrVersion, "C:\\WINDOWS\\", "C:\\QUOVEL32\\"});
    settings->Create();
    form.Show();
    h.backend.Advance(300);
  }
  bool Close() {
    bool can = true;
    form.OnCloseQuery(form, can);
    return can;
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  MemoryLists lists{h.app, p.fs, {form.ListBox2, form.ListBox8, form.ComboBox1, form.Panel4}};
  std::unique_ptr<ManagerSettings> settings;
};

TEST_F(ManagerSettingsTest, FirstStartShowsEveryDefault) {
  Start();
  EXPECT_EQ(settings->InitState(), 0);
  EXPECT_TRUE(form.KINSI.Checked());
  EXPECT_TRUE(form.Button9.Visible());           // memory mode off
  EXPECT_FALSE(form.Button11.Visible());
  EXPECT_EQ(lists.Current(), 0);
  EXPECT_TRUE(form.SSN.Checked());
  EXPECT_TRUE(form.K6.Checked());
  EXPECT_TRUE(form.LabelGomiSASIN.Visible());    // the trash in CLR mode
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 3);    // random
  EXPECT_TRUE(form.CheckBox1.Checked());         // endless
  EXPECT_TRUE(form.FT.Checked());
  EXPECT_TRUE(form.RadioButton1.Checked());
  EXPECT_EQ(form.Label9.Caption(), "10");
  EXPECT_EQ(form.ST.Caption(), "省電力タイマー設定　ＯＦＦ (&L)");
  EXPECT_EQ(form.FOLDERHIS.Caption(), "フォルダーヒストリーの設定　ＯＦＦ (&H)");
  EXPECT_TRUE(form.help3.Checked());
  EXPECT_TRUE(form.Button13.Visible());          // extension-check mode
  for (int i = 0; i < 30; ++i) EXPECT_EQ(form.ExtensionBox(i).Checked(), i == 20) << i;
  EXPECT_EQ(settings->WorkingFolder(), kNoWorkingFolder);
  EXPECT_TRUE(form.MF0.Enabled());
  EXPECT_EQ(form.Panel2.Caption(), "QUOVEL32 EXE版");
  EXPECT_EQ(settings->PlayListBox(), &form.ListBox4);
  EXPECT_EQ(form.Label4.Caption(), " 24/01/01 月 00:00:00 rsha");   // the date of the start
}

TEST_F(ManagerSettingsTest, StoredValuesReachTheWindow) {
  Set("MEMORY", "0,-1,1,0,3,0,0");
  Set("SAISEIM", "1,0,1,0,-1,-1,-1,-1,0,0");
  Set("TIMER", "0");
  Set("STIMER", "600");
  Set("FILEHIS", "50");
  Set("KAKUCHOSHI", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1,1");
  Set("INDEX", "1,5");
  Set("KINSI", "0", ScrKey());
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M3.LIS", {"C:\\A.SCR", "C:\\B.SCR"}).ok());
  Start();
  EXPECT_FALSE(form.KINSI.Checked());
  EXPECT_TRUE(form.Button11.Visible());          // memory mode on
  EXPECT_EQ(lists.Current(), 3);
  EXPECT_EQ(form.ListBox2.Items(), (V{"C:\\A.SCR", "C:\\B.SCR"}));
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_EQ(settings->PlayListBox(), &form.ListBox2);
  EXPECT_TRUE(form.CheckBoxGomi.Checked());
  EXPECT_TRUE(form.ButtonMCut.Visible());
  // 削除 deletes memory-list rows: it goes with the memory list and comes back with it.
  form.Button11.UserClick();
  EXPECT_FALSE(form.ButtonMCut.Visible());
  form.Button9.UserClick();
  EXPECT_TRUE(form.ButtonMCut.Visible());
  EXPECT_TRUE(form.LabelGomiTUIKA.Visible());
  EXPECT_EQ(form.RadioGroup1.ItemIndex(), 1);
  EXPECT_TRUE(form.Start1.Checked());
  EXPECT_TRUE(form.RadioButton2.Checked());
  EXPECT_EQ(form.Label9.Caption(), "OFF");
  EXPECT_EQ(form.ST.Caption(), "省電力タイマー設定　600秒 (&L)");
  EXPECT_EQ(form.FILEHIS.Caption(), "ファイルヒストリーの設定　50個 (&F)");
  for (int i = 0; i < 30; ++i) EXPECT_FALSE(form.ExtensionBox(i).Checked()) << i;
}

TEST_F(ManagerSettingsTest, AValueThatStopsTheReadingStillLoadsTheLists) {
  Set("Lower", "x");
  Set("TIMER", "30");
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS", {"C:\\KEEP.SCR"}).ok());
  h.backend.ExpectModal("TMKBox", "初期化処理に失敗しました・・・").Answer(1);
  Start();
  EXPECT_EQ(form.Label9.Caption(), "10");        // TIMER comes after Lower: not read
  EXPECT_EQ(form.ListBox2.Items(), V{"C:\\KEEP.SCR"});
  EXPECT_TRUE(Close());
  EXPECT_EQ(LoadList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS"), V{"C:\\KEEP.SCR"});
}

TEST_F(ManagerSettingsTest, AStopAfterMemoryKeepsTheListNumberItRead) {
  Set("MEMORY", "1,-1,0,1,4,1,0");
  Set("DirNo", "tree");
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M4.LIS", {"C:\\M4.SCR"}).ok());
  h.backend.ExpectModal("TMKBox", "初期化処理に失敗しました・・・").Answer(1);
  Start();
  EXPECT_EQ(lists.Current(), 4);
  EXPECT_EQ(form.ListBox2.Items(), V{"C:\\M4.SCR"});
}

TEST_F(ManagerSettingsTest, AHandOverThatCouldNotWriteSaysSoInsteadOfConfirming) {
  Start();
  p.fs.FailNext(platform::fake::FsOp::kReplace, "", 5);   // one list file of the hand-over
  h.backend.ExpectModal("TMKBox", "データ格納処理に失敗しました・・・").Answer(1);
  form.F1.UserClick();
  EXPECT_EQ(Stored("MEMORY", ScrKey()), "1,-1,0,1,0,1,1");   // what could be written, was
}

TEST_F(ManagerSettingsTest, WindowPlaceIsKeptInsideTheWorkArea) {
  Set("FP", "5000,-300");
  Start();
  const platform::Rect work = p.desktop.WorkArea();
  EXPECT_EQ(form.Left(), work.right - form.Width());
  EXPECT_EQ(form.Top(), work.top);
}

// Two monitors: one left of the primary, taller, with its taskbar at the top.
struct SavedPlace {
  const char* name;
  const char* fp;
  int left, top;  // kRightEdge / kBottomEdge: against that edge of the chosen work area
};
constexpr int kRightEdge = 1 << 20, kBottomEdge = 1 << 21;
struct WindowPlaceTest : ManagerSettingsTest, testing::WithParamInterface<SavedPlace> {};

TEST_P(WindowPlaceTest, IsKeptOnTheMonitorItWasSavedOn) {
  const platform::Monitor primary{{0, 0, 1024, 768}, {0, 0, 1024, 728}, true};
  const platform::Monitor left{{-1280, -256, 0, 768}, {-1280, -216, 0, 768}, false};
  p.desktop.SetMonitors({primary, left});
  Set("FP", GetParam().fp);
  Start();
  const bool onLeft = GetParam().left < 0 || GetParam().top < 0;
  const platform::Rect work = onLeft ? left.workArea : primary.workArea;
  EXPECT_EQ(form.Left(), GetParam().left == kRightEdge ? work.right - form.Width() : GetParam().left);
  EXPECT_EQ(form.Top(), GetParam().top == kBottomEdge ? work.bottom - form.Height() : GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(TwoMonitors, WindowPlaceTest,
                         testing::Values(SavedPlace{"OnTheLeftOne", "-1000,-100", -1000, -100},
                                         SavedPlace{"BeyondItsCorner", "-1500,-900", -1280, -216},
                                         SavedPlace{"OnItTooLow", "-500,700", -500, kBottomEdge},
                                         SavedPlace{"OnThePrimary", "200,100", 200, 100},
                                         SavedPlace{"FarRightOfThePrimary", "5000,300", kRightEdge, 300}),
                         [](const testing::TestParamInfo<SavedPlace>& info) { return std::string(info.param.name); });

TEST_F(ManagerSettingsTest, ClosingSavesTheWindowAndExtIsStoredAsListZero) {
  Start();
  form.Button9.UserClick();
  form.ComboBox1.UserSelect(11);
  form.ListBox2.AddItem("C:\\GAME.EXE");
  form.CB1.SetChecked(true);
  form.RadioGroup1.SetItemIndex(0);
  EXPECT_TRUE(Close());
  EXPECT_EQ(Stored("MEMORY"), "0,-1,0,1,0,1,1");     // EXT is stored as list 0
  EXPECT_EQ(Stored("ZOKUSEI"), "1,0,0,1,1");
  EXPECT_EQ(Stored("SAISEIM"), "0,1,0,0,-1,-1,-1,-1,1,1");
  EXPECT_EQ(Stored("KAKUCHOSHI"), "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0");
  EXPECT_EQ(Stored("CPATH"), "C:\\WINDOWS");
  EXPECT_EQ(Stored("INDEX"), "-1,0");
  EXPECT_EQ(Stored("KINSI", ScrKey()), "1");
  EXPECT_EQ(Stored("TMPQVLA", ScrKey()), "@@@@@");
  EXPECT_EQ(LoadList(p.fs, "C:\\WINDOWS\\QVLA32MX.LIS"), V{"C:\\GAME.EXE"});
  EXPECT_EQ(Stored("FP"), std::to_string(form.Left()) + "," + std::to_string(form.Top()));
}

TEST_F(ManagerSettingsTest, HandOverWritesTheScreenSaverKeyAndConfirms) {
  Start();
  h.backend.ExpectModal("TMKBox", "[SCR版]に、データを転送しました☆☆☆").LetRun();
  form.F1.UserClick();
  EXPECT_EQ(Stored("MEMORY", ScrKey()), "1,-1,0,1,0,1,1");
  EXPECT_EQ(Stored("MEMORY"), "<missing>");
  EXPECT_TRUE(p.fs.FileExists("C:\\WINDOWS\\QVLA32MH.LIS"));
  EXPECT_TRUE(p.fs.FileExists("C:\\WINDOWS\\QUOVEL32CD.LIS"));
}

TEST_F(ManagerSettingsTest, CloseRefusedWhileBusyAndNothingSavedBeforeStartUp) {
  settings = std::make_unique<ManagerSettings>(h.app, form, os, box, lists,
                                               ManagerContext{false, "C:\\WINDOWS\\", "C:\\QUOVEL32\\"});
  settings->Create();
  EXPECT_TRUE(Close());                          // before the start-up sequence: no message
  EXPECT_EQ(Stored("MEMORY"), "<missing>");      // and nothing saved over the stored settings

  guitest::HeadlessApp other;
  forms::TQUOVEL32KAPUL form2{other.app};
  common::TMKBoxDlg box2{other.app, p.desktop};
  MemoryLists lists2{other.app, p.fs, {form2.ListBox2, form2.ListBox8, form2.ComboBox1, form2.Panel4}};
  ManagerSettings busy(other.app, form2, os, box2, lists2, {false, "C:\\WINDOWS\\", "C:\\QUOVEL32\\"});
  busy.Busy = [] { return true; };
  busy.Create();
  other.backend.Advance(300);
  bool can = true;
  form2.OnCloseQuery(form2, can);
  EXPECT_FALSE(can);
  EXPECT_EQ(p.desktop.Beeps(), std::vector<uint32_t>{platform::beep::kExclamation});
}

TEST_F(ManagerSettingsTest, MenuTogglesAndTheImmediateKinsi) {
  Start();
  form.KINSI.UserClick();
  EXPECT_EQ(Stored("KINSI", ScrKey()), "0");
  EXPECT_FALSE(form.TRKINSI.Checked());
  form.SSN.UserClick();
  EXPECT_FALSE(form.SSN.Checked());
  EXPECT_FALSE(form.ListBox7.Visible());
  form.help3.UserClick();
  EXPECT_FALSE(form.help3.Checked());
  EXPECT_FALSE(form.ShowHint());
  form.BackColor.UserClick();
  EXPECT_EQ(form.ListBox2.Color(), form.Color());
  form.Button9.UserClick();
  EXPECT_TRUE(form.ComboBox1.Visible());
  EXPECT_EQ(settings->PlayListBox(), &form.ListBox2);
}

TEST_F(ManagerSettingsTest, ScreenSaverCopyUsesItsOwnKeyAndHidesTheHandOver) {
  Set("TIMER", "25", ScrKey());
  Start(true);
  EXPECT_EQ(form.Label9.Caption(), "25");
  EXPECT_FALSE(form.F1.Visible());
  EXPECT_TRUE(form.ButtonSCROFF.Visible());
  EXPECT_EQ(form.Panel2.Caption(), "QUOVEL32");
  EXPECT_TRUE(Close());
  EXPECT_EQ(Stored("TIMER", ScrKey()), "25");
  EXPECT_EQ(Stored("TIMER"), "<missing>");
}

TEST_F(ManagerSettingsTest, TheMemoryListFollowsTheWindowSize) {
  Start();
  const gui::Rect before = form.ListBox2.Bounds();
  form.SetClientSize(forms::TQUOVEL32KAPUL::kClientWidth + 100, forms::TQUOVEL32KAPUL::kClientHeight + 60);
  EXPECT_EQ(form.ListBox2.Width(), before.width + 100);
  EXPECT_EQ(form.ListBox2.Height(), before.height + 60);
  EXPECT_EQ(form.ListBox2.Left(), before.left);
  EXPECT_EQ(form.ListBox8.Width(), form.ListBox2.Width());
}

}  // namespace
}  // namespace store
