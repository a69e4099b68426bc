// The file-system behaviour the program relies on, checked against every implementation: the
// fake must answer exactly as Windows does.
#include <algorithm>
#include <set>

#include "platform/contract_environment.h"
#include "support/sjis_text.h"

namespace platformtest {
namespace {

using platform::OsError;
using platform::OpenMode;
using platform::Share;
namespace attr = platform::attr;

template <typename Env>
class FileSystemContract : public Contract<Env> {
 protected:
  void Write(const std::string& name, const std::string& data = "x") {
    ASSERT_TRUE(this->os.fs.WriteFile(this->At(name), data)) << testsupport::Utf8(name);
  }
  std::set<std::string> Names(const std::string& pattern, uint32_t mask) {
    std::set<std::string> names;
    for (const platform::FindEntry& e : this->os.fs.Find(this->At(pattern), mask)) names.insert(e.name);
    return names;
  }
};
TYPED_TEST_SUITE(FileSystemContract, Environments, EnvironmentName);

// 2023-04-05 06:07:08 UTC.
constexpr platform::FileTime kSomeTime{133251484280000000ull};

TYPED_TEST(FileSystemContract, NewFileHasItsSizeArchiveBitAndSettableDate) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("data.bin", std::string(70000, 'z'));
  const std::string path = this->At("data.bin");
  EXPECT_EQ(fs.FileSize(path), 70000u);
  EXPECT_TRUE(fs.FileExists(path));
  EXPECT_FALSE(fs.DirectoryExists(path));
  EXPECT_EQ(fs.Attributes(path).value_or(0) & (attr::kArchive | attr::kDirectory), attr::kArchive);

  ASSERT_TRUE(fs.SetLastWriteTime(path, kSomeTime));
  EXPECT_EQ(fs.LastWriteTime(path), kSomeTime);
  std::vector<platform::FindEntry> found = fs.Find(path, 0);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].size, 70000u);
  EXPECT_EQ(found[0].lastWrite, kSomeTime);

  EXPECT_TRUE(fs.DirectoryExists(this->env.root));
  EXPECT_EQ(fs.FileSize(this->env.root), std::nullopt);
  EXPECT_EQ(fs.Attributes(this->At("missing.txt")), std::nullopt);
  EXPECT_EQ(fs.Attributes(this->At("no folder\\missing.txt")), std::nullopt);
}

TYPED_TEST(FileSystemContract, NamesCompareWithoutCaseAndKeepTheirSpelling) {
  platform::FileSystem& fs = this->os.fs;
  // 表 ends in the byte of "\" and ソ in 0x83 0x5C; both must stay one character.
  const std::string japanese = "表示ソフト.Txt";
  this->Write("MixedCase.Txt", "abc");
  this->Write(japanese, "jp");
  EXPECT_EQ(fs.ReadFile(this->At("MIXEDCASE.TXT")), "abc");
  EXPECT_EQ(fs.ReadFile(this->At("表示ソフト.TXT")), "jp");
  EXPECT_EQ(this->Names("*", 0), (std::set<std::string>{"MixedCase.Txt", japanese}));
  EXPECT_EQ(this->Names("mixed*", 0), (std::set<std::string>{"MixedCase.Txt"}));
}

