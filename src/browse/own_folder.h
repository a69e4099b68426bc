// Folders the program makes. Outside the user's own profile they get a protected access list, so
// that other users of the machine cannot change what the program runs or unpacks there.
#pragma once
#include <string>

#include "platform/os_result.h"

namespace platform {
class FileSystem;
class Shell;
}  // namespace platform

namespace browse {

// Creates the one missing level `path` (a full path). Unless it lies in the user's profile (an
// unknown profile counts as elsewhere) its access list is protected (FileSystem::ProtectAccess);
// when that fails the new folder is removed again and that failure returned. An existing folder
// is left as it is (the creation's own error).
platform::OsResult CreateOwnFolder(platform::FileSystem& fs, platform::Shell& shell, const std::string& path);

}  // namespace browse
