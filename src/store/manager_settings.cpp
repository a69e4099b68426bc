#include "store/manager_settings.h"

#include <new>
#include <vector>

#include "browse/file_info.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "common/work_area.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/histories.h"

namespace store {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kManagerTitle[] = "QUOVEL32 EXE版";

}  // namespace

ManagerSettings::ManagerSettings(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os,
                                 common::TMKBoxDlg& box, MemoryLists& lists, ManagerContext context)
    : app_(app), f_(form), os_(os), box_(box), lists_(lists), context_(std::move(context)) {
  values_ = DefaultSettings({text::CutYen(context_.windowsFolder), text::CutYen(context_.programFolder)});
  playListBox_ = &f_.ListBox4;
  f_.Timer9.OnTimer = [this](gui::Component&) { StartUp(); };
  f_.OnCloseQuery = [this](gui::Component&, bool& canClose) { canClose = CloseRequest(); };
  f_.F1.OnClick = [this](gui::Component&) { HandOver(); };
  f_.FX.OnClick = [this](gui::Component&) { f_.Close(); };
  auto stopAndClose = [this](gui::Component&) {
    if (StopRequest) StopRequest();
    f_.Close();
  };
  f_.Button6.OnClick = stopAndClose;
  f_.ButtonSCROFF.OnClick = stopAndClose;
  for (gui::MenuItem* item : {&f_.Start1, &f_.Start2, &f_.FT, &f_.K6, &f_.SSN}) {
    item->OnClick = [this, item](gui::Component&) { Toggle(*item); };
  }
  f_.BackColor.OnClick = [this](gui::Component&) {
    f_.BackColor.SetChecked(!f_.BackColor.Checked());
    ApplyColours();
  };
  auto kinsi = [this](gui::Component&) {
    f_.KINSI.SetChecked(!f_.KINSI.Checked());
    f_.TRKINSI.SetChecked(f_.KINSI.Checked());
    // The manager tells the screen-saver copy at once; failures change nothing for the user.
    if (!context_.scrVersion) SettingsKey(os_.registry, ScrKey()).WriteNumber("KINSI", f_.KINSI.Checked() ? 1 : 0);
  };
  f_.KINSI.OnClick = kinsi;
  f_.TRKINSI.OnClick = kinsi;
  f_.help3.OnClick = [this](gui::Component&) {
    f_.SetShowHint(!f_.ShowHint());
    f_.help3.SetChecked(f_.ShowHint());
  };
  f_.MOption0.OnClick = [this](gui::Component&) {
    const bool desktop = os_.fs.FileExists(shortcuts_[1]);
    const bool startup = os_.fs.FileExists(shortcuts_[2]);
    f_.MDESK_SET.SetVisible(!desktop);
    f_.MDESK_DEL.SetVisible(desktop);
    f_.MICON_SET.SetVisible(!startup);
    f_.MICON_DEL.SetVisible(startup);
    // A saver on each monitor needs more than one; monitors come and go while the program runs.
    f_.MONITORS.SetEnabled(os_.desktop.Monitors().size() > 1);
  };
  f_.MONITORS.OnClick = [this](gui::Component&) { f_.MONITORS.SetChecked(!f_.MONITORS.Checked()); };
  f_.MHelp0.OnClick = [this](gui::Component&) { f_.help4.SetVisible(true); };
  f_.Button9.OnClick = [this](gui::Component&) {
    MemoryModeOn();
    (f_.SSN.Checked() ? f_.ListBox8 : f_.ListBox2).SetFocus();
  };
  f_.Button11.OnClick = [this](gui::Component&) {
    MemoryModeOff();
    (f_.SSN.Checked() ? f_.ListBox7 : f_.ListBox4).SetFocus();
  };
  f_.ComboBox1.OnClick = [this](gui::Component&) { lists_.SwitchToChosen(f_.SSN.Checked()); };
  // The memory list grows and shrinks with the window; the rest keeps its place.
  const gui::Rect list2 = f_.ListBox2.Bounds();
  const gui::Rect list8 = f_.ListBox8.Bounds();
  f_.OnResize = [this, list2, list8](gui::Component&) {
    const int dw = f_.ClientWidth() - f_.Scale(forms::TQUOVEL32KAPUL::kClientWidth);
    const int dh = f_.ClientHeight() - f_.Scale(forms::TQUOVEL32KAPUL::kClientHeight);
    for (auto [list, design] : {std::pair{&f_.ListBox2, list2}, std::pair{&f_.ListBox8, list8}}) {
      list->SetBounds(design.left, design.top, std::max(f_.Scale(40), design.width + dw), std::max(f_.Scale(20), design.height + dh));
    }
  };
  f_.TimerEROUT.OnTimer = [this](gui::Component&) {
    f_.TimerEROUT.SetEnabled(false);
    f_.Close();
  };
  f_.ComboBox1.OnEnter = [this](gui::Component&) { lists_.RefreshCaptions(); };
}