TYPED_TEST(FileSystemContract, FindSelectsByPatternAndAttributeMask) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("plain.txt");
  this->Write("ro.txt");
  this->Write("hid.txt");
  this->Write("sys.scr");
  ASSERT_TRUE(fs.CreateFolder(this->At("sub")));
  ASSERT_TRUE(fs.CreateFolder(this->At("hidsub")));
  ASSERT_TRUE(fs.SetAttributes(this->At("ro.txt"), attr::kReadOnly));
  ASSERT_TRUE(fs.SetAttributes(this->At("hid.txt"), attr::kHidden));
  ASSERT_TRUE(fs.SetAttributes(this->At("sys.scr"), attr::kSystem));
  ASSERT_TRUE(fs.SetAttributes(this->At("hidsub"), attr::kHidden));
  EXPECT_EQ(fs.Attributes(this->At("hidsub")).value_or(0) & (attr::kHidden | attr::kDirectory),
            attr::kHidden | attr::kDirectory);

  struct Case {
    const char* pattern;
    uint32_t mask;
    std::set<std::string> names;
  };
  const Case cases[] = {
      {"*", 0, {"plain.txt", "ro.txt"}},
      {"*", attr::kReadOnly, {"plain.txt", "ro.txt"}},
      {"*", attr::kHidden, {"plain.txt", "ro.txt", "hid.txt"}},
      {"*", attr::kSystem, {"plain.txt", "ro.txt", "sys.scr"}},
      {"*", attr::kDirectory, {"plain.txt", "ro.txt", "sub"}},
      {"*", attr::kDirectory | attr::kHidden, {"plain.txt", "ro.txt", "hid.txt", "sub", "hidsub"}},
      {"*.*", attr::kAnyFile, {"plain.txt", "ro.txt", "hid.txt", "sys.scr", "sub", "hidsub"}},
      {"*.TXT", attr::kAnyFile, {"plain.txt", "ro.txt", "hid.txt"}},
      {"*.SCR", attr::kSystem, {"sys.scr"}},
      {"?lain.*", 0, {"plain.txt"}},
      {"nothing*", attr::kAnyFile, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(this->Names(c.pattern, c.mask), c.names) << c.pattern << " mask " << c.mask;
  }
  EXPECT_TRUE(fs.Find(this->At("no folder\\*.*"), attr::kAnyFile).empty());
}

TYPED_TEST(FileSystemContract, DeleteRefusesFoldersReadOnlyAndOpenFiles) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("ro.txt");
  this->Write("open.txt");
  ASSERT_TRUE(fs.CreateFolder(this->At("sub")));
  ASSERT_TRUE(fs.SetAttributes(this->At("ro.txt"), attr::kReadOnly));

  EXPECT_EQ(fs.Delete(this->At("missing.txt")).error, OsError::kNotFound);
  EXPECT_EQ(fs.Delete(this->At("sub")).error, OsError::kAccessDenied);
  EXPECT_EQ(fs.Delete(this->At("ro.txt")).error, OsError::kAccessDenied);
  ASSERT_TRUE(fs.SetAttributes(this->At("ro.txt"), 0));
  EXPECT_TRUE(fs.Delete(this->At("ro.txt")));
  EXPECT_FALSE(fs.FileExists(this->At("ro.txt")));
  {
    platform::OpenedFile open = fs.Open(this->At("open.txt"), OpenMode::kRead, Share::kReadWrite);
    ASSERT_TRUE(open.file);
    EXPECT_EQ(fs.Delete(this->At("open.txt")).error, OsError::kSharingViolation);
  }
  EXPECT_TRUE(fs.Delete(this->At("open.txt")));
}

