// Archiver libraries loaded with LoadLibraryW and called through their exported entry points.
#pragma once
#include "platform/archiver.h"

namespace platform::win32 {

class Win32Library : public Library {
 public:
  std::unique_ptr<Archiver> LoadArchiver(const std::string& name) override;
};

}  // namespace platform::win32
