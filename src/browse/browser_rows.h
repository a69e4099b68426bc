// What the browser shows, computed without any window: the drive rows and their labels, drive
// sizes, the rows of the flat folder list, the folder a click on one of them opens, the order of
// the file list while screen-saver names are shown, and where owner-drawn rows put their
// picture and text.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/dpi.h"
#include "gui/gui_types.h"
#include "platform/file_system.h"

namespace platform {
class Collation;
}  // namespace platform

namespace browse {

// One row of the drive combo: the letter (as shown), its drive type and the text "C:".
struct DriveItem {
  char letter = 'C';
  uint32_t type = 0;
  std::string text;
};

// Drives A to Z of the types removable, fixed, remote, CD-ROM and RAM disk, in letter order;
// the letters in lower case when `lower` is set. Other types (none, unknown) get no row.
std::vector<DriveItem> ListDrives(platform::FileSystem& fs, bool lower);
// The label shown after "X:": "[volume]" ("[]" when the volume cannot be read) for local drives,
// the network name for a remote drive (else its volume label in brackets), empty for other
// types. Critical-error boxes are kept away while the volume is read.
std::string DriveLabel(platform::FileSystem& fs, char letter);
// Total and free bytes of a drive; -1 when it cannot be read (no medium, no drive). Critical-error
// boxes are kept away.
int64_t DriveSize(platform::FileSystem& fs, char letter);
int64_t DriveFree(platform::FileSystem& fs, char letter);

// The flat folder list: the components of the shown folder (open pictures, levels 0, 1, 2 ...)
// followed by its subfolders (closed pictures, one level deeper than the last component).
struct FolderRow {
  std::string text;
  int level = 0;
  bool open = false;
};
struct FolderRows {
  std::vector<FolderRow> rows;
  int current = -1;  // the row of the folder itself
};
FolderRows BuildFolderRows(const std::string& displayPath, const std::vector<std::string>& subfolders);
// The folder a click on row `clicked` opens, with a trailing "\": the components up to the
// clicked one (or up to the current folder), plus the clicked subfolder below the current row.
// Empty when the row does not exist.
std::string ClickedFolder(const std::vector<FolderRow>& rows, int current, int clicked);

// The file list while screen-saver names are shown: savers in the platform's order of their
// descriptions (equal descriptions keep the name order), then every other file in name order. `twin` holds,
// row for row, the description of each saver and the plain name of each other file.
struct SaverOrder {
  std::vector<std::string> files;
  std::vector<std::string> twin;
};
// `entries` is the sorted selection; `describe` gets an entry and returns its saver description,
// empty when the file is no saver or has none. Only ".SCR" names are asked.
SaverOrder OrderBySaverName(const std::vector<platform::FindEntry>& entries, platform::Collation& collation,
                            const std::function<std::string(const platform::FindEntry&)>& describe);

// A file list as it was made: where its rows came from (the folder, upper-cased, under the
// filter, the normal-file switch and the names setting; the entries the folder gave, in the order
// it gave them; the collation's key of a fixed text, which tells the order the rows were sorted
// in) and the rows (`twin` only while names are shown).
struct FileListing {
  std::string folder, pattern;
  int mask = 0;
  bool normalFiles = false, names = false;
  std::string collation;
  std::vector<platform::FindEntry> found;
  std::vector<std::string> files, twin;
  // Made of the same, so its rows stand.
  bool SameSource(const FileListing& other) const {
    return folder == other.folder && pattern == other.pattern && mask == other.mask &&
           normalFiles == other.normalFiles && names == other.names && collation == other.collation &&
           found == other.found;
  }
};
// The text whose sort key stands for the collation in a FileListing.
std::string CollationProbe(platform::Collation& collation);

// Where an owner-drawn row puts its picture and its text, and whether the text is bold.
struct RowLayout {
  gui::Point picture;
  gui::Point text;
  bool bold = false;
};
// A drive row: icon at (left + 1, top + 5), text 4 pixels after the icon; a folder row: picture
// indented 4 pixels per level plus 2, text right after it, the row of the current folder in bold.
// The offsets are design pixels, scaled to the list's density.
RowLayout DriveRowLayout(const gui::Rect& rect, int iconWidth, const gui::Dpi& dpi);
RowLayout FolderRowLayout(const gui::Rect& rect, int level, int pictureWidth, bool currentRow, const gui::Dpi& dpi);

}  // namespace browse
