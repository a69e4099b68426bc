// The play engine of the manager: a run walks a list in the chosen order and carries each screen
// saver through admission, launch, its display time, the injected key that ends it and the wait
// for its exit. Everything runs on the GUI thread as a chain of one-shot timers of the manager
// form (Timer2 select → Timer1 launch → Timer7 show → Timer8 wait → Timer4 advance); each step
// disables its own timer and enables exactly one successor, or none when the run ends.
// The engine owns the run state; the form owns the controls.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "play/power_saving.h"
#include "play/saver_launch.h"
#include "platform/processes.h"

namespace gui {
class Application;
class Component;
class ListBox;
class Timer;
}  // namespace gui

namespace platform {
struct Services;
}

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace store {
class ManagerSettings;
class MemoryLists;
}  // namespace store

namespace play {

class Backdrop;
class ScreenRound;

// Order values: the step added to the current index for the walking orders.
enum class Order : int { kSingle = 0, kContinuous = 1, kReverse = -1, kRandom = 2 };
// The order of an item of the order group: 連続, 逆連, 単独, ﾗﾝﾀﾞﾑ (anything else counts as 連続).
Order OrderOfItem(int itemIndex);

// Message shown when a restart cannot stop the running run.
extern const char kStopFirstMessage[];
// Message shown after two passes in which nothing could be launched.
extern const char kNothingToPlayMessage[];
// Cycles a restart waits for the previous run to end.
constexpr int kRestartCycles = 60000;

class PlayEngine {
 public:
  // `backdrop` may be null (no backdrop form in this role).
  PlayEngine(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
             store::ManagerSettings& settings, store::MemoryLists& lists, Backdrop* backdrop, bool scrVersion);
  ~PlayEngine();

  // Start a run. A sender other than Button2 (a double-clicked row) plays that row alone.
  void Button2Click(gui::Component& sender);
  void Button5Click() {
    stopRequest_ = true;
    ++stopPresses_;
  }
  void RadioGroup1Click();
  void RadioButton2Click();
  void ButtonTIMERClick();
  void ButtonTOFFClick();
  // Ends a run: title, Windows' screen saver, backdrop. Neither ends the running item nor clears
  // the stop request.
  void StopPlay();
  // The manager closes: no step enables a timer any more, a run ends, the running item's handle
  // is released (the process goes on).
  void ReleaseOnClose();
  // 緊急脱出装置: every stop request first, whatever the answer; after はい the run ends and the
  // manager closes, whatever is busy.
  void MHelp3Click();

  void PlayTitle(const std::string& text);
  void IdleTitle();

  // The chain's steps.
  void Timer2Timer();
  // After Timer5: the view is there (play from it) or not (go on in the list underneath).
  void ArchiveListed(bool listed);
  void Timer1Timer();
  void Timer7Timer();
  void Timer8Timer();
  void Timer4Timer();
  // The power-saving wait (play_power.cpp): polls the saver left running until it ends by itself
  // or a stop is requested, which ends it by the Escape broadcast and the cursor move.
  void TimerSTTimer();

  // FileTimer: an item's own display time in seconds (0 = none); by default the timer file.
  // DisplayName: the title name of a saver while names are shown (empty = use the file name);
  // by default what the twin lists show.
  // ShowFileInfo: shows the file information line for the item and tells whether the file is
  // there (folders are not files); by default it only looks the file up.
  std::function<int(const std::string& path)> FileTimer;
  std::function<bool(const std::string& path)> ShowFileInfo;
  std::function<std::string(const std::string& path)> DisplayName;
  // FileListFolder: the folder the file list shows (its rows are names in it); without it the
  // file list names no files. RepairFilePath: a path whose folder is named by the shell's names
  // mapped to the real folder, before anything looks at the file; by default unchanged.
  std::function<std::string()> FileListFolder;
  // The archive view, in which an archive's savers are played from its extraction folder:
  // whether it is on, leaving it, that folder, and a row that is an archive (true: it was
  // extracted and Timer5 builds the view; ArchiveListed follows).
  std::function<bool()> ArchiveViewOn;
  std::function<void()> LeaveArchiveView;
  std::function<std::string()> ArchiveFolder;
  std::function<bool(const std::string& archive)> PlayArchive;
  std::function<std::string(const std::string& path)> RepairFilePath;
  // The tray: TrayTip shows a title as the icon's tip; ToTray puts the manager into the tray
  // when a run starts with 最小化立ち上げ ticked (not in the screen-saver copy).
  std::function<void(const std::string& title)> TrayTip;
  std::function<void()> ToTray;

