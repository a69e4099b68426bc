// Reading the saver command line, and the lines of the test log.
#include <gtest/gtest.h>

#include "command_line.h"
#include "saver_log.h"
#include "saver_test_support.h"

namespace {

using savers::Mode;

struct CommandLineCase {
  const wchar_t* commandLine;
  Mode mode;
  std::uint32_t window;
  const wchar_t* arguments;
};

const CommandLineCase kCommandLines[] = {
    {L"\"C:\\Savers\\STARS.SCR\" /s", Mode::kScreen, 0, L"/s"},
    {L"STARS.SCR /S", Mode::kScreen, 0, L"/S"},
    {L"STARS.SCR -s", Mode::kScreen, 0, L"-s"},
    {L"STARS.SCR /s:1234", Mode::kScreen, 0, L"/s:1234"},
    {L"\"C:\\Program Files\\My Savers\\a b.scr\"   /s  ", Mode::kScreen, 0, L"/s"},
    {L"\"C:\\夢\\ゆめ.scr\" /s", Mode::kScreen, 0, L"/s"},
    {L"x.scr /p 1234", Mode::kPreview, 1234, L"/p 1234"},
    {L"x.scr /p:5678", Mode::kPreview, 5678, L"/p:5678"},
    {L"x.scr /P 0x1A2b", Mode::kPreview, 0x1A2B, L"/P 0x1A2b"},
    {L"x.scr /l 77", Mode::kPreview, 77, L"/l 77"},
    {L"x.scr /p -42", Mode::kPreview, 0xFFFFFFD6u, L"/p -42"},
    {L"x.scr /p", Mode::kPreview, 0, L"/p"},
    {L"x.scr /p junk", Mode::kPreview, 0, L"/p junk"},
    {L"x.scr /c", Mode::kConfig, 0, L"/c"},
    {L"x.scr /c:99", Mode::kConfig, 99, L"/c:99"},
    {L"x.scr -C 100", Mode::kConfig, 100, L"-C 100"},
    {L"x.scr", Mode::kConfig, 0, L""},
    {L"\"x.scr\"", Mode::kConfig, 0, L""},
    {L"x.scr /a", Mode::kPassword, 0, L"/a"},
    {L"x.scr /x", Mode::kConfig, 0, L"/x"},
    {L"\"unterminated /s", Mode::kConfig, 0, L""},
};

TEST(SaverCommandLine, ModesWindowsAndArguments) {
  for (const CommandLineCase& c : kCommandLines) {
    SCOPED_TRACE(saverstest::Narrow(c.commandLine));
    savers::Invocation inv = savers::ParseCommandLine(c.commandLine);
    EXPECT_EQ(static_cast<int>(inv.mode), static_cast<int>(c.mode));
    EXPECT_EQ(inv.window, c.window);
    EXPECT_EQ(saverstest::Narrow(inv.arguments), saverstest::Narrow(c.arguments));
  }
}

TEST(SaverLog, UnixMillisecondsFromFileTime) {
  struct Case {
    std::uint64_t fileTime;
    std::uint64_t unixMs;
  };
  const Case cases[] = {
      {116444736000000000ULL, 0},                  // 1970-01-01
      {116444736000009999ULL, 0},                  // less than a millisecond later
      {116444736000010000ULL, 1},
      {125911584000000000ULL, 946684800000ULL},    // 2000-01-01
      {100000000000000000ULL, 0},                  // before 1970: no negative times
  };
  for (const Case& c : cases) EXPECT_EQ(savers::UnixMsFromFileTime(c.fileTime), c.unixMs) << c.fileTime;
}

TEST(SaverLog, LineFormat) {
  struct Case {
    std::uint64_t ms;
    const wchar_t* name;
    unsigned long pid;
    const wchar_t* event;
    const char* line;
  };
  const Case cases[] = {
      {1700000000123ULL, L"STARS", 42, L"start args=/s", "1700000000123 STARS pid=42 start args=/s\r\n"},
      {5, L"TESTSAVE", 7, L"end reason=key", "5 TESTSAVE pid=7 end reason=key\r\n"},
      {5, L"A", 1, L"start args=", "5 A pid=1 start args=\r\n"},
      // A line break inside the arguments must not start a new log line.
      {5, L"A", 1, L"start args=/s\r\nx\ty", "5 A pid=1 start args=/s??x?y\r\n"},
      // Names beyond ASCII are written as UTF-8.
      {5, L"\u5922", 1, L"end reason=close", "5 \xE5\xA4\xA2 pid=1 end reason=close\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(savers::LogLine(c.ms, c.name, c.pid, c.event), c.line);
  }
}

}  // namespace
