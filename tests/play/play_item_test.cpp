// One item: admission, the launch, the display time and the injected key, titles, the history
// and the backdrop.
#include "play_fixture.h"

namespace play {
namespace {

using V = std::vector<std::string>;

struct AdmissionCase {
  const char* row;
  const char* content;  // nullptr: no such file
  bool folder;
  bool played;
};

class AdmissionTest : public PlayFixture, public testing::WithParamInterface<AdmissionCase> {};

TEST_P(AdmissionTest, OnlyScreenSaversStart) {
  const AdmissionCase& c = GetParam();
  Start();
  if (c.folder) {
    p.fs.AddFolder(Path(c.row));
  } else if (c.content != nullptr) {
    p.fs.AddFile(Path(c.row), c.content);
  }
  form.ListBox4.SetItems({c.row});
  form.ListBox4.SetTag(0);
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(p.processes.Started().size(), c.played ? 1u : 0u) << c.row;
}

INSTANTIATE_TEST_SUITE_P(Rows, AdmissionTest,
                         testing::Values(AdmissionCase{"A.SCR", "MZ", false, true},
                                         AdmissionCase{"abc.scr", "MZ rest", false, true},
                                         AdmissionCase{"ABC.SCRX", "MZ", false, true},
                                         AdmissionCase{"X.SCR", "plain text", false, false},
                                         AdmissionCase{"M.SCR", "M", false, false},
                                         AdmissionCase{"E.SCR", "", false, false},
                                         AdmissionCase{"A.EXE", "MZ", false, false},
                                         AdmissionCase{"A.SC", "MZ", false, false},
                                         AdmissionCase{"GONE.SCR", nullptr, false, false},
                                         AdmissionCase{"DIR.SCR", nullptr, true, false}));

using PlayItemTest = PlayFixture;

TEST_F(PlayItemTest, LaunchQuotesThePathAndStartsInItsFolder) {
  Start();
  p.fs.AddFile("C:\\MY SAVERS\\STAR FIELD.SCR", "MZ");
  fileListFolder = "C:\\MY SAVERS";
  form.ListBox4.SetItems({"STAR FIELD.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  const auto& r = p.processes.Started().at(0);
  EXPECT_EQ(r.request.commandLine, "\"C:\\MY SAVERS\\STAR FIELD.SCR\" /s");
  EXPECT_EQ(r.request.currentFolder, "C:\\MY SAVERS");
  EXPECT_EQ(r.request.showMode, platform::show::kShow);
  EXPECT_EQ(r.request.priorityClass, platform::priority::kNormal);
  EXPECT_EQ(p.fs.CurrentFolder(), "C:\\MY SAVERS");
  EXPECT_EQ(h.app.Title(), "QUOVEL32EXE STAR FIELD.SCR (表示中)");
  EXPECT_EQ(form.Caption(), "QUOVEL32EXE STAR FIELD.SCR (表示中)");
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(h.app.Title(), "QUOVEL32 EXE版");
}

TEST_F(PlayItemTest, ShiftIsInjectedOnTheTenthTickAndTheCursorPutBack) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  p.desktop.MoveCursor({123, 45});
  Play();
  ASSERT_TRUE(RunUntil(1));
  uint64_t launched = h.backend.Now();
  EXPECT_EQ(form.Label9.Caption(), "10");
  while (h.backend.Now() < launched + 9800) h.backend.Advance(100);
  EXPECT_EQ(form.Label10.Caption(), "9");
  EXPECT_TRUE(p.desktop.KeysPressed().empty());
  EXPECT_TRUE(p.processes.Started()[0].running);
  h.backend.Advance(300);
  EXPECT_EQ(p.desktop.KeysPressed(), std::vector<uint8_t>{platform::vk::kShift});
  EXPECT_EQ(p.desktop.CursorPos(), (platform::Point{123, 45}));
  EXPECT_FALSE(p.processes.Started()[0].running);
  // The next saver starts only after the first has ended.
  ASSERT_TRUE(RunUntil(2, 5000));
  EXPECT_EQ(Played(), (V{"A.SCR", "B.SCR"}));
  Stop();
}

TEST_F(PlayItemTest, FileTimerAppliesOnlyWithFTAndAnInterval) {
  struct Case {
    bool ft;
    int interval;
    int fileTimer;
    int keyAfter;  // seconds; 0: no key
  };
  Start();
  Rows({"A.SCR"});
  for (Case c : {Case{true, 10, 30, 30}, Case{false, 10, 30, 10}, Case{true, 10, 0, 10}, Case{true, 0, 30, 0}}) {
    SCOPED_TRACE(testing::Message() << c.ft << " " << c.interval << " " << c.fileTimer);
    form.ListBox4.SetTag(0);
    Order(0, false);
    form.FT.SetChecked(c.ft);
    settings->Values().timer = c.interval;
    engine->FileTimer = [c](const std::string& path) { return path == Path("A.SCR") ? c.fileTimer : 0; };
    size_t keysBefore = p.desktop.KeysPressed().size();
    Play();
    ASSERT_TRUE(RunUntil(p.processes.Started().size() + 1));
    uint64_t launched = h.backend.Now();
    h.backend.Advance(1000);
    EXPECT_EQ(form.Label9.Caption(), c.ft && c.fileTimer ? std::to_string(c.fileTimer)
                                                          : (c.interval ? std::to_string(c.interval) : "OFF"));
    while (engine->Playing() && h.backend.Now() < launched + 100000 && p.desktop.KeysPressed().size() == keysBefore) {
      h.backend.Advance(100);
    }
    if (c.keyAfter == 0) {
      EXPECT_EQ(p.desktop.KeysPressed().size(), keysBefore);
      p.processes.UserInput();
    } else {
      EXPECT_NEAR(static_cast<double>(h.backend.Now() - launched), c.keyAfter * 1000.0, 400.0);
    }
    ASSERT_TRUE(RunUntil());
  }
}

TEST_F(PlayItemTest, TheFileInformationLineDecidesWhetherTheFileIsThere) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  V shown;
  engine->ShowFileInfo = [&](const std::string& path) {
    shown.push_back(path);
    return path != Path("A.SCR");
  };
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(shown, (V{Path("A.SCR"), Path("B.SCR")}));
  EXPECT_EQ(Played(), V{"B.SCR"});
}

TEST_F(PlayItemTest, AFolderThatVanishedIsAFailedLaunch) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, false);
  p.fs.FailNext(platform::fake::FsOp::kSetCurrentFolder, "", 3);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(Played(), V{"B.SCR"});
}

