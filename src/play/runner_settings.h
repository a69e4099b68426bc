// The settings the screen-saver runner reads from the screen-saver key, with the runner's own
// defaults. A list or number that cannot be read takes its default; an ALL or FILESHITEI that is
// no number stops the reading (store::ReadAborted).
#pragma once
#include <array>
#include <string>

namespace store {
class SettingsKey;
}

namespace play {

struct RunnerSettings {
  int kinsi = 1;                               // KINSI: non-zero applies the exclusion check
  std::array<int, 5> zokusei{1, 0, 0, 1, 1};   // ZOKUSEI: rd, sys, hid, arc, nor
  int all = 0;                                 // ALL: scan "*.*"
  int fileShitei = 1;                          // FILESHITEI: extension mode (else own pattern)
  std::string fileName = "*.SCR";              // FILENAME: the own pattern
  bool scrExtension = true;                    // KAKUCHOSHI's SCR flag; the others do not count
  int fileHis = 0;                             // FILEHIS: history limit, 0 = none
  std::array<int, 7> memory{1, 1, 1, 1, 0, 1, 1};  // MEMORY: 0 folder, 4 list number, 6 names
  std::string cpath;                           // CPATH: the folder played; default the Windows folder
  int timer = 10;                              // TIMER: general interval, 0 = OFF
  int stimer = 0;                              // STIMER: power-saving time, 0 = off
  std::array<int, 10> saiseim{3, 1, 0, 0, 0, 1, 1, 0, 1, 1};  // SAISEIM: 0 order, 9 file timers
  std::array<int, 2> index{0, 0};              // INDEX: memory list row, folder row
  bool monitors = false;                       // MONITORS: a saver of its own on each monitor

  // The scan pattern of a folder: "*.*" with ALL, "*.SCR;" by the extension flag (or nothing),
  // or the own pattern.
  std::string Pattern() const;
  int AttributeMask() const;
  bool Normal() const { return zokusei[4] != 0; }
  bool Names() const { return memory[6] != 0; }
  bool FileTimers() const { return saiseim[9] != 0; }
};

// The parts in the order the runner reads them: KINSI; ZOKUSEI to MEMORY (may throw
// store::ReadAborted); CPATH (default `windowsFolder`); TIMER, STIMER, SAISEIM and MONITORS; INDEX.
void ReadKinsi(const store::SettingsKey& key, RunnerSettings& s);
void ReadScan(const store::SettingsKey& key, RunnerSettings& s);
void ReadFolder(const store::SettingsKey& key, const std::string& windowsFolder, RunnerSettings& s);
void ReadPlay(const store::SettingsKey& key, RunnerSettings& s);
void ReadIndex(const store::SettingsKey& key, RunnerSettings& s);

}  // namespace play
