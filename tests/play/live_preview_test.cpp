// The live preview on the virtual clock: a row's saver starts once the row has rested, one
// preview process at a time, and what cannot show gives way to a text.
#include <gtest/gtest.h>

#include "forms/preview_form.h"
#include "gui/gui_testing.h"
#include "play/live_preview.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace play {
namespace {

std::string Path(const std::string& name) { return "C:\\SAVERS\\" + name; }

// The preview on, following `row`; never two preview processes at once.
struct Rig {
  Rig() {
    for (const char* name : {"A.SCR", "B.SCR", "HUNG.SCR", "DARK.SCR", "NOTE.TXT"}) p.fs.AddFile(Path(name), "MZ");
    p.fs.AddFile(Path("TEXT.SCR"), "text");
    platform::fake::ProgramBehaviour hung, dark;
    hung.endsOnClose = false;
    dark.previewInside = false;  // draws nothing inside the window
    p.processes.SetBehaviour("HUNG.SCR", hung);
    p.processes.SetBehaviour("DARK.SCR", dark);
    LivePreviewHooks hooks;
    hooks.CurrentPath = [this] { return row; };
    preview = std::make_unique<LivePreview>(h.app, form, os, hooks);
    preview->SetOn(true);
  }
  void Run(int ms) {
    for (int t = 0; t < ms; t += 100) {
      h.backend.Advance(100);
      size_t running = 0;
      for (const auto& r : Started()) running += r.running ? 1 : 0;
      ASSERT_LE(running, 1u);
    }
  }
  const std::vector<platform::fake::FakeProcesses::Record>& Started() const { return p.processes.Started(); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32PREVIEW form{h.app};
  std::string row;
  std::unique_ptr<LivePreview> preview;
};

TEST(LivePreviewTest, ARowStartsItsSaverOnlyOnceItHasRested) {
  Rig t;
  t.row = Path("A.SCR");
  t.Run(200);
  t.row = Path("B.SCR");  // scrolling on
  t.Run(300);
  EXPECT_TRUE(t.Started().empty());
  t.Run(100);
  ASSERT_EQ(t.Started().size(), 1u);
  EXPECT_EQ(t.Started()[0].request.commandLine, "\"C:\\SAVERS\\B.SCR\" /p " + std::to_string(t.form.HostPanel.GetHandle()));
  EXPECT_EQ(t.Started()[0].request.showMode, platform::show::kNoActivate);
  // It runs in its own folder; this process's current folder stays where browsing left it.
  EXPECT_EQ(t.Started()[0].request.currentFolder, "C:\\SAVERS");
  EXPECT_NE(t.p.fs.CurrentFolder(), "C:\\SAVERS");
}

// The saver shown is asked to close when the row changes; the next one starts when it has gone,
// or when it has been ended with everything it started 2 s later.
TEST(LivePreviewTest, TheNextSaverWaitsUntilThePreviousOneHasGone) {
  for (auto [first, waitMs, forced] : {std::tuple{"A.SCR", 300, false}, std::tuple{"HUNG.SCR", 2000, true}}) {
    SCOPED_TRACE(first);
    Rig t;
    t.row = Path(first);
    t.Run(500);
    t.row = Path("B.SCR");
    t.Run(waitMs);
    EXPECT_EQ(t.Started()[0].closeRequests, 1);
    ASSERT_EQ(t.Started().size(), 1u);
    t.Run(100);
    EXPECT_EQ(t.Started()[0].endedByForce, forced);
    EXPECT_EQ(t.Started().size(), 2u);
  }
}

TEST(LivePreviewTest, WhatCannotShowGivesWayToText) {
  struct Case {
    std::string row;
    int waitMs;
    std::string says;
    bool forced;  // a saver was started and ended by force
  } cases[] = {
      {"", 1000, "", false},          {Path("NOTE.TXT"), 1000, "NOTE.TXT", false},
      {Path("TEXT.SCR"), 1000, "TEXT.SCR", false}, {Path("ARC.LZH"), 1000, "ARC.LZH", false},
      {Path("GONE.SCR"), 1000, "GONE.SCR", false},
      {Path("DARK.SCR"), 3400, kNoPreview, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    Rig t;
    t.row = c.row;
    t.Run(c.waitMs);
    EXPECT_EQ(t.form.HostPanel.Caption(), c.says) << testsupport::Utf8(t.form.HostPanel.Caption());
    EXPECT_EQ(!t.Started().empty() && t.Started()[0].endedByForce, c.forced);
  }
}

}  // namespace
}  // namespace play