void ManagerSettings::Create() {
  initState_ = 1;
  stage_ = "初期化０：";
  const bool scr = context_.scrVersion;
  f_.ButtonSCROFF.SetVisible(scr);
  f_.ButtonTOFF.SetVisible(scr);
  for (gui::MenuItem* item : {&f_.F1, &f_.Start1, &f_.Start2, &f_.N3, &f_.N4, &f_.N5}) item->SetVisible(!scr);
  for (gui::ListBox* list : {&f_.ListBox4, &f_.ListBox7, &f_.ListBox2, &f_.ListBox8, &f_.ListBox6, &f_.ListBox9,
                             &f_.ListBoxKaKo}) {
    list->SetTag(-1);
  }
  f_.TreeView1.SetReadOnly(true);
  // The window's colour follows the system: the window colour on a light-on-dark scheme.
  const bool blackText = app_.GetBackend().ResolveColor(gui::colors::kWindowText) == gui::colors::kBlack;
  f_.SetColor(blackText ? gui::colors::kBtnFace : gui::colors::kWindow);

  // Saved place, else the screen centre; then inside the work area of the monitor the saved
  // place lies on (or the nearest one, when that monitor has gone). FP is a screen position in
  // pixels whatever the density, as it always was.
  const gui::Size screen = app_.GetBackend().ScreenSize();
  int left = (screen.width - f_.Width()) / 2;
  int top = (screen.height - f_.Height()) / 2;
  std::vector<int> fp;
  if (ParseList(SettingsKey(os_.registry, context_.scrVersion ? ScrKey() : ExeKey()).Text("FP", ""), 2, fp)) {
    left = fp[0];
    top = fp[1];
  }
  common::WorkAreaProbe probe;
  const gui::Rect work = common::DialogWorkArea(probe, os_.desktop, {left, top, f_.Width(), f_.Height()});
  const gui::Rect placed = gui::Rect{left, top, f_.Width(), f_.Height()}.KeptInside(work);
  f_.SetPosition(gui::FormPosition::Designed);
  f_.SetBounds(placed.left, placed.top, placed.width, placed.height);

  for (gui::MenuItem* menu : {&f_.MHelp0, &f_.MOption0, &f_.MStart0, &f_.MF0}) menu->SetEnabled(false);
  if (!closing_) f_.Timer9.SetEnabled(true);
}

// Where the list files live follows KYOUYO; the drive folder store is there before the browser
// opens a folder and remembers it.
void ManagerSettings::FixListFolders() {
  lists_.FixFolders(context_.scrVersion, values_.kyouyo, context_.WindowsData(), context_.ProgramData());
  lists_.LoadDriveFolders();
  listFoldersFixed_ = true;
}

void ManagerSettings::SetWorkingFolder(const std::string& stored) {
  workingFolder_ = kNoWorkingFolder;
  std::string folder = text::CutYen(stored);
  if (folder.empty()) return;
  if (!os_.fs.DirectoryExists(folder)) {
    browse::ShellPaths shell(os_.fs, os_.shell, os_.collation, context_.windowsFolder);
    bool repaired = false;
    try {
      repaired = shell.RepairPath(folder) && os_.fs.DirectoryExists(folder);
    } catch (const browse::ShellError&) {
    }
    if (!repaired) return;
  }
  // The program works inside this folder; one it cannot enter counts as none.
  if (!os_.fs.SetCurrentFolder(folder).ok()) return;
  workingFolder_ = text::AddYen(folder);
}

