// Files, folders and drives as the program needs them: find with attribute masks, attributes,
// sizes and dates, whole-file and handle-based I/O, copies that keep the date, safe replacement,
// the current folder, path forms and drive queries. Paths are CP932 strings.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os_result.h"

namespace platform {

// File attribute bits, the values Windows uses.
namespace attr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kVolumeId = 0x08;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
// Reported for a file that has none of the other bits.
constexpr uint32_t kNormal = 0x80;
// Every mask bit that takes part in find filtering.
constexpr uint32_t kAnyFile = 0x3F;
// The classic find filter: an entry with any of these bits is seen only when the mask asks for
// each of them; plain files always are.
constexpr uint32_t kAskedFor = kHidden | kSystem | kVolumeId | kDirectory;
constexpr bool FindSees(uint32_t attributes, uint32_t mask) { return (attributes & kAskedFor & ~mask) == 0; }
}  // namespace attr

// Drive types as GetDriveType reports them.
namespace drive {
constexpr uint32_t kUnknown = 0;
constexpr uint32_t kNoRootDir = 1;
constexpr uint32_t kRemovable = 2;
constexpr uint32_t kFixed = 3;
constexpr uint32_t kRemote = 4;
constexpr uint32_t kCdRom = 5;
constexpr uint32_t kRamDisk = 6;
}  // namespace drive

// A point in time in Windows file-time units: 100 ns since 1601-01-01 UTC.
struct FileTime {
  uint64_t ticks = 0;
  friend bool operator==(const FileTime&, const FileTime&) = default;
};

// A broken-down local time, as shown to the user. dayOfWeek: 0 = Sunday.
struct LocalTime {
  int year = 1601, month = 1, day = 1, hour = 0, minute = 0, second = 0, dayOfWeek = 1;
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// One result of a find: the name (no folder) and what the directory entry says about it.
struct FindEntry {
  std::string name;
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTime lastWrite;
  std::string shortName;  // the 8.3 name the system keeps apart from a longer name; else empty
  friend bool operator==(const FindEntry&, const FindEntry&) = default;
};

// How a listing names an entry: by its long name when the program's text holds it (`longName`),
// else by its 8.3 name, which names exactly that file and no other; nullopt (left out) when it has
// neither. A long name that is not held is never shown in any look-alike form.
std::optional<FindEntry> NameListedEntry(FindEntry entry, const std::optional<std::string>& longName,
                                         const std::string& shortName);

// Which file a path names: the serial number of its volume and the file's index there. Two paths
// with the same identity name one file, however they are spelled (another drive letter or a
// network path for its folder, a junction, an 8.3 name, a hard link).
struct FileId {
  uint32_t volume = 0;
  uint64_t index = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};

struct DiskSpace {
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;  // free bytes available to this user
};

enum class OpenMode {
  kRead,       // existing file, read only
  kReadWrite,  // existing file, read and write
  kCreate,     // create or truncate, read and write
  kCreateNew,  // a new file only, read and write: an existing name gives kAlreadyExists
};

// What other openers of the same file may do while this handle is open.
enum class Share {
  kReadWrite,  // deny none
  kRead,       // deny write
  kNone,       // exclusive
};

enum class SeekFrom { kBegin, kCurrent, kEnd };

// An open file. Closed when destroyed. Reads and writes move the file position.
class File {
 public:
  virtual ~File() = default;
  // Up to `size` bytes; fewer at the end of the file, 0 at its end; nullopt on a read error.
  virtual std::optional<size_t> Read(void* buffer, size_t size) = 0;
  // All bytes or an error.
  virtual OsResult Write(const void* data, size_t size) = 0;
  // The new position from the start of the file, nullopt when it would be negative.
  virtual std::optional<uint64_t> Seek(int64_t offset, SeekFrom from) = 0;
  // Cuts (or extends) the file at the current position.
  virtual OsResult TruncateHere() = 0;
  virtual std::optional<uint64_t> Size() = 0;
  virtual std::optional<FileTime> LastWriteTime() = 0;
  // Set it after the last write: whether later writes through the handle move the date again
  // differs between Windows and Wine.
  virtual OsResult SetLastWriteTime(FileTime time) = 0;
  // Writes what the system still holds of this file to the disk.
  virtual OsResult Flush() = 0;
};

struct OpenedFile {
  std::unique_ptr<File> file;  // null on failure
  OsResult result;
};

// Hands the bytes of `source` from where it stands to `use`, block by block of at most
// `blockSize` bytes, until its end (Ok) or a failure of `use` (that failure); a read error gives
// kAccessDenied.
OsResult ReadBlocks(File& source, size_t blockSize, const std::function<OsResult(std::string_view block)>& use);

// A new file beside another one, created under a name that nothing had.
struct TemporaryFile {
  std::string path;
  std::unique_ptr<File> file;  // null on failure
  OsResult result;
};

// Under WOW64 a path in the Windows system folder reaches the native folder, and what only the
// 32-bit view has (platform/system_folder.h); the current folder, full and short paths keep the
// 32-bit view.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // --- Finding ------------------------------------------------------------------------------
  // Entries of the folder of `pattern` whose names match its last component (* and ?, compared
  // case-insensitively; "*.*" matches every name). Filtered by `mask` as the classic find does:
  // plain files always qualify, an entry with the hidden, system, directory or volume-label bit
  // only when `mask` has that bit too. "." and ".." are never returned. Windows' order (unsorted
  // for the caller's purposes). An empty result for a missing folder. On Windows a pattern can
  // also match through a file's 8.3 name ("*.SCR" finds "A.SCRX"); callers that care check the
  // extension of the returned name. An entry whose name the program's text cannot hold goes by its
  // 8.3 name (NameListedEntry); one without that is left out and counted in `unnamed`, if given.
  virtual std::vector<FindEntry> Find(const std::string& pattern, uint32_t mask, size_t* unnamed) = 0;
  std::vector<FindEntry> Find(const std::string& pattern, uint32_t mask) { return Find(pattern, mask, nullptr); }

