// Which paths a 32-bit program under WOW64 hands to the system through the native alias, and how
// a command line's program is handed on. Which view an entry comes from is part of the file
// system's contract.
#include <gtest/gtest.h>

#include <set>

#include "platform/system_folder.h"
#include "support/sjis_text.h"

namespace {

using platform::SystemFolderView;

TEST(SystemFolderView, TheSystemFolderAndWhatIsInItGoThroughTheAlias) {
  const SystemFolderView wow64("C:\\WINDOWS");
  const struct {
    const char* path;
    const char* alias;  // nullptr: handed on as it is
  } rows[] = {
      {"C:\\WINDOWS\\System32", "C:\\WINDOWS\\Sysnative"},
      {"c:\\windows\\SYSTEM32\\", "C:\\WINDOWS\\Sysnative\\"},
      {"C:\\Windows\\system32\\セーバー\\夢.SCR", "C:\\WINDOWS\\Sysnative\\セーバー\\夢.SCR"},
      {"C:/Windows/System32/A.SCR", "C:\\WINDOWS\\Sysnative/A.SCR"},
      {"C:\\WINDOWS\\System32\\drivers\\etc", "C:\\WINDOWS\\Sysnative\\drivers\\etc"},
      {"C:\\WINDOWS\\System32x\\A.SCR", nullptr},
      {"C:\\WINDOWS\\System32表\\A.SCR", nullptr},  // 表 ends in the byte of "\"
      {"C:\\WINDOWS\\System3", nullptr},
      {"C:\\WINDOWS\\SysWOW64\\A.SCR", nullptr},
      {"C:\\WINDOWS\\A.SCR", nullptr},
      {"D:\\WINDOWS\\System32\\A.SCR", nullptr},
      {"C:\\QV\\WINDOWS\\System32\\A.SCR", nullptr},
      {"System32\\A.SCR", nullptr},
  };
  for (const auto& row : rows) {
    const std::optional<std::string> expected = row.alias ? std::optional<std::string>(row.alias) : std::nullopt;
    EXPECT_EQ(wow64.NativeAlias(row.path), expected) << testsupport::Utf8(row.path);
    EXPECT_EQ(SystemFolderView().NativeAlias(row.path), std::nullopt) << testsupport::Utf8(row.path);
  }
}

TEST(SystemFolderView, OnlyTheProgramOfACommandLineIsHandedOn) {
  const SystemFolderView wow64("C:\\WINDOWS");
  const std::set<std::string> native = {"C:\\WINDOWS\\Sysnative\\A.SCR", "C:\\WINDOWS\\Sysnative\\NOTEPAD.EXE"};
  auto exists = [&native](const std::string& path) { return native.count(path) > 0; };
  const struct {
    const char* line;
    const char* handed;
  } rows[] = {
      {"\"C:\\WINDOWS\\System32\\A.SCR\" /s", "\"C:\\WINDOWS\\Sysnative\\A.SCR\" /s"},
      {"C:\\WINDOWS\\System32\\A.SCR /p 1234", "C:\\WINDOWS\\Sysnative\\A.SCR /p 1234"},
      {"C:\\WINDOWS\\System32\\NOTEPAD.EXE", "C:\\WINDOWS\\Sysnative\\NOTEPAD.EXE"},
      {"NOTEPAD.EXE C:\\WINDOWS\\System32\\A.SCR", "NOTEPAD.EXE C:\\WINDOWS\\System32\\A.SCR"},
  };
  for (const auto& row : rows) EXPECT_EQ(wow64.CommandForSystem(row.line, exists), row.handed) << row.line;
  EXPECT_EQ(SystemFolderView().CommandForSystem(rows[0].line, exists), rows[0].line);
}

}  // namespace