void ManagerSettings::ApplyColours() {
  const gui::Color colour = f_.BackColor.Checked() ? gui::colors::kWindow : f_.Color();
  for (gui::Control* c : std::initializer_list<gui::Control*>{
           &f_.ListBox1, &f_.ListBox4, &f_.ListBox7, &f_.ListBox2, &f_.ListBox8, &f_.ListBox6, &f_.ListBox9,
           &f_.ListBoxKaKo, &f_.TreeView1, &f_.ComboBox1, &f_.ComboBox2, &f_.Edit1}) {
    c->SetColor(colour);
  }
}

void ManagerSettings::SetCaptions() {
  f_.Label9.SetCaption(browse::IntervalText(values_.timer));
  f_.ST.SetCaption(values_.stimer == 0 ? "省電力タイマー設定　ＯＦＦ (&L)"
                                       : "省電力タイマー設定　" + std::to_string(values_.stimer) + "秒 (&L)");
  f_.FOLDERHIS.SetCaption(FolderHistoryCaption(values_.folderHis));
  f_.FILEHIS.SetCaption(FileHistoryCaption(values_.fileHis));
}

void ManagerSettings::ApplySettings(const SettingsRead& read) {
  const Settings& s = read.settings;
  // Each value in reading order; a value that stopped the reading and those after it keep the
  // window's design state.
  struct Step {
    const char* name;
    std::function<void()> apply;
  };
  const std::vector<Step> steps = {
      {"ZOKUSEI", [&] {
         gui::CheckBox* boxes[] = {&f_.CB1, &f_.CB2, &f_.CB3, &f_.CB4, &f_.CB5};
         for (size_t i = 0; i < 5; ++i) boxes[i]->SetChecked(s.zokusei[i] != 0);
       }},
      {"ALL", [&] { f_.CB32.SetChecked(s.all != 0); }},
      {"FILESHITEI", [&] {
         const bool extensions = s.fileShitei != 0;
         f_.Button13.SetVisible(extensions);
         f_.Edit1.SetVisible(!extensions);
         f_.Button14.SetVisible(!extensions);
       }},
      {"FILENAME", [&] { f_.Edit1.SetText(s.fileName); }},
      {"KAKUCHOSHI", [&] {
         // Only the screen-saver box is taken over at start-up.
         for (int i = 0; i < forms::TQUOVEL32KAPUL::kExtensionCount; ++i) {
           f_.ExtensionBox(i).SetChecked(i == forms::TQUOVEL32KAPUL::kScrExtension && s.kakuchoshi[20] != 0);
         }
       }},
      {"BackColor", [&] {
         f_.BackColor.SetChecked(s.backColor != 0);
         ApplyColours();
       }},
      {"Lower", [&] { values_.lower = s.lower; }},
      {"MEMORY", [&] {
         values_.memory = s.memory;
         f_.SSN.SetChecked(s.memory[6] != 0);
         f_.CheckBoxGomi.SetChecked(s.memory[2] != 0);
         f_.LabelGomiSASIN.SetVisible(s.memory[3] != 0);
         f_.LabelGomiTUIKA.SetVisible(s.memory[3] == 0);
         f_.K6.SetChecked(s.memory[5] != 0);
         if (s.memory[0] == 0) {
           MemoryModeOn();
         } else {
           MemoryModeOff();
         }
       }},
      {"KYOUYO", [&] {
         values_.kyouyo = s.kyouyo;
         FixListFolders();
       }},
      {"DirNo", [&] {
         values_.dirNo = s.dirNo;
         f_.ListBox1.SetVisible(s.dirNo == 0);
         f_.TreeView1.SetVisible(s.dirNo != 0);
       }},
      {"CPATH", [&] {
         values_.cpath = s.cpath;
         if (OpenBrowser) OpenBrowser(values_);
       }},
      {"TIMER", [&] { values_.timer = s.timer; }},
      {"STIMER", [&] { values_.stimer = s.stimer; }},
      {"FOLDERHIS", [&] { values_.folderHis = s.folderHis; }},
      {"FILEHIS", [&] { values_.fileHis = s.fileHis; }},
      {"COPYPath", [&] { values_.copyPath = s.copyPath; }},
      {"IDOPath", [&] { values_.idoPath = s.idoPath; }},
      {"LZHCOPY", [&] { f_.PLZH5.SetChecked(s.lzhCopy != 0); }},
      {"minihelp", [&] {
         f_.help3.SetChecked(s.minihelp != 0);
         f_.SetShowHint(s.minihelp != 0);
       }},
      {"SAISEIM", [&] {
         values_.saiseim = s.saiseim;
         f_.CheckBox1.SetChecked(s.saiseim[1] != 0);
         f_.Start1.SetChecked(s.saiseim[2] != 0);
         f_.Start2.SetChecked(s.saiseim[3] != 0);
         f_.RadioButton2.SetChecked(true);
         f_.RadioButton1.SetChecked(s.saiseim[8] != 0);
         f_.FT.SetChecked(s.saiseim[9] != 0);
         if (s.saiseim[0] >= 0 && s.saiseim[0] < 4) f_.RadioGroup1.SetItemIndex(s.saiseim[0]);
       }},
      {"INDEX", [&] { values_.index = s.index; }},
      {"PREVIEW", [&] {
         f_.PREVIEW.SetChecked(s.preview != 0);
         f_.MONITORS.SetChecked(s.monitors != 0);
         values_.previewFp = s.previewFp;
       }},
  };
  for (const Step& step : steps) {
    if (read.abortedAt == step.name) break;
    step.apply();
  }
  SetCaptions();
}

