#include "browse/file_info.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "support/sjis_text.h"

namespace browse {
namespace {

using testsupport::Utf8;
namespace attr = platform::attr;

TEST(FileInfoTest, DatesWithJapaneseDayNames) {
  struct Case {
    platform::LocalTime t;
    std::string text;
  } cases[] = {
      {{2024, 1, 1, 9, 5, 0, 1}, " 24/01/01 月 09:05:00 "},
      {{1999, 12, 31, 23, 59, 59, 5}, " 99/12/31 金 23:59:59 "},
      {{2000, 2, 6, 0, 0, 7, 0}, " 00/02/06 日 00:00:07 "},
      {{2026, 12, 5, 12, 0, 0, 6}, " 26/12/05 土 12:00:00 "},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFileDate(c.t), c.text) << Utf8(FormatFileDate(c.t));
}

TEST(FileInfoTest, AttributeLettersKeepTheirPlaces) {
  struct Case {
    uint32_t bits;
    std::string letters;
  } cases[] = {
      {0, "    "},
      {attr::kArchive, "   a"},
      {attr::kReadOnly | attr::kHidden, "r h "},
      {attr::kReadOnly | attr::kSystem | attr::kHidden | attr::kArchive, "rsha"},
      {attr::kNormal, "    "},
  };
  for (const Case& c : cases) EXPECT_EQ(AttributeLetters(c.bits), c.letters) << c.bits;
}

TEST(FileInfoTest, DescribesFoundFilesAndLeavesPlaceholdersOtherwise) {
  platform::fake::FakeFileSystem fs;  // clock at 2024-01-01 00:00 UTC, a Monday
  fs.SetUtcOffsetMinutes(9 * 60);
  fs.AddFile("C:\\SS\\星.SCR", std::string(12345, 'x'), attr::kArchive | attr::kHidden | attr::kSystem);
  fs.AddFolder("C:\\SS\\Folder.SCR");
  FileInfoLine found = DescribeFile(fs, "c:\\ss\\星.scr");
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.size, "12345");
  EXPECT_EQ(found.date, " 24/01/01 月 09:00:00  sha") << Utf8(found.date);
  for (const char* missing : {"C:\\SS\\NONE.SCR", "C:\\SS\\Folder.SCR", "C:\\SS\\*.SCR", "C:\\NOPE\\A.SCR"}) {
    FileInfoLine line = DescribeFile(fs, missing);
    EXPECT_FALSE(line.found) << missing;
    EXPECT_EQ(line.size, "----------");
    EXPECT_EQ(line.date, " yy/mm/dd day hh:mm:ss ----");
  }
}

}  // namespace
}  // namespace browse
