// Stored paths, name safety, wildcard patterns and command-line parsing.
#include <gtest/gtest.h>

#include "lzh/commands.h"
#include "lzh/names.h"
#include "support/sjis_text.h"

namespace {

struct SplitCase {
  std::string stored;
  std::vector<std::string> parts;
  bool absolute;
  bool parentRefs;
};

class LzhSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(LzhSplit, FindsComponents) {
  const auto& c = GetParam();
  lzh::SplitPath p = lzh::SplitStoredPath(c.stored);
  EXPECT_EQ(p.parts, c.parts) << testsupport::Utf8(c.stored);
  EXPECT_EQ(p.absolute, c.absolute);
  EXPECT_EQ(p.parentRefs, c.parentRefs);
}

INSTANTIATE_TEST_SUITE_P(LzhPaths, LzhSplit,
    testing::Values(SplitCase{"a\\b/c", {"a", "b", "c"}, false, false},
                    SplitCase{"dir\xff" "sub\xff", {"dir", "sub"}, false, false},
                    SplitCase{"./a//b", {"a", "b"}, false, false},
                    SplitCase{"/etc/passwd", {"etc", "passwd"}, true, false},
                    SplitCase{"\\\\server\\share\\x", {"server", "share", "x"}, true, false},
                    SplitCase{"C:\\WINDOWS\\x", {"WINDOWS", "x"}, true, false},
                    SplitCase{"..\\..\\x", {"..", "..", "x"}, false, true},
                    SplitCase{"a\xff..\xff" "b", {"a", "..", "b"}, false, true},
                    SplitCase{"ソフト\\表", {"ソフト", "表"}, false, false},  // trail bytes 0x5C
                    SplitCase{"name\0junk", {"name"}, false, false}));

struct WildCase {
  std::string pattern, name;
  bool match;
};

class LzhWild : public testing::TestWithParam<WildCase> {};

TEST_P(LzhWild, MatchesLikeDos) {
  const auto& c = GetParam();
  EXPECT_EQ(lzh::WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " vs " << testsupport::Utf8(c.name);
}

INSTANTIATE_TEST_SUITE_P(LzhPatterns, LzhWild,
                         testing::Values(WildCase{"*.*", "NODOT", true}, WildCase{"*", "a.b.c", true},
                                         WildCase{"*.scr", "SAVER.SCR", true}, WildCase{"*.scr", "SAVER.SCX", false},
                                         WildCase{"s?ver.*", "saver.txt", true}, WildCase{"a*b*c", "aXbYbZc", true},
                                         WildCase{"a*b*c", "aXbYbZ", false},
                                         // "?" takes a whole Shift-JIS character.
                                         WildCase{"?.TXT", "表.TXT", true}, WildCase{"??.TXT", "表.TXT", false},
                                         WildCase{"表*", "表示.SCR", true}));

TEST(LzhNames, UpperCaseLeavesShiftJisAlone) {
  EXPECT_EQ(lzh::UpperSjis("abc表示xyz"), "ABC表示XYZ");
  // The second byte of "ソ" is 0x83 0x5C and of "ア" is 0x83 0x41 ('A'): never changed.
  EXPECT_EQ(lzh::UpperSjis("ア"), "ア");
  EXPECT_EQ(lzh::BaseName("dir\\sub/表.TXT"), "表.TXT");
  EXPECT_EQ(lzh::BaseName("ソ"), "ソ");
  EXPECT_TRUE(lzh::EndsWithSeparator("C:\\dest\\"));
  EXPECT_FALSE(lzh::EndsWithSeparator("C:\\ソ"));
}

struct ParseCase {
  std::string line;
  lzh::Status status;
  char command = 0;
  std::map<char, int> switches = {};
  std::string archive = {}, destination = {};
  std::vector<std::string> names = {};
};

class LzhParse : public testing::TestWithParam<ParseCase> {};

TEST_P(LzhParse, SplitsTheCommandLine) {
  const auto& c = GetParam();
  lzh::CommandLine cl;
  ASSERT_EQ(lzh::ParseCommandLine(c.line, &cl), c.status) << c.line;
  if (c.status != lzh::Status::kOk) return;
  EXPECT_EQ(cl.command, c.command);
  EXPECT_EQ(cl.switches, c.switches);
  EXPECT_EQ(cl.archive, c.archive);
  EXPECT_EQ(cl.destination, c.destination);
  EXPECT_EQ(cl.names, c.names);
}

INSTANTIATE_TEST_SUITE_P(LzhLines, LzhParse,
    testing::Values(
        ParseCase{" e -ma1 \"C:\\a b\\x.lzh\" \"C:\\tmp\\x.lzh\\\" \"*.*\" ", lzh::Status::kOk, 'e',
                  {{'m', 1}, {'a', 1}}, "C:\\a b\\x.lzh", "C:\\tmp\\x.lzh\\", {"*.*"}},
        ParseCase{" e -m1 -a1 \"x.lzh\" \"d\\\" ", lzh::Status::kOk, 'e', {{'m', 1}, {'a', 1}}, "x.lzh", "d\\", {}},
        ParseCase{" l -x1 \"C:\\x.lzh\" ", lzh::Status::kOk, 'l', {{'x', 1}}, "C:\\x.lzh", "", {}},
        ParseCase{"L -X \"x.lzh\"", lzh::Status::kOk, 'l', {{'x', 1}}, "x.lzh", "", {}},
        ParseCase{" a -a1 \"x.lzh\" \"C:\\ソ\\表.SCR\" ", lzh::Status::kOk, 'a', {{'a', 1}}, "x.lzh", "",
                  {"C:\\ソ\\表.SCR"}},
        ParseCase{" l -x2147483647 a.lzh", lzh::Status::kOk, 'l', {{'x', 2147483647}}, "a.lzh"},
        ParseCase{" l -x3000000000 a.lzh", lzh::Status::kCommand},
        ParseCase{" l -x2147483648 a.lzh", lzh::Status::kCommand},
        ParseCase{"", lzh::Status::kCommand}, ParseCase{" q \"x.lzh\" ", lzh::Status::kCommand},
        ParseCase{" e -ma1 ", lzh::Status::kCommand}));

}  // namespace