TEST_F(PlayItemTest, AFailedStartIsSkipped) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, false);
  p.processes.FailNextStart(5);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(Played(), V{"B.SCR"});
  EXPECT_EQ(engine->PlayedMarker(), 1);
}

TEST_F(PlayItemTest, TitleUsesTheDisplayNameWithSSN) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  form.SSN.SetChecked(true);
  form.ListBox7.SetItems({"A", "B"});
  form.ListBox7.SetTag(0);
  engine->DisplayName = [](const std::string& path) { return path == "c:\\savers\\a.scr" ? "星の海" : ""; };
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(testsupport::Utf8(h.app.Title()), testsupport::Utf8("QUOVEL32EXE 星の海 (表示中)"));
  ASSERT_TRUE(RunUntil(2));
  EXPECT_EQ(h.app.Title(), "QUOVEL32EXE B.SCR (表示中)");
  EXPECT_EQ(form.ListBox7.Tag(), 1);
  EXPECT_EQ(form.ListBox7.ItemIndex(), 1);
  Stop();
}

TEST_F(PlayItemTest, TitleNamesWithSSNComeFromTheSavers) {
  Start();
  p.fs.AddFile(Path("STARS.SCR"), std::string("MZ stub SCRNSAVE : 星の海\0", 26));
  p.fs.AddFile(Path("plain.scr"), "MZ");
  form.ListBox4.SetItems({"STARS.SCR", "plain.scr"});
  form.SSN.SetChecked(true);
  form.ListBox7.SetItems({"星の海", "Plain"});
  form.ListBox7.SetTag(0);
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_EQ(testsupport::Utf8(h.app.Title()), testsupport::Utf8("QUOVEL32EXE 星の海 (表示中)"));
  ASSERT_TRUE(RunUntil(2));
  EXPECT_EQ(h.app.Title(), "QUOVEL32EXE Plain (表示中)");
  Stop();
}

TEST_F(PlayItemTest, LaunchesGoToTheFileHistoryUpToItsSize) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  settings->Values().fileHis = 2;
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(lists.History(), (V{Path("B.SCR"), Path("C.SCR")}));
  EXPECT_EQ(form.ComboBox1.Items().at(10), "HIS: 2ｺ");
}

// While HIS is the current list, launches from the file list join it; playing it adds nothing.
TEST_F(PlayItemTest, TheShownHistoryTakesFileListLaunchesButNotItsOwn) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  settings->Values().fileHis = 5;
  form.ComboBox1.SetItemIndex(10);
  lists.SwitchToChosen(false);
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(form.ListBox2.Items(), (V{Path("A.SCR"), Path("B.SCR")}));
  form.Button9.UserClick();  // memory mode: the history itself plays
  form.ListBox2.SetTag(0);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_EQ(p.processes.Started().size(), 4u);
  EXPECT_EQ(form.ListBox2.Count(), 2);
  EXPECT_EQ(form.ComboBox1.Items().at(10), "HIS: 2ｺ");
}

TEST_F(PlayItemTest, NoHistoryWhenItsSizeIsZero) {
  Start();
  Rows({"A.SCR"});
  settings->Values().fileHis = 0;
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil());
  EXPECT_TRUE(lists.History().empty());
}

TEST_F(PlayItemTest, BackdropLiesBehindTheSaversAndClosesWithTheRun) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, false);
  Play();
  ASSERT_TRUE(RunUntil(1));
  EXPECT_TRUE(backForm.Visible());
  EXPECT_TRUE(backForm.Image1.Visible());
  // A click between two savers hides it; the next saver shows it again.
  backForm.Image1.UserClick();
  EXPECT_FALSE(backForm.Visible());
  ASSERT_TRUE(RunUntil(2));
  EXPECT_TRUE(backForm.Visible());
  ASSERT_TRUE(RunUntil());
  EXPECT_FALSE(backForm.Visible());
}

TEST_F(PlayItemTest, ASaverEndingByItselfHidesTheBackdropPicture) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  p.processes.UserInput();
  h.backend.Advance(1000);
  EXPECT_FALSE(backForm.Image1.Visible());
  ASSERT_TRUE(RunUntil());
}

}  // namespace
}  // namespace play