void ManagerSettings::StartUp() {
  f_.Timer9.SetEnabled(false);
  initState_ = 1;
  stage_ = "エラー：１";
  initState_ = 2;
  stage_ = "エラー：２";
  app_.SetHint("QUOVEL32でーす☆☆☆");
  app_.SetShowHint(true);
  app_.SetHintPause(100);
  f_.Edit1.SetMaxLength(254);
  f_.Label2.SetCaption("ファイル名表示");
  f_.Label3.SetCaption("ﾌｧｲﾙｻｲｽﾞ");
  f_.Label4.SetCaption(browse::FormatFileDate(os_.fs.ToLocal(os_.fs.CurrentTime())) + "rsha");

  // The stores and buffers of the manager: when memory runs out here, the window closes through
  // TimerEROUT and the close request names the step.
  try {
    lists_.History().reserve(16);
    lists_.Exclusion().reserve(16);
  } catch (const std::bad_alloc&) {
    stage_ = "初期化３：";
    initState_ = 1;
    startupFailed_ = true;
    f_.TimerEROUT.SetEnabled(true);
    return;
  }

  SettingsKey scr(os_.registry, ScrKey());
  SettingsKey key(os_.registry, context_.scrVersion ? ScrKey() : ExeKey());
  SettingsRead read = ReadSettings(scr, key, values_);
  values_.kinsi = read.settings.kinsi;
  f_.KINSI.SetChecked(read.settings.kinsi);
  f_.TRKINSI.SetChecked(read.settings.kinsi);
  SetWorkingFolder(read.settings.workingFolder);

  ApplySettings(read);
  // The lists load even when a value stopped the reading: saving on close must never replace a
  // user's list with an empty one. The list number is MEMORY's when it was read, else M0.
  if (!listFoldersFixed_) FixListFolders();
  lists_.Load(values_.memory[4], f_.SSN.Checked());
  playListBox_ = MemoryMode() ? (f_.SSN.Checked() ? &f_.ListBox8 : &f_.ListBox2) : &f_.ListBox4;
  if (SelectFileListRow) SelectFileListRow(values_.index[1]);
  const int current = values_.index[0];
  if (current >= -1 && current < f_.ListBox2.Count()) {
    f_.ListBox2.SetTag(current);
    f_.ListBox8.SetTag(current);
    f_.ListBox2.SetItemIndex(current);
    if (current < f_.ListBox8.Count()) f_.ListBox8.SetItemIndex(current);
  }

  idleTitle_ = context_.scrVersion ? "QUOVEL32" : kManagerTitle;
  playTitle_ = context_.scrVersion ? "QUOVEL32 " : "QUOVEL32EXE ";
  f_.Panel2.SetCaption(idleTitle_);
  if (!read.abortedAt.empty()) box_.MsgOK("初期化処理に失敗しました・・・");

  // Shortcut files of the program.
  const std::string group = scr.Text("Group", "");
  auto shell = [this](const char* name) {
    return os_.registry.ReadString(platform::RegistryRoot::kCurrentUser, kShellFolders, name).value_or("");
  };
  shortcuts_ = {shell("Programs") + "\\" + group + "\\" + kManagerTitle + ".lnk",
                shell("Desktop") + "\\" + kManagerTitle + ".lnk", shell("Startup") + "\\" + kManagerTitle + ".lnk"};

  initState_ = 0;
  f_.PanelOPEN.SetVisible(!context_.scrVersion && f_.Start2.Checked());
  for (gui::MenuItem* menu : {&f_.MHelp0, &f_.MOption0, &f_.MStart0, &f_.MF0}) menu->SetEnabled(true);
  if (AfterStartUp) AfterStartUp();
}

