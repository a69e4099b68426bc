// The live preview on the virtual clock: a row's saver starts once the row has rested, one
// preview process at a time, and a row or saver that cannot show gives way to a plain text.
#include <gtest/gtest.h>

#include "forms/preview_form.h"
#include "gui/gui_testing.h"
#include "play/live_preview.h"
#include "platform/fake/fake_platform.h"
#include "support/sjis_text.h"

namespace play {
namespace {

// A preview window on, following `row`, over savers in C:\SAVERS.
struct Rig {
  Rig() {
    for (const char* name : {"A.SCR", "B.SCR", "HUNG.SCR", "DARK.SCR", "FULL.SCR"}) p.fs.AddFile(Path(name), "MZ saver");
    p.fs.AddFile(Path("TEXT.SCR"), "not a program");
    p.fs.AddFile(Path("NOTE.TXT"), "MZ");
    platform::fake::ProgramBehaviour hung, dark, full;
    hung.endsOnClose = false;
    dark.previewInside = false;
    full.windows = {{0, 0, 1024, 768}};
    p.processes.SetBehaviour("HUNG.SCR", hung);
    p.processes.SetBehaviour("DARK.SCR", dark);
    p.processes.SetBehaviour("FULL.SCR", full);
    preview.SetOn(true);
  }
  static std::string Path(const std::string& name) { return "C:\\SAVERS\\" + name; }
  // Advances the clock in looks, checking that no two preview processes ever run at once.
  void Run(int ms) {
    for (int t = 0; t < ms; t += 100) {
      h.backend.Advance(100);
      ASSERT_LE(Running(), 1u) << "at " << t << " ms";
    }
  }
  size_t Running() const {
    size_t n = 0;
    for (const auto& r : p.processes.Started()) n += r.running ? 1 : 0;
    return n;
  }
  std::vector<std::string> Started() const {
    std::vector<std::string> out;
    for (const auto& r : p.processes.Started()) out.push_back(r.request.commandLine);
    return out;
  }
  std::string Host() { return std::to_string(form.Panel1.GetHandle()); }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32PREVIEW form{h.app};
  std::string row;
  bool resting = false;
  LivePreview preview{h.app, form, os, Hooks()};

  LivePreviewHooks Hooks() {
    LivePreviewHooks hooks;
    hooks.CurrentPath = [this] { return row; };
    hooks.Resting = [this] { return resting; };
    return hooks;
  }
};

TEST(LivePreviewTest, ARowStartsItsSaverOnlyOnceItHasRested) {
  Rig t;
  t.row = Rig::Path("A.SCR");
  t.Run(200);
  t.row = Rig::Path("B.SCR");  // scrolling on
  t.Run(300);
  EXPECT_TRUE(t.Started().empty());
  t.Run(100);
  ASSERT_EQ(t.Started(), std::vector<std::string>{"\"C:\\SAVERS\\B.SCR\" /p " + t.Host()});
  EXPECT_EQ(t.p.processes.Started()[0].request.currentFolder, "C:\\SAVERS");
  EXPECT_EQ(t.p.processes.Started()[0].request.showMode, platform::show::kNoActivate);
  t.Run(100);
  EXPECT_EQ(t.form.Panel1.Caption(), "");  // the saver's window covers it
}

// The saver shown is asked to close when the row changes; the next one starts when it has gone,
// or when it has been ended with everything it started 2 s later.
TEST(LivePreviewTest, TheNextSaverWaitsUntilThePreviousOneHasGone) {
  struct Case {
    const char* first;
    int nextStartsAfterMs;
    bool forced;
  } cases[] = {{"A.SCR", 300, false}, {"HUNG.SCR", 2000, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    Rig t;
    t.row = Rig::Path(c.first);
    t.Run(500);
    ASSERT_EQ(t.Started().size(), 1u);
    t.row = Rig::Path("B.SCR");
    t.Run(c.nextStartsAfterMs);
    EXPECT_EQ(t.p.processes.Started()[0].closeRequests, 1);
    ASSERT_EQ(t.Started().size(), 1u);
    t.Run(100);
    EXPECT_EQ(t.p.processes.Started()[0].endedByForce, c.forced);
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
      {"", 1000, "", false},
      {Rig::Path("NOTE.TXT"), 1000, "NOTE.TXT", false},
      {Rig::Path("TEXT.SCR"), 1000, "TEXT.SCR", false},
      {Rig::Path("ARC.LZH"), 1000, "ARC.LZH", false},
      {Rig::Path("GONE.SCR"), 1000, "GONE.SCR", false},
      {Rig::Path("FULL.SCR"), 500, kNoPreview, true},   // took the screen: ended at the first look
      {Rig::Path("DARK.SCR"), 3400, kNoPreview, true},  // nothing inside the window for 3 s
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    Rig t;
    t.row = c.row;
    t.Run(c.waitMs);
    EXPECT_EQ(t.Running(), 0u);
    EXPECT_EQ(t.form.Panel1.Caption(), c.says) << testsupport::Utf8(t.form.Panel1.Caption());
    EXPECT_EQ(!t.p.processes.Started().empty() && t.p.processes.Started()[0].endedByForce, c.forced);
  }
}

// While a run plays the saver goes; afterwards the same row shows again.
TEST(LivePreviewTest, RestingStopsThePreviewUntilItIsOver) {
  Rig t;
  t.row = Rig::Path("A.SCR");
  t.Run(500);
  t.resting = true;
  t.Run(1000);
  EXPECT_EQ(t.Running(), 0u);
  ASSERT_EQ(t.Started().size(), 1u);
  t.resting = false;
  t.Run(400);
  EXPECT_EQ(t.Started().size(), 2u);
  EXPECT_EQ(t.Running(), 1u);
}

TEST(PreviewBoundsTest, BesideTheManagerInsideTheWorkArea) {
  const gui::Rect work{0, 0, 1000, 700};
  const gui::Size size{200, 170};
  struct Case {
    gui::Rect manager;
    std::optional<gui::Point> saved;
    gui::Rect expected;
  } cases[] = {
      {{100, 50, 500, 400}, std::nullopt, {600, 50, 200, 170}},   // right of it
      {{400, 50, 500, 400}, std::nullopt, {200, 50, 200, 170}},   // no room right: left of it
      {{0, 600, 1000, 300}, std::nullopt, {0, 530, 200, 170}},    // neither: inside the area
      {{100, 50, 500, 400}, gui::Point{-50, 650}, {0, 530, 200, 170}},
  };
  for (const Case& c : cases) EXPECT_EQ(PreviewBounds(c.manager, size, work, c.saved), c.expected);
}

}  // namespace
}  // namespace play
