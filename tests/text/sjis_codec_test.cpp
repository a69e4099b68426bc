#include "text/sjis_codec.h"

#include <gtest/gtest.h>

#include "support/sjis_text.h"

namespace text {
namespace {

using testsupport::Utf8;

// One row per class of character. Natively the system's conversion is iconv's, under Wine that of
// Windows: the same table holds for both.
TEST(SjisCodec, Utf16IsHeldOnlyWhenItComesBackTheSame) {
  struct Row {
    const char* what;
    std::u16string in;
    std::optional<std::string> out;
  } rows[] = {
      {"empty", u"", ""},
      {"ASCII", u"A.SCR", "A.SCR"},
      {"kanji ending in the byte of a backslash", u"表示", "表示"},
      {"half-width katakana", u"\uFF71", "ｱ"},
      {"full-width tilde, the way back of 0x8160", u"\uFF5E", "\x81\x60"},
      {"yen sign, best fit would give a backslash", u"X\u00A5Y.SCR", std::nullopt},
      {"broken bar, best fit would give |", u"\u00A6", std::nullopt},
      {"u umlaut, best fit would give u", u"J\u00FCrgen.SCR", std::nullopt},
      {"e acute", u"Zo\u00EB", std::nullopt},
      {"won sign", u"\u20A9", std::nullopt},
      {"wave dash, mapped one way to 0x8160", u"\u301C", std::nullopt},
      {"outside the basic plane, a surrogate pair", u"\U00020BB7", std::nullopt},
      {"an unpaired surrogate", std::u16string(u"A") + char16_t(0xD842) + u"B", std::nullopt},
  };
  for (const Row& r : rows) {
    std::optional<std::string> got = ToShiftJis(r.in);
    ASSERT_EQ(got.has_value(), r.out.has_value()) << r.what;
    if (got) {
      EXPECT_EQ(*got, *r.out) << r.what << ": " << Utf8(*got);
    }
  }
}

TEST(SjisCodec, ShiftJisIsReadStrictly) {
  struct Row {
    const char* what;
    std::string in;
    std::optional<std::u16string> out;
  } rows[] = {
      {"ASCII", "A\\B", u"A\\B"},
      {"kanji with a backslash byte", "\x95\x5C", u"表"},
      {"half-width katakana", "\xB1", u"\uFF71"},
      {"an unassigned two-byte code", "\x85\x40", std::nullopt},
      {"a lead byte before a byte no character ends in", "\x81\x20", std::nullopt},
      {"a lead byte at the end", "AB\x81", std::nullopt},
  };
  for (const Row& r : rows) {
    std::optional<std::u16string> got = FromShiftJis(r.in);
    ASSERT_EQ(got.has_value(), r.out.has_value()) << r.what;
    if (got) {
      EXPECT_TRUE(*got == *r.out) << r.what;
    }
  }
}

// A name for the system keeps every exact character; what is not exact becomes "|", which no
// file name holds, so the system refuses it rather than reaching another file.
TEST(SjisCodec, PathsForTheSystemNeverReachAnotherFile) {
  EXPECT_TRUE(PathToUtf16("C:\\表\\A.SCR") == u"C:\\表\\A.SCR");
  EXPECT_TRUE(PathToUtf16("C:\\\x85\x40.SCR") == u"C:\\|.SCR");
  EXPECT_TRUE(PathToUtf16("\xED\x40\xFA\x5C") == u"|\u7E8A");  // the second spelling of 0xFA5C's character
  EXPECT_TRUE(PathToUtf16("A\x81") == u"A|");
}

}  // namespace
}  // namespace text