bool ManagerSettings::MemoryMode() const { return f_.Button11.Visible(); }

void ManagerSettings::MemoryModeOn() {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  f_.Image1.Show();
  f_.Label7.Show();
  f_.Button17.Show();
  f_.LabelGomiOut.Hide();
  f_.Button9.Hide();
  app_.ProcessMessages();
  f_.Button11.Show();
  f_.ComboBox1.Show();
  f_.ButtonMCut.SetVisible(f_.CheckBoxGomi.Checked());
  f_.Panel1.Hide();
  if (f_.SSN.Checked()) {
    playListBox_ = &f_.ListBox8;
    f_.ListBox8.Show();
    f_.ListBox9.Show();
    if (initState_ == 0) {
      lists_.RebuildTwin(f_.ListBox2, f_.ListBox8);
      lists_.RebuildTwin(f_.ListBox6, f_.ListBox9);
    }
  } else {
    playListBox_ = &f_.ListBox2;
    f_.ListBox2.Show();
    f_.ListBox9.Hide();
  }
  app_.GetScreen().SetCursor(gui::Cursor::Default);
}

void ManagerSettings::MemoryModeOff() {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  f_.Image1.Hide();
  f_.Label7.Hide();
  f_.Button17.Hide();
  f_.LabelGomiOut.Show();
  f_.PanelGomi.Hide();
  f_.Button11.Hide();
  app_.ProcessMessages();
  f_.Button9.Show();
  playListBox_ = &f_.ListBox4;
  f_.ListBox2.Hide();
  f_.ListBox8.Hide();
  f_.ComboBox1.Hide();
  // 削除 deletes rows of the memory list: not while that list is hidden.
  f_.ButtonMCut.Hide();
  f_.Panel1.Show();
  app_.GetScreen().SetCursor(gui::Cursor::Default);
}

void ManagerSettings::Toggle(gui::MenuItem& item) {
  if (initState_ != 0 || toggling_) return;
  toggling_ = true;
  item.SetChecked(!item.Checked());
  if (&item == &f_.K6 && RefreshFolderView) RefreshFolderView();
  if (&item == &f_.SSN) {
    const bool memory = MemoryMode();
    if (f_.SSN.Checked()) {
      if (RefillFileList) RefillFileList();
      lists_.RebuildTwin(f_.ListBox2, f_.ListBox8);
      lists_.RebuildTwin(f_.ListBox6, f_.ListBox9);
      f_.ListBox7.Show();
      if (memory) {
        f_.ListBox8.Show();
        f_.ListBox9.Show();
        playListBox_ = &f_.ListBox8;
      }
    } else {
      // The twins' current rows go back to their main lists.
      for (auto pair : {std::pair{&f_.ListBox7, &f_.ListBox4}, std::pair{&f_.ListBox8, &f_.ListBox2},
                        std::pair{&f_.ListBox9, &f_.ListBox6}}) {
        pair.second->SetTag(pair.first->Tag());
      }
      f_.ListBox7.Hide();
      if (memory) {
        f_.ListBox2.Show();
        f_.ListBox8.Hide();
        f_.ListBox9.Hide();
        playListBox_ = &f_.ListBox2;
      } else {
        playListBox_ = &f_.ListBox4;
      }
    }
  }
  toggling_ = false;
}

