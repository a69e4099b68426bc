// An in-memory file system that behaves like Windows where the program can tell: drive letters
// and their types, case-insensitive names that keep their written case, attribute bits, share
// modes of open files, read-only files, per-drive current folders and the error codes of each
// failure, and which paths name one file. Tests set up files, inject failures and read the log of
// changes. Not modelled: network paths (\\server\share), 8.3 names that Windows would make up by
// itself, wildcard matches through short names.
#pragma once
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/system_folder.h"

namespace platform::fake {

// Operations a test can make fail once. kReadEnd is a read that finds the end of the file early,
// as when another program cuts the file short while it is read (the code is not used).
enum class FsOp {
  kOpen, kRead, kReadEnd, kWrite, kDelete, kRename, kReplace, kSetAttributes, kSetTime,
  kCreateFolder, kRemoveFolder, kSetCurrentFolder, kProtectAccess,
};

class FakeFileSystem : public FileSystem {
 public:
  // Starts with a fixed drive C: (empty label, 100 GB of which 50 GB free) whose root is the
  // current folder, and the clock at 2024-01-01 00:00 UTC.
  FakeFileSystem();
  ~FakeFileSystem() override;

  // --- Set-up -----------------------------------------------------------------------------------
  void AddDrive(char letter, uint32_t type, const std::string& label = "",
                DiskSpace space = {100ull << 30, 50ull << 30}, const std::string& networkName = "");
  // Drive `letter` names the existing `folder` (a subst drive, or a share of that folder mapped as
  // a network drive): the same files under a second spelling, with the volume of the folder.
  void AddAlias(char letter, const std::string& folder, uint32_t type = drive::kFixed);
  // A removable or CD drive without a medium: its folders and queries fail with kNotReady.
  void SetDriveReady(char letter, bool ready);
  // A volume that makes no 8.3 names: a folder created there with a blank in its name keeps it
  // (elsewhere such a folder gets a made-up 8.3 name, as Windows gives one).
  void SetNoShortNames(char letter);
  // Creates the file (and its folders) with the given bytes; new files carry the archive bit.
  void AddFile(const std::string& path, const std::string& data = "", uint32_t attributes = attr::kArchive);
  void AddFolder(const std::string& path, uint32_t attributes = 0);  // with its parents
  // The 8.3 name of an existing path's last component (a real volume makes one up for long names).
  void SetShortName(const std::string& path, const std::string& shortName);
  // The long name of an existing entry becomes one the program's text cannot hold (a name with
  // u-umlaut or a character outside Shift-JIS on a real disk): no path reaches it by that name any
  // more, only by its 8.3 name (SetShortName), and listings name it so. Without an 8.3 name (a
  // volume that keeps none) listings leave it out and count it.
  void MakeNameUnheld(const std::string& path);
  // A folder a normal user may not write (the Windows folder, Program Files): nothing directly
  // inside it can be created, opened for writing, renamed, replaced or deleted (access denied);
  // reading works. Set-up through AddFile and AddFolder is not affected.
  void ProtectFolder(const std::string& path);
  // Another process holds the file open without sharing it.
  void Lock(const std::string& path);
  void Unlock(const std::string& path);
  // The next `op` on `path` (any path when empty) fails with the Win32 error code.
  void FailNext(FsOp op, const std::string& path, uint32_t code);
  // The next `op` on `path` (any path when empty) throws std::bad_alloc, as memory running out in
  // the middle of a command would.
  void RunOutOfMemoryNext(FsOp op, const std::string& path);
  // The next `op` on `path` (any path when empty) throws `thrown`: a fault nobody foresaw.
  void ThrowNext(FsOp op, const std::string& path, std::exception_ptr thrown);
  // The clock that stamps written files, and the local time zone as minutes east of UTC.
  void SetNow(FileTime now) { now_ = now; }
  FileTime Now() const { return now_; }
  void SetUtcOffsetMinutes(int minutes) { utcOffsetMinutes_ = minutes; }
  // The program runs under WOW64 on a 64-bit Windows whose Windows folder is `windowsFolder`
  // (created with SysWOW64 in it): the system takes "<Windows>\System32" to the 32-bit
  // "<Windows>\SysWOW64" and only the alias "<Windows>\Sysnative" to the native System32, and the
  // file system hands paths on as the real one does (platform/system_folder.h); the change log
  // names them as handed on. Set-up, inspection and ShortPath keep naming the disk as a 64-bit
  // program does; the subfolders Windows never redirects are not modelled.
  void SetWow64(const std::string& windowsFolder);

