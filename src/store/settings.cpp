#include "store/settings.h"

#include <vector>

namespace store {

namespace {

template <size_t N>
std::string Defaults(const std::array<int, N>& values) {
  return JoinList(std::vector<int>(values.begin(), values.end()));
}

template <size_t N>
void ReadList(const SettingsKey& key, const char* name, std::array<int, N>& into, const std::array<int, N>& fallback) {
  std::vector<int> v = key.List(name, Defaults(fallback), N);
  for (size_t i = 0; i < N; ++i) into[i] = v[i];
}

template <size_t N>
std::vector<int> AsVector(const std::array<int, N>& a) {
  return std::vector<int>(a.begin(), a.end());
}

}  // namespace

Settings DefaultSettings(const SettingsContext& context) {
  Settings s;
  s.cpath = context.windowsFolder;
  s.copyPath = context.programFolder;
  s.idoPath = context.programFolder;
  return s;
}

SettingsRead ReadSettings(const SettingsKey& scrKey, const SettingsKey& key, const Settings& start) {
  const Settings defaults;   // the texts of a missing value, whatever `start` holds
  SettingsRead read{start, {}};
  Settings& s = read.settings;
  s.kinsi = scrKey.Number("KINSI", "1") != 0;
  s.workingFolder = scrKey.Text("TMPQVLA", "");
  try {
    std::vector<int> fp;
    if (ParseList(key.Text("FP", ""), 2, fp)) s.fp = std::make_pair(fp[0], fp[1]);
    ReadList(key, "ZOKUSEI", s.zokusei, defaults.zokusei);
    s.all = key.StrictNumber("ALL", "0");
    s.fileShitei = key.StrictNumber("FILESHITEI", "1");
    s.fileName = key.Text("FILENAME", "*.SCR");
    ReadList(key, "KAKUCHOSHI", s.kakuchoshi, defaults.kakuchoshi);
    s.backColor = key.Number("BackColor", "1");
    s.lower = key.StrictNumber("Lower", "1");
    ReadList(key, "MEMORY", s.memory, defaults.memory);
    s.kyouyo = key.Number("KYOUYO", "0");
    s.dirNo = key.StrictNumber("DirNo", "0");
    s.cpath = key.Text("CPATH", start.cpath);
    s.timer = key.Number("TIMER", "10");
    s.stimer = key.Number("STIMER", "0");
    s.folderHis = key.Number("FOLDERHIS", "0");
    s.fileHis = key.Number("FILEHIS", "0");
    s.copyPath = key.Text("COPYPath", start.copyPath);
    s.idoPath = key.Text("IDOPath", start.idoPath);
    s.lzhCopy = key.Number("LZHCOPY", "1");
    s.minihelp = key.Number("minihelp", "1");
    ReadList(key, "SAISEIM", s.saiseim, defaults.saiseim);
    ReadList(key, "INDEX", s.index, defaults.index);
    s.preview = key.Number("PREVIEW", "0");
    s.monitors = key.Number("MONITORS", "0");
    if (ParseList(key.Text("PREVIEWFP", ""), 2, fp)) s.previewFp = std::make_pair(fp[0], fp[1]);
  } catch (const ReadAborted& e) {
    read.abortedAt = e.Name();
  }
  return read;
}

SettingsWrite WriteSettings(SettingsKey& scrKey, SettingsKey& key, const Settings& s) {
  scrKey.Write("TMPQVLA", s.workingFolder);
  scrKey.WriteNumber("KINSI", s.kinsi ? 1 : 0);

  struct Item {
    const char* name;
    std::string text;
    bool mayFail;
  };
  const Item items[] = {
      {"FP", s.fp ? JoinList({s.fp->first, s.fp->second}) : std::string(), false},
      {"ZOKUSEI", JoinList(AsVector(s.zokusei)), false},
      {"KAKUCHOSHI", JoinList(AsVector(s.kakuchoshi)), false},
      {"DirNo", std::to_string(s.dirNo), false},
      {"CPATH", s.cpath, false},
      {"FILESHITEI", std::to_string(s.fileShitei), false},
      {"FILENAME", s.fileName, false},
      {"MEMORY", JoinList(AsVector(s.memory)), false},
      {"ALL", std::to_string(s.all), false},
      {"SAISEIM", JoinList(AsVector(s.saiseim)), false},
      {"INDEX", JoinList(AsVector(s.index)), false},
      {"TIMER", std::to_string(s.timer), false},
      {"STIMER", std::to_string(s.stimer), false},
      {"FOLDERHIS", std::to_string(s.folderHis), false},
      {"FILEHIS", std::to_string(s.fileHis), false},
      {"BackColor", std::to_string(s.backColor), true},
      {"COPYPath", s.copyPath, true},
      {"IDOPath", s.idoPath, true},
      {"LZHCOPY", std::to_string(s.lzhCopy), true},
      {"minihelp", std::to_string(s.minihelp), false},
      {"Lower", std::to_string(s.lower), false},
      {"KYOUYO", std::to_string(s.kyouyo), false},
      {"PREVIEW", std::to_string(s.preview), true},
      {"PREVIEWFP", s.previewFp ? JoinList({s.previewFp->first, s.previewFp->second}) : std::string(), true},
      {"MONITORS", std::to_string(s.monitors), true},
  };
  for (const Item& item : items) {
    if (key.Write(item.name, item.text).ok() || item.mayFail) continue;
    return {false, item.name};
  }
  return {};
}

}  // namespace store
