#include "play/play_engine.h"

#include <ctime>

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "common/tmset_box.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "play/backdrop.h"
#include "play/runner.h"
#include "play/screen_round.h"
#include "play/saver_launch.h"
#include "platform/services.h"
#include "store/file_timers.h"
#include "store/list_file.h"
#include "store/manager_settings.h"

namespace play {

const char kStopFirstMessage[] = "中断ボタンを押して下さい。\n完全に停止してから再生してね☆";
const char kNothingToPlayMessage[] = "再生対象データがありません・・・";

Order OrderOfItem(int itemIndex) {
  switch (itemIndex) {
    case 1: return Order::kReverse;
    case 2: return Order::kSingle;
    case 3: return Order::kRandom;
    default: return Order::kContinuous;
  }
}

PlayEngine::PlayEngine(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                       common::TMKBoxDlg& box, store::ManagerSettings& settings, store::MemoryLists& lists,
                       Backdrop* backdrop, bool scrVersion)
    : app_(app),
      f_(form),
      os_(os),
      box_(box),
      settings_(settings),
      lists_(lists),
      backdrop_(backdrop),
      scrVersion_(scrVersion),
      round_(std::make_unique<ScreenRound>(app, os)) {
  order_ = OrderOfItem(f_.RadioGroup1.ItemIndex());
  round_->Shown = [this](const std::string& path) { RecordHistory(path); };
  f_.Button2.OnClick = [this](gui::Component& sender) { Button2Click(sender); };
  f_.Button5.OnClick = [this](gui::Component&) { Button5Click(); };
  f_.RadioGroup1.OnClick = [this](gui::Component&) { RadioGroup1Click(); };
  f_.RadioButton2.OnClick = [this](gui::Component&) { RadioButton2Click(); };
  f_.ButtonTIMER.OnClick = [this](gui::Component&) { ButtonTIMERClick(); };
  f_.ButtonTOFF.OnClick = [this](gui::Component&) { ButtonTOFFClick(); };
  f_.MHelp3.OnClick = [this](gui::Component&) { MHelp3Click(); };
  f_.Timer2.OnTimer = [this](gui::Component&) { Timer2Timer(); };
  f_.Timer1.OnTimer = [this](gui::Component&) { Timer1Timer(); };
  f_.Timer7.OnTimer = [this](gui::Component&) { Timer7Timer(); };
  f_.Timer8.OnTimer = [this](gui::Component&) { Timer8Timer(); };
  f_.Timer4.OnTimer = [this](gui::Component&) { Timer4Timer(); };
  f_.TimerST.OnTimer = [this](gui::Component&) { TimerSTTimer(); };
  // A double-clicked row becomes its list's current row and is played alone.
  for (gui::ListBox* list : {&f_.ListBox2, &f_.ListBox8, &f_.ListBox4, &f_.ListBox7, &f_.ListBox3, &f_.ListBox6,
                             &f_.ListBox9}) {
    list->OnDblClick = [this, list](gui::Component& sender) {
      if (list->ItemIndex() >= 0) {
        list->SetTag(list->ItemIndex());
        if (gui::ListBox* partner = PartnerOf(*list)) partner->SetTag(list->ItemIndex());
      }
      clicked_ = list;
      Button2Click(sender);
    };
  }
  FileTimer = [this](const std::string& path) {
    return store::FileTimers(os_.fs, settings_.Context().WindowsData()).Read(path);
  };
  DisplayName = [this](const std::string& path) { return store::DisplayName(os_.fs, os_.text, path); };
  ShowFileInfo = [this](const std::string& path) { return browse::DescribeFile(os_.fs, path).found; };
  settings_.StopRequest = [this] { stopRequest_ = true; };
  settings_.Busy = [this] { return busy_ != 0; };
  settings_.ReleaseOnClose = [this] { ReleaseOnClose(); };
}

PlayEngine::~PlayEngine() = default;

int PlayEngine::Interval() const { return settings_.Values().timer; }

void PlayEngine::Enable(gui::Timer& timer) {
  if (!closing_) timer.SetEnabled(true);
}

void PlayEngine::ShowInterval(int seconds) { f_.Label9.SetCaption(browse::IntervalText(seconds)); }

void PlayEngine::Button2Click(gui::Component& sender) {
  random_ = std::mt19937(static_cast<uint32_t>(std::time(nullptr)));
  if (busy_ != 0) {
    os_.desktop.Beep(platform::beep::kExclamation);
    return;
  }
  busy_ = 1;
  app_.ProcessMessages();
  if (playing_) {
    app_.ProcessMessages();
    if (f_.Timer7.Interval() != 0) f_.Timer7.SetInterval(300);
    stopRequest_ = true;
    app_.ProcessMessages();
    while (playing_) {
      stopRequest_ = true;
      app_.ProcessMessages();
      if (++busy_ > kRestartCycles) {
        os_.desktop.Beep(platform::beep::kExclamation);
        busy_ = 0;
        box_.MsgOK(kStopFirstMessage);
        return;
      }
    }
  }
  busy_ = 0;
  app_.ProcessMessages();
  if (f_.Timer7.Interval() != 1000 && f_.Timer7.Interval() != 0) f_.Timer7.SetInterval(1000);
  if (&sender != &f_.Button2) {
    f_.RadioGroup1.SetItemIndex(2);
    order_ = Order::kSingle;
    if (&sender != &f_.ListBox3) LeaveArchive();
  } else {
    clicked_ = nullptr;
  }
  if (f_.Visible() && f_.WindowState() == gui::WindowState::Normal) {
    bool ssn = f_.SSN.Checked();
    gui::ListBox& shown = settings_.MemoryMode() ? (ssn ? f_.ListBox8 : f_.ListBox2) : (ssn ? f_.ListBox7 : f_.ListBox4);
    shown.SetFocus();
  }
  playing_ = true;
  played_ = 0;
  stopRequest_ = false;
  forcedNotice_.clear();
  desktopOnly_ = false;
  round_->NewRun();
  power_.StartRun();
  f_.TimerAUTO.SetEnabled(false);
  if (os_.desktop.ScreenSaverActive().value_or(false)) {
    saverWasActive_ = true;
    os_.desktop.SetScreenSaverActive(false, false);
  }
  if (closing_) return;
  if (!scrVersion_ && f_.Start2.Checked() && ToTray) ToTray();
  if (Execute() && backdrop_ != nullptr) {
    backdrop_->ShowImage();
    backdrop_->CapChanClick();
    backdropUsed_ = true;
  }
  app_.ProcessMessages();
  Enable(f_.Timer2);
}

void PlayEngine::RadioGroup1Click() { order_ = OrderOfItem(f_.RadioGroup1.ItemIndex()); }

void PlayEngine::RadioButton2Click() {
  f_.RadioGroup1.SetItemIndex(2);
  order_ = Order::kSingle;
}

void PlayEngine::ButtonTIMERClick() {
  common::TTmSETBoxDlg dialog(app_, os_.desktop);
  dialog.TCount = Interval();
  dialog.MinCount = 0;
  dialog.Title = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ表示時間";
  dialog.Msg0.assign(1, ' ');  // one blank: the unit is seconds
  dialog.Msg1 = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ表示時間設定：";
  dialog.Msg2 = "";
  if (dialog.Execute("ｽｸﾘｰﾝ･ｾｰﾊﾞｰ表示時間") == 1) {
    settings_.Values().timer = dialog.TCount;
    ShowInterval(dialog.TCount);
  }
}

void PlayEngine::ButtonTOFFClick() {
  settings_.Values().timer = 0;
  ShowInterval(0);
}

void PlayEngine::MHelp3Click() {
  stopRequest_ = true;
  if (settings_.StopRequest) settings_.StopRequest();
  app_.ProcessMessages();
  if (box_.MsgYesNo(kEmergencyQuestion) == 6) {
    if (playing_) StopPlay();
    settings_.EmergencyExit();
    f_.Close();
    return;
  }
  box_.MsgOKTimer(kEmergencyCancelled, 1);
}

void PlayEngine::StopPlay() {
  playing_ = false;
  IdleTitle();
  if (!forcedNotice_.empty()) f_.Label4.SetCaption(forcedNotice_);
  if (saverWasActive_) {
    os_.desktop.SetScreenSaverActive(true, false);
    saverWasActive_ = false;
  }
  if (backdropUsed_) {
    app_.ProcessMessages();
    if (backdrop_ != nullptr) backdrop_->Close();
    backdropUsed_ = false;
  }
}

void PlayEngine::ReleaseOnClose() {
  stopRequest_ = true;
  closing_ = true;
  if (playing_) StopPlay();
  if (running_.valid()) os_.processes.Close(running_);
  round_->Release();
}

void PlayEngine::PlayTitle(const std::string& text) {
  std::string title = CutTitle(text);
  app_.SetTitle(title);
  f_.SetCaption(title);
  if (!closing_ && TrayTip) TrayTip(title);
}

void PlayEngine::IdleTitle() {
  app_.SetTitle(settings_.IdleTitle());
  f_.SetCaption(settings_.IdleTitle());
  if (!closing_ && TrayTip) TrayTip(settings_.IdleTitle());
}

bool PlayEngine::Execute() const { return !f_.RadioButton2.Checked(); }

}  // namespace play
