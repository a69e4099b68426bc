// The manager's timer commands: TSet, the timer file in the editor, the version box, the
// power-saving setting, the help file closed with the manager, and play through the timer file.
#include "play/timer_commands.h"

#include "common/about_box.h"
#include "common/viewers.h"
#include "forms/about_form.h"
#include "forms/tmset_form.h"
#include "play_fixture.h"
#include "store/file_timers.h"
#include "store/settings_key.h"

namespace play {
namespace {

using testsupport::Utf8;

forms::TTMSETBox& Box(gui::Form& f) { return static_cast<forms::TTMSETBox&>(f); }

void Spin(gui::SpinButton& s, bool up, int times) {
  const int y = up ? 2 : s.Height() - 2;
  for (int i = 0; i < times; ++i) {
    s.UserMouseDown(gui::MouseButton::Left, gui::kLeftButton, 5, y);
    s.UserMouseUp(gui::MouseButton::Left, 0, 5, y);
  }
}

struct TimerCommandsTest : PlayFixture {
  void SetUp() override {
    Start();
    commands = std::make_unique<TimerCommands>(h.app, form, os, box, *settings, TimerCommandsContext{});
    commands->FileListFolder = [] { return std::string(kFolder); };
  }
  // Expects the number-setting dialog showing `showing`, spins the 1-step button by `delta` and
  // confirms `confirmed`.
  void ExpectSetting(const std::string& showing, int delta, const std::string& confirmed) {
    h.backend.ExpectModal("TTMSETBox", showing).Do([this, delta, confirmed](gui::Form& f) {
      Spin(Box(f).SpinButton1, delta > 0, delta > 0 ? delta : -delta);
      h.backend.ExpectModal("TMKBox", confirmed).Answer(gui::kMrYes);
      Box(f).Button1.UserClick();
    });
  }
  int Timer(const std::string& path) { return store::FileTimers(p.fs, "C:\\WINDOWS").Read(path); }