Settings ManagerSettings::FromWindow() const {
  Settings s = values_;
  s.kinsi = f_.KINSI.Checked();
  s.workingFolder = workingFolder_ == kNoWorkingFolder ? text::CutYen(kNoWorkingFolder) : text::CutYen(workingFolder_);
  s.fp = std::make_pair(f_.Left(), f_.Top());
  const gui::CheckBox* boxes[] = {&f_.CB1, &f_.CB2, &f_.CB3, &f_.CB4, &f_.CB5};
  for (size_t i = 0; i < 5; ++i) s.zokusei[i] = boxes[i]->Checked() ? 1 : 0;
  for (int i = 0; i < forms::TQUOVEL32KAPUL::kExtensionCount; ++i) {
    s.kakuchoshi[static_cast<size_t>(i)] = const_cast<forms::TQUOVEL32KAPUL&>(f_).ExtensionBox(i).Checked() ? 1 : 0;
  }
  s.fileShitei = f_.Button13.Visible() ? 1 : 0;
  s.fileName = f_.Edit1.Text();
  const int current = lists_.Current() == kExclusionList ? 0 : lists_.Current();
  const int trash = f_.LabelGomiSASIN.Visible() ? (values_.memory[3] != 0 ? values_.memory[3] : -1) : 0;
  s.memory = {MemoryMode() ? 0 : 1, -1, f_.CheckBoxGomi.Checked() ? 1 : 0, trash, current, f_.K6.Checked() ? 1 : 0,
              f_.SSN.Checked() ? 1 : 0};
  s.all = f_.CB32.Checked() ? 1 : 0;
  s.saiseim = {f_.RadioGroup1.ItemIndex(), f_.CheckBox1.Checked() ? 1 : 0, f_.Start1.Checked() ? 1 : 0,
               f_.Start2.Checked() ? 1 : 0, -1, -1, -1, -1, f_.RadioButton1.Checked() ? 1 : 0, f_.FT.Checked() ? 1 : 0};
  // The file list's current row is kept as read until the browser fills the list.
  s.index = {static_cast<int>(f_.ListBox2.Tag()), f_.ListBox4.Count() > 0 ? static_cast<int>(f_.ListBox4.Tag()) : values_.index[1]};
  if (CollectBrowser) CollectBrowser(s);
  s.backColor = f_.BackColor.Checked() ? 1 : 0;
  s.lzhCopy = f_.PLZH5.Checked() ? 1 : 0;
  s.minihelp = f_.help3.Checked() ? 1 : 0;
  s.preview = f_.PREVIEW.Checked() ? 1 : 0;
  s.monitors = f_.MONITORS.Checked() ? 1 : 0;
  if (CollectPreview) CollectPreview(s);
  return s;
}

bool ManagerSettings::SaveAll(SaveTarget target) {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  const bool listsWritten = lists_.SaveAll(target);
  SettingsKey scr(os_.registry, ScrKey());
  SettingsKey key(os_.registry, target == SaveTarget::kHandOver || context_.scrVersion ? ScrKey() : ExeKey());
  SettingsWrite written = WriteSettings(scr, key, FromWindow());
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  // The manager's own list files fail quietly, as they always have; a hand-over that did not
  // reach the screen-saver copy's files is a failure the user must hear of.
  const bool ok = written.ok && (listsWritten || target == SaveTarget::kOwn);
  if (!ok) box_.MsgOK("データ格納処理に失敗しました・・・");
  return ok;
}

void ManagerSettings::HandOver() {
  if (SaveAll(SaveTarget::kHandOver)) box_.MsgOKTimer("[SCR版]に、データを転送しました☆☆☆", 1);
}

bool ManagerSettings::CloseRequest() {
  if (closed_) return true;
  if (StopRequest) StopRequest();
  if (initState_ != 0) {
    // Nothing has been read yet, so nothing is saved. Only a start-up that really failed says
    // so; a window closed before its start-up sequence ran just goes.
    if (startupFailed_) box_.MsgOK(stage_ + "メモリーが確保できませんでした。\n強制終了します。");
    closed_ = true;
    return true;
  }
  if (!emergency_ && ((Busy && Busy()) || closing_)) {
    os_.desktop.Beep(platform::beep::kExclamation);
    return false;
  }
  closing_ = true;
  app_.ProcessMessages();
  if (StopRequest) StopRequest();
  for (int pass = 0; pass < 2; ++pass) {
    for (gui::Timer* t : {&f_.Timer1, &f_.Timer2, &f_.Timer3, &f_.Timer4, &f_.Timer5, &f_.Timer6, &f_.Timer7,
                          &f_.Timer8, &f_.Timer9, &f_.TimerST, &f_.TimerEROUT}) {
      t->SetInterval(0);
    }
    app_.ProcessMessages();
  }
  if (ReleaseOnClose) ReleaseOnClose();
  SaveAll(SaveTarget::kOwn);
  closed_ = true;
  return true;
}

}  // namespace store
