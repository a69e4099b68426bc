// Where the data files live: each folder where it can be written, else the user's folder, which
// takes over the files of the folders it replaces on its first use.
#include "store/data_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/fake/fake_platform.h"

namespace store {
namespace {

constexpr char kProgram[] = "C:\\Program Files\\QUOVEL32";
constexpr char kUser[] = "C:\\Users\\User\\AppData\\Local\\KAPUL SOFT32\\QUOVEL32\\";

struct Case {
  const char* name;
  bool windowsProtected, programProtected;
  const char* userHas;        // a data file the user's folder holds already
  const char* localAppData;   // nullptr: the user's usual one
  bool windowsMoved, programMoved;
  std::map<std::string, std::string> userFiles;  // the user's folder afterwards: name and bytes
};

class DataFoldersTest : public testing::TestWithParam<Case> {};

TEST_P(DataFoldersTest, EachFolderServesWhereItCanBeWritten) {
  const Case& c = GetParam();
  platform::fake::FakePlatform p;
  p.fs.AddFolder("C:\\Users\\User\\AppData\\Local");
  p.fs.AddFile("C:\\WINDOWS\\QVLA32M0.LIS", "win M0");
  p.fs.AddFile("C:\\WINDOWS\\QUOVEL32CD.LIS", "win CD");
  p.fs.AddFile("C:\\WINDOWS\\QUOVEL32.Tim", "win Tim");
  p.fs.AddFile(kProgram + std::string("\\QVLE32MH.LIS"), "own H");
  p.fs.AddFile(kProgram + std::string("\\QUOVEL32CD.LIS"), "own CD");
  if (c.windowsProtected) p.fs.ProtectFolder("C:\\WINDOWS");
  if (c.programProtected) p.fs.ProtectFolder(kProgram);
  if (c.userHas != nullptr) p.fs.AddFile(kUser + std::string(c.userHas), "user's");
  if (c.localAppData != nullptr) p.shell.SetSpecialFolder(platform::SpecialFolder::kLocalAppData, c.localAppData);
  const size_t windowsFiles = p.fs.Find("C:\\WINDOWS\\*.*", platform::attr::kAnyFile).size();

  DataFolders d = DecideDataFolders(p.fs, p.shell, "C:\\WINDOWS", kProgram);

  EXPECT_EQ(d.windows, c.windowsMoved ? kUser : "C:\\WINDOWS\\");
  EXPECT_EQ(d.program, c.programMoved ? kUser : kProgram + std::string("\\"));
  std::map<std::string, std::string> user;
  for (const platform::FindEntry& e : p.fs.Find(kUser + std::string("*.*"), platform::attr::kAnyFile)) {
    user[e.name] = *p.fs.ReadFile(kUser + e.name);
  }
  EXPECT_EQ(user, c.userFiles);
  EXPECT_EQ(p.fs.Find("C:\\WINDOWS\\*.*", platform::attr::kAnyFile).size(), windowsFiles);  // probes leave nothing
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFoldersTest,
    testing::Values(
        Case{"BothWritable", false, false, nullptr, nullptr, false, false, {}},
        Case{"WindowsProtected", true, false, nullptr, nullptr, true, false,
             {{"QVLA32M0.LIS", "win M0"}, {"QUOVEL32CD.LIS", "win CD"}, {"QUOVEL32.Tim", "win Tim"}}},
        // The program folder's files come first; a file already there is never written over.
        Case{"BothProtected", true, true, nullptr, nullptr, true, true,
             {{"QVLE32MH.LIS", "own H"}, {"QUOVEL32CD.LIS", "own CD"}, {"QVLA32M0.LIS", "win M0"},
              {"QUOVEL32.Tim", "win Tim"}}},
        Case{"UserFolderInUse", true, true, "QVLA32M5.LIS", nullptr, true, true, {{"QVLA32M5.LIS", "user's"}}},
        Case{"NoUserFolder", true, true, nullptr, "Q:\\Nowhere", false, false, {}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace store
