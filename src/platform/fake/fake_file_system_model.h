// The inside of FakeFileSystem, shared by its source files: the tree of nodes on each drive, and
// what a path resolves to. Not for use outside the fake file system.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_file_system.h"
#include "platform/fake/fold.h"

namespace platform::fake::file_system_detail {

constexpr unsigned kAccessRead = 1;
constexpr unsigned kAccessWrite = 2;
constexpr uint32_t kChangeableBits = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;

inline char DriveLetterOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    char c = path[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
  }
  return 0;
}

}  // namespace platform::fake::file_system_detail

namespace platform::fake {

struct FakeFileSystem::Node {
  struct OpenRecord {
    int id;
    unsigned access;
    unsigned share;
  };
  uint64_t id = 0;  // the file index: kept through renames, new for a new file
  std::string name;
  uint32_t attributes = 0;  // stored bits; the directory bit marks a folder
  std::string data;
  FileTime lastWrite;
  std::string shortName;
  std::map<std::string, std::shared_ptr<Node>> children;  // by upper-cased name
  std::vector<OpenRecord> opens;
  bool protectedFolder = false;  // a normal user may not change what is inside

  bool IsFolder() const { return (attributes & attr::kDirectory) != 0; }
  // The entry named `name` here, by its name or, as Windows finds it too, by its 8.3 name.
  std::shared_ptr<Node> Child(const std::string& name) const {
    const std::string key = UpperAscii(name);
    auto it = children.find(key);
    if (it != children.end()) return it->second;
    for (const auto& [ignored, child] : children) {
      if (!child->shortName.empty() && UpperAscii(child->shortName) == key) return child;
    }
    return nullptr;
  }
  uint32_t Reported() const {
    uint32_t a = attributes & (file_system_detail::kChangeableBits | attr::kDirectory);
    return a == 0 ? attr::kNormal : a;
  }
  bool Contains(const Node* other) const {
    if (this == other) return true;
    for (const auto& [key, child] : children) {
      if (child->Contains(other)) return true;
    }
    return false;
  }
  bool AnyOpen() const {
    if (!opens.empty()) return true;
    for (const auto& [key, child] : children) {
      if (child->AnyOpen()) return true;
    }
    return false;
  }
};

struct FakeFileSystem::Drive {
  uint32_t type = drive::kFixed;
  uint32_t serial = 0;
  std::string label;
  DiskSpace space;
  std::string networkName;
  bool ready = true;
  bool shortNames = true;
  std::shared_ptr<Node> root;
};

struct FakeFileSystem::Lookup {
  std::string full;
  uint32_t error = 0;  // set when the path cannot be reached at all
  Drive* drive = nullptr;
  std::shared_ptr<Node> parent;
  std::shared_ptr<Node> node;  // null when the last component is missing
  std::string name;            // last component as written
};

}  // namespace platform::fake
