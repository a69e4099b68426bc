// Byte sources and sinks the codec reads archives from and writes members to. They are small
// interfaces so the same code runs over memory, standard files and Win32 file handles.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lzh {

// Random-access input (an archive). ReadAt returns the number of bytes read, fewer only at the
// end of the data or on a read error.
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual uint64_t Size() const = 0;
  virtual size_t ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

// Sequential output (an extracted member, a new archive). Write returns false on failure.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// Output that can be gone over again: a new archive, whose member headers are completed once
// their data is written.
class SeekableSink : public OutputSink {
 public:
  // The bytes written so far; writing goes on at the end.
  virtual uint64_t Position() const = 0;
  // Overwrites bytes already written, from `offset` on.
  virtual bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) = 0;
  // Drops everything from `offset` on.
  virtual bool TruncateAt(uint64_t offset) = 0;
};

// Sequential input (a file being added). Read returns 0 at the end; `failed` tells errors apart.
class InputStream {
 public:
  virtual ~InputStream() = default;
  virtual size_t Read(uint8_t* buffer, size_t size) = 0;
  virtual bool Failed() const { return false; }
};

class MemoryInput final : public InputFile, public InputStream {
 public:
  MemoryInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit MemoryInput(const std::vector<uint8_t>& v) : data_(v.data()), size_(v.size()) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t size) override;
  size_t Read(uint8_t* buffer, size_t size) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t cursor_ = 0;
};

class VectorSink final : public SeekableSink {
 public:
  bool Write(const uint8_t* data, size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
    return true;
  }
  uint64_t Position() const override { return bytes.size(); }
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    if (offset > bytes.size() || size > bytes.size() - offset) return false;
    std::copy(data, data + size, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  bool TruncateAt(uint64_t offset) override {
    if (offset > bytes.size()) return false;
    bytes.resize(static_cast<size_t>(offset));
    return true;
  }
  std::vector<uint8_t> bytes;
};

// Discards the data; used to test members and to stream CRCs of huge members.
class NullSink final : public OutputSink {
 public:
  bool Write(const uint8_t*, size_t size) override {
    total += size;
    return true;
  }
  uint64_t total = 0;
};

}  // namespace lzh
