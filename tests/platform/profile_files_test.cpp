// The program's own profile-file code beyond what the platform contract checks against the
// Windows profile API: two-byte characters whose second byte looks like "]" or a letter, damaged
// files, and files that must not be written over.
#include "platform/profile_files.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_file_system.h"
#include "support/sjis_text.h"

namespace platform {
namespace {

using testsupport::Utf8;

constexpr char kFile[] = "C:\\DATA\\QUOVEL32.Tim";

struct ProfileFilesTest : testing::Test {
  ProfileFilesTest() { fs.AddFolder("C:\\DATA"); }
  platform::fake::FakeFileSystem fs;
  ProfileFiles ini{fs};
};

TEST_F(ProfileFilesTest, TwoByteCharactersAreNeverCutOrFolded) {
  // "ゾ" ends in the byte of "]", "ソ" in that of "\", "ア" and "ヂ" differ only in a letter byte.
  ASSERT_TRUE(ini.WriteString(kFile, "ゾーン", "C:\\ソフト\\ア.SCR", "30"));
  ASSERT_TRUE(ini.WriteString(kFile, "ゾーン", "C:\\ソフト\\ヂ.SCR", "45"));
  EXPECT_EQ(Utf8(*fs.ReadFile(kFile)), Utf8("[ゾーン]\r\nC:\\ソフト\\ア.SCR=30\r\nC:\\ソフト\\ヂ.SCR=45\r\n"));
  EXPECT_EQ(ini.ReadString(kFile, "ゾーン", "c:\\ソフト\\ア.scr", "0"), "30");
  EXPECT_EQ(ini.ReadString(kFile, "ゾーン", "C:\\ソフト\\ヂ.SCR", "0"), "45");
}

TEST_F(ProfileFilesTest, DamagedFilesReadWhatIsThereAndKeepItOnWrite) {
  struct Case {
    const char* bytes;
    const char* value;       // of Timer/A
    const char* afterWrite;  // the file after B=5 was written
  } cases[] = {
      {"[Timer]\r\nA=1", "1", "[Timer]\r\nA=1\r\nB=5\r\n"},                 // no final line end
      {"[Timer]\nA=2\n", "2", "[Timer]\r\nA=2\r\nB=5\r\n"},                 // LF only
      {"[Timer\r\nA=3\r\n", "3", "[Timer\r\nA=3\r\nB=5\r\n"},               // no "]"
      {"\x01\xff garbage\r\n[Timer]\r\nA=4\r\n\x83", "4", "\x01\xff garbage\r\n[Timer]\r\nA=4\r\n\x83\r\nB=5\r\n"},
      {"", "-", "[Timer]\r\nB=5\r\n"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(fs.WriteFile(kFile, c.bytes));
    EXPECT_EQ(ini.ReadString(kFile, "Timer", "A", "-"), c.value) << Utf8(c.bytes);
    ASSERT_TRUE(ini.WriteString(kFile, "Timer", "B", "5"));
    EXPECT_EQ(*fs.ReadFile(kFile), c.afterWrite) << Utf8(c.bytes);
  }
}

TEST_F(ProfileFilesTest, AFileThatCannotBeReadOrReplacedKeepsItsBytes) {
  const std::string before = "[Timer]\r\nA=1\r\n";
  fs.AddFile(kFile, before);
  fs.Lock(kFile);
  EXPECT_FALSE(ini.WriteString(kFile, "Timer", "B", "2"));
  EXPECT_FALSE(ini.DeleteKey(kFile, "Timer", "A"));
  fs.Unlock(kFile);
  fs.FailNext(platform::fake::FsOp::kWrite, "", platform::code::kDiskFull);
  EXPECT_FALSE(ini.WriteString(kFile, "Timer", "B", "2"));
  EXPECT_EQ(fs.ReadFile(kFile), before);
  EXPECT_EQ(fs.Find("C:\\DATA\\*.*", platform::attr::kAnyFile).size(), 1u);  // no temporary file left
}

}  // namespace
}  // namespace platform
