// All operating-system services of the program, handed from the composition root to every
// subsystem as one value. The referenced objects outlive the users of this struct.
#pragma once
#include "platform/archiver.h"
#include "platform/collation.h"
#include "platform/dde.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace platform {

struct Services {
  FileSystem& fs;
  Registry& registry;
  Profile& profile;
  Processes& processes;
  Desktop& desktop;
  Shell& shell;
  Collation& collation;
  Library& library;
  Dde& dde;
  TextCodec& text;
};

}  // namespace platform
