// The file operations the archiver commands need, so the commands run over the real file
// system of either platform. Paths are Shift-JIS; "\" and "/" both separate folders.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lzh/header.h"
#include "lzh/io.h"

namespace lzh {

// A file being written. Close reports whether everything reached the disk.
class OutputFile : public SeekableSink {
 public:
  virtual bool Close() = 0;
};

// What a file to add brings besides its bytes.
struct FileInfo {
  uint8_t attribute = 0x20;
  bool hasTimes = false;
  uint64_t creationTime = 0, writeTime = 0, accessTime = 0;  // FILETIME, UTC
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  // Null when the file does not exist or cannot be opened.
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // Creates or truncates; null on failure.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  // Creates a file where none is; null when the name is taken or on failure.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path) = 0;
  // The attribute and times of a file (not a folder); false when there is none.
  virtual bool ReadInfo(const std::string& path, FileInfo* info) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // Creates the folder and any missing parents; true when it exists afterwards.
  virtual bool MakeFolders(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Moves `from` over `to`, replacing it.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Gives an extracted file the member's time and attribute; failures are ignored.
  virtual void ApplyMetadata(const std::string& path, const Entry& entry) = 0;
  // Whether the file's own name is held by the program's text. A path can reach a file whose long
  // name is not (u-umlaut, a character outside Shift-JIS) through its 8.3 name; such a file is
  // refused, never stored under another name. By default every name is its own.
  virtual bool OwnNameHeld(const std::string&) { return true; }
  // The member's time as listings show it (DOS date << 16 | time); by default as stored.
  virtual uint32_t DisplayTime(const Entry& entry) { return entry.dosTime; }
};

}  // namespace lzh
