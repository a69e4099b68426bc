#include "text/text_path.h"

#include <gtest/gtest.h>

#include "support/sjis_text.h"

namespace text {
namespace {

using testsupport::Utf8;

// Literals are compiled to CP932: 表 ends in the byte of "\", ア in the byte of "A".
TEST(TextPath, LiteralsAreShiftJis) {
  EXPECT_EQ(std::string("表"), "\x95\x5C");
  EXPECT_EQ(std::string("ア"), "\x83\x41");
  EXPECT_EQ(std::string("ｱ"), "\xB1");
}

struct Case {
  std::string in;
  std::string out;
};

TEST(TextPath, AddYenAppendsOnlyWhenTheLastBackslashIsNotItsOwn) {
  const Case cases[] = {
      {"", ""},
      {"C:\\", "C:\\"},
      {"C:\\WINDOWS", "C:\\WINDOWS\\"},
      {"C:\\WINDOWS\\", "C:\\WINDOWS\\"},
      {"C:\\一覧表", "C:\\一覧表\\"},          // ends in 0x95 0x5C
      {"C:\\一覧表\\", "C:\\一覧表\\"},
      {"C:\\乗表", "C:\\乗表\\"},              // 乗 = 0x8F 0xE6: a trail byte in the lead range
      {"C:\\ｱｲ\\", "C:\\ｱｲ\\"},              // half-width katakana are single bytes
      {"ソ", "ソ\\"},                          // 0x83 0x5C alone
  };
  for (const Case& c : cases) EXPECT_EQ(AddYen(c.in), c.out) << Utf8(c.in);
}

TEST(TextPath, CutYenKeepsRootsAndTwoByteCharacters) {
  const Case cases[] = {
      {"", ""},
      {"C:\\", "C:\\"},
      {"C:\\WINDOWS\\", "C:\\WINDOWS"},
      {"C:\\WINDOWS", "C:\\WINDOWS"},
      {"C:\\一覧表", "C:\\一覧表"},
      {"C:\\一覧表\\", "C:\\一覧表"},
      {"AB\\", "AB\\"},                        // three characters are not cut
      {"ABC\\", "ABC"},
  };
  for (const Case& c : cases) EXPECT_EQ(CutYen(c.in), c.out) << Utf8(c.in);
}

TEST(TextPath, CaseChangeTouchesAsciiLettersOnly) {
  EXPECT_EQ(UpperAscii("c:\\Windows\\sys.scr"), "C:\\WINDOWS\\SYS.SCR");
  EXPECT_EQ(LowerAscii("C:\\WINDOWS\\SYS.SCR"), "c:\\windows\\sys.scr");
  // Full-width letters, half-width katakana and trail bytes that look like letters stay.
  EXPECT_EQ(UpperAscii("ａｂｃｱｲｳ"), "ａｂｃｱｲｳ");
  EXPECT_EQ(LowerAscii("アイウ"), "アイウ");
  EXPECT_EQ(LowerAscii("アB"), "アb");
  EXPECT_EQ(UpperAscii("ャa"), "ャA");  // ャ = 0x83 0x61
}

TEST(TextPath, LeftCutNeverSplitsACharacter) {
  std::string text = std::string(62, 'x') + "表示";   // byte 63 is the lead byte of 表
  EXPECT_EQ(LeftCut(text, 63), std::string(62, 'x'));
  EXPECT_EQ(LeftCut(text, 64), std::string(62, 'x') + "表");
  EXPECT_EQ(LeftCut(text, 65), std::string(62, 'x') + "表");
  EXPECT_EQ(LeftCut(text, 1000), text);
  EXPECT_EQ(LeftCut(text, 0), "");
  EXPECT_EQ(LeftCut(text, -5), "");
  EXPECT_EQ(LeftCut("ｱｲｳｴｵ", 3), "ｱｲｳ");   // single-byte katakana cut anywhere
  EXPECT_EQ(LeftCut("表a", 1), "");
}

TEST(TextPath, ComponentsAndPrefixes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitPath("C:\\WINDOWS\\SYSTEM"), (V{"C:\\", "WINDOWS\\", "SYSTEM\\"}));
  EXPECT_EQ(SplitPath("C:\\WINDOWS\\SYSTEM\\"), (V{"C:\\", "WINDOWS\\", "SYSTEM\\"}));
  EXPECT_EQ(PathComponents("C:\\WINDOWS\\SYSTEM"), (V{"C:\\", "WINDOWS", "SYSTEM"}));
  EXPECT_EQ(PathPrefixes("C:\\WINDOWS\\SYSTEM"), (V{"C:\\", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"}));
  EXPECT_EQ(PathComponents("C:\\一覧表\\ソフト"), (V{"C:\\", "一覧表", "ソフト"}));
  EXPECT_EQ(PathPrefixes("C:\\一覧表\\ソフト"), (V{"C:\\", "C:\\一覧表", "C:\\一覧表\\ソフト"}));
  EXPECT_EQ(PathComponents("C:\\"), (V{"C:\\"}));
  EXPECT_EQ(PathComponents(""), V{});
  EXPECT_EQ(PathComponents("C:\\AB\\X"), (V{"C:\\", "AB", "X"}));  // short names lose their "\" too
}

TEST(TextPath, ParentFolder) {
  EXPECT_EQ(ParentFolder("C:\\WINDOWS\\SYSTEM"), "C:\\WINDOWS");
  EXPECT_EQ(ParentFolder("C:\\WINDOWS\\"), "C:\\");
  EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
  EXPECT_EQ(ParentFolder("C:\\一覧表\\表"), "C:\\一覧表");
  EXPECT_EQ(ParentFolder(""), "");
}

// Both edges of both lead-byte ranges: a lead byte takes the "\" after it as its second byte.
TEST(TextPath, LeadByteRangesEndExactly) {
  for (const auto& [byte, lead] : std::vector<std::pair<unsigned char, bool>>{
           {0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false}, {0xDF, false}, {0xE0, true}, {0xFC, true},
           {0xFD, false}}) {
    const std::string ch(1, static_cast<char>(byte));
    std::string folder, name;
    SplitFileName("C:\\" + ch + "\\x", folder, name);
    EXPECT_EQ(IsLeadByte(byte), lead) << int{byte};
    EXPECT_EQ(name, lead ? ch + "\\x" : "x") << int{byte};
  }
}

TEST(TextPath, SplitFileName) {
  std::string folder, name;
  SplitFileName("C:\\一覧表\\a.scr", folder, name);
  EXPECT_EQ(folder, "C:\\一覧表\\");
  EXPECT_EQ(name, "a.scr");
  SplitFileName("C:\\ソ", folder, name);   // the trail byte of ソ is no separator
  EXPECT_EQ(folder, "C:\\");
  EXPECT_EQ(name, "ソ");
  SplitFileName("plain.txt", folder, name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "plain.txt");
  SplitFileName("../..\\x/EVIL.LZH", folder, name);   // Windows takes "/" for "\" too
  EXPECT_EQ(folder, "../..\\x/");
  EXPECT_EQ(name, "EVIL.LZH");
}

// One rule for typed names and archive entries: the name must name a file of its own in its folder.
TEST(TextPath, PlainNamesNameAFileOfTheirOwn) {
  for (const char* name : {"A.LZH", "新しいフォルダー", "ソ", "表", "a b", ".profile", "CONSOLE.SCR", "COM10", "LPT0.TXT",
                           "NULL", "xCON", " CON", "CONIN", "表CON"}) {
    EXPECT_TRUE(IsPlainName(name)) << Utf8(name);
  }
  for (const char* name : {"", ".", "..", "...", "a.", "a ", "..\\OUT", "../OUT", "C:OUT", "a*", "a?", "a\"b", "a<", "a>",
                           "a|", "a\tb", "a\x1b]2;x\x07", "\\\\srv", "a\xFF" "b", "half\x83",
                           // Windows opens a device for these, whatever follows the dot.
                           "CON", "NUL.txt", "com1", "LPT1.SCR", "CONIN$", "conout$.log", "prn .txt", "Com9.a.b",
                           // Not Shift-JIS, or a second spelling of a character another name has too.
                           "\x85\x40.TXT", "\xED\x40.TXT"}) {
    EXPECT_FALSE(IsPlainName(name)) << Utf8(name);
  }
}

// Trailing blanks and dots are what Windows strips, so they hide no device.
TEST(TextPath, DeviceNamesInAnySpelling) {
  for (const char* name : {"CON", "con ", "Con.", "NUL. .", "aux .x", "COM5:", "LPT3.txt.", "CONOUT$ "}) {
    EXPECT_TRUE(IsDeviceName(name)) << name;
  }
  for (const char* name : {"", ".", "CO", "COM", "LPT", "COM0", "CON_", "CONIN$$", "A.CON", "NUL1"}) {
    EXPECT_FALSE(IsDeviceName(name)) << name;
  }
}

TEST(TextPath, CompareTextFoldsAsciiOnly) {
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "abd"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_NE(CompareText("ア", "ャ"), 0);   // 0x83 0x41 vs 0x83 0x61
  EXPECT_TRUE(SameText("C:\\Windows", "c:\\WINDOWS"));
  EXPECT_FALSE(SameText("C:\\Windows", "C:\\Windows2"));
}

}  // namespace
}  // namespace text
