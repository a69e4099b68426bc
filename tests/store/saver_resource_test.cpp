#include "store/saver_resource.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "support/pe_image.h"

namespace store {
namespace {

using testsupport::PeImage;
using testsupport::PeStrings;

std::optional<std::u16string> NameOf(const std::string& bytes, uint16_t language) {
  platform::fake::FakeFileSystem fs;
  fs.AddFile("C:\\S.SCR", bytes);
  platform::OpenedFile f = fs.Open("C:\\S.SCR", platform::OpenMode::kRead, platform::Share::kReadWrite);
  return SaverResourceName(*f.file, language);
}

TEST(SaverResourceName, TheUsersLanguageFirstThenItsKinThenNeutralThenEnglishThenAny) {
  const std::pair<uint16_t, std::u16string> ja{0x0411, u"星"}, en{0x0409, u"Star"}, au{0x0C09, u"Star AU"},
      neutral{0x0000, u"neutral"}, de{0x0407, u"Stern"};
  struct Case {
    PeStrings image;
    uint16_t user;
    std::u16string want;
  } cases[] = {
      {{false, {en, ja}}, 0x0411, u"星"},
      {{false, {ja, en}}, 0x0409, u"Star"},
      {{true, {ja, en}}, 0x0409, u"Star"},        // a 64-bit file reads the same
      {{false, {au, de}}, 0x0409, u"Star AU"},    // English of another country
      {{false, {de, neutral, en}}, 0x0411, u"neutral"},
      {{false, {de, en}}, 0x0804, u"Star"},
      {{false, {de}}, 0x0411, u"Stern"},
      {{false, {{0x0411, u""}}}, 0x0411, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(PeImage(c.image), c.user), c.want) << c.user << " " << c.image.names.size();
}

TEST(SaverResourceName, ImagesWithoutAWellFormedStringOneHaveNone) {
  const std::string good = PeImage({false, {{0x0411, u"星"}}});
  const size_t section = 0x80 + 24 + 224;
  auto with = [&](size_t at, std::string bytes) {
    std::string b = good;
    b.replace(at, bytes.size(), bytes);
    return b;
  };
  for (const std::string& bytes : {std::string("MZ"), good.substr(0, 0x400 + 40),  // cut short
                                   with(0x80, "PX"),                                // no PE header
                                   with(0x80 + 24, "\x0b\x02"),                     // 64-bit magic, 32-bit layout
                                   with(0x400 + 16, "\x05"),                        // no string table
                                   with(section + 20, std::string("\x00\x40\x00\x00", 4)),  // data beyond the file
                                   PeImage({false, {}})}) {
    EXPECT_EQ(NameOf(bytes, 0x0411), std::nullopt) << bytes.size();
  }
}

}  // namespace
}  // namespace store
