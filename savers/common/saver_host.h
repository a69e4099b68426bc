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

// Pixels per inch of a screen at 100 %.
constexpr int kDesignPpi = 96;
// A scene this many design pixels tall or taller draws its elements at full size.
constexpr int kFullSceneHeight = 480;

// How many pixels a scene gives one design pixel of its elements (a star's radius, a text's
// height): the scale of the scene's monitor, so that an element looks as large at 150 % as at
// 100 %, in more pixels; a scene too short for that (a preview) shrinks its elements with its
// height instead, so that the preview keeps the picture's proportions.
double SceneUnit(int height, int ppi);

// What one saver draws in one scene, in the scene's real pixels. Full screen the host makes a
// scene of its own for every monitor, each with its own Saver object; a preview is one scene.
// The host calls Resize before the first frame and whenever the size or the scale changes
// (`unit` from SceneUnit), then Advance and Draw once per frame (about every 30 ms).
class Saver {
 public:
  virtual ~Saver() = default;
  virtual void Resize(int width, int height, double unit) = 0;
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
