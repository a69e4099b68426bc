#include "play/timer_commands.h"

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/about_box.h"
#include "common/mkbox.h"
#include "common/tmset_box.h"
#include "common/viewers.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/file_timers.h"
#include "store/manager_settings.h"
#include "store/settings_key.h"

namespace play {

const char kCancelledMessage[] = "中止しました。";
const std::vector<std::string> kHomePages = {"http://www.kapulsoft32.example.jp/", "http://kapulsoft32.example.com/"};
const char kMailAddress[] = "quovel32@kapulsoft32.example.jp";

namespace {

constexpr int kPowerSavingMinimum = 10;

// Deselects every row of the list and selects `row` alone.
void SelectOnly(gui::ListBox& list, int row) {
  if (list.MultiSelect()) {
    for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, false);
    if (row >= 0 && row < list.Count()) list.SetSelected(row, true);
  }
  list.SetItemIndex(row < list.Count() ? row : -1);
}

}  // namespace

std::string PowerSavingCaption(int seconds) {
  return seconds == 0 ? "省電力タイマー設定　ＯＦＦ (&L)" : "省電力タイマー設定　" + std::to_string(seconds) + "秒 (&L)";
}

TimerCommands::TimerCommands(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                             common::TMKBoxDlg& box, store::ManagerSettings& settings, TimerCommandsContext context)
    : app_(app), f_(form), os_(os), box_(box), settings_(settings), context_(std::move(context)) {
  f_.ButtonTset.OnClick = [this](gui::Component&) { ButtonTsetClick(); };
  f_.K9.OnClick = [this](gui::Component& sender) { K9Click(sender); };
  f_.help2.OnClick = [this](gui::Component& sender) { K9Click(sender); };
  f_.ST.OnClick = [this](gui::Component&) { STClick(); };
  ShowFileInfo = [this](const std::string& path) {
    f_.Label3.SetCaption(browse::DescribeFile(os_.fs, path).size);
  };
  std::function<void()> earlier = settings_.ReleaseOnClose;
  settings_.ReleaseOnClose = [this, earlier] {
    if (earlier) earlier();
    common::CloseHelp(os_.processes, context_.programFolder);
  };
}

void TimerCommands::ButtonTsetClick() {
  f_.ButtonTset.Hide();
  app_.ProcessMessages();
  auto done = [this](bool beep) {
    if (beep) os_.desktop.Beep(platform::beep::kExclamation);
    f_.ButtonTset.Show();
  };
  const bool memory = settings_.MemoryMode();
  gui::ListBox& list = memory ? f_.ListBox2 : f_.ListBox4;
  gui::ListBox& twin = memory ? f_.ListBox8 : f_.ListBox7;
  const std::string prefix =
      memory ? std::string() : text::AddYen(FileListFolder ? FileListFolder() : std::string());
  const bool ssn = f_.SSN.Checked();
  if (ssn) {
    list.SetTag(twin.Tag());
    SelectOnly(list, static_cast<int>(twin.Tag()));
  }
  const intptr_t row = list.Tag();
  if (list.Count() == 0 || row < 0 || row >= list.Count()) return done(true);
  const std::string path = prefix + list.Item(static_cast<int>(row));
  if (ShowFileInfo) ShowFileInfo(path);
  if (f_.Label3.Caption() == browse::kNoSize) return done(true);

  if (!store::FileTimers::CanHold(path)) {
    box_.MsgOK(path + "\n" + "「=」を含むパスのファイルには、ファイルタイマーを設定出来ません・・・");
    return done(false);
  }
  store::FileTimers timers(os_.fs, settings_.Context().WindowsData());
  const int stored = timers.Read(path);
  // The labels as a click on the row shows them: the entry's timer and the play interval.
  if (!Playing || !Playing()) {
    f_.Label10.SetCaption(std::to_string(stored));
    f_.Label9.SetCaption(browse::IntervalText(settings_.Values().timer));
  }
  common::TTmSETBoxDlg dialog(app_, os_.desktop);
  dialog.TCount = stored;
  dialog.MinCount = 0;
  dialog.Msg0 = path;
  dialog.Msg1 = ssn && row < twin.Count() ? twin.Item(static_cast<int>(row)) : std::string();
  dialog.Msg2 = "ファイルタイマーの設定：";
  if (dialog.Execute("ファイルタイマー") == 1) {
    timers.Write(path, dialog.TCount);
    f_.Label10.SetCaption(std::to_string(dialog.TCount));
  }
  done(false);
}

void TimerCommands::K9Click(gui::Component& sender) {
  if (&sender == &f_.help2) {
    ShowVersion();
  } else {
    EditTimerFile();
  }
}

void TimerCommands::EditTimerFile() {
  // The timer file lives in the data folder that stands for the Windows folder; a user's folder
  // may have blanks in its path, which Notepad then needs quoted.
  const std::string folder = settings_.Context().WindowsData();
  const std::string file = text::AddYen(folder) + store::kTimerFile;
  const std::string command =
      file.find(' ') == std::string::npos ? common::NotepadCommand(file) : common::QuotedNotepadCommand(file);
  switch (common::StartViewer(os_, text::CutYen(folder), command)) {
    case common::ViewerStart::kStarted:
      break;
    case common::ViewerStart::kNoFolder:
      box_.MsgOK(text::CutYen(folder) + "\n" + "ﾌｫﾙﾀﾞｰが存在しません・・・");
      break;
    case common::ViewerStart::kTooLong:
    case common::ViewerStart::kFailed:
      os_.desktop.Beep(platform::beep::kExclamation);
      break;
  }
}

void TimerCommands::ShowVersion() {
  common::TAboutBoxDlg about(app_, os_.desktop, os_.processes);
  about.Version = common::VersionText(
      os_.registry.ReadString(platform::RegistryRoot::kCurrentUser, store::ScrKey(), "Version"));
  std::string folder, name;
  text::SplitFileName(os_.processes.ExecutablePath(), folder, name);
  about.ProductName = name;
  about.Title = context_.scrVersion ? "QUOVEL32" : "QUOVEL32 EXE版";
  about.Comments = context_.scrVersion ? "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ連続ﾁｪﾝｼﾞｬｰ(SCR版)" : "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ連続ﾁｪﾝｼﾞｬｰ(EXE版)";
  about.Comments2 = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰを自由に楽しめます☆";
  about.HomePages = context_.homePages;
  about.MailAddress = context_.mailAddress;
  about.Execute();
}

void TimerCommands::STClick() {
  // Menu events do not overlap: one arriving while the dialog is open, or while the menu is set
  // by code, does nothing.
  if (settings_.MenuEventsSuppressed()) return;
  settings_.SetMenuEventsSuppressed(true);
  app_.ProcessMessages();
  common::TTmSETBoxDlg dialog(app_, os_.desktop);
  dialog.TCount = settings_.Values().stimer;
  dialog.MinCount = kPowerSavingMinimum;
  dialog.Msg0.assign(1, ' ');  // one blank: the unit is seconds
  dialog.Msg1 = "省電力タイマーの設定：";
  dialog.Msg2 = "";
  if (dialog.Execute("省電力タイマー") == 1) {
    settings_.Values().stimer = dialog.TCount;
    f_.ST.SetCaption(PowerSavingCaption(dialog.TCount));
  } else {
    box_.MsgOKTimer(kCancelledMessage, 1);
  }
  settings_.SetMenuEventsSuppressed(false);
}

}  // namespace play
