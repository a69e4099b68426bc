// The version information of every binary that goes to users, read back as Windows reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The build copies every shipped binary beside this test.
std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

// The binaries of the release package, as the build lists them.
std::vector<std::wstring> ShippedBinaries() {
  std::istringstream names(QV_SHIPPED_BINARIES);
  std::vector<std::wstring> out;
  for (std::string name; names >> name;) out.emplace_back(name.begin(), name.end());
  return out;
}

TEST(VersionInfo, EveryShippedBinaryNamesItselfItsVersionAndItsMaker) {
  struct Case {
    const wchar_t *name, *description;
  };
  // Read through the wide functions: the texts are right on a Windows of any code page.
  const Case cases[] = {
      {L"QUOVEL32.EXE", L"ｽｸﾘｰﾝ･ｾｰﾊﾞｰ連続ﾁｪﾝｼﾞｬｰ QUOVEL32"},
      {L"UnLha32.DLL", L"LZH書庫の作成・展開ライブラリ"},
      {L"STARS.SCR", L"ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 星空の旅"},
      {L"YUME.SCR", L"ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 夢の風"},
      {L"PLASMA.SCR", L"ｽｸﾘｰﾝ･ｾｰﾊﾞｰ 虹色の波"},
  };
  // Each shipped binary has its case here, and no other.
  std::vector<std::wstring> named;
  for (const Case& c : cases) named.push_back(c.name);
  std::vector<std::wstring> shipped = ShippedBinaries();
  std::ranges::sort(named);
  std::ranges::sort(shipped);
  ASSERT_TRUE(named == shipped) << "the package ships " << QV_SHIPPED_BINARIES;
  for (const Case& c : cases) {
    const std::wstring file = Beside(c.name);
    SCOPED_TRACE(testing::Message() << "file " << std::string(file.begin(), file.end()));
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 1));
    auto text = [&](const wchar_t* key) {
      wchar_t* value = nullptr;
      const std::wstring query = std::wstring(L"\\StringFileInfo\\041103a4\\") + key;
      if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) return std::wstring(L"<none>");
      return std::wstring(value);
    };
    EXPECT_TRUE(text(L"FileDescription") == c.description);
    EXPECT_TRUE(text(L"OriginalFilename") == c.name);
    EXPECT_TRUE(text(L"CompanyName") == L"KAPUL SOFT32");
    EXPECT_TRUE(text(L"ProductName") == L"QUOVEL32");
    EXPECT_TRUE(text(L"FileVersion") == L"1.6");
    EXPECT_TRUE(text(L"ProductVersion") == L"1.6");
  }
}

}  // namespace
