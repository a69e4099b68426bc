// libFuzzer target for the library's command entry: a fuzzed command line runs over an in-memory
// folder holding a fuzzed archive "A.LZH" and a file "F.TXT", and the report goes into a buffer of
// exactly the fuzzed size (0 to 255 bytes, or none at all), so AddressSanitizer sees any byte
// written past it.
// Input: one byte of buffer size, one byte of flags (bit 0: no buffer), the command line up to the
// first line feed, then the archive's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lzh/commands.h"
#include "lzh/names.h"

namespace {

// Files of a few MiB at most: a few bytes of archive can describe gigabytes.
constexpr size_t kFileLimit = 4u << 20;

using Files = std::map<std::string, std::vector<uint8_t>>;

class MemoryOutput final : public lzh::OutputFile {
 public:
  MemoryOutput(Files& files, std::string key) : files_(files), key_(std::move(key)) {}
  bool Write(const uint8_t* data, size_t size) override {
    if (bytes_.size() + size > kFileLimit) return false;
    bytes_.insert(bytes_.end(), data, data + size);
    return true;
  }
  uint64_t Position() const override { return bytes_.size(); }
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    if (offset > bytes_.size() || size > bytes_.size() - offset) return false;
    std::memcpy(bytes_.data() + offset, data, size);
    return true;
  }
  bool TruncateAt(uint64_t offset) override {
    if (offset > bytes_.size()) return false;
    bytes_.resize(offset);
    return true;
  }
  bool Close() override {
    files_[key_] = std::move(bytes_);
    return true;
  }

 private:
  Files& files_;
  std::string key_;
  std::vector<uint8_t> bytes_;
};

// Reads a snapshot, so a file replaced while it is open stays as it was opened.
class SnapshotInput final : public lzh::InputFile {
 public:
  explicit SnapshotInput(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)), in_(bytes_) {}
  uint64_t Size() const override { return in_.Size(); }
  size_t ReadAt(uint64_t offset, void* buffer, size_t size) override { return in_.ReadAt(offset, buffer, size); }

 private:
  std::vector<uint8_t> bytes_;
  lzh::MemoryInput in_;
};

// A folder in memory: names compared without ASCII case, "\" and "/" alike; folders exist once
// made or once a file lies in them.
class MemoryStore final : public lzh::FileStore {
 public:
  std::unique_ptr<lzh::InputFile> OpenRead(const std::string& path) override {
    auto it = files_.find(Key(path));
    if (it == files_.end()) return nullptr;
    return std::make_unique<SnapshotInput>(it->second);
  }
  std::unique_ptr<lzh::OutputFile> Create(const std::string& path) override {
    if (files_.size() > 64) return nullptr;
    return std::make_unique<MemoryOutput>(files_, Key(path));
  }
  std::unique_ptr<lzh::OutputFile> CreateNew(const std::string& path) override {
    return Exists(path) ? nullptr : Create(path);
  }
  bool ReadInfo(const std::string& path, lzh::FileInfo*) override { return Exists(path); }
  bool Exists(const std::string& path) override { return files_.count(Key(path)) != 0; }
  bool IsFolder(const std::string&) override { return false; }
  bool MakeFolders(const std::string&) override { return true; }
  bool Remove(const std::string& path) override { return files_.erase(Key(path)) != 0; }
  bool Replace(const std::string& from, const std::string& to) override {
    auto it = files_.find(Key(from));
    if (it == files_.end()) return false;
    std::vector<uint8_t> bytes = std::move(it->second);
    files_.erase(it);
    files_[Key(to)] = std::move(bytes);
    return true;
  }
  void ApplyMetadata(const std::string&, const lzh::Entry&) override {}

  Files files_;

 private:
  static std::string Key(const std::string& path) {
    std::string key = lzh::UpperSjis(path);
    for (char& c : key)
      if (c == '/') c = '\\';
    return key;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t bufferSize = data[0];
  const bool noBuffer = data[1] & 1;
  const char* text = reinterpret_cast<const char*>(data + 2);
  const char* end = reinterpret_cast<const char*>(data + size);
  const char* feed = static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text)));
  const std::string commandLine(text, feed ? feed : end);
  MemoryStore store;
  if (feed) store.files_["A.LZH"].assign(reinterpret_cast<const uint8_t*>(feed + 1), data + size);
  store.files_["F.TXT"].assign(data, data + size);

  // Exactly `bufferSize` bytes of its own: one more written is a heap overflow.
  char* buffer = noBuffer ? nullptr : static_cast<char*>(std::malloc(bufferSize));
  lzh::RunCommand(store, commandLine.c_str(), buffer, bufferSize);
  if (buffer && bufferSize > 0) {
    const size_t length = strnlen(buffer, bufferSize);
    // Terminated inside the buffer, after whole lines only.
    if (length == bufferSize || (length > 0 && buffer[length - 1] != '\n')) std::abort();
  }
  std::free(buffer);
  return 0;
}
