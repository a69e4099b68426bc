// One fake of each operating-system area, wired together the way the real ones share a machine:
// the profile and the shell work on the fake file system, programs are found there, and user
// input on the desktop ends running screen savers. The Windows folder C:\WINDOWS exists with
// NOTEPAD.EXE, WINHLP32.EXE and SYSTEM32\CMD.EXE in it, and the program's own executable is
// C:\QUOVEL32\QUOVEL32.EXE.
#pragma once
#include "platform/fake/fake_collation.h"
#include "platform/fake/fake_dde.h"
#include "platform/fake/fake_library.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_text_codec.h"
#include "platform/services.h"

namespace platform::fake {

class FakePlatform {
 public:
  FakePlatform();
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  platform::Services Services();

  FakeDesktop desktop;
  FakeFileSystem fs;
  FakeRegistry registry;
  FakeProfile profile;
  FakeProcesses processes;
  FakeShell shell;
  FakeCollation collation;
  FakeLibrary library{fs};
  FakeDde dde;
  FakeTextCodec text;
};

}  // namespace platform::fake
