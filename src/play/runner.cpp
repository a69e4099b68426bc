// The runner's life around the chain: creation off the screen, the initialisation step (the
// exclusion check, the settings, the list), the forced exit and the close that keeps the history
// and the row to start from next time.
#include "play/runner.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <optional>

#include "browse/browser_rows.h"
#include "browse/filters.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/role_forms.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/saver_launch.h"
#include "play/screen_round.h"
#include "platform/services.h"
#include "store/list_file.h"
#include "store/settings_key.h"

namespace play {

const char kEmergencyQuestion[] =
    "緊急脱出装置：\n何等かの理由により、当ソフトが終了出来なくなった場合に使います。\n"
    "なお、緊急脱出すると、当ソフトが一般保護ｴﾗｰを起こす事もあり得ます。\n"
    "また、一部のメモリーを解放出来ない事もあり得ます。\n緊急終了してもよろしいですか？？？";
const char kEmergencyCancelled[] = "緊急脱出を中止しました・・・";
const char kInitFailed[] = "初期化処理に失敗しました・・・";
const char kCloseFailed[] = "クローズ処理に失敗しました・・・";

namespace {

constexpr char kListPrefix[] = "QVLA32M";
constexpr int kHintPause = 100;
// Where the window waits, unseen, for its initialisation.
constexpr int kHiddenTop = -40;

std::string ListFileName(const std::string& suffix) { return std::string(kListPrefix) + suffix + ".LIS"; }

}  // namespace

Runner::Runner(gui::Application& app, forms::TQUOVEL32SUBFORM& form, platform::Services& os, common::TMKBoxDlg& box,
               Backdrop* backdrop, const std::string& windowsFolder, const std::string& dataFolder)
    : app_(app),
      f_(form),
      os_(os),
      box_(box),
      backdrop_(backdrop),
      windowsFolder_(text::AddYen(windowsFolder)),
      dataFolder_(text::AddYen(dataFolder)),
      shell_(std::make_unique<browse::ShellPaths>(os.fs, os.shell, os.collation, windowsFolder)),
      names_(os.fs, os.text, text::AddYen(dataFolder)),
      round_(std::make_unique<ScreenRound>(app, os)) {
  round_->Shown = [this](const std::string& path) { RecordHistory(path); };
  f_.Timer12.OnTimer = [this](gui::Component&) { Timer12Timer(); };
  f_.Timer2.OnTimer = [this](gui::Component&) { Timer2Timer(); };
  f_.Timer1.OnTimer = [this](gui::Component&) { Timer1Timer(); };
  f_.Timer7.OnTimer = [this](gui::Component&) { Timer7Timer(); };
  f_.TimerST.OnTimer = [this](gui::Component&) { TimerSTTimer(); };
  f_.Timer8.OnTimer = [this](gui::Component&) { Timer8Timer(); };
  f_.Timer4.OnTimer = [this](gui::Component&) { Timer4Timer(); };
  f_.Button1.OnClick = [this](gui::Component&) { Button1Click(); };
  f_.OnCloseQuery = [this](gui::Component&, bool& canClose) { FormCloseQuery(canClose); };

  stage_ = Stage::kCreated;
  stageLabel_ = "エラー：１";
  // The screen-saver role shows no taskbar button, not even before the first minimising.
  app_.ShowTaskbarButton(false);
  app_.SetShowHint(true);
  app_.SetHintPause(kHintPause);
  // Centred is where the window belongs; until the initialisation has minimised it, it waits
  // above the screen without a size.
  gui::Size screen = app_.GetBackend().ScreenSize();
  bounds_ = f_.Bounds();
  bounds_.left = (screen.width - bounds_.width) / 2;
  bounds_.top = (screen.height - bounds_.height) / 2;
  f_.SetBounds(0, kHiddenTop, 0, 0);
  f_.Timer12.SetEnabled(true);
}

Runner::~Runner() = default;

int Runner::ListNumber() const {
  int n = settings_.memory[4];
  // The manager stores only M0 to M9 and HIS; anything else plays M0.
  return n >= 0 && n <= store::kHistoryList ? n : 0;
}

void Runner::Timer12Timer() {
  f_.Timer12.SetEnabled(false);
  f_.SetWindowState(gui::WindowState::Minimized);
  f_.SetBounds(bounds_);
  // Minimising the application showed its taskbar window again.
  app_.ShowTaskbarButton(false);
  itemPath_.clear();
  stage_ = Stage::kReading;
  stageLabel_ = "エラー：２";
  if (Refused()) {
    stage_ = Stage::kRefused;
    CloseRunner();
    return;
  }
  ReadAndFill();
  stage_ = Stage::kRunning;
  StartRun();
}

bool Runner::Refused() {
  store::SettingsKey key(os_.registry, store::ScrKey());
  ReadKinsi(key, settings_);
  std::vector<std::string> running = os_.processes.RunningExecutables();
  std::vector<std::string> excluded =
      store::LoadList(os_.fs, dataFolder_ + ListFileName("X")).value_or(std::vector<std::string>{});
  if (settings_.kinsi == 0) return false;
  for (const std::string& entry : excluded) {
    // An entry whose program is gone from the disk no longer names anything.
    if (!os_.fs.FileExists(entry)) continue;
    if (std::find(running.begin(), running.end(), UpperFileName(entry)) != running.end()) return true;
  }
  return false;
}

void Runner::ReadAndFill() {
  store::SettingsKey key(os_.registry, store::ScrKey());
  try {
    ReadScan(key, settings_);
    if (FolderPlayed()) {
      ReadFolder(key, text::CutYen(windowsFolder_), settings_);
      FillFromFolder();
    }
    ReadPlay(key, settings_);
    order_ = OrderOfItem(settings_.saiseim[0]);
    if (!FolderPlayed()) FillFromList();
    ReadIndex(key, settings_);
    indexRead_ = true;
    int row = settings_.index[FolderPlayed() ? 1 : 0];
    int count = f_.ListBox4.Count();
    if (count > 0) f_.ListBox4.SetItemIndex(std::clamp(row, 0, count - 1));
  } catch (const std::exception&) {
    box_.MsgOK(kInitFailed);
  }
}

void Runner::FillFromFolder() {
  std::string folder = text::CutYen(settings_.cpath);
  bool entered = false;
  if (!os_.fs.DirectoryExists(folder)) {
    try {
      shell_->RepairPath(folder);
    } catch (const browse::ShellError&) {
    }
  }
  if (os_.fs.DirectoryExists(folder)) entered = os_.fs.SetCurrentFolder(folder).ok();
  if (!entered) {
    folder = text::CutYen(windowsFolder_);
    os_.fs.SetCurrentFolder(folder);
  }
  prefix_ = text::AddYen(folder);
  std::vector<platform::FindEntry> entries = browse::SelectFileEntries(
      os_.fs, os_.collation, prefix_, settings_.Pattern(), settings_.AttributeMask(), settings_.Normal());
  std::vector<std::string> names;
  if (settings_.Names()) {
    names = browse::OrderBySaverName(entries, os_.collation, [this](const platform::FindEntry& e) {
              return names_.Description(prefix_ + e.name, e.size, e.lastWrite);
            }).files;
    names_.Save();
  } else {
    names = browse::NamesOf(std::move(entries));
  }
  f_.ListBox4.SetItems(std::move(names));
  f_.ComboLabel.SetCaption(folder + "　：　" + std::to_string(f_.ListBox4.Count()) + "ｺ");
  LoadHistory();
}

void Runner::FillFromList() {
  prefix_.clear();
  const int n = ListNumber();
  const std::string file = dataFolder_ + ListFileName(n == store::kHistoryList ? "H" : std::to_string(n));
  f_.ListBox4.SetItems(store::LoadList(os_.fs, file).value_or(std::vector<std::string>{}));
  f_.ComboLabel.SetCaption(store::ListCaption(n, static_cast<size_t>(f_.ListBox4.Count())));
  if (n != store::kHistoryList) LoadHistory();
}

void Runner::LoadHistory() {
  const std::string file = dataFolder_ + ListFileName("H");
  std::optional<std::vector<std::string>> loaded = store::LoadList(os_.fs, file);
  history_ = loaded.value_or(std::vector<std::string>{});
  // A history file that exists but cannot be read is never overwritten by an empty store.
  historyLoaded_ = loaded.has_value() || !os_.fs.FileExists(file);
}

void Runner::StartRun() {
  random_ = std::mt19937(static_cast<uint32_t>(std::time(nullptr)));
  playing_ = true;
  played_ = 0;
  stopRequest_ = false;
  forcedOut_.clear();
  desktopOnly_ = false;
  round_->NewRun();
  power_.StartRun();
  unplayable_.assign(static_cast<size_t>(f_.ListBox4.Count()), false);
  if (backdrop_ != nullptr) {
    backdrop_->ShowImage();
    backdrop_->CapChanClick();
  }
  backdropUsed_ = true;
  app_.ProcessMessages();
  app_.ProcessMessages();
  Enable(f_.Timer2);
}

void Runner::Button1Click() {
  stopRequest_ = true;
  ++stopPresses_;
  app_.ProcessMessages();
  if (box_.MsgYesNo(kEmergencyQuestion) == 6) {
    if (playing_) StopPlay();
    forcedExit_ = true;
    CloseRunner();
    return;
  }
  // The stop request stays: the chain closes the runner at its next step.
  box_.MsgOKTimer(kEmergencyCancelled, 1);
}

void Runner::CloseRunner() { f_.Close(); }

void Runner::FormCloseQuery(bool& canClose) {
  canClose = true;
  if (closed_) return;
  stopRequest_ = true;
  switch (stage_) {
    case Stage::kCreated:
    case Stage::kReading:
      box_.MsgOK(stageLabel_ + "メモリーが確保できませんでした。\n強制終了します。");
      break;
    case Stage::kRefused:
      break;
    case Stage::kRunning:
      closing_ = true;
      for (int pass = 0; pass < 2; ++pass) {
        for (gui::Timer* t : {&f_.Timer12, &f_.Timer2, &f_.Timer1, &f_.Timer7, &f_.Timer8, &f_.Timer4, &f_.TimerST}) {
          t->SetInterval(0);
        }
        app_.ProcessMessages();
      }
      StopPlay();
      if (running_.valid()) os_.processes.Close(running_);
      round_->Release();
      SaveOnClose();
      break;
  }
  closed_ = true;
}

void Runner::SaveOnClose() {
  const bool folder = FolderPlayed();
  if (historyLoaded_ && (folder || ListNumber() != store::kHistoryList)) {
    store::SaveList(os_.fs, dataFolder_ + ListFileName("H"), history_);
  }
  store::SettingsKey key(os_.registry, store::ScrKey());
  // A reading that stopped early never got to INDEX: the stored rows stay as they are.
  if (!indexRead_) ReadIndex(key, settings_);
  std::array<int, 2> index = settings_.index;
  // An empty list has no row to remember.
  if (f_.ListBox4.Count() > 0) index[folder ? 1 : 0] = f_.ListBox4.ItemIndex();
  if (!key.WriteList("INDEX", {index[0], index[1]}).ok()) box_.MsgOK(kCloseFailed);
}

}  // namespace play
