// The real operating-system services of one process, for the composition root and the Win32
// integration tests.
#pragma once
#include "platform/services.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_codec.h"

namespace platform::win32 {

class Win32Platform {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  platform::Services Services() {
    return platform::Services{fs, registry, profile, processes, desktop, shell, collation, library, dde, text};
  }

  Win32FileSystem fs;
  Win32Registry registry;
  Win32Profile profile;
  Win32Processes processes;
  Win32Desktop desktop;
  Win32Shell shell;
  Win32Collation collation;
  Win32Library library;
  Win32Dde dde;
  Win32TextCodec text;
};

}  // namespace platform::win32
