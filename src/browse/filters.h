// What the file list shows: the thirty-entry extension table, the attribute mask of the four
// attribute boxes, the extension pattern the checked boxes build, and the rule that selects the
// files of a folder for a pattern.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace platform {
class Collation;
}  // namespace platform

namespace browse {

constexpr int kExtensionCount = 30;
constexpr int kScrIndex = 20;
constexpr int kLzhIndex = 24;

// "AVI", "MOV", ..., "SCR" (index 20), "SR?", ... "WRI", stored as shown.
const std::array<const char*, kExtensionCount>& ExtensionNames();
// The table index of an extension (without its dot), compared case-insensitively as a whole
// name, "?" being a character like any other; -1 when it is not in the table.
int ExtensionIndex(const std::string& name);
// The index the play engine uses for a file: its extension upper-cased, at most three
// characters, looked up in the table.
int FileExtensionIndex(const std::string& path);

// Read-only 1, system 4, hidden 2, archive 32: the boxes rd, sys, hid, arc.
int AttributeMask(bool readOnly, bool system, bool hidden, bool archive);

// "*.NAME;" pieces of the checked boxes in table order (start-up).
std::string BuildExtensionPattern(const std::array<bool, kExtensionCount>& checked);
// A box checked later: its piece goes to the end unless the pattern holds it already; a box
// unchecked: the first occurrence of its piece goes.
std::string AddExtension(const std::string& pattern, int index);
std::string RemoveExtension(const std::string& pattern, int index);

// The files of `folder` (with "\") that the effective pattern selects: each ";"-separated piece
// is searched with `mask`; folders and volume labels are skipped; unless `normal` is set a file
// needs one of the mask's bits. Each name once (names that differ only in the case of ASCII
// letters are one), in the platform's order of names, with what the folder's entries say about
// each file (size and date).
std::vector<platform::FindEntry> SelectFileEntries(platform::FileSystem& fs, platform::Collation& collation,
                                                   const std::string& folder, const std::string& pattern, int mask,
                                                   bool normal);
// The two steps of SelectFileEntries: what the pieces find, piece after piece (with the skips
// above); then each name once, in the platform's order of names. `whole`, when given, is a
// reading of every entry of the folder just made (all attribute bits asked for): the pieces "*",
// "*.*" and "*.EXT" with a plain extension are answered from it as the system would answer them
// (through the long or the 8.3 name), the others from the disk. `unnamed`, if given, counts what
// the readings from the disk could not name (platform::FileSystem::Find).
std::vector<platform::FindEntry> FindFileEntries(platform::FileSystem& fs, const std::string& folder,
                                                 const std::string& pattern, int mask, bool normal,
                                                 const std::vector<platform::FindEntry>* whole = nullptr,
                                                 size_t* unnamed = nullptr);
std::vector<platform::FindEntry> OrderFileEntries(platform::Collation& collation, std::vector<platform::FindEntry> found);
// The names of `entries`, in their order.
std::vector<std::string> NamesOf(std::vector<platform::FindEntry> entries);

}  // namespace browse
