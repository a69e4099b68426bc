// Which paths a 32-bit program under WOW64 hands to the system through the native alias, and how a
// command line's program is handed on (which view an entry comes from is the file system's
// contract).
#include <gtest/gtest.h>

#include "platform/system_folder.h"
#include "support/sjis_text.h"

namespace {

TEST(SystemFolderView, TheSystemFolderAndWhatIsInItGoThroughTheAlias) {
  const platform::SystemFolderView wow64("C:\\WINDOWS");
  const std::pair<const char*, std::optional<std::string>> rows[] = {
      {"C:\\WINDOWS\\System32", "C:\\WINDOWS\\Sysnative"},
      {"c:\\windows\\SYSTEM32\\", "C:\\WINDOWS\\Sysnative\\"},
      {"C:/Windows/system32/セーバー/夢.SCR", "C:\\WINDOWS\\Sysnative/セーバー/夢.SCR"},
      {"C:\\WINDOWS\\System32x\\A.SCR", std::nullopt},
      {"C:\\WINDOWS\\System32表\\A.SCR", std::nullopt},  // 表 ends in the byte of "\"
      {"C:\\WINDOWS\\SysWOW64\\A.SCR", std::nullopt},
      {"D:\\WINDOWS\\System32\\A.SCR", std::nullopt},
      {"System32\\A.SCR", std::nullopt},
  };
  for (const auto& [path, alias] : rows) {
    EXPECT_EQ(wow64.NativeAlias(path), alias) << testsupport::Utf8(path);
    EXPECT_EQ(platform::SystemFolderView().NativeAlias(path), std::nullopt) << testsupport::Utf8(path);
  }
  auto nativeHasIt = [](const std::string& path) { return path.find("Sysnative") != std::string::npos; };
  EXPECT_EQ(wow64.CommandForSystem("C:\\WINDOWS\\System32\\A.SCR /p 12", nativeHasIt), "C:\\WINDOWS\\Sysnative\\A.SCR /p 12");
  EXPECT_EQ(wow64.CommandForSystem("A.EXE C:\\WINDOWS\\System32\\B.TXT", nativeHasIt), "A.EXE C:\\WINDOWS\\System32\\B.TXT");
}

}  // namespace
