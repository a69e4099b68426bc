#include "store/settings.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"

namespace store {
namespace {

struct SettingsTest : testing::Test {
  void Set(const std::string& name, const std::string& text) {
    registry.WriteString(platform::RegistryRoot::kCurrentUser, ExeKey(), name, text);
  }
  std::optional<std::string> Stored(const std::string& name, const std::string& key = ExeKey()) {
    return registry.ReadString(platform::RegistryRoot::kCurrentUser, key, name);
  }
  SettingsRead Read() { return ReadSettings(scr, exe, DefaultSettings(context)); }

  platform::fake::FakeRegistry registry;
  SettingsKey scr{registry, ScrKey()};
  SettingsKey exe{registry, ExeKey()};
  SettingsContext context{"C:\\WINDOWS", "C:\\QUOVEL32"};
};

TEST_F(SettingsTest, FirstStartTakesEveryDefault) {
  SettingsRead r = Read();
  const Settings& s = r.settings;
  EXPECT_TRUE(r.abortedAt.empty());
  EXPECT_TRUE(s.kinsi);
  EXPECT_EQ(s.workingFolder, "");
  EXPECT_FALSE(s.fp.has_value());
  EXPECT_EQ(s.memory[0], 1);          // memory mode off
  EXPECT_EQ(s.memory[4], 0);          // M0 current
  EXPECT_EQ(s.memory[6], 1);          // screen-saver names shown
  EXPECT_EQ(s.memory[5], 1);          // hidden folders shown
  EXPECT_NE(s.memory[3], 0);          // trash in CLR mode
  EXPECT_EQ(s.saiseim[0], 3);         // random order
  EXPECT_EQ(s.saiseim[1], 1);         // endless
  EXPECT_EQ(s.saiseim[9], 1);         // file timers
  EXPECT_EQ(s.saiseim[8], 1);         // savers are run
  EXPECT_EQ(s.timer, 10);
  EXPECT_EQ(s.stimer, 0);
  EXPECT_EQ(s.folderHis + s.fileHis, 0);
  EXPECT_EQ(s.minihelp, 1);
  EXPECT_EQ(s.fileShitei, 1);
  EXPECT_EQ(s.kakuchoshi[20], 1);     // only the SCR box counts at start-up
  EXPECT_EQ(s.cpath, "C:\\WINDOWS");
  EXPECT_EQ(s.copyPath, "C:\\QUOVEL32");
  EXPECT_EQ(s.idoPath, "C:\\QUOVEL32");
  EXPECT_EQ(s.fileName, "*.SCR");
}

TEST_F(SettingsTest, MalformedValuesTakeTheirDefaults) {
  // Every number and list value, for each kind of bad text.
  const char* names[] = {"ZOKUSEI", "KAKUCHOSHI", "BackColor", "MEMORY", "KYOUYO", "TIMER", "STIMER",
                         "FOLDERHIS", "FILEHIS", "LZHCOPY", "minihelp", "SAISEIM", "INDEX"};
  for (const char* bad : {"", "x", "1,", "1,1,0"}) {
    for (const char* name : names) Set(name, bad);
    SettingsRead r = Read();
    Settings d = DefaultSettings(context);
    EXPECT_TRUE(r.abortedAt.empty()) << bad;
    EXPECT_EQ(r.settings.zokusei, d.zokusei) << bad;
    EXPECT_EQ(r.settings.kakuchoshi, d.kakuchoshi) << bad;
    EXPECT_EQ(r.settings.memory, d.memory) << bad;
    EXPECT_EQ(r.settings.saiseim, d.saiseim) << bad;
    EXPECT_EQ(r.settings.index, d.index) << bad;
    EXPECT_EQ(r.settings.timer, 10) << bad;
    EXPECT_EQ(r.settings.backColor, 1) << bad;
  }
  Set("FP", "100");
  EXPECT_FALSE(Read().settings.fp.has_value());
  Set("FP", "-20,5000");
  EXPECT_EQ(Read().settings.fp, std::make_pair(-20, 5000));
}

TEST_F(SettingsTest, FourValuesStopTheReadingWhenTheyAreNoNumber) {
  for (const char* name : {"ALL", "FILESHITEI", "Lower", "DirNo"}) {
    registry.DeleteTree(platform::RegistryRoot::kCurrentUser, ExeKey());
    Set("TIMER", "30");
    Set(name, "abc");
    Settings start = DefaultSettings(context);
    start.timer = 77;                 // what the window shows before reading
    SettingsRead r = ReadSettings(scr, exe, start);
    EXPECT_EQ(r.abortedAt, name);
    EXPECT_EQ(r.settings.timer, 77) << name;   // read after the failing value: not reached
  }
  Set("Lower", "");
  Set("ALL", "1");
  Set("FILESHITEI", "0");
  Set("DirNo", "1");
  SettingsRead r = Read();
  EXPECT_TRUE(r.abortedAt.empty());
  EXPECT_EQ(r.settings.lower, 1);     // empty still means the default
  EXPECT_EQ(r.settings.timer, 30);
}

TEST_F(SettingsTest, SaveAllWritesEveryValueAndSkipsOnlyTheOptionalOnes) {
  Settings s = DefaultSettings(context);
  s.fp = std::make_pair(12, 34);
  s.memory = {0, -1, 1, -1, 3, 0, 0};
  s.workingFolder = "C:\\TMP";
  s.kinsi = false;
  SettingsWrite w = WriteSettings(scr, exe, s);
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(Stored("FP"), "12,34");
  EXPECT_EQ(Stored("MEMORY"), "0,-1,1,-1,3,0,0");
  EXPECT_EQ(Stored("KAKUCHOSHI"), "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1");
  EXPECT_EQ(Stored("SAISEIM"), "3,1,0,0,0,1,1,0,1,1");
  EXPECT_EQ(Stored("KINSI", ScrKey()), "0");
  EXPECT_EQ(Stored("TMPQVLA", ScrKey()), "C:\\TMP");
  SettingsRead back = ReadSettings(scr, exe, DefaultSettings(context));
  EXPECT_EQ(back.settings.memory, s.memory);
  EXPECT_EQ(back.settings.fp, s.fp);

  // Order of writing: the two screen-saver values, then FP ... KYOUYO, the preview window's and
  // the monitors' setting.
  registry.ClearChanges();
  WriteSettings(scr, exe, s);
  ASSERT_EQ(registry.Changes().size(), 2u + 25u);
  EXPECT_NE(registry.Changes()[2].find("[FP]"), std::string::npos);
  EXPECT_NE(registry.Changes().back().find("[MONITORS]"), std::string::npos);
}

// A registry whose n-th write fails.
struct FailingRegistry : platform::fake::FakeRegistry {
  int failAt = -1;
  int writes = 0;
  platform::OsResult WriteString(platform::RegistryRoot root, const std::string& key, const std::string& name,
                                 const std::string& value) override {
    if (writes++ == failAt) FailNextChange(5);
    return FakeRegistry::WriteString(root, key, name, value);
  }
};

TEST(SettingsWrite, AFailedWriteStopsSaveAllUnlessTheValueIsOptional) {
  struct Case {
    const char* failing;       // the value whose write fails
    bool ok;
    const char* after;         // a value written after it, present only when writing went on
  } cases[] = {{"COPYPath", true, "KYOUYO"}, {"BackColor", true, "minihelp"}, {"FP", false, "ZOKUSEI"},
               {"INDEX", false, "TIMER"}, {"KYOUYO", false, nullptr}, {"PREVIEW", true, "PREVIEWFP"}};
  const char* order[] = {"FP", "ZOKUSEI", "KAKUCHOSHI", "DirNo", "CPATH", "FILESHITEI", "FILENAME", "MEMORY",
                         "ALL", "SAISEIM", "INDEX", "TIMER", "STIMER", "FOLDERHIS", "FILEHIS", "BackColor",
                         "COPYPath", "IDOPath", "LZHCOPY", "minihelp", "Lower", "KYOUYO", "PREVIEW", "PREVIEWFP",
                         "MONITORS"};
  for (const Case& c : cases) {
    FailingRegistry registry;
    int index = 0;
    while (std::string(order[index]) != c.failing) ++index;
    registry.failAt = 2 + index;   // the two screen-saver values come first
    SettingsKey scr{registry, ScrKey()}, exe{registry, ExeKey()};
    Settings s = DefaultSettings({"C:\\WINDOWS", "C:\\QUOVEL32"});
    s.fp = std::make_pair(1, 2);
    SettingsWrite w = WriteSettings(scr, exe, s);
    EXPECT_EQ(w.ok, c.ok) << c.failing;
    EXPECT_EQ(w.failedAt, c.ok ? "" : c.failing);
    EXPECT_FALSE(registry.ReadString(platform::RegistryRoot::kCurrentUser, ExeKey(), c.failing).has_value());
    if (c.after != nullptr) {
      EXPECT_EQ(registry.ReadString(platform::RegistryRoot::kCurrentUser, ExeKey(), c.after).has_value(), c.ok)
          << c.failing << " then " << c.after;
    }
  }
}

}  // namespace
}  // namespace store