TYPED_TEST(FileSystemContract, RenameKeepsTargetsAndReplaceOverwrites) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("a.txt", "old a");
  this->Write("b.txt", "old b");
  EXPECT_EQ(fs.Rename(this->At("a.txt"), this->At("B.TXT")).error, OsError::kAlreadyExists);
  EXPECT_EQ(fs.Rename(this->At("gone.txt"), this->At("c.txt")).error, OsError::kNotFound);

  ASSERT_TRUE(fs.Rename(this->At("a.txt"), this->At("A.TXT")));  // only the case changes
  EXPECT_EQ(this->Names("a.*", 0), (std::set<std::string>{"A.TXT"}));

  ASSERT_TRUE(fs.Replace(this->At("A.TXT"), this->At("b.txt")));
  EXPECT_EQ(fs.ReadFile(this->At("b.txt")), "old a");
  EXPECT_FALSE(fs.FileExists(this->At("A.TXT")));

  this->Write("c.txt", "c");
  ASSERT_TRUE(fs.SetAttributes(this->At("b.txt"), attr::kReadOnly));
  EXPECT_EQ(fs.Replace(this->At("c.txt"), this->At("b.txt")).error, OsError::kAccessDenied);
  EXPECT_EQ(fs.ReadFile(this->At("b.txt")), "old a");
  {
    platform::OpenedFile open = fs.Open(this->At("c.txt"), OpenMode::kRead, Share::kReadWrite);
    ASSERT_TRUE(open.file);
    EXPECT_EQ(fs.Rename(this->At("c.txt"), this->At("d.txt")).error, OsError::kSharingViolation);
  }
  ASSERT_TRUE(fs.CreateFolder(this->At("dir")));
  EXPECT_TRUE(fs.Rename(this->At("c.txt"), this->At("dir\\c.txt")));
  EXPECT_EQ(fs.ReadFile(this->At("dir\\c.txt")), "c");
  EXPECT_FALSE(fs.Rename(this->At("dir"), this->At("dir\\inner")));
  EXPECT_TRUE(fs.Rename(this->At("dir"), this->At("moved")));
  EXPECT_EQ(fs.ReadFile(this->At("moved\\c.txt")), "c");
}

TYPED_TEST(FileSystemContract, WriteFileReplacingLeavesOnlyTheNewContent) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("list.lis", "old\r\n");
  ASSERT_TRUE(fs.WriteFileReplacing(this->At("list.lis"), "new\r\n"));
  EXPECT_EQ(fs.ReadFile(this->At("list.lis")), "new\r\n");
  ASSERT_TRUE(fs.WriteFileReplacing(this->At("fresh.lis"), "first"));
  EXPECT_EQ(this->Names("*", attr::kAnyFile), (std::set<std::string>{"list.lis", "fresh.lis"}));
  // A user's file that happens to carry a name a temporary file could have is never touched.
  this->Write("list.lis~new", "mine");
  this->Write("list.lis.~qv", "mine too");
  ASSERT_TRUE(fs.WriteFileReplacing(this->At("list.lis"), "newer\r\n"));
  EXPECT_EQ(fs.ReadFile(this->At("list.lis")), "newer\r\n");
  EXPECT_EQ(fs.ReadFile(this->At("list.lis~new")), "mine");
  EXPECT_EQ(fs.ReadFile(this->At("list.lis.~qv")), "mine too");
}

TYPED_TEST(FileSystemContract, ShareModesDecideWhoElseMayOpen) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("f.txt", "hello");
  const std::string path = this->At("f.txt");
  struct Case {
    OpenMode firstMode;
    Share firstShare;
    OpenMode secondMode;
    Share secondShare;
    bool allowed;
  };
  const Case cases[] = {
      {OpenMode::kRead, Share::kReadWrite, OpenMode::kReadWrite, Share::kReadWrite, true},
      {OpenMode::kRead, Share::kRead, OpenMode::kRead, Share::kReadWrite, true},
      {OpenMode::kRead, Share::kRead, OpenMode::kReadWrite, Share::kReadWrite, false},
      {OpenMode::kReadWrite, Share::kReadWrite, OpenMode::kRead, Share::kRead, false},
      {OpenMode::kRead, Share::kNone, OpenMode::kRead, Share::kReadWrite, false},
      {OpenMode::kRead, Share::kReadWrite, OpenMode::kRead, Share::kNone, false},
  };
  int row = 0;
  for (const Case& c : cases) {
    platform::OpenedFile first = fs.Open(path, c.firstMode, c.firstShare);
    ASSERT_TRUE(first.file) << "row " << row;
    platform::OpenedFile second = fs.Open(path, c.secondMode, c.secondShare);
    EXPECT_EQ(second.file != nullptr, c.allowed) << "row " << row;
    if (!c.allowed) {
      EXPECT_EQ(second.result.error, OsError::kSharingViolation) << "row " << row;
    }
    ++row;
  }
}