  std::unique_ptr<TimerCommands> commands;
};

TEST_F(TimerCommandsTest, TSetStoresTheTimerOfTheCurrentFileRowAndZeroRemovesIt) {
  Rows({"A.SCR", "B.SCR"});
  form.ListBox4.SetTag(1);
  settings->Values().timer = 0;
  store::FileTimers(p.fs, "C:\\WINDOWS").Write(Path("A.SCR"), 45);
  h.backend.ExpectModal("TTMSETBox", Path("B.SCR")).Do([this](gui::Form& f) {
    EXPECT_EQ(form.Label10.Caption(), "0");  // the row's labels, as a click shows them
    EXPECT_EQ(form.Label9.Caption(), "OFF");
    Box(f).Button4.UserClick();
  });
  form.ButtonTset.UserClick();
  EXPECT_EQ(Timer(Path("B.SCR")), 0);
  ExpectSetting(Path("B.SCR"), 30, "ファイルタイマーを、\n30秒に、設定します");
  form.ButtonTset.UserClick();
  EXPECT_EQ(Timer(Path("B.SCR")), 30);
  EXPECT_EQ(Timer(Path("A.SCR")), 45);
  EXPECT_EQ(form.Label10.Caption(), "30");
  EXPECT_TRUE(form.ButtonTset.Visible());

  h.backend.ExpectModal("TTMSETBox", "30秒").Do([this](gui::Form& f) {
    Spin(Box(f).SpinButton3, false, 1);
    h.backend.ExpectModal("TMKBox", "0秒に、").Answer(gui::kMrYes);
    Box(f).Button1.UserClick();
  });
  form.ButtonTset.UserClick();
  EXPECT_EQ(Timer(Path("B.SCR")), 0);
  EXPECT_EQ(p.fs.ReadFile("C:\\WINDOWS\\QUOVEL32.Tim").value_or("").find("B.SCR"), std::string::npos);
  EXPECT_EQ(form.Label10.Caption(), "0");
}

TEST_F(TimerCommandsTest, TSetInMemoryModeTakesTheTwinsRowAndShowsItsName) {
  p.fs.AddFile("C:\\OTHER\\X.SCR", "MZ");
  p.fs.AddFile("C:\\OTHER\\Y.SCR", "MZ");
  settings->MemoryModeOn();
  form.SSN.SetChecked(true);
  form.ListBox2.SetItems({"C:\\OTHER\\X.SCR", "C:\\OTHER\\Y.SCR"});
  form.ListBox8.SetItems({"Ｘの星", "Ｙの波"});
  form.ListBox2.SetTag(0);
  form.ListBox8.SetTag(1);
  h.backend.ExpectModal("TTMSETBox", "Ｙの波").Do([this](gui::Form& f) {
    EXPECT_EQ(Box(f).LMsg0.Caption(), "C:\\OTHER\\Y.SCR");
    EXPECT_EQ(Box(f).LMsg2.Caption(), "ファイルタイマーの設定：");
    Spin(Box(f).SpinButton2, true, 2);
    h.backend.ExpectModal("TMKBox", "20秒").Answer(gui::kMrYes);
    Box(f).Button1.UserClick();
  });
  form.ButtonTset.UserClick();
  EXPECT_EQ(Timer("C:\\OTHER\\Y.SCR"), 20);
  EXPECT_EQ(form.ListBox2.Tag(), 1);
  EXPECT_EQ(form.ListBox2.ItemIndex(), 1);
}

TEST_F(TimerCommandsTest, TSetWithoutAFileOnlyBeeps) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    int tag;
  } cases[] = {{"empty list", {}, 0},
               {"no current row", {"A.SCR"}, -1},
               {"row beyond the end", {"A.SCR"}, 1},
               {"file gone", {"GONE.SCR"}, 0}};
  p.fs.AddFile(Path("A.SCR"), "MZ");
  for (const Case& c : cases) {
    form.ListBox4.SetItems(c.rows);
    form.ListBox4.SetTag(c.tag);
    const size_t beeps = p.desktop.Beeps().size();
    form.ButtonTset.UserClick();
    EXPECT_EQ(p.desktop.Beeps().size(), beeps + 1) << c.what;
    EXPECT_TRUE(form.ButtonTset.Visible()) << c.what;
  }
  EXPECT_TRUE(h.backend.ModalHistory().empty());
  EXPECT_FALSE(p.fs.FileExists("C:\\WINDOWS\\QUOVEL32.Tim"));
}

TEST_F(TimerCommandsTest, PowerSavingSettingRaisesSmallValuesAndNamesItInTheMenu) {
  struct Case {
    int start, delta, stored;
    const char* caption;
  } cases[] = {{0, 5, 10, "省電力タイマー設定　10秒 (&L)"},
               {10, 50, 60, "省電力タイマー設定　60秒 (&L)"},
               {60, -60, 0, "省電力タイマー設定　ＯＦＦ (&L)"}};
  for (const Case& c : cases) {
    settings->Values().stimer = c.start;
    ExpectSetting("省電力タイマーの設定：", c.delta, "省電力タイマーを、\n" + std::to_string(c.stored) + "秒に、");
    form.ST.UserClick();
    EXPECT_EQ(settings->Values().stimer, c.stored);
    EXPECT_EQ(form.ST.Caption(), c.caption) << Utf8(form.ST.Caption());
  }
  h.backend.ExpectModal("TTMSETBox").Do([](gui::Form& f) { Box(f).Button4.UserClick(); });
  h.backend.ExpectModal("TMKBox", kCancelledMessage).Answer(gui::kMrOk);
  form.ST.UserClick();
  EXPECT_EQ(settings->Values().stimer, 0);
  // While menu items are being set by code the command does nothing (no dialog opens), and the
  // flag stays as it was.
  const size_t dialogs = h.backend.ModalHistory().size();
  settings->SetMenuEventsSuppressed(true);
  form.ST.UserClick();
  EXPECT_EQ(h.backend.ModalHistory().size(), dialogs);
  EXPECT_TRUE(settings->MenuEventsSuppressed());
}

