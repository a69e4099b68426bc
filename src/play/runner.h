// The screen-saver runner: started by Windows with /s, it plays the list the manager handed over
// and ends the whole program as soon as a saver ends because the user came back.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "gui/gui_types.h"
#include "play/play_engine.h"
#include "play/power_saving.h"
#include "play/runner_settings.h"
#include "platform/processes.h"
#include "store/description_cache.h"

namespace gui {
class Application;
class Timer;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32SUBFORM;
}

namespace browse {
class ShellPaths;
}

namespace play {

class Backdrop;
class ScreenRound;

// The question of the forced exit (the emergency exit of the program).
extern const char kEmergencyQuestion[];
extern const char kEmergencyCancelled[];
extern const char kInitFailed[];
extern const char kCloseFailed[];

// How far the runner got: the close tells from it what to say.
enum class Stage { kRunning = 0, kCreated = 1, kReading = 2, kRefused = 3 };

// Refuses to run while a program of the exclusion list runs. Its chain of one-shot timers
// (Timer2 select → Timer1 launch → Timer7 show → TimerST power saving → Timer8 wait → Timer4
// advance) is the manager's with the runner's differences: one list, no random pools, always full
// screen, the walk always wraps, and every end of a run closes the program.
class Runner {
 public:
  // Does the work of the form's creation: hides the window off the screen and enables Timer12.
  // `backdrop` may be null. The list files live in dataFolder, the data folder that stands for
  // the Windows folder (store::DataFolders).
  Runner(gui::Application& app, forms::TQUOVEL32SUBFORM& form, platform::Services& os, common::TMKBoxDlg& box,
         Backdrop* backdrop, const std::string& windowsFolder, const std::string& dataFolder);
  ~Runner();

  // An item's own display time in seconds (0 = none), used while file timers are on.
  std::function<int(const std::string& path)> FileTimer;

  void Timer12Timer();
  void Button1Click();
  void FormCloseQuery(bool& canClose);
  void Timer2Timer();
  void Timer1Timer();
  void Timer7Timer();
  void TimerSTTimer();
  void Timer8Timer();
  void Timer4Timer();
  void StopPlay();

  Stage GetStage() const { return stage_; }
  const std::string& StageLabel() const { return stageLabel_; }
  const RunnerSettings& Settings() const { return settings_; }
  bool Playing() const { return playing_; }
  bool StopRequested() const { return stopRequest_; }
  bool ForcedExit() const { return forcedExit_; }
  uint8_t PlayedMarker() const { return played_; }
  const std::string& ItemPath() const { return itemPath_; }
  const std::vector<std::string>& History() const { return history_; }
  const PowerSaving& Power() const { return power_; }
  void SeedRandom(uint32_t value) { random_ = std::mt19937(value); }

 private:
  // runner.cpp
  bool Refused();  // the exclusion check
  void ReadAndFill();
  void FillFromFolder();
  void FillFromList();
  void LoadHistory();
  void StartRun();
  void CloseRunner();
  void SaveOnClose();
  // runner_chain.cpp
  void EndRun();  // StopPlay, then the program closes
  void Prepare(const std::string& path);
  void Skip();
  std::string TitleName(const std::string& path) const;
  int ComputeDisplayTime(const std::string& path) const;
  void RecordHistory(const std::string& path);
  void SaverEndedByItself();
  void EnterTimer8();
  void Enable(gui::Timer& timer);
  void PlayTitle(const std::string& text);
  void IdleTitle();
  // runner_screens.cpp: a saver on each monitor, as in the manager's runs.
  bool StartRound();
  bool SaverRunning();
  int ShownDisplayTime() const;
  void EndShowing();
  void CoverBesideSaver();
  ExitLook RoundExited();
  void FallBackToDesktop();
  bool FolderPlayed() const { return settings_.memory[0] != 0; }
  int ListNumber() const;

  gui::Application& app_;
  forms::TQUOVEL32SUBFORM& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  Backdrop* backdrop_;
  std::string windowsFolder_;
  std::string dataFolder_;
  std::unique_ptr<browse::ShellPaths> shell_;

  Stage stage_ = Stage::kCreated;
  std::string stageLabel_;
  RunnerSettings settings_;
  bool indexRead_ = false;
  mutable store::DescriptionCache names_;  // the savers' descriptions, shared with the manager
  std::string prefix_;               // the folder played, with "\"; empty for a memory list
  std::vector<std::string> history_;
  bool historyLoaded_ = false;       // the history store holds the history file's entries
  gui::Rect bounds_;                 // where the window belongs once minimised

  bool playing_ = false;
  bool stopRequest_ = false;
  int stopPresses_ = 0;
  ExitGuard exitGuard_;
  std::set<std::string> forcedOut_;  // savers ended by force: not started again in this run
  bool forcedExit_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool backdropUsed_ = false;
  Order order_ = Order::kRandom;
  uint8_t played_ = 0;
  bool waitForExit_ = false;
  std::vector<bool> unplayable_;     // random order: rows that could not be launched
  std::string itemPath_;
  platform::ProcessRef running_;
  int elapsed_ = 0;
  int displayTime_ = 0;
  PowerSaving power_;
  std::mt19937 random_;
  std::unique_ptr<ScreenRound> round_;
  bool roundOn_ = false;      // the item plays as a round on every monitor
  int roundFirst_ = 0;        // the row of its first monitor
  bool desktopOnly_ = false;  // the run fell back to one saver over the desktop
};

}  // namespace play
