// FileSystem on the Win32 file API (W functions; paths converted from and to CP932).
#pragma once
#include "platform/file_system.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  using FileSystem::Find;
  std::vector<FindEntry> Find(const std::string& pattern, uint32_t mask, size_t* unnamed) override;
  std::optional<uint32_t> Attributes(const std::string& path) override;
  OsResult SetAttributes(const std::string& path, uint32_t attributes) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  std::optional<FileTime> LastWriteTime(const std::string& path) override;
  OsResult SetLastWriteTime(const std::string& path, FileTime time) override;
  LocalTime ToLocal(FileTime time) override;
  FileTime CurrentTime() override;
  OpenedFile Open(const std::string& path, OpenMode mode, Share share) override;
  OsResult Delete(const std::string& path) override;
  OsResult Rename(const std::string& from, const std::string& to) override;
  OsResult Replace(const std::string& from, const std::string& to) override;
  OsResult CreateFolder(const std::string& path) override;
  OsResult RemoveFolder(const std::string& path) override;
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
};

}  // namespace platform::win32
