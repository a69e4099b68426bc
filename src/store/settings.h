// The manager's settings as stored in the registry: every value with its default, read in the
// manager's order and written by save-all in its order.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "store/settings_key.h"

namespace store {

struct Settings {
  // Screen-saver key, whoever reads them.
  bool kinsi = true;             // KINSI: no screen saver while a program of the EXT list runs
  std::string workingFolder;     // TMPQVLA, without trailing "\"; empty: none
  // Settings key.
  std::optional<std::pair<int, int>> fp;   // FP: left, top; none: centred
  std::array<int, 5> zokusei{1, 0, 0, 1, 1};
  int all = 0;
  int fileShitei = 1;
  std::string fileName = "*.SCR";
  std::array<int, 30> kakuchoshi{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                 1, 1, 1, 1, 0, 1, 1, 1, 1, 1};
  int backColor = 1;
  int lower = 1;
  std::array<int, 7> memory{1, 1, 0, 1, 0, 1, 1};
  int kyouyo = 0;
  int dirNo = 0;
  std::string cpath;             // default: the Windows folder without "\"
  int timer = 10;
  int stimer = 0;
  int folderHis = 0;
  int fileHis = 0;
  std::string copyPath;          // default: the program folder without "\"
  std::string idoPath;
  int lzhCopy = 1;
  int minihelp = 1;
  std::array<int, 10> saiseim{3, 1, 0, 0, 0, 1, 1, 0, 1, 1};
  std::array<int, 2> index{0, 0};
  int preview = 0;               // PREVIEW: the preview window is on
  int monitors = 0;              // MONITORS: each monitor plays a saver of its own
  std::optional<std::pair<int, int>> previewFp;  // PREVIEWFP: its left, top; none: beside the manager
};

// Where reading the settings key stopped: at a value among ALL, FILESHITEI, Lower and DirNo that
// held no number. The values from there on keep what `defaults` had.
struct SettingsRead {
  Settings settings;
  std::string abortedAt;         // empty when everything was read
};

// Folders the defaults depend on, both without trailing "\".
struct SettingsContext {
  std::string windowsFolder;
  std::string programFolder;
};

// The defaults of a first start.
Settings DefaultSettings(const SettingsContext& context);

// Reads KINSI and TMPQVLA from the screen-saver key and the rest from `settingsKey`, in the
// manager's order; `start` supplies what stays when the reading stops early.
SettingsRead ReadSettings(const SettingsKey& scrKey, const SettingsKey& settingsKey, const Settings& start);

// Writes TMPQVLA and KINSI to the screen-saver key (failures ignored) and the rest to
// `settingsKey` in save-all's order. A failed write of BackColor, COPYPath, IDOPath, LZHCOPY or of
// the preview window's values is skipped; any other failure stops the writing and is returned with the value's name.
struct SettingsWrite {
  bool ok = true;
  std::string failedAt;
};
SettingsWrite WriteSettings(SettingsKey& scrKey, SettingsKey& settingsKey, const Settings& settings);

}  // namespace store