TYPED_TEST(FileSystemContract, OpenRefusesWhatWindowsRefuses) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("ro.txt");
  this->Write("hid.txt");
  ASSERT_TRUE(fs.SetAttributes(this->At("ro.txt"), attr::kReadOnly));
  ASSERT_TRUE(fs.SetAttributes(this->At("hid.txt"), attr::kHidden));
  EXPECT_EQ(fs.Open(this->At("ro.txt"), OpenMode::kReadWrite, Share::kReadWrite).result.error, OsError::kAccessDenied);
  EXPECT_TRUE(fs.Open(this->At("ro.txt"), OpenMode::kRead, Share::kReadWrite).file);
  // Re-creating a hidden file without naming the attribute is refused.
  EXPECT_EQ(fs.Open(this->At("hid.txt"), OpenMode::kCreate, Share::kNone).result.error, OsError::kAccessDenied);
  EXPECT_EQ(fs.Open(this->At("missing.txt"), OpenMode::kRead, Share::kReadWrite).result.error, OsError::kNotFound);
  EXPECT_EQ(fs.Open(this->At("nofolder\\x.txt"), OpenMode::kCreate, Share::kNone).result.error,
            OsError::kPathNotFound);
  EXPECT_EQ(fs.Open(this->env.root, OpenMode::kRead, Share::kReadWrite).result.error, OsError::kAccessDenied);
}

TYPED_TEST(FileSystemContract, HandleReadsWritesSeeksAndTruncates) {
  platform::FileSystem& fs = this->os.fs;
  platform::OpenedFile f = fs.Open(this->At("h.bin"), OpenMode::kCreate, Share::kNone);
  ASSERT_TRUE(f.file);
  ASSERT_TRUE(f.file->Write("0123456789", 10));
  EXPECT_EQ(f.file->Seek(2, platform::SeekFrom::kBegin), 2u);
  char buffer[4] = {};
  EXPECT_EQ(f.file->Read(buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer, 3), "234");
  EXPECT_EQ(f.file->Seek(-2, platform::SeekFrom::kEnd), 8u);
  EXPECT_EQ(f.file->Read(buffer, 4), 2u);
  EXPECT_EQ(f.file->Read(buffer, 4), 0u);
  EXPECT_EQ(f.file->Seek(-100, platform::SeekFrom::kCurrent), std::nullopt);
  EXPECT_EQ(f.file->Seek(4, platform::SeekFrom::kBegin), 4u);
  ASSERT_TRUE(f.file->TruncateHere());
  EXPECT_EQ(f.file->Size(), 4u);
  f.file.reset();
  EXPECT_EQ(fs.ReadFile(this->At("h.bin")), "0123");
  EXPECT_EQ(fs.ReadFile(this->At("h.bin"), 2), "01");
}

TYPED_TEST(FileSystemContract, CopyKeepsTheDateButNotTheAttributes) {
  platform::FileSystem& fs = this->os.fs;
  const std::string data(200000, 'q');
  this->Write("src.scr", data);
  ASSERT_TRUE(fs.SetLastWriteTime(this->At("src.scr"), kSomeTime));
  ASSERT_TRUE(fs.SetAttributes(this->At("src.scr"), attr::kReadOnly));

  ASSERT_TRUE(fs.Copy(this->At("src.scr"), this->At("dst.scr")));
  EXPECT_EQ(fs.ReadFile(this->At("dst.scr")), data);
  EXPECT_EQ(fs.LastWriteTime(this->At("dst.scr")), kSomeTime);
  EXPECT_EQ(fs.Attributes(this->At("dst.scr")).value_or(0) & attr::kReadOnly, 0u);

  // Onto itself the copy must fail without harming the file.
  ASSERT_TRUE(fs.SetAttributes(this->At("src.scr"), 0));
  EXPECT_FALSE(fs.Copy(this->At("src.scr"), this->At("SRC.SCR")));
  EXPECT_EQ(fs.ReadFile(this->At("src.scr")), data);
  EXPECT_EQ(fs.Copy(this->At("none.scr"), this->At("x.scr")).error, OsError::kNotFound);
  EXPECT_FALSE(fs.FileExists(this->At("x.scr")));
}

