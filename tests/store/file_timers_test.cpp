#include "store/file_timers.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace store {
namespace {

struct FileTimersTest : testing::Test {
  std::string TimerFileText() {
    auto text = p.fs.ReadFile("C:\\WINDOWS\\QUOVEL32.Tim");
    return text ? *text : std::string();
  }
  platform::fake::FakePlatform p;
  FileTimers timers{p.fs, "C:\\WINDOWS"};
};

TEST_F(FileTimersTest, StoredTimersLiveInTheirFolderUnderTheirFullPath) {
  timers.Write("C:\\SAVERS\\STARS.SCR", 30);
  timers.Write("C:\\SAVERS\\WAVES.SCR", 45);
  EXPECT_EQ(TimerFileText(), "[Timer]\r\nC:\\SAVERS\\STARS.SCR=30\r\nC:\\SAVERS\\WAVES.SCR=45\r\n");
  EXPECT_EQ(timers.Read("C:\\SAVERS\\STARS.SCR"), 30);
  EXPECT_EQ(timers.Read("c:\\savers\\waves.scr"), 45);  // keys compare without case
}

TEST_F(FileTimersTest, ZeroRemovesTheKeyAndIsNeverStored) {
  timers.Write("C:\\SAVERS\\STARS.SCR", 30);
  timers.Write("C:\\SAVERS\\WAVES.SCR", 45);
  timers.Write("C:\\SAVERS\\STARS.SCR", 0);
  EXPECT_EQ(timers.Read("C:\\SAVERS\\STARS.SCR"), 0);
  EXPECT_EQ(TimerFileText().find("STARS"), std::string::npos);
  EXPECT_EQ(timers.Read("C:\\SAVERS\\WAVES.SCR"), 45);
  timers.Write("C:\\SAVERS\\NEW.SCR", 0);
  EXPECT_EQ(TimerFileText().find("NEW"), std::string::npos);
}

TEST_F(FileTimersTest, AKeyTheUserListedTwiceGoesWholeAndAKeyWithEqualsIsNeverWritten) {
  ASSERT_TRUE(p.fs.WriteFile("C:\\WINDOWS\\QUOVEL32.Tim",
                             "[Timer]\r\nC:\\A.SCR=5\r\nC:\\B.SCR=7\r\nc:\\a.scr=6\r\n[Timer]\r\nC:\\A.SCR=8\r\n").ok());
  timers.Write("C:\\A.SCR", 9);
  EXPECT_EQ(TimerFileText(), "[Timer]\r\nC:\\A.SCR=9\r\nC:\\B.SCR=7\r\n[Timer]\r\n");
  timers.Write("C:\\B.SCR", 0);
  timers.Write("C:\\A.SCR", 0);
  EXPECT_EQ(timers.Read("C:\\A.SCR"), 0);
  EXPECT_EQ(TimerFileText(), "[Timer]\r\n[Timer]\r\n");
  // "=" ends a key in this file: such a path could never be read back.
  EXPECT_FALSE(FileTimers::CanHold("C:\\A=B\\X.SCR"));
  EXPECT_TRUE(FileTimers::CanHold("C:\\A-B\\X.SCR"));
  timers.Write("C:\\A=B\\X.SCR", 30);
  EXPECT_EQ(TimerFileText(), "[Timer]\r\n[Timer]\r\n");
}

TEST_F(FileTimersTest, WhatTheUserTypedInTheEditorReadsAsNoTimerUnlessItIsANumber) {
  EXPECT_EQ(timers.Read("C:\\SAVERS\\STARS.SCR"), 0);  // no file at all
  struct Case {
    const char* value;
    int seconds;
  } cases[] = {{"30", 30}, {" 12 ", 12}, {"0", 0}, {"abc", 0}, {"", 0}, {"12abc", 0}, {"-5", 0}, {"99999", 32700},
               {"123456789012", 0}};
  for (const Case& c : cases) {
    p.profile.WriteString(kTimerFile, "Timer", "C:\\A.SCR", c.value);
    EXPECT_EQ(timers.Read("C:\\A.SCR"), c.seconds) << '"' << c.value << '"';
  }
  p.profile.WriteString(kTimerFile, "Other", "C:\\B.SCR", "30");  // only the Timer section counts
  EXPECT_EQ(timers.Read("C:\\B.SCR"), 0);
}

}  // namespace
}  // namespace store