  bool Playing() const { return playing_; }
  bool StopRequested() const { return stopRequest_; }
  int BusyGuard() const { return busy_; }
  Order GetOrder() const { return order_; }
  uint8_t PlayedMarker() const { return played_; }
  bool WaitForExit() const { return waitForExit_; }
  const std::string& ItemPath() const { return itemPath_; }
  const platform::ProcessRef& RunningItem() const { return running_; }
  int ElapsedSeconds() const { return elapsed_; }
  int DisplayTime() const { return displayTime_; }
  const PowerSaving& Power() const { return power_; }
  // The general interval in seconds, 0 = OFF.
  int Interval() const;
  void SeedRandom(uint32_t value) { random_ = std::mt19937(value); }

 private:
  struct Source {
    gui::ListBox* list = nullptr;
    std::string prefix;
  };
  // play_queue.cpp
  Source ChooseSource();
  gui::ListBox& PoolOf(const gui::ListBox& source);
  bool DrawFromPool(gui::ListBox& source);  // false: the run ended
  void SelectOnly(gui::ListBox& list, int row);
  gui::ListBox* TwinOf(const gui::ListBox& list);
  // The twin of a main list, or the main list of a twin.
  gui::ListBox* PartnerOf(const gui::ListBox& list);
  // play_item.cpp
  void Prepare(gui::ListBox& source, const std::string& path);
  void Skip();
  bool Admitted(const std::string& path);
  std::string TitleName(const std::string& path);
  int ComputeDisplayTime(const std::string& path);
  bool Execute() const;  // 実行 (full screen) rather than 設定
  bool InArchive() const { return ArchiveViewOn && ArchiveViewOn(); }
  void LeaveArchive() {
    if (LeaveArchiveView) LeaveArchiveView();
  }
  void EndByKey();
  // Once a tick while the saver shows: the backdrop turns black beside its windows.
  void CoverBesideSaver();
  void RecordHistory(const std::string& path);
  // play_screens.cpp: a saver on each monitor. StartRound starts one when the run shares the
  // screens (false: the item plays alone); the others stand for the one saver's steps.
  bool StartRound();
  bool SaverRunning();
  int ShownDisplayTime();
  void EndShowing();
  ExitLook RoundExited();
  // No saver of the list can play in a window: the run goes on over the whole desktop.
  void FallBackToDesktop();

  void Enable(gui::Timer& timer);
  void ShowInterval(int seconds);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Services& os_;
  common::TMKBoxDlg& box_;
  store::ManagerSettings& settings_;
  store::MemoryLists& lists_;
  Backdrop* backdrop_;
  bool scrVersion_;

  bool playing_ = false;
  bool stopRequest_ = false;
  int stopPresses_ = 0;
  ExitGuard exitGuard_;
  std::string forcedNotice_;  // a saver of this run had to be ended by force
  int busy_ = 0;
  Order order_ = Order::kContinuous;
  uint8_t played_ = 0;
  bool waitForExit_ = false;
  bool saverWasActive_ = false;
  bool backdropUsed_ = false;
  bool closing_ = false;
  std::string itemPath_;
  std::string itemName_;
  gui::ListBox* itemSource_ = nullptr;  // the list the item was taken from
  std::string itemPrefix_;              // the folder its rows name files in
  std::unique_ptr<ScreenRound> round_;
  bool roundOn_ = false;                // the item plays as a round on every monitor
  int roundFirst_ = 0;                  // the row of its first monitor
  bool desktopOnly_ = false;            // this run fell back to one saver over the desktop
  platform::ProcessRef running_;
  int elapsed_ = 0;
  int displayTime_ = 0;
  PowerSaving power_;  // the count of the run; the jiggle sign lives as long as the manager
  bool fileListPoolFilled_ = false;  // ListBoxRD has been filled since the manager started
  bool otherPoolFilled_ = false;     // ListBoxRM likewise
  gui::ListBox* clicked_ = nullptr;  // the list a row was last double-clicked in
  std::mt19937 random_;
};

}  // namespace play
