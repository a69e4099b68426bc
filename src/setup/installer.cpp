#include "setup/installer.h"

#include <algorithm>

#include "browse/own_folder.h"
#include "browse/shell_paths.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "fileops/file_copy.h"
#include "forms/setup_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "setup/install_plan.h"
#include "setup/program_groups.h"
#include "store/data_folders.h"
#include "store/settings_key.h"

namespace setup {

namespace {

constexpr int kMinSeconds = 60;
constexpr int kMaxSeconds = 32000;
constexpr platform::RegistryRoot kUser = platform::RegistryRoot::kCurrentUser;

}  // namespace

Installer::Installer(gui::Application& app, forms::TSCR32SETUPForm& form, platform::Services& os,
                     common::TMKBoxDlg& box, browse::ShellPaths& shell, SetupContext context)
    : app_(app), f_(form), os_(os), box_(box), shell_(shell), context_(std::move(context)) {
  windows_ = text::AddYen(os_.desktop.WindowsFolder());
}

Installer::~Installer() = default;

std::string Installer::DefaultProgramFolder() const { return text::LeftCut(windows_, 3) + "KaPULP32\\QUOVEL32"; }
std::string Installer::DefaultWorkingFolder() const { return text::LeftCut(windows_, 3) + "KaPULT32\\TmPQVLA"; }

void Installer::Create() {
  // Centred now, not at the first showing: the uninstall modes never show the form, and their
  // boxes are centred on it.
  const gui::Size screen = app_.GetBackend().ScreenSize();
  f_.SetBounds((screen.width - f_.Width()) / 2, (screen.height - f_.Height()) / 2, f_.Width(), f_.Height());
  const bool blackText = app_.GetBackend().ResolveColor(gui::colors::kWindowText) == gui::colors::kBlack;
  f_.SetColor(blackText ? gui::colors::kBtnFace : gui::colors::kWindow);
  AttachEvents();
  if (context_.setupMode != 0) {
    caption_ = SetupCaption("QUOVEL32", context_.version, true);
    f_.SetCaption(caption_);
    app_.SetTitle(caption_);
    // The window stays hidden, but exists, so that other starts find it by its class.
    app_.SetShowMainForm(false);
    f_.GetHandle();
    if (context_.setupMode == 1) {
      f_.Timer1.SetEnabled(true);
    } else if (context_.setupMode == 2) {
      f_.Timer2.SetEnabled(true);
    } else {
      f_.TimerErOut.SetEnabled(true);
    }
    return;
  }
  caption_ = SetupCaption("QUOVEL32", context_.version, false);
  f_.SetCaption(caption_);
  // The screen-saver copy goes to the Windows folder only for a user who may write it.
  windowsWritable_ = store::FolderWritable(os_.fs, windows_);

  ProgramManager programManager(os_.dde);
  std::optional<std::vector<std::string>> groups = programManager.Groups();
  // Without Program Manager the default group is still offered; its folder is made anyway.
  f_.ComboBox1.SetItems(InstallerGroups(groups.value_or(std::vector<std::string>{}), os_.collation));
  f_.ComboBox1.SetItemIndex(f_.ComboBox1.Count() - 1);
  if (!groups) box_.MsgOK("グループ名の取得に失敗しました・・・");

  const store::SettingsKey scr(os_.registry, store::ScrKey());
  f_.Edit1.SetText(text::CutYen(UsableFolder(scr.Text("EXEPATH", "")).value_or(DefaultProgramFolder())));
  f_.Edit2.SetText(text::CutYen(UsableFolder(scr.Text("TMPQVLA", "")).value_or(DefaultWorkingFolder())));
  ShowScreenSaverFolder();
  seconds_ = os_.desktop.ScreenSaverTimeout().value_or(seconds_);
  ShowSeconds();
  ApplyColours();
}

void Installer::AttachEvents() {
  f_.Button1.OnClick = [this](gui::Component&) { Browse(f_.Edit1, "登録先"); };
  f_.Button6.OnClick = [this](gui::Component&) { Browse(f_.Edit2, "作業用ﾌｫﾙﾀﾞｰの設定"); };
  f_.Button4.OnClick = [this](gui::Component&) { f_.Edit1.SetText(DefaultProgramFolder()); };
  f_.Button7.OnClick = [this](gui::Component&) { f_.Edit2.SetText(DefaultWorkingFolder()); };
  f_.Edit1.OnChange = [this](gui::Component&) { ShowScreenSaverFolder(); };
  f_.CheckBoxBkColor.OnClick = [this](gui::Component&) { ApplyColours(); };
  f_.SpinButtonSS.OnDownClick = [this](gui::Component&) {
    seconds_ = std::max(kMinSeconds, seconds_ - 60);
    ShowSeconds();
  };
  f_.SpinButtonSS.OnUpClick = [this](gui::Component&) {
    seconds_ = std::min(kMaxSeconds, seconds_ + 60);
    ShowSeconds();
  };
  f_.Button2.OnClick = [this](gui::Component&) {
    box_.MsgOK("インストールを中止します。");
    f_.Close();
  };
  f_.Button3.OnClick = [this](gui::Component&) { Button3Click(); };
  f_.Timer1.OnTimer = [this](gui::Component&) { Timer1Timer(); };
  f_.Timer2.OnTimer = [this](gui::Component&) { Timer2Timer(); };
  f_.Timer3.OnTimer = [this](gui::Component&) { Timer3Timer(); };
  f_.TimerErOut.OnTimer = [this](gui::Component&) { TimerErOutTimer(); };
}

void Installer::ShowScreenSaverFolder() {
  const std::string folder = windowsWritable_ ? text::CutYen(windows_) : f_.Edit1.Text();
  f_.Label3.SetCaption(ScreenSaverLine(folder));
  f_.Label3.SetHint(folder);
}

void Installer::ShowSeconds() { f_.LabelSS.SetCaption(std::to_string(seconds_ / 60) + "分"); }

void Installer::ApplyColours() {
  const gui::Color color = f_.CheckBoxBkColor.Checked() ? gui::colors::kWindow : f_.Color();
  f_.ComboBox1.SetColor(color);
  f_.Edit1.SetColor(color);
  f_.Edit2.SetColor(color);
}

void Installer::Browse(gui::Edit& field, const std::string& title) {
  if (!dialog_) {
    dialog_ = std::make_unique<browse::TDIR2OPENDLG>(app_, os_, shell_, os_.processes.ExecutablePath());
  }
  browse::TDIR2OPENDLG& d = *dialog_;
  d.StandardColor = f_.CheckBoxBkColor.Checked();
  d.Title = title;
  d.Directory = field.Text();
  d.SourceHandle = f_.GetHandle();
  if (d.SelectFolder("フォルダーの参照") == gui::kMrOk && !d.Directory.empty()) field.SetText(d.Directory);
  field.SetFocus();
}

void Installer::SetBusy(bool busy) {
  app_.GetScreen().SetCursor(busy ? gui::Cursor::HourGlass : gui::Cursor::Default);
  f_.Button5.SetVisible(busy);
  f_.Button3.SetVisible(!busy);
}

std::optional<std::string> Installer::UsableFolder(const std::string& stored) {
  if (stored.empty()) return std::nullopt;
  std::string folder = text::CutYen(stored);
  if (!os_.fs.DirectoryExists(folder)) {
    try {
      if (!shell_.RepairPath(folder) || !os_.fs.DirectoryExists(folder)) return std::nullopt;
    } catch (const browse::ShellError&) {
      return std::nullopt;
    }
  }
  if (!os_.fs.SetCurrentFolder(folder).ok()) return std::nullopt;
  return folder;
}

std::optional<std::string> Installer::MakeFolder(const std::string& text, const char* emptyMessage,
                                                 InstalledFiles& record) {
  const std::optional<std::string> full = os_.fs.FullPath(text);
  if (!full || full->empty()) {
    box_.MsgOK(emptyMessage);
    return std::nullopt;
  }
  const std::string target = text::AddYen(*full);
  std::string current;
  bool asked = false;
  for (const std::string& part : text::SplitPath(target)) {
    const std::string level = text::CutYen(current + part);
    if (os_.fs.DirectoryExists(level)) {
      // A folder an earlier installation made stays this installation's to remove.
      if (record.Made(level)) record.NoteFolder(level);
      current += part;
      continue;
    }
    // A level named as the shell shows it (a localised folder name) is the folder behind it.
    std::string repaired = level;
    bool found = false;
    try {
      found = shell_.RepairPath(repaired) && os_.fs.DirectoryExists(repaired);
    } catch (const browse::ShellError&) {
    }
    if (found) {
      current = text::AddYen(repaired);
      continue;
    }
    // One question before the first missing level; the rest of the chain follows.
    if (!asked && box_.MsgYesNoTimer(text::CutYen(target) + "\n" + "フォルダーを作成します", gui::kMrYes) != gui::kMrYes) {
      return std::nullopt;
    }
    asked = true;
    browse::CreateOwnFolder(os_.fs, os_.shell, level);
    if (!os_.fs.DirectoryExists(level)) {
      box_.MsgOK("[ " + level + " ]" + "\n" + "フォルダーの作成に失敗しました・・・");
      return std::nullopt;
    }
    record.NoteFolder(level);
    current += part;
  }
  return current;
}

void Installer::Button3Click() {
  SetBusy(true);
  if (!Install()) SetBusy(false);
}

// Returns false when the installation ended early or a step failed, and 設定 is to be offered
// again.
bool Installer::Install() {
  auto refuse = [this](const char* message) {
    os_.desktop.Beep(platform::beep::kExclamation);
    SetBusy(false);
    box_.MsgOK(message);
    return false;
  };
  const std::string group = f_.ComboBox1.Text();
  if (group.empty()) return refuse("グループ名を設定して下さい。");
  if (f_.Edit1.Text().empty()) return refuse("EXE登録フォルダーを設定して下さい。");
  if (f_.Edit2.Text().empty()) return refuse("作業用フォルダーを設定して下さい。");

  InstalledFiles record(os_.registry, os_.fs);
  const std::optional<std::string> target = MakeFolders(group, record);
  // What was made and copied so far is recorded before the installation ends early, so that the
  // next one knows it for this program's.
  if (!target || !CopyFiles(*target, record)) {
    WriteUninstallEntry(record, "");
    return false;
  }
  const std::string programPath = *target + kProgramFile;
  // Program Manager's items name the program by a form without blanks (MakeFolders made sure
  // there is one): Windows splits their command at the first blank.
  const std::string unsplitProgram = UnsplitPath(os_.fs, programPath).value_or(programPath);
  // Each later step runs even when one before it failed: the files are in place, and the
  // uninstall entry must know them.
  bool complete = AddGroupItems(group, unsplitProgram);
  WriteSettings();
  complete = WriteUninstallEntry(record, programPath) && complete;
  if (!complete) return false;

  f_.BringToFront();
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  box_.MsgOK("登録完了です。\n\n[ " + group + " ]" + "\n" + "グループに登録しました☆☆" + "\n" + "お疲れ様☆☆");
  f_.Close();
  return true;
}

std::optional<std::string> Installer::MakeFolders(const std::string& group, InstalledFiles& record) {
  store::SettingsKey scr(os_.registry, store::ScrKey());
  const std::optional<std::string> work = MakeFolder(f_.Edit2.Text(), "作業用フォルダーを設定して下さい。", record);
  if (!work) return std::nullopt;
  scr.Write("TMPQVLA", text::CutYen(*work));
  const std::optional<std::string> target = MakeFolder(f_.Edit1.Text(), "EXE登録フォルダーを設定して下さい。", record);
  if (!target) return std::nullopt;
  // Windows runs the screen saver and Program Manager's items by a name it splits at blanks: a
  // folder with a blank must have an 8.3 form.
  if (!UnsplitPath(os_.fs, *target + kProgramFile)) {
    os_.desktop.Beep(platform::beep::kExclamation);
    box_.MsgOK("EXE登録フォルダーを設定して下さい。");
    return std::nullopt;
  }
  scr.Write("EXEPATH", text::CutYen(*target));
  scr.Write("Group", group);
  return target;
}

bool Installer::CopyFiles(const std::string& target, InstalledFiles& record) {
  // The program, its texts and the screen saver. A Windows folder this user may not write
  // would fail the copies half-way; the screen saver then lives beside the program, as the form said.
  const CopyPlan plan = PlanCopies(context_.programFolder, target, windows_, windowsWritable_,
                                   [this](const std::string& path) { return os_.fs.FileExists(path); });
  // A library another program put there stays, and is not recorded as ours.
  for (const FileCopy& copy : plan.copies) {
    const CopyChoice choice = ChooseCopy(os_.fs, record, copy);
    if (choice == CopyChoice::kKeepForeign) continue;
    if (choice == CopyChoice::kCopy) {
      const std::string error = fileops::CopyFile(os_.fs, copy.from, copy.to, [this] { app_.ProcessMessages(); });
      if (!error.empty()) {
        box_.MsgOK(copy.from + "\n" + error + "\n" + "ファイルのコピーに失敗しました・・・");
        return false;
      }
    }
    record.Note(copy.to);
  }
  if (!plan.screenSaver.empty()) {
    const std::string value = ScreenSaverValue(os_.fs, windows_, plan.screenSaver, plan.inWindowsFolder);
    os_.profile.WriteString("SYSTEM.INI", "boot", "SCRNSAVE.EXE", value);
    // Current systems take the screen saver from the user's desktop settings.
    if (!plan.inWindowsFolder) os_.registry.WriteString(kUser, kDesktopKey, "SCRNSAVE.EXE", value);
  }
  return true;
}

bool Installer::AddGroupItems(const std::string& group, const std::string& programPath) {
  // The group's folder is made first where the shell keeps groups.
  const std::string programs = ShellFolder(os_.registry, "Programs");
  if (!programs.empty() && !os_.fs.DirectoryExists(programs + "\\" + group)) {
    os_.fs.CreateFolder(programs + "\\" + group);
  }
  bool added = AddItems(group, programPath);
  if (f_.CheckBoxST.Checked()) {
    const std::string startup = StartupGroup(os_.registry);
    if (!startup.empty()) {
      added = AddItems(startup, programPath) && added;
    } else {
      box_.MsgOK(kStartupUnknown);
    }
  }
  return added;
}

bool Installer::AddItems(const std::string& group, const std::string& programPath) {
  ProgramManager programManager(os_.dde);
  std::string error = programManager.Execute(CreateGroupCommand(group));
  app_.ProcessMessages();
  // Without its group the item would land in whichever group is open.
  if (error.empty()) {
    error = programManager.Execute(AddItemCommand(programPath));
    app_.ProcessMessages();
  }
  if (!error.empty()) box_.MsgOK(error);
  return error.empty();
}

void Installer::WriteSettings() {
  store::SettingsKey scr(os_.registry, store::ScrKey());
  scr.Write("Version", std::to_string(context_.version));
  const std::string backColor = f_.CheckBoxBkColor.Checked() ? "1" : "0";
  scr.Write("BackColor", backColor);
  store::SettingsKey(os_.registry, store::ExeKey()).Write("BackColor", backColor);
  os_.desktop.SetScreenSaverTimeout(seconds_, true);
  os_.desktop.SetScreenSaverActive(true, true);
}

bool Installer::WriteUninstallEntry(const InstalledFiles& record, const std::string& programPath) {
  // A path with blanks is quoted, so that Windows cannot take a shorter part of it for the program.
  const std::string uninstall = CommandLine(programPath, "/uninstall");
  auto entry = [&](platform::RegistryRoot root) {
    if (programPath.empty()) return record.Write(root, false);
    return os_.registry.WriteString(root, kUninstallKey, "DisplayName", UninstallTitle(context_.version)).ok() &&
           os_.registry.WriteString(root, kUninstallKey, "UninstallString", uninstall).ok() && record.Write(root);
  };
  if (entry(platform::RegistryRoot::kLocalMachine)) return true;
  // A half-written entry of the machine goes; the user's own takes its place.
  if (!programPath.empty()) os_.registry.DeleteTree(platform::RegistryRoot::kLocalMachine, kUninstallKey);
  if (entry(kUser)) return true;
  box_.MsgOK("データ格納処理に失敗しました・・・");
  return false;
}

}  // namespace setup
