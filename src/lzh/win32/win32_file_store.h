// The archiver's file operations on the Win32 W APIs: Shift-JIS paths are converted with code
// page 932, so Japanese names work on a Windows of any language.
#pragma once
#include <memory>
#include <string>

#include "lzh/file_store.h"

namespace lzh::win32 {

std::wstring WideFromSjis(const std::string& sjis);

class Win32FileStore final : public FileStore {
 public:
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::string& path) override;
  bool ReadInfo(const std::string& path, FileInfo* info) override;
  bool Exists(const std::string& path) override;
  bool OwnNameHeld(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  bool MakeFolders(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void ApplyMetadata(const std::string& path, const Entry& entry) override;
  uint32_t DisplayTime(const Entry& entry) override;
};

// Local DOS date (high word) and time (low word) of a member, for listings and records.
uint32_t LocalDosTime(const Entry& entry);

}  // namespace lzh::win32