TEST_F(TimerCommandsTest, TheTimerFileOpensInTheEditorFromTheWindowsFolder) {
  form.K9.UserClick();
  ASSERT_EQ(p.processes.Started().size(), 1u);
  const auto& r = p.processes.Started()[0];
  EXPECT_TRUE(r.viewer);
  EXPECT_EQ(r.request.commandLine, "notepad.exe C:\\WINDOWS\\QUOVEL32.Tim");
  EXPECT_EQ(r.request.currentFolder, "C:\\WINDOWS");

  ASSERT_TRUE(p.fs.Rename("C:\\WINDOWS", "C:\\GONE"));
  h.backend.ExpectModal("TMKBox", "C:\\WINDOWS\nﾌｫﾙﾀﾞｰが存在しません").Answer(gui::kMrOk);
  form.K9.UserClick();
  EXPECT_EQ(p.processes.Started().size(), 1u);
}

TEST_F(TimerCommandsTest, VersionBoxShowsTheStoredVersionAndTheManagersNames) {
  p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version", "16");
  h.backend.ExpectModal("TAboutBox", "Version 1.6").Do([](gui::Form& f) {
    auto& b = static_cast<forms::TAboutBox&>(f);
    EXPECT_EQ(b.ProductName.Caption(), "ProductName QUOVEL32.EXE");
    EXPECT_EQ(b.ProgramTitle.Caption(), "QUOVEL32 EXE版");
    EXPECT_EQ(b.Comments.Caption(), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ連続ﾁｪﾝｼﾞｬｰ(EXE版)");
    EXPECT_EQ(b.Comments2.Caption(), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰを自由に楽しめます☆");
    EXPECT_EQ(b.Caption(), "バージョン情報");
    b.ColorBtn1.UserClick();
  });
  form.help2.UserClick();
  EXPECT_TRUE(p.processes.Started().empty());
}

TEST(VersionText, TensDotUnitsOrQuestionMarks) {
  struct Case {
    std::optional<std::string> stored;
    const char* text;
  } cases[] = {{"16", "1.6"}, {"7", "0.7"}, {"255", "?.?"}, {std::nullopt, "?.?"}, {"x", "?.?"}, {"", "?.?"},
               {"1.6", "?.?"}, {"100", "10.0"}};
  for (const Case& c : cases) EXPECT_EQ(common::VersionText(c.stored), c.text) << c.stored.value_or("(none)");
}

struct AboutBoxTest : testing::Test {
  AboutBoxTest() {
    about.HomePages = {"http://one.example/", "http://two.example/"};
    about.MailAddress = "me@one.example";
  }
  forms::TAboutBox& AboutOf(gui::Form& f) { return static_cast<forms::TAboutBox&>(f); }
  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  common::TAboutBoxDlg about{h.app, p.desktop, p.processes};
};

TEST_F(AboutBoxTest, TheSecondPageIsOfferedWhenTheFirstIsDeclined) {
  h.backend.ExpectModal("TAboutBox").Do([this](gui::Form& f) {
    h.backend.ExpectModal("TMKBox", "ホームページ\nhttp://one.example/\nへアクセスしますか？").Answer(gui::kMrNo);
    h.backend.ExpectModal("TMKBox", "http://two.example/").Answer(gui::kMrYes);
    AboutOf(f).HomePage.UserClick();
  });
  EXPECT_EQ(about.Execute(), gui::kMrOk);
  EXPECT_EQ(p.processes.ShellOpened(), (std::vector<std::string>{"http://two.example/"}));
}

TEST_F(AboutBoxTest, AShellFailureIsNoticedAndTheBoxStays) {
  h.backend.ExpectModal("TAboutBox").Do([this](gui::Form& f) {
    p.processes.FailNextShellOpen(1155);
    h.backend.ExpectModal("TMKBox", "http://one.example/").Answer(gui::kMrYes);
    h.backend.ExpectModal("TMKBox", common::kNoBrowserMessage).Answer(gui::kMrOk);
    AboutOf(f).HomePage.UserClick();
    EXPECT_EQ(f.ModalResult(), gui::kMrNone);
    // The mail program is opened without a question.
    p.processes.FailNextShellOpen(1155);
    h.backend.ExpectModal("TMKBox", common::kNoMailerMessage).Answer(gui::kMrOk);
    AboutOf(f).Mail.UserClick();
    EXPECT_EQ(f.ModalResult(), gui::kMrNone);
    AboutOf(f).Mail.UserClick();
  });
  EXPECT_EQ(about.Execute(), gui::kMrOk);
  EXPECT_EQ(p.processes.ShellOpened().back(), "mailto:me@one.example");
}

TEST_F(TimerCommandsTest, ClosingTheManagerClosesTheHelpFile) {
  TimerCommandsContext context;
  context.programFolder = "C:\\QUOVEL32\\";
  TimerCommands closing(h.app, form, os, box, *settings, context);
  ASSERT_TRUE(settings->CloseRequest());
  EXPECT_EQ(p.processes.HelpQuits().back(), "C:\\QUOVEL32\\QUOVEL32.HLP");
}

TEST_F(TimerCommandsTest, PlayTakesDisplayTimesFromTheTimerFileWhileFTIsOn) {
  Rows({"A.SCR"});
  store::FileTimers(p.fs, "C:\\WINDOWS").Write(Path("A.SCR"), 30);
  settings->Values().timer = 10;
  for (bool ft : {true, false}) {
    form.FT.SetChecked(ft);
    form.ListBox4.SetTag(0);
    Order(0, false);
    const size_t keys = p.desktop.KeysPressed().size();
    Play();
    ASSERT_TRUE(RunUntil(p.processes.Started().size() + 1));
    const uint64_t launched = h.backend.Now();
    h.backend.Advance(1000);
    EXPECT_EQ(form.Label9.Caption(), ft ? "30" : "10");
    while (p.desktop.KeysPressed().size() == keys && h.backend.Now() < launched + 60000) h.backend.Advance(100);
    EXPECT_NEAR(static_cast<double>(h.backend.Now() - launched), ft ? 30000.0 : 10000.0, 400.0);
    ASSERT_TRUE(RunUntil());
  }
}

TEST(Viewers, CommandFormsAndTheirLimit) {
  EXPECT_EQ(common::NotepadCommand("C:\\WINDOWS\\QUOVEL32.Tim"), "notepad.exe C:\\WINDOWS\\QUOVEL32.Tim");
  EXPECT_EQ(common::TextOrHelpCommand("C:\\A B\\READ.TXT"), "notepad.exe \"C:\\A B\\READ.TXT\" ");
  EXPECT_EQ(common::TextOrHelpCommand("C:\\H\\X.hlp"), "winhlp32.exe C:\\H\\X.hlp");
  EXPECT_EQ(common::TextOrHelpCommand("C:\\H.HLP\\X"), "notepad.exe \"C:\\H.HLP\\X\" ");

  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  const std::string folder = "C:\\" + std::string(200, 'D');
  p.fs.AddFolder(folder);
  const std::string longest = common::NotepadCommand(folder + "\\" + std::string(301 - 12 - 204 - 4, 'F') + ".TXT");
  ASSERT_EQ(longest.size(), common::kMaxViewerCommand);
  EXPECT_EQ(common::StartViewer(os, folder, longest), common::ViewerStart::kStarted);
  EXPECT_EQ(p.processes.Started().back().request.currentFolder, folder);
  EXPECT_EQ(common::StartViewer(os, folder, longest + "X"), common::ViewerStart::kTooLong);
  EXPECT_EQ(common::StartViewer(os, "C:\\NOWHERE", "notepad.exe x"), common::ViewerStart::kNoFolder);
  EXPECT_EQ(common::StartViewer(os, folder, "C:\\NOWHERE\\VIEW.EXE x"), common::ViewerStart::kFailed);
  EXPECT_EQ(p.processes.Started().size(), 1u);
}

}  // namespace
}  // namespace play