// A file's identity follows the file through a rename, whatever path names it; a copy is another
// file. Exclusive creation never opens an existing file.
TYPED_TEST(FileSystemContract, IdentityFollowsTheFileAndCreateNewKeepsOldFiles) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("a.txt", "a");
  ASSERT_TRUE(fs.Copy(this->At("a.txt"), this->At("b.txt")));
  const std::optional<platform::FileId> a = fs.Identity(this->At("a.txt"));
  ASSERT_TRUE(a);
  EXPECT_EQ(fs.Identity(this->At("none\\..\\A.TXT")), a);
  EXPECT_NE(fs.Identity(this->At("b.txt")), a);
  ASSERT_TRUE(fs.Rename(this->At("a.txt"), this->At("c.txt")));
  EXPECT_EQ(fs.Identity(this->At("c.txt")), a);
  EXPECT_EQ(fs.Identity(this->At("a.txt")), std::nullopt);
  EXPECT_EQ(fs.Open(this->At("b.txt"), OpenMode::kCreateNew, Share::kNone).result.error, OsError::kAlreadyExists);
  EXPECT_EQ(fs.ReadFile(this->At("b.txt")), "a");
  EXPECT_TRUE(fs.Open(this->At("d.txt"), OpenMode::kCreateNew, Share::kNone).file);
}

TYPED_TEST(FileSystemContract, FoldersAreCreatedOneLevelAndRemovedWhenEmpty) {
  platform::FileSystem& fs = this->os.fs;
  EXPECT_EQ(fs.CreateFolder(this->At("a\\b")).error, OsError::kPathNotFound);
  ASSERT_TRUE(fs.CreateFolder(this->At("a")));
  EXPECT_EQ(fs.CreateFolder(this->At("A")).error, OsError::kAlreadyExists);
  ASSERT_TRUE(fs.CreateFolder(this->At("a\\b")));
  this->Write("a\\b\\f.txt");
  EXPECT_EQ(fs.RemoveFolder(this->At("a\\b")).error, OsError::kDirectoryNotEmpty);
  ASSERT_TRUE(fs.Delete(this->At("a\\b\\f.txt")));
  EXPECT_TRUE(fs.RemoveFolder(this->At("a\\b")));
  EXPECT_FALSE(fs.DirectoryExists(this->At("a\\b")));
  EXPECT_EQ(fs.RemoveFolder(this->At("a\\b")).error, OsError::kNotFound);
}

TYPED_TEST(FileSystemContract, CurrentFolderAndFullPaths) {
  platform::FileSystem& fs = this->os.fs;
  ASSERT_TRUE(fs.CreateFolder(this->At("sub")));
  const std::string before = fs.CurrentFolder();
  ASSERT_TRUE(fs.SetCurrentFolder(this->At("sub")));
  EXPECT_EQ(fs.CurrentFolder(), this->At("sub"));
  EXPECT_EQ(fs.FullPath("x.txt"), this->At("sub\\x.txt"));
  EXPECT_EQ(fs.FullPath("..\\y\\.\\z.txt"), this->At("y\\z.txt"));
  EXPECT_EQ(fs.FullPath(this->env.root.substr(0, 2)), this->At("sub\\"));  // "C:" is its current folder
  EXPECT_EQ(fs.FullPath(this->At("sub\\..\\sub\\")), this->At("sub\\"));
  EXPECT_EQ(fs.FullPath("\\"), this->env.root.substr(0, 3));
  EXPECT_EQ(fs.SetCurrentFolder(this->At("missing")).error, OsError::kNotFound);
  EXPECT_EQ(fs.CurrentFolder(), this->At("sub"));
  ASSERT_TRUE(fs.SetCurrentFolder(before));
}

