// Standard C++ file access for the codec: archives read through <cstdio>, and a FileStore
// over std::filesystem for the native build and the command-line tools. Paths are passed to
// the C library unchanged, so they are in the system's narrow encoding.
#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "lzh/file_store.h"
#include "lzh/io.h"

namespace lzh {

class StdFileInput final : public InputFile {
 public:
  // Null when the file cannot be opened.
  static std::unique_ptr<StdFileInput> Open(const std::string& path);
  ~StdFileInput() override;
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t size) override;

 private:
  StdFileInput(std::FILE* f, uint64_t size) : f_(f), size_(size) {}
  std::FILE* f_;
  uint64_t size_;
};

class StdFileStore final : public FileStore {
 public:
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override;
  bool ReadInfo(const std::string& path, FileInfo* info) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  bool MakeFolders(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void ApplyMetadata(const std::string& path, const Entry& entry) override;
};

}  // namespace lzh
