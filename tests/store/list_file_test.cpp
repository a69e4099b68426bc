#include "store/list_file.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "support/pe_image.h"
#include "support/sjis_text.h"

namespace store {
namespace {

using V = std::vector<std::string>;

TEST(ListFile, AnyLineEndIsAcceptedOnReading) {
  struct Case {
    std::string bytes;
    V lines;
  } cases[] = {
      {"", {}},
      {"C:\\A.SCR\r\nC:\\B.SCR\r\n", {"C:\\A.SCR", "C:\\B.SCR"}},
      {"C:\\A.SCR\rC:\\B.SCR\r", {"C:\\A.SCR", "C:\\B.SCR"}},
      {"C:\\A.SCR\nC:\\B.SCR", {"C:\\A.SCR", "C:\\B.SCR"}},       // no final line end
      {"C:\\A.SCR\n\rC:\\B.SCR", {"C:\\A.SCR", "", "C:\\B.SCR"}},  // LF then CR: two line ends
      {"C:\\表\\ソ.SCR\r\n", {"C:\\表\\ソ.SCR"}},
      {"  spaced  \r\n", {"  spaced  "}},                           // kept exactly
  };
  for (const Case& c : cases) EXPECT_EQ(ParseList(c.bytes), c.lines) << testsupport::Utf8(c.bytes);
}

TEST(ListFile, EveryLineEndsWithCrLf) {
  EXPECT_EQ(FormatList({}), "");
  EXPECT_EQ(FormatList({"C:\\A.SCR", "C:\\B.SCR"}), "C:\\A.SCR\r\nC:\\B.SCR\r\n");
}

TEST(ListFile, SaveAndLoadRoundTripThroughAReplacedFile) {
  platform::fake::FakePlatform p;
  V big;
  for (size_t i = 0; i < kListCapacity; ++i) big.push_back("C:\\SAVERS\\S" + std::to_string(i) + ".SCR");
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M3.LIS", big).ok());
  EXPECT_EQ(LoadList(p.fs, "C:\\WINDOWS\\QVLA32M3.LIS"), big);
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M3.LIS", {}).ok());
  EXPECT_EQ(p.fs.FileSize("C:\\WINDOWS\\QVLA32M3.LIS"), 0u);
  EXPECT_FALSE(LoadList(p.fs, "C:\\WINDOWS\\QVLA32M9.LIS").has_value());
  // A failed write leaves the old file as it was.
  ASSERT_TRUE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M4.LIS", {"C:\\OLD.SCR"}).ok());
  p.fs.Lock("C:\\WINDOWS\\QVLA32M4.LIS");
  EXPECT_FALSE(SaveList(p.fs, "C:\\WINDOWS\\QVLA32M4.LIS", {"C:\\NEW.SCR"}).ok());
  p.fs.Unlock("C:\\WINDOWS\\QVLA32M4.LIS");
  EXPECT_EQ(LoadList(p.fs, "C:\\WINDOWS\\QVLA32M4.LIS"), (V{"C:\\OLD.SCR"}));
}

TEST(ListFile, CapacityAndCaptions) {
  EXPECT_FALSE(AtCapacity(32699));
  EXPECT_TRUE(AtCapacity(32700));
  EXPECT_TRUE(AtCapacity(40000));
  EXPECT_EQ(ListCaption(3, 15), "M3 : 15ｺ");
  EXPECT_EQ(ListCaption(0, 0), "M0 : 0ｺ");
  EXPECT_EQ(ListCaption(kHistoryList, 0), "HIS: 0ｺ");
  EXPECT_EQ(ListCaption(kExclusionList, 2), "EXT: 2ｺ");
}

struct DescriptionTest : testing::Test {
  void Saver(const std::string& name, size_t at, const std::string& marker) {
    std::string bytes = "MZ" + std::string(6000, '\x01');
    bytes.replace(at, marker.size(), marker);
    p.fs.AddFile("C:\\SAVERS\\" + name, bytes);
  }
  std::string Name(const std::string& file) { return DisplayName(p.fs, p.text, "C:\\SAVERS\\" + file); }
  platform::fake::FakePlatform p;
};

TEST_F(DescriptionTest, FoundInTheFirstTwoBlocksOnly) {
  Saver("early.scr", 64, std::string("SCRNSAVE : 星空の旅\0", 21));
  Saver("blanks.scr", 100, std::string("SCRNSAVE\t:  夢\0", 15));
  Saver("second.scr", 3000, std::string("SCRNSAVE:Plasma\0", 16));
  Saver("cut.scr", 4080, "SCRNSAVE:LongDescription");   // runs past byte 4096
  Saver("edge.scr", 4090, "SCRNSAVE:Cut");               // the marker itself is cut
  Saver("after.scr", 4100, std::string("SCRNSAVE:Late\0", 14));
  Saver("colon.scr", 64, std::string("SCRNSAVE no colon\0", 18));
  EXPECT_EQ(Name("early.scr"), "星空の旅");
  EXPECT_EQ(Name("blanks.scr"), "夢");
  EXPECT_EQ(Name("second.scr"), "Plasma");
  EXPECT_EQ(Name("cut.scr"), "LongDes");           // the block ends at byte 4096
  EXPECT_EQ(Name("edge.scr"), "Edge");              // only "SCRNSA" fits: no description
  EXPECT_EQ(Name("after.scr"), "After");            // beyond the two blocks
  EXPECT_EQ(Name("colon.scr"), "Colon");
}

TEST_F(DescriptionTest, FallBacks) {
  // Without the text, the name of the file's resources (in the user's language), then the file's.
  p.fs.AddFile("C:\\SAVERS\\both.scr", testsupport::PeImage({false, {{0x0411, u"ほし"}}}, std::string("SCRNSAVE : 夢\0", 14)));
  p.fs.AddFile("C:\\SAVERS\\named.scr", testsupport::PeImage({false, {{0x0409, u"Star"}, {0x0411, u"ほし"}}}));
  EXPECT_EQ(Name("both.scr"), "夢");
  EXPECT_EQ(Name("named.scr"), "ほし");
  p.fs.AddFile("C:\\SAVERS\\plain.scr", "MZ" + std::string(100, 'x'));
  p.fs.AddFile("C:\\SAVERS\\text.scr", "not a program");
  EXPECT_EQ(Name("plain.scr"), "Plain");
  EXPECT_EQ(Name("text.scr"), "Text");
  EXPECT_EQ(Name("missing.scr"), "Missing");
  EXPECT_EQ(Name("readme.txt"), "readme.txt");
  EXPECT_EQ(Name("表示.scr"), "表示");
}

}  // namespace
}  // namespace store
