#include "platform/fake/fake_profile.h"

#include "platform/fake/fold.h"

namespace platform::fake {

namespace {

bool HasFolder(const std::string& file) {
  return file.find('\\') != std::string::npos || file.find('/') != std::string::npos ||
         (file.size() >= 2 && file[1] == ':');
}

}  // namespace

std::string FakeProfile::PathOf(const std::string& file) {
  if (HasFolder(file)) return file;
  std::string folder = desktop_.WindowsFolder();
  if (!EndsWithSeparator(folder)) folder += '\\';
  return folder + file;
}

}  // namespace platform::fake
