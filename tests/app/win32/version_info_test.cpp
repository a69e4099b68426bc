// The version information of every binary that goes to users, read back as Windows reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The build folder: this test runs from <build>\tests\app\win32.
std::string BuildFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  for (int up = 0; up < 4; ++up) folder.resize(folder.find_last_of('\\'));
  return folder + "\\";
}

TEST(VersionInfo, EveryShippedBinaryNamesItselfItsVersionAndItsMaker) {
  struct Case {
    const char *path, *name, *description;
  };
  const Case cases[] = {
      {"src\\app\\QUOVEL32.EXE", "QUOVEL32.EXE", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ連続ﾁｪﾝｼﾞｬｰ QUOVEL32"},
      {"src\\app\\UnLha32.DLL", "UnLha32.DLL", "LZH書庫の作成・展開ライブラリ"},
      {"savers\\STARS.SCR", "STARS.SCR", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 星空の旅"},
      {"savers\\YUME.SCR", "YUME.SCR", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 夢の風"},
      {"savers\\PLASMA.SCR", "PLASMA.SCR", "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 虹色の波"},
  };
  for (const Case& c : cases) {
    const std::string file = BuildFolder() + c.path;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    ASSERT_GT(size, 0u) << file;
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(file.c_str(), 0, size, data.data())) << file;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) << file;
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(6, 1)) << file;
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 1)) << file;
    auto text = [&](const char* key) {
      char* value = nullptr;
      const std::string query = std::string("\\StringFileInfo\\041103a4\\") + key;
      if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) return std::string("<none>");
      return std::string(value);
    };
    EXPECT_EQ(text("FileDescription"), c.description) << file;
    EXPECT_EQ(text("OriginalFilename"), c.name) << file;
    EXPECT_EQ(text("CompanyName"), "KAPUL SOFT32") << file;
    EXPECT_EQ(text("ProductName"), "QUOVEL32") << file;
    EXPECT_EQ(text("FileVersion"), "1.6") << file;
    EXPECT_EQ(text("ProductVersion"), "1.6") << file;
  }
}

}  // namespace