  // --- Attributes, sizes and dates --------------------------------------------------------------
  virtual std::optional<uint32_t> Attributes(const std::string& path) = 0;  // nullopt: missing
  // Sets the changeable bits (read-only, hidden, system, archive); 0 means normal.
  virtual OsResult SetAttributes(const std::string& path, uint32_t attributes) = 0;
  bool DirectoryExists(const std::string& path);  // exists and has the directory bit
  bool FileExists(const std::string& path);       // exists and is not a directory
  virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;  // files only
  virtual std::optional<FileTime> LastWriteTime(const std::string& path) = 0;
  virtual OsResult SetLastWriteTime(const std::string& path, FileTime time) = 0;
  // The file time in the local time zone of this machine (what Windows Explorer shows).
  virtual LocalTime ToLocal(FileTime time) = 0;
  // The clock that stamps files: now, as a file time.
  virtual FileTime CurrentTime() = 0;

  // --- Reading and writing ----------------------------------------------------------------------
  virtual OpenedFile Open(const std::string& path, OpenMode mode, Share share) = 0;
  // The whole file, or at most `maxBytes` from its start; nullopt when it cannot be read.
  std::optional<std::string> ReadFile(const std::string& path, size_t maxBytes = SIZE_MAX);
  // Creates or truncates the file and writes `data`.
  OsResult WriteFile(const std::string& path, const std::string& data);
  // A new file beside `path`, named "<path>.~qv" or, while that name is taken, "<path>.~qv1",
  // "<path>.~qv2" and so on: it is created exclusively, so no existing file is ever opened.
  TemporaryFile CreateTemporary(const std::string& path);
  // Writes `data` through WriteReplacing, so a failure never leaves a truncated file behind and
  // no file but the new temporary one is ever opened for writing.
  OsResult WriteFileReplacing(const std::string& path, const std::string& data);
  // Copies the bytes of `from` into `to` (created or truncated) through a buffer of `bufferSize`
  // bytes and gives `to` the date of `from` (and, with `flush`, writes it through to the disk);
  // attributes are not copied. The source is read until a read returns nothing. A partly
  // written `to` is deleted on failure.
  OsResult Copy(const std::string& from, const std::string& to, size_t bufferSize = 64 * 1024, bool flush = false);
  // Writes a new `path` through `write`, which fills a temporary file beside it (CreateTemporary)
  // that then replaces `path`: on failure (an exception out of `write` included) `path` is as it
  // was and the temporary file is gone.
  OsResult WriteReplacing(const std::string& path, const std::function<OsResult(File& out)>& write);
  // Copies `from` over `to` without ever leaving `to` half-written: the bytes and the date of
  // `from` go into a temporary file beside `to` (CreateTemporary), which is written through to
  // the disk when it replaces a file, and then takes the place of `to`. The source stays open
  // until then, so a file is never replaced by a copy of itself. On failure `to` is as it was
  // and the temporary file is gone.
  OsResult CopyReplacing(const std::string& from, const std::string& to, size_t bufferSize);

