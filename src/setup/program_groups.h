// Program Manager groups and items: the command texts, one command per DDE conversation with
// "PROGMAN", the group list the installer offers, the start-up group, and the shell's folders
// that hold the shortcut files.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Collation;
class Dde;
class Registry;
}  // namespace platform

namespace setup {

// The manager's title, the name of its item in every group.
extern const char kItemName[];      // "QUOVEL32 EXE版"
extern const char kMakerGroup[];    // "KAPUL SOFT"
extern const char kDefaultGroup[];  // "KAPUL SOFT32", the installer's default
extern const char kOpenFailed[];    // the conversation could not be opened
extern const char kSendFailed[];    // the server refused the command
extern const char kStartupUnknown[];

// Each text ends in CR LF; every group name, program path and item name stands between double
// quotes. A name holding a double quote cannot be written: its command is empty, and Execute
// refuses it.
std::string CreateGroupCommand(const std::string& group);
// `programPath` names the program without a blank (UnsplitPath): Program Manager splits it there.
std::string AddItemCommand(const std::string& programPath);
std::string DeleteItemCommand();
std::string ShowGroupCommand(const std::string& group);

class ProgramManager {
 public:
  explicit ProgramManager(platform::Dde& dde) : dde_(dde) {}
  // Runs one command: empty on success, else kOpenFailed or kSendFailed.
  std::string Execute(const std::string& command);
  // The group names, one per line of the GROUPS item (empty lines left out); nullopt when no
  // conversation could be opened. A refused request gives no names.
  std::optional<std::vector<std::string>> Groups();

 private:
  platform::Dde& dde_;
};

// The rows of the installer's group box: the names in the platform's sorted order, the maker's
// older group moved to the end, and the default group once, as the very last row.
std::vector<std::string> InstallerGroups(std::vector<std::string> names, platform::Collation& collation);

// A folder of the current user's "Shell Folders" ("Programs", "Desktop", "Startup"); empty when
// unknown.
std::string ShellFolder(platform::Registry& registry, const std::string& name);

// The group Windows starts programs from: the value "StartUp" of the shell's MapGroups. Systems
// without it (every NT-based one) keep the start-up folder as a folder of the programs folder,
// and that folder's name is then the group; empty when neither tells.
std::string StartupGroup(platform::Registry& registry);

}  // namespace setup
