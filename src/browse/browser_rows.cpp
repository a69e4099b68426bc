#include "browse/browser_rows.h"

#include <algorithm>
#include <cstdio>

#include "text/text_path.h"
#include "platform/collation.h"
#include "platform/file_system.h"

namespace browse {

using namespace text;

namespace {

std::string Root(char letter) { return std::string(1, letter) + ":\\"; }

bool Listed(uint32_t type) { return type >= platform::drive::kRemovable && type <= platform::drive::kRamDisk; }

std::string Bracketed(platform::FileSystem& fs, char letter) {
  // Built by appending: a literal in front of operator+ draws a false warning from the cross
  // compiler.
  std::string label(1, '[');
  label += fs.VolumeLabel(Root(letter)).value_or("");
  label += ']';
  return label;
}

}  // namespace

std::vector<DriveItem> ListDrives(platform::FileSystem& fs, bool lower) {
  std::vector<DriveItem> items;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const uint32_t type = fs.DriveType(Root(letter));
    if (!Listed(type)) continue;
    const char shown = lower ? static_cast<char>(letter - 'A' + 'a') : letter;
    items.push_back({shown, type, std::string(1, shown) + ":"});
  }
  return items;
}

std::string DriveLabel(platform::FileSystem& fs, char letter) {
  letter = UpperAscii(std::string(1, letter))[0];
  platform::CriticalErrorsSuppressed quiet(fs);
  const uint32_t type = fs.DriveType(Root(letter));
  if (type == platform::drive::kRemote) {
    if (auto share = fs.NetworkName(std::string(1, letter) + ":")) return *share;
    return Bracketed(fs, letter);
  }
  if (Listed(type)) return Bracketed(fs, letter);
  return "";
}

int64_t DriveSize(platform::FileSystem& fs, char letter) {
  letter = UpperAscii(std::string(1, letter))[0];
  platform::CriticalErrorsSuppressed quiet(fs);
  auto space = fs.Space(Root(letter));
  return space ? static_cast<int64_t>(space->totalBytes) : -1;
}

int64_t DriveFree(platform::FileSystem& fs, char letter) {
  letter = UpperAscii(std::string(1, letter))[0];
  platform::CriticalErrorsSuppressed quiet(fs);
  auto space = fs.Space(Root(letter));
  return space ? static_cast<int64_t>(space->freeBytes) : -1;
}

FolderRows BuildFolderRows(const std::string& displayPath, const std::vector<std::string>& subfolders) {
  FolderRows result;
  const std::vector<std::string> parts = PathComponents(displayPath);
  for (size_t i = 0; i < parts.size(); ++i) result.rows.push_back({parts[i], static_cast<int>(i), true});
  result.current = static_cast<int>(parts.size()) - 1;
  for (const std::string& name : subfolders) result.rows.push_back({name, static_cast<int>(parts.size()), false});
  return result;
}

std::string ClickedFolder(const std::vector<FolderRow>& rows, int current, int clicked) {
  if (clicked < 0 || clicked >= static_cast<int>(rows.size()) || current < 0) return "";
  std::string path;
  const int last = std::min(clicked, current);
  for (int i = 0; i <= last; ++i) path = AddYen(path + rows[static_cast<size_t>(i)].text);
  if (clicked > current) path += rows[static_cast<size_t>(clicked)].text + "\\";
  return path;
}

SaverOrder OrderBySaverName(const std::vector<platform::FindEntry>& entries, platform::Collation& collation,
                            const std::function<std::string(const platform::FindEntry&)>& describe) {
  std::vector<std::string> descriptions(entries.size()), keys(entries.size());
  std::vector<size_t> savers, others;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& file = entries[i].name;
    const size_t dot = file.rfind('.');
    const bool scr = dot != std::string::npos && UpperAscii(file.substr(dot)) == ".SCR";
    if (scr) descriptions[i] = describe(entries[i]);
    if (descriptions[i].empty()) {
      others.push_back(i);
    } else {
      keys[i] = collation.SortKey(descriptions[i]);
      savers.push_back(i);
    }
  }
  // Stable: savers that share a description keep their name order.
  std::stable_sort(savers.begin(), savers.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  SaverOrder order;
  order.files.reserve(entries.size());
  order.twin.reserve(entries.size());
  for (size_t i : savers) {
    order.files.push_back(entries[i].name);
    order.twin.push_back(std::move(descriptions[i]));
  }
  for (size_t i : others) {
    order.files.push_back(entries[i].name);
    order.twin.push_back(entries[i].name);
  }
  return order;
}

std::string CollationProbe(platform::Collation& collation) {
  // Case, punctuation, digits, both kana widths and a kanji: what locales order differently.
  return collation.SortKey("aB-_'1 ｱアあ亜");
}

RowLayout DriveRowLayout(const gui::Rect& rect, int iconWidth, const gui::Dpi& dpi) {
  const int x = rect.left + dpi.Scale(1);
  return {{x, rect.top + dpi.Scale(5)}, {x + iconWidth + dpi.Scale(4), rect.top}, false};
}

RowLayout FolderRowLayout(const gui::Rect& rect, int level, int pictureWidth, bool currentRow, const gui::Dpi& dpi) {
  const int x = rect.left + dpi.Scale(level * 4 + 2);
  return {{x, rect.top}, {x + pictureWidth, rect.top}, currentRow};
}

}  // namespace browse
