#include "play/runner_settings.h"

#include <vector>

#include "browse/filters.h"
#include "store/settings.h"
#include "store/settings_key.h"

namespace play {

namespace {

template <size_t N>
void ReadList(const store::SettingsKey& key, const char* name, std::array<int, N>& into) {
  const std::array<int, N> defaults = into;
  std::vector<int> v = key.List(name, store::JoinList(std::vector<int>(defaults.begin(), defaults.end())), N);
  for (size_t i = 0; i < N; ++i) into[i] = v[i];
}

}  // namespace

std::string RunnerSettings::Pattern() const {
  if (fileShitei == 0) return fileName;
  if (all != 0) return "*.*";
  return scrExtension ? "*." + std::string(browse::ExtensionNames()[browse::kScrIndex]) + ";" : std::string();
}

int RunnerSettings::AttributeMask() const {
  return browse::AttributeMask(zokusei[0] != 0, zokusei[1] != 0, zokusei[2] != 0, zokusei[3] != 0);
}

void ReadKinsi(const store::SettingsKey& key, RunnerSettings& s) { s.kinsi = key.Number("KINSI", "1"); }

void ReadScan(const store::SettingsKey& key, RunnerSettings& s) {
  ReadList(key, "ZOKUSEI", s.zokusei);
  s.all = key.StrictNumber("ALL", "0");
  s.fileShitei = key.StrictNumber("FILESHITEI", "1");
  s.fileName = key.Text("FILENAME", "*.SCR");
  // Thirty flags as the manager stores them; only the one of "SCR" counts here.
  std::array<int, browse::kExtensionCount> flags = store::Settings().kakuchoshi;
  ReadList(key, "KAKUCHOSHI", flags);
  s.scrExtension = flags[browse::kScrIndex] != 0;
  s.fileHis = key.Number("FILEHIS", "0");
  ReadList(key, "MEMORY", s.memory);
}

void ReadFolder(const store::SettingsKey& key, const std::string& windowsFolder, RunnerSettings& s) {
  s.cpath = key.Text("CPATH", windowsFolder);
}

void ReadPlay(const store::SettingsKey& key, RunnerSettings& s) {
  s.timer = key.Number("TIMER", "10");
  s.stimer = key.Number("STIMER", "0");
  ReadList(key, "SAISEIM", s.saiseim);
  s.monitors = key.Number("MONITORS", "0") != 0;
}

void ReadIndex(const store::SettingsKey& key, RunnerSettings& s) { ReadList(key, "INDEX", s.index); }

}  // namespace play
