#include "store/listing_cache.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "store/description_cache.h"

namespace store {
namespace {

constexpr char kData[] = "C:\\WINDOWS\\";
const std::string kFile = std::string(kData) + kListingCacheFile;

browse::FileListing Listing(const std::string& folder) {
  browse::FileListing l{folder, "*.SCR;", 0x27, true, true, "key", {}, {"B.SCR", "A.SCR"}, {"星", "A.SCR"}};
  l.found = {{"A.SCR", 0x20, 12, {34}, ""}, {"B.SCR", 0x20, 56, {78}, "B~1.SCR"}};
  return l;
}

void ExpectSame(const std::optional<browse::FileListing>& got, const browse::FileListing& want) {
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(got->SameSource(want));
  EXPECT_EQ(got->files, want.files);
  EXPECT_EQ(got->twin, want.twin);
}

TEST(ListingCacheTest, TheNextRunFindsTheListingOfTheSameFolderOnly) {
  platform::fake::FakePlatform p;
  ListingCache first(p.fs, kData);
  EXPECT_FALSE(first.Kept(Listing("C:\\SS")).has_value());  // no file yet
  first.Keep(Listing("C:\\SS"));
  ListingCache next(p.fs, kData);
  EXPECT_FALSE(next.Kept(Listing("C:\\OTHER")).has_value());
  ExpectSame(next.Kept(Listing("C:\\SS")), Listing("C:\\SS"));
  browse::FileListing plain = Listing("C:\\SS");
  plain.names = false;  // the same folder listed without names is another listing
  EXPECT_FALSE(next.Kept(plain).has_value());
  next.Keep(Listing("C:\\OTHER"));
  ExpectSame(ListingCache(p.fs, kData).Kept(Listing("C:\\OTHER")), Listing("C:\\OTHER"));
}

TEST(ListingCacheTest, ADamagedOrForeignFileHoldsNothingAndIsReplaced) {
  const std::string good = FormatListingCache(kData, Listing("C:\\SS"));
  ExpectSame(ParseListingCache(kData, good), Listing("C:\\SS"));
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x20;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"cut short", good.substr(0, good.size() - 9)},
      {"a byte changed", flipped},
      {"written for another data folder", FormatListingCache("D:\\DATA\\", Listing("C:\\SS"))},
      {"the description cache's file", FormatDescriptionCache(kData, {})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(ParseListingCache(kData, c.bytes).has_value());
    platform::fake::FakePlatform p;
    ASSERT_TRUE(p.fs.WriteFile(kFile, c.bytes).ok());
    ListingCache cache(p.fs, kData);
    EXPECT_FALSE(cache.Kept(Listing("C:\\SS")).has_value());
    cache.Keep(Listing("C:\\SS"));
    ExpectSame(ListingCache(p.fs, kData).Kept(Listing("C:\\SS")), Listing("C:\\SS"));
  }
}

}  // namespace
}  // namespace store
