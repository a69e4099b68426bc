#include "app/launch.h"

#include <charconv>
#include <limits>
#include <optional>

#include "text/text_path.h"
#include "store/settings_key.h"

namespace app {

const char kHandOffConfigure[] =
    "既にQUOVEL EXE版が起動しています。\nEXE版を閉じてから、設定画面を開いて下さい☆\n\nSCR版設定表示を強制終了しました。?";
const char kHandOffSaver[] = "QUOVEL EXE版が、起動中です☆\nSCR版セーバー表示を強制終了しました。?";

namespace {

bool Exists(platform::Desktop& desktop, const char* cls) {
  // The preview lives inside the window it was given, so only a search below the top-level
  // windows finds it.
  if (std::string(cls) == kPreviewClass) return desktop.FindWindowOrChildByClass(cls).has_value();
  return desktop.FindWindowByClass(cls).has_value();
}

// A window handle given in decimal; false for anything else.
bool ParseHandle(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 19) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::string Extension(const std::string& fileName) {
  size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

// The manager path: hand over to a running manager, else manager or installer by "Version".
void ManagerPath(Decision& d, const std::vector<std::string>& args, platform::Desktop& desktop,
                 platform::Registry& registry) {
  if (Exists(desktop, kManagerClass)) {
    d.action = Action::kHandOff;
    d.handOff = BuildHandOff("?", args);
    return;
  }
  std::string text = registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version").value_or("");
  if (text.empty()) text = "255";
  int version = 0;
  // A value that is no number counts like any other version than ours.
  if (store::ParseNumber(text, version) && version == kVersion) {
    d.action = Action::kManager;
    return;
  }
  d.startup.title = "QUOVEL32";
  if (Exists(desktop, kManagerClass) || Exists(desktop, kPreviewClass) || Exists(desktop, kRunnerClass)) {
    d.action = Action::kEnd;
    return;
  }
  d.action = Action::kInstaller;
  d.startup.setupMode = 0;
}

}  // namespace

std::string BuildHandOff(const std::string& prefix, const std::vector<std::string>& args) {
  std::string out = prefix;
  for (const std::string& a : args) out += a + "?";
  return out;
}

std::string HandOffText(const std::string& received) {
  std::string rest = text::LowerAscii(received);
  // "?" is ASCII and never the second byte of a two-byte character, so a byte search is safe.
  size_t q;
  while ((q = rest.find('?')) != std::string::npos) {
    std::string piece = rest.substr(0, q);
    rest.erase(0, q + 1);
    if (!piece.empty()) return piece;
  }
  return {};
}

Decision DecideLaunch(const std::string& exePath, const std::vector<std::string>& args,
                      platform::Desktop& desktop, platform::Registry& registry) {
  Decision d;
  std::string folder, fileName;
  text::SplitFileName(exePath, folder, fileName);
  d.startup.programFolder = text::AddYen(folder);
  const std::string arg1 = args.empty() ? std::string() : args[0];
  d.startup.firstArgument = text::LowerAscii(arg1);

  if (arg1 == "/uninstall") {
    d.startup.setupMode = 1;
  } else if (text::LowerAscii(fileName) == kUninstallerName) {
    d.startup.setupMode = 2;
  }
  if (d.startup.setupMode != 0) {
    if (d.startup.setupMode == 1) {
      for (const char* cls : {kManagerClass, kInstallerClass, kRunnerClass, kPreviewClass, kBackdropClass}) {
        if (Exists(desktop, cls)) {
          d.startup.setupMode = 999;
          break;
        }
      }
    }
    d.action = Action::kInstaller;
    return d;
  }

  if (Exists(desktop, kInstallerClass)) {
    d.action = Action::kEnd;
    return d;
  }
  d.startup.title = "QUOVEL32";
  if (text::UpperAscii(Extension(fileName)) != ".SCR") {
    d.startup.scrVersion = false;
    d.startup.title = "QUOVEL32 EXE版";
    ManagerPath(d, args, desktop, registry);
    return d;
  }

  d.startup.scrVersion = true;
  const std::string sw = text::LeftCut(d.startup.firstArgument, 2);
  if (sw == "/c" || sw == "-c") {
    if (Exists(desktop, kManagerClass)) {
      d.action = Action::kHandOff;
      d.handOff = BuildHandOff(kHandOffConfigure, args);
    } else {
      d.action = Action::kManager;
    }
    return d;
  }
  if (sw == "/s" || sw == "-s") {
    if (Exists(desktop, kRunnerClass)) {
      d.action = Action::kEnd;
    } else if (Exists(desktop, kManagerClass)) {
      d.action = Action::kHandOff;
      d.handOff = BuildHandOff(kHandOffSaver, args);
    } else {
      d.action = Action::kRunner;
    }
    return d;
  }
  if (sw == "/p" || sw == "-p") {
    if (Exists(desktop, kPreviewClass) || Exists(desktop, kRunnerClass)) {
      d.action = Action::kEnd;
      return d;
    }
    uint64_t handle = 0;
    if (args.size() >= 2 && ParseHandle(args[1], handle)) {
      // A host window that has gone (the dialog closed before the preview started) leaves
      // nothing to show: end without a word.
      std::optional<platform::Rect> rect;
      if (handle <= std::numeric_limits<platform::WindowId>::max()) {
        rect = desktop.WindowRect(static_cast<platform::WindowId>(handle));
      }
      if (!rect) {
        d.action = Action::kEnd;
        return d;
      }
      d.action = Action::kPreview;
      d.startup.previewParent = static_cast<platform::WindowId>(handle);
      d.startup.previewRect = *rect;
      return d;
    }
    // No host window given: treated like any unknown switch below.
  } else if (sw == "/a") {
    d.action = Action::kPasswordError;
    return d;
  }
  d.parameterError = true;
  ManagerPath(d, args, desktop, registry);
  return d;
}

}  // namespace app
