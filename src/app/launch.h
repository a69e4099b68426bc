// The start-up decision: which role this process plays, taken from its file name, its extension
// and its command line before any window exists, and the hand-off string a second start sends
// to the running manager.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/registry.h"
#include "setup/install_plan.h"

namespace app {

// Settings version this build expects in the registry value "Version".
constexpr int kVersion = 16;
constexpr const char* kUninstallerName = setup::kUninstallerFile;
constexpr uint32_t kHandOffMessage = 0x0401;   // WM_USER + 1

// Window classes by which instances find each other.
constexpr char kManagerClass[] = "TQUOVEL32KAPUL";
constexpr char kRunnerClass[] = "TQUOVEL32SUBFORM";
constexpr char kPreviewClass[] = "TQUOVEL32TITLE";
constexpr char kBackdropClass[] = "TQUOVEL32BACK";
constexpr char kInstallerClass[] = "TSCR32SETUPForm";

// Hand-off prefixes of the screen-saver role's /c and /s starts while the manager runs.
extern const char kHandOffConfigure[];
extern const char kHandOffSaver[];

enum class Action {
  kManager,          // manager form and backdrop form
  kRunner,           // screen-saver runner form and backdrop form
  kPreview,          // preview form inside previewParent
  kInstaller,        // installer form in setupMode
  kHandOff,          // send handOff to the running manager, then end
  kPasswordError,    // "Password not supported" in a plain system box, then end
  kEnd,              // a conflicting instance runs, or the preview's host has gone: end without a word
};

// Values fixed at start-up and read by the rest of the program for the life of the process.
struct Startup {
  std::string title = "QUOVEL32";
  std::string programFolder;     // folder of the executable, with "\"
  std::string firstArgument;     // argument 1, lower-cased
  int setupMode = 0;             // 0 normal, 1 /uninstall, 2 uninstaller name, 999 uninstall while running
  bool scrVersion = false;       // the executable's extension is .SCR
  platform::WindowId previewParent = 0;
  platform::Rect previewRect;
};

struct Decision {
  Action action = Action::kEnd;
  Startup startup;
  bool parameterError = false;   // show "Parameter Error" in a plain system box first
  std::string handOff;           // the hand-off string for kHandOff
};

// exePath is the full path of the running executable; args are the arguments after it.
Decision DecideLaunch(const std::string& exePath, const std::vector<std::string>& args,
                      platform::Desktop& desktop, platform::Registry& registry);

// prefix, then every argument followed by "?".
std::string BuildHandOff(const std::string& prefix, const std::vector<std::string>& args);

// The manager's reading of a received hand-off string: lower-cased ASCII letters, then the first
// non-empty text before a "?"; empty when there is none.
std::string HandOffText(const std::string& received);

}  // namespace app
