#include "store/description_cache.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace store {
namespace {

constexpr char kData[] = "C:\\WINDOWS\\";
constexpr char kSaver[] = "C:\\SS\\star.scr";
const std::string kCacheFile = std::string(kData) + kDescriptionCacheFile;

std::string Saver(const std::string& name) { return "MZ..SCRNSAVE : " + name + std::string(1, '\0'); }

// A cache that learnt kSaver's description and wrote it, then a fresh one (the next start) that
// reads the file again.
struct Learnt {
  Learnt() {
    p.fs.AddFile(kSaver, Saver("Stars"));
    DescriptionCache first(p.fs, p.text, kData);
    EXPECT_EQ(first.Description(kSaver), "Stars");
    first.Save();
  }
  platform::fake::FakePlatform p;
};
struct CacheTest : ::testing::Test, Learnt {};

TEST_F(CacheTest, AnEntryCountsOnlyWhileSizeAndDateAreUnchanged) {
  struct Case {
    const char* what;
    std::string body;      // the file's new bytes
    bool touch;            // its date moves too
    const char* expected;  // what a later start shows
  } cases[] = {
      // Same size, same date: the file is not opened again, so its new bytes go unseen.
      {"unchanged entry", Saver("Sea.."), false, "Stars"},
      {"size changed", Saver("Oceans"), false, "Oceans"},
      {"date changed", Saver("Sea.."), true, "Sea.."},
      {"no saver any more", "PK" + Saver("Stars"), true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Learnt fresh;
    const platform::FileTime date = *fresh.p.fs.LastWriteTime(kSaver);
    fresh.p.fs.AddFile(kSaver, c.body);  // replaced by another file of the same name
    fresh.p.fs.SetLastWriteTime(kSaver, c.touch ? platform::FileTime{date.ticks + 10'000'000} : date);
    DescriptionCache later(fresh.p.fs, fresh.p.text, kData);
    EXPECT_EQ(later.Description(kSaver), c.expected);
    EXPECT_EQ(later.DisplayName(kSaver), *c.expected ? c.expected : "Star");
  }
}

TEST_F(CacheTest, ADamagedOrForeignFileIsIgnoredAndRebuilt) {
  const std::string good = *p.fs.ReadFile(kCacheFile);
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x20;
  DescriptionTable table;
  table["C:\\SS\\STAR.SCR"] = {p.fs.FileSize(kSaver).value(), *p.fs.LastWriteTime(kSaver), "Forged"};
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"cut short", good.substr(0, good.size() - 7)},
      {"one byte changed", flipped},
      {"other bytes", std::string(200, 'x')},
      {"written for another folder", FormatDescriptionCache("D:\\QUOVEL32\\", table)},
  };
  // The saver changes where only a trusted entry would hide it.
  const platform::FileTime date = *p.fs.LastWriteTime(kSaver);
  p.fs.AddFile(kSaver, Saver("Sea.."));
  p.fs.SetLastWriteTime(kSaver, date);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(p.fs.WriteFile(kCacheFile, c.bytes).ok());
    DescriptionCache cache(p.fs, p.text, kData);
    EXPECT_EQ(cache.Description(kSaver), "Sea..");
    cache.Save();
    EXPECT_TRUE(ParseDescriptionCache(kData, *p.fs.ReadFile(kCacheFile)).has_value());
  }
}

TEST_F(CacheTest, ManagerAndRunnerShareTheFileWithoutLosingEntries) {
  p.fs.AddFile("C:\\SS\\sea.scr", Saver("Sea"));
  p.fs.AddFile("C:\\SS\\sky.scr", Saver("Sky"));
  DescriptionCache manager(p.fs, p.text, kData);
  DescriptionCache runner(p.fs, p.text, kData);
  EXPECT_EQ(manager.Description("C:\\SS\\sea.scr"), "Sea");
  EXPECT_EQ(runner.Description("C:\\SS\\sky.scr"), "Sky");
  // The runner writes while the manager's write is under way: it fails and is tried again.
  const std::string lock = std::string(kData) + kDescriptionCacheLock;
  p.fs.AddFile(lock);
  p.fs.Lock(lock);
  runner.Save();
  p.fs.Unlock(lock);
  manager.Save();
  runner.Save();
  DescriptionCache next(p.fs, p.text, kData);
  EXPECT_EQ(next.Count(), 3u);
  const auto table = ParseDescriptionCache(kData, *p.fs.ReadFile(kCacheFile));
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->at("C:\\SS\\SEA.SCR").description, "Sea");
  EXPECT_EQ(table->at("C:\\SS\\SKY.SCR").description, "Sky");
  EXPECT_EQ(table->at("C:\\SS\\STAR.SCR").description, "Stars");
}

}  // namespace
}  // namespace store