TYPED_TEST(FileSystemContract, ShortPathOfAShortNameIsTheName) {
  platform::FileSystem& fs = this->os.fs;
  this->Write("QUOVEL32.SCR");
  std::optional<std::string> shortPath = fs.ShortPath(this->At("QUOVEL32.SCR"));
  ASSERT_TRUE(shortPath);
  EXPECT_TRUE(shortPath->ends_with("\\QUOVEL32.SCR")) << *shortPath;
  EXPECT_TRUE(fs.FileExists(*shortPath));
  EXPECT_EQ(fs.ShortPath(this->At("NOTHERE.SCR")), std::nullopt);
}

TYPED_TEST(FileSystemContract, DrivesReportTypeLabelAndSpace) {
  platform::FileSystem& fs = this->os.fs;
  const std::string root = this->env.root.substr(0, 3);
  EXPECT_EQ(fs.DriveType(root), platform::drive::kFixed);
  EXPECT_TRUE(fs.VolumeLabel(root));
  std::optional<platform::DiskSpace> space = fs.Space(root);
  ASSERT_TRUE(space);
  EXPECT_GT(space->totalBytes, 0u);
  EXPECT_LE(space->freeBytes, space->totalBytes);

  const std::string unmapped = std::string(1, this->env.unmappedDrive) + ":\\";
  EXPECT_EQ(fs.DriveType(unmapped), platform::drive::kNoRootDir);
  EXPECT_EQ(fs.VolumeLabel(unmapped), std::nullopt);
  EXPECT_EQ(fs.Space(unmapped), std::nullopt);
  EXPECT_EQ(fs.NetworkName(root.substr(0, 2)), std::nullopt);

  const uint32_t previous = fs.SetErrorMode(1);
  EXPECT_EQ(fs.SetErrorMode(previous), 1u);
}

// Under WOW64 the system folder is the native one, plus what only its 32-bit view holds; new files
// go to the native folder.
TYPED_TEST(FileSystemContract, SystemFolderUnderWow64IsTheNativeOneFirst) {
  if (!this->env.EnterWow64()) GTEST_SKIP() << "not under WOW64";
  platform::FileSystem& fs = this->os.fs;
  const std::string windows = this->os.desktop.WindowsFolder() + "\\";
  const std::string system = windows + "System32\\qvwow-", native = windows + "Sysnative\\qvwow-", view32 = windows + "SysWOW64\\qvwow-";
  ASSERT_TRUE(fs.WriteFile(native + "both", "native") && fs.WriteFile(view32 + "both", "32") && fs.WriteFile(view32 + "32", "32"));
  ASSERT_TRUE(fs.WriteFile(system + "new", "new"));
  EXPECT_EQ(fs.ReadFile(system + "both"), "native");
  EXPECT_EQ(fs.ReadFile(system + "32"), "32");
  EXPECT_EQ(fs.ReadFile(native + "new"), "new");
  std::multiset<std::string> names;
  for (const platform::FindEntry& e : fs.Find(system + "*", 0)) names.insert(e.name);
  EXPECT_EQ(names, (std::multiset<std::string>{"qvwow-both", "qvwow-32", "qvwow-new"}));
  EXPECT_EQ(fs.Find(view32 + "*", 0).size(), 2u);
  // The native copy goes first, then the one only the 32-bit view still has.
  for (const char* name : {"both", "both", "32", "new"}) EXPECT_TRUE(fs.Delete(system + name)) << name;
  EXPECT_TRUE(fs.Find(system + "*", 0).empty());
}

}  // namespace
}  // namespace platformtest
