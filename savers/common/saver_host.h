// Runs a saver program: reads its command line, writes the test log, and shows the saver full
// screen (/s), as a preview inside a host window (/p <hwnd>) or its settings dialog (/c).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "frame.h"
#include "saver_settings.h"

namespace savers {

// The window class of every saver window, full-screen and preview alike.
constexpr wchar_t kSaverWindowClass[] = L"QVSaverWindow";

// What one saver draws in one scene. Full screen the host makes a scene of its own for every
// monitor, each with its own Saver object; a preview is one scene. The host calls Resize before
// the first frame and whenever the size changes, then Advance and Draw once per frame (about
// every 30 ms).
class Saver {
 public:
  virtual ~Saver() = default;
  virtual void Resize(int width, int height) = 0;
  // Time since the previous frame in seconds, at most 0.1.
  virtual void Advance(double seconds) = 0;
  // Paints the whole frame (nothing of the previous frame is kept unless the saver wants it).
  virtual void Draw(const Frame& frame) = 0;
};

struct SaverInfo {
  const wchar_t* settingsName;    // key below HKCU\Software\KAPUL SOFT32\QUOVEL32 Savers
  std::vector<Setting> settings;  // shown in the settings dialog, handed to `create`
  // Makes the saver with the current settings; `preview` is true inside a host window.
  std::function<std::unique_ptr<Saver>(const std::vector<int>& values, bool preview)> create;
  // A saver that will not end, for tests of the programs that run savers: full screen it ignores
  // every key, click and move and every request to close, and starts a second copy of itself
  // that does the same.
  bool deaf = false;
  // Full screen on every monitor, one scene each; otherwise on the primary monitor only, as many
  // savers of old do.
  bool everyMonitor = true;
  // Asked for a preview, it ignores the window given and shows full screen, as some savers of old
  // do.
  bool previewFullScreen = false;
};

// A seed for a saver's random numbers that differs from scene to scene and from run to run.
std::uint32_t SceneSeed();

// The whole program: returns the process exit code. The description (string resource 1) is the
// settings dialog's caption.
int RunSaver(const SaverInfo& info);

}  // namespace savers
