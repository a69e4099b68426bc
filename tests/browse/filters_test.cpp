#include "browse/filters.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace browse {
namespace {

using V = std::vector<std::string>;

V SelectFiles(platform::FileSystem& fs, platform::Collation& collation, const std::string& folder,
              const std::string& pattern, int mask, bool normal) {
  return NamesOf(SelectFileEntries(fs, collation, folder, pattern, mask, normal));
}

TEST(Filters, ExtensionTableLookups) {
  EXPECT_EQ(ExtensionNames().size(), 30u);
  EXPECT_STREQ(ExtensionNames()[kScrIndex], "SCR");
  EXPECT_EQ(ExtensionIndex("scr"), 20);
  EXPECT_EQ(ExtensionIndex("AVI"), 0);
  EXPECT_EQ(ExtensionIndex("WRI"), 29);
  EXPECT_EQ(ExtensionIndex("sr?"), 21);   // "?" is part of the stored name
  EXPECT_EQ(ExtensionIndex("SR5"), -1);
  EXPECT_EQ(ExtensionIndex(""), -1);
  EXPECT_EQ(FileExtensionIndex("C:\\SAVERS\\Stars.scr"), 20);
  EXPECT_EQ(FileExtensionIndex("C:\\SAVERS\\Stars.SCRX"), 20);   // cut to three characters
  EXPECT_EQ(FileExtensionIndex("C:\\SAVERS.D\\Stars"), -1);      // the folder's dot is no extension
  EXPECT_EQ(FileExtensionIndex("C:\\表.txt"), 26);
}

TEST(Filters, AttributeMaskAndPatterns) {
  EXPECT_EQ(AttributeMask(true, false, false, true), 33);
  EXPECT_EQ(AttributeMask(false, true, true, false), 6);
  std::array<bool, kExtensionCount> checked{};
  checked[kScrIndex] = true;
  EXPECT_EQ(BuildExtensionPattern(checked), "*.SCR;");
  checked[14] = true;
  EXPECT_EQ(BuildExtensionPattern(checked), "*.JPG;*.SCR;");   // table order at start-up
  std::string p = AddExtension("*.SCR;", 14);
  EXPECT_EQ(p, "*.SCR;*.JPG;");                                // later: appended
  EXPECT_EQ(AddExtension(p, 14), p);
  EXPECT_EQ(RemoveExtension(p, kScrIndex), "*.JPG;");
  EXPECT_EQ(RemoveExtension("*.JPG;", kScrIndex), "*.JPG;");
}

TEST(Filters, SelectionRule) {
  platform::fake::FakePlatform os;
  os.fs.AddFile("C:\\S\\b.scr", "", platform::attr::kArchive);
  os.fs.AddFile("C:\\S\\A.SCR", "", platform::attr::kArchive);
  os.fs.AddFile("C:\\S\\ro.scr", "", platform::attr::kReadOnly);
  os.fs.AddFile("C:\\S\\plain.scr", "", 0);
  os.fs.AddFile("C:\\S\\hid.scr", "", platform::attr::kHidden | platform::attr::kArchive);
  os.fs.AddFile("C:\\S\\pic.jpg", "", platform::attr::kArchive);
  os.fs.AddFolder("C:\\S\\dir.scr");
  const int archive = AttributeMask(false, false, false, true);
  EXPECT_EQ(SelectFiles(os.fs, os.collation, "C:\\S", "*.SCR;", archive, false), (V{"A.SCR", "b.scr"}));
  EXPECT_EQ(SelectFiles(os.fs, os.collation, "C:\\S", "*.SCR;", archive, true), (V{"A.SCR", "b.scr", "plain.scr", "ro.scr"}));
  EXPECT_EQ(SelectFiles(os.fs, os.collation, "C:\\S\\", "*.SCR;;*.jpg;*.SC?", archive | 2, false),
            (V{"A.SCR", "b.scr", "hid.scr", "pic.jpg"}));     // union, each name once
  EXPECT_EQ(SelectFiles(os.fs, os.collation, "C:\\S", "", archive, true), V{});
}

TEST(Filters, SelectionFollowsThePlatformsOrderOfNames) {
  platform::fake::FakePlatform os;
  for (const char* name : {"b.scr", "ab.scr", "a-c.scr", "1.scr", "_a.scr", "B2.scr"}) os.fs.AddFile(std::string("C:\\S\\") + name, "");
  // Punctuation first, the hyphen counts only last, letters without case.
  EXPECT_EQ(SelectFiles(os.fs, os.collation, "C:\\S", "*.SCR;*.scr", 0, true),
            (V{"_a.scr", "1.scr", "ab.scr", "a-c.scr", "b.scr", "B2.scr"}));
}

}  // namespace
}  // namespace browse
