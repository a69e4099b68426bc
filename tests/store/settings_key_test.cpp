#include "store/settings_key.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"

namespace store {
namespace {

using V = std::vector<int>;

struct SettingsKeyTest : testing::Test {
  void Set(const std::string& name, const std::string& text) {
    registry.WriteString(platform::RegistryRoot::kCurrentUser, ExeKey(), name, text);
  }
  platform::fake::FakeRegistry registry;
  SettingsKey key{registry, ExeKey()};
};

TEST_F(SettingsKeyTest, MissingEmptyAndGarbageValues) {
  EXPECT_EQ(key.Number("TIMER", "10"), 10);   // missing
  Set("TIMER", "");
  EXPECT_EQ(key.Number("TIMER", "10"), 10);   // empty
  Set("TIMER", "abc");
  EXPECT_EQ(key.Number("TIMER", "10"), 10);   // garbage
  Set("TIMER", "0");
  EXPECT_EQ(key.Number("TIMER", "10"), 0);
  Set("TIMER", "-1");
  EXPECT_EQ(key.Number("TIMER", "10"), -1);
  Set("TIMER", "99999999999");
  EXPECT_EQ(key.Number("TIMER", "10"), 10);   // out of range
  Set("FILENAME", "");
  EXPECT_EQ(key.Text("FILENAME", "*.SCR"), "*.SCR");
}

TEST_F(SettingsKeyTest, StrictNumbersAbortOnGarbageOnly) {
  EXPECT_EQ(key.StrictNumber("Lower", "1"), 1);
  Set("Lower", "");
  EXPECT_EQ(key.StrictNumber("Lower", "1"), 1);   // empty still means the default
  Set("Lower", "-1");
  EXPECT_EQ(key.StrictNumber("Lower", "1"), -1);
  Set("Lower", "x");
  EXPECT_THROW(key.StrictNumber("Lower", "1"), ReadAborted);
}

TEST_F(SettingsKeyTest, ListsFallBackToAllDefaults) {
  const std::string def = "1,1,0,1,0,1,1";
  struct Case {
    const char* stored;
    V expected;
  } cases[] = {
      {"0,-1,1,-1,3,0,0", {0, -1, 1, -1, 3, 0, 0}},
      {"1,1,0", {1, 1, 0, 1, 0, 1, 1}},                  // too few fields
      {"0,-1,1,-1,3,0,0,9", {1, 1, 0, 1, 0, 1, 1}},      // too many: the last field is "0,9"
      {"0,-1,x,-1,3,0,0", {1, 1, 0, 1, 0, 1, 1}},        // a field that is no number
      {"0,,1,-1,3,0,0", {1, 1, 0, 1, 0, 1, 1}},          // an empty field
      {"0, 1,1,-1,3,0,0", {1, 1, 0, 1, 0, 1, 1}},        // a blank
  };
  for (const Case& c : cases) {
    Set("MEMORY", c.stored);
    EXPECT_EQ(key.List("MEMORY", def, 7), c.expected) << c.stored;
  }
}

TEST_F(SettingsKeyTest, WritingJoinsWithoutBlanks) {
  ASSERT_TRUE(key.WriteList("INDEX", {-1, 12}).ok());
  EXPECT_EQ(registry.ReadString(platform::RegistryRoot::kCurrentUser, ExeKey(), "INDEX"), "-1,12");
  ASSERT_TRUE(key.WriteNumber("TIMER", -5).ok());
  EXPECT_EQ(key.Text("TIMER", ""), "-5");
  registry.FailNextChange(5);
  EXPECT_FALSE(key.Write("X", "1").ok());
}

}  // namespace
}  // namespace store
