#include "platform/shell.h"

namespace platform {

bool IsFileSystemFolder(uint32_t shellAttributes) {
  const uint32_t wanted = sfgao::kFolder | sfgao::kFileSystem;
  return (shellAttributes & (wanted | sfgao::kStream)) == wanted;
}

}  // namespace platform
