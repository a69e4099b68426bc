// The Windows profile API over a FileSystem (normally the fake one): the program's own
// profile-file code, with a file named without a folder in the Windows folder as Windows has it,
// so tests can look at the file bytes.
#pragma once
#include <string>

#include "platform/desktop.h"
#include "platform/profile_files.h"

namespace platform::fake {

class FakeProfile : public platform::ProfileFiles {
 public:
  // A file named without a folder lives in desktop.WindowsFolder().
  FakeProfile(FileSystem& fs, Desktop& desktop) : ProfileFiles(fs), desktop_(desktop) {}

  std::string PathOf(const std::string& file) override;

 private:
  Desktop& desktop_;
};

}  // namespace platform::fake