  // --- Deleting and renaming --------------------------------------------------------------------
  // Files only: a read-only file or a folder gives kAccessDenied, an open file kSharingViolation.
  virtual OsResult Delete(const std::string& path) = 0;
  // Renames or moves a file or folder; an existing target gives kAlreadyExists. A change of
  // letter case only is allowed.
  virtual OsResult Rename(const std::string& from, const std::string& to) = 0;
  // Renames a file over an existing file (or to a new name); a read-only target is refused.
  virtual OsResult Replace(const std::string& from, const std::string& to) = 0;

  // --- Folders ----------------------------------------------------------------------------------
  virtual OsResult CreateFolder(const std::string& path) = 0;  // one level
  virtual OsResult RemoveFolder(const std::string& path) = 0;  // must be empty
  // Gives a folder an access list of its own, inherited by what is created in it: the current
  // user, administrators and the system may change it, every other user may read and run it;
  // nothing comes from the folders above. Ok without doing anything on a volume that keeps no
  // access lists.
  virtual OsResult ProtectAccess(const std::string& path) = 0;
  virtual std::string CurrentFolder() = 0;
  virtual OsResult SetCurrentFolder(const std::string& path) = 0;
  // The absolute form of `path` against the current folder (GetFullPathName): "." and ".." are
  // resolved, "X:" alone names the current folder of drive X. The file need not exist.
  virtual std::optional<std::string> FullPath(const std::string& path) = 0;
  // The 8.3 form of an existing path; components without a short form stay as they are.
  virtual std::optional<std::string> ShortPath(const std::string& path) = 0;
  // The identity of an existing file or folder; nullopt when it is missing or the system cannot
  // tell (a file index of 0, as some network file systems report, tells nothing).
  virtual std::optional<FileId> Identity(const std::string& path) = 0;

  // --- Drives -----------------------------------------------------------------------------------
  // `root` is "X:\"; the result is one of the drive:: constants.
  virtual uint32_t DriveType(const std::string& root) = 0;
  virtual std::optional<std::string> VolumeLabel(const std::string& root) = 0;
  // The network share behind a mapped drive "X:" (WNetGetConnection); nullopt when not mapped or
  // when the system's network library is missing (the drive then shows as a local one does).
  virtual std::optional<std::string> NetworkName(const std::string& drive) = 0;
  virtual std::optional<DiskSpace> Space(const std::string& root) = 0;
  // SetErrorMode: returns the previous mode. Mode 1 keeps Windows' critical-error boxes away.
  virtual uint32_t SetErrorMode(uint32_t mode) = 0;
};

// Keeps Windows' critical-error boxes ("no disk in drive") away while it lives.
class CriticalErrorsSuppressed {
 public:
  explicit CriticalErrorsSuppressed(FileSystem& fs) : fs_(fs), previous_(fs.SetErrorMode(1)) {}
  ~CriticalErrorsSuppressed() { fs_.SetErrorMode(previous_); }
  CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
  CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;

 private:
  FileSystem& fs_;
  uint32_t previous_;
};

}  // namespace platform