  // --- Inspection -------------------------------------------------------------------------------
  // Every change in order, e.g. "Delete C:\A.TXT", "Rename C:\A -> C:\B", "Write C:\X.LIS".
  const std::vector<std::string>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }
  // The folders given a protected access list, in order (full paths).
  std::vector<std::string> AccessProtected() const;
  uint32_t ErrorMode() const { return errorMode_; }
  // Times a drive without a disk was asked for its space while critical errors were not
  // suppressed: each would have shown the system's "insert a disk" prompt.
  int CriticalErrorPrompts() const { return criticalErrorPrompts_; }
  // Handles currently open on the file (Lock counts as one).
  int OpenHandles(const std::string& path);

  // --- FileSystem -------------------------------------------------------------------------------
  using FileSystem::Find;
  std::vector<FindEntry> Find(const std::string& pattern, uint32_t mask, size_t* unnamed) override;
  std::optional<uint32_t> Attributes(const std::string& path) override;
  OsResult SetAttributes(const std::string& path, uint32_t attributes) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  std::optional<FileTime> LastWriteTime(const std::string& path) override;
  OsResult SetLastWriteTime(const std::string& path, FileTime time) override;
  LocalTime ToLocal(FileTime time) override;
  FileTime CurrentTime() override { return now_; }
  OpenedFile Open(const std::string& path, OpenMode mode, Share share) override;
  OsResult Delete(const std::string& path) override;
  OsResult Rename(const std::string& from, const std::string& to) override;
  OsResult Replace(const std::string& from, const std::string& to) override;
  OsResult CreateFolder(const std::string& path) override;
  OsResult RemoveFolder(const std::string& path) override;
  // Records the folder (AccessProtected); fails with FsOp::kProtectAccess's injected error.
  OsResult ProtectAccess(const std::string& path) override;
  std::string CurrentFolder() override;
  OsResult SetCurrentFolder(const std::string& path) override;
  std::optional<std::string> FullPath(const std::string& path) override;
  std::optional<std::string> ShortPath(const std::string& path) override;
  std::optional<FileId> Identity(const std::string& path) override;
  uint32_t DriveType(const std::string& root) override;
  std::optional<std::string> VolumeLabel(const std::string& root) override;
  std::optional<std::string> NetworkName(const std::string& drive) override;
  std::optional<DiskSpace> Space(const std::string& root) override;
  uint32_t SetErrorMode(uint32_t mode) override;

  struct Node;
  struct Drive;

 private:
  friend class FakeFile;
  struct Lookup;
  Lookup Resolve(const std::string& path);
  // `path` as the program reaches it: passed through the system-folder view when `mapped`, then
  // to where the system's redirection takes it. `full` is the path as handed to the system.
  Lookup Reach(const std::string& path, bool mapped = true);
  std::string OnDisk(const std::string& handed) const;
  std::vector<FindEntry> FindOnDisk(const std::string& pattern, uint32_t mask, size_t* unnamed);
  std::shared_ptr<Node> NewNode();
  Drive* DriveOf(char letter);
  bool TakeFailure(FsOp op, const std::string& fullPath, uint32_t& code);
  OsResult Move(const std::string& from, const std::string& to, bool replace);
  void Log(const std::string& entry) { changes_.push_back(entry); }

  struct Failure {
    FsOp op;
    std::string path;  // folded full path, empty for any
    uint32_t code;
    std::exception_ptr thrown;
  };

  std::map<char, std::unique_ptr<Drive>> drives_;
  SystemFolderView view_;
  std::string current_ = "C:\\";
  std::map<char, std::string> driveCurrent_;  // the last current folder of each drive
  std::vector<Failure> failures_;
  std::vector<std::string> changes_;
  FileTime now_;
  int utcOffsetMinutes_ = 0;
  uint32_t errorMode_ = 0;
  int criticalErrorPrompts_ = 0;
  int nextHandle_ = 1;
  uint64_t nextNodeId_ = 1;
};

}  // namespace platform::fake
