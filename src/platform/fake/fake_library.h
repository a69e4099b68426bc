// Archiver libraries on the fake machine: archives are kept here by path (their entries and
// bytes), each also present as a file of the fake file system; the commands extract (into the
// destination itself, unsafe names refused as the real library refuses them), list and add.
// Tests can take the library or single entry points away and inspect the command lines.
#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/archiver.h"
#include "platform/fake/fake_file_system.h"

namespace platform::fake {

class FakeLibrary : public Library {
 public:
  explicit FakeLibrary(FakeFileSystem& fs) : fs_(fs) {}

  struct Entry {
    std::string name;  // folders joined with "/"
    std::string data;
  };
  // An archive at `path` (also a file, its folders made) holding these entries.
  void AddArchive(const std::string& path, std::vector<Entry> entries);
  // The entries of an archive (none when there is no such archive).
  std::vector<Entry> ArchiveEntries(const std::string& path) const;

  // The library loads from a full path where the file system holds a file (of any content);
  // with SetPresent(false) from nowhere. RemoveEntry takes an entry point away.
  void SetPresent(bool present) { present_ = present; }
  void RemoveEntry(const std::string& entry) { missing_.insert(entry); }
  // Command lines run, in order; libraries loaded and not yet freed.
  const std::vector<std::string>& Commands() const { return commands_; }
  int Loaded() const { return loaded_; }
  // Every path a library was asked from, in order, loaded or not.
  const std::vector<std::string>& LoadAttempts() const { return attempts_; }

  std::unique_ptr<Archiver> LoadArchiver(const std::string& path) override;

 private:
  friend class FakeArchiver;
  FakeFileSystem& fs_;
  std::map<std::string, std::vector<Entry>> archives_;  // by upper-cased path
  std::set<std::string> missing_;
  std::vector<std::string> commands_;
  std::vector<std::string> attempts_;
  bool present_ = true;
  int loaded_ = 0;
};

}  // namespace platform::fake
