// The uninstall half of the installer: the removal by the installed program (Timer1), the
// uninstaller copy that deletes the program file and its folders (Timer2, Timer3), and the
// refusal while another window of the program exists.
#include <algorithm>
#include <iterator>
#include <vector>

#include "text/text_path.h"
#include "common/mkbox.h"
#include "fileops/file_copy.h"
#include "forms/setup_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "setup/install_plan.h"
#include "setup/installer.h"
#include "setup/program_groups.h"
#include "store/data_folders.h"
#include "store/description_cache.h"
#include "store/listing_cache.h"
#include "store/settings_key.h"

namespace setup {

namespace {

constexpr platform::RegistryRoot kUser = platform::RegistryRoot::kCurrentUser;
constexpr platform::RegistryRoot kUsers = platform::RegistryRoot::kUsers;
constexpr char kMakerKey[] = "Software\\KAPUL SOFT32";
constexpr char kCopyTitle[] = "UNINSTALL_KAPUL000";

void DeleteIfThere(platform::FileSystem& fs, const std::string& path) {
  if (fs.FileExists(path)) fs.Delete(path);
}

// The folder and, when the data live elsewhere, the folder that stands in for it.
std::vector<std::string> FoldersOf(const std::string& folder, const std::string& data) {
  if (data.empty() || text::SameText(folder, data)) return {folder};
  return {folder, data};
}

}  // namespace

void Installer::Timer1Timer() {
  f_.Timer1.SetEnabled(false);
  if (box_.MsgYesNoTimer(UninstallTitle(context_.version) + "\n" + "を、アンインストールしてよろしいですか？？？",
                         gui::kMrYes) != gui::kMrYes) {
    box_.MsgOK("アンインストールを中止しました。");
    f_.Close();
    return;
  }
  // Decided while the uninstall entry, which holds the record of the installation, is there.
  const InstalledFiles record(os_.registry, os_.fs);
  const std::vector<std::string> installed = FilesToRemove(record, context_.programFolder, windows_);
  const std::string working = store::SettingsKey(os_.registry, store::ScrKey()).Text("TMPQVLA", "");
  const std::vector<std::string> workingMade = working.empty() ? std::vector<std::string>() : FoldersMade(record, working);
  const std::vector<std::string> programMade = FoldersMade(record, context_.programFolder);
  os_.registry.DeleteTree(platform::RegistryRoot::kLocalMachine, kUninstallKey);
  os_.registry.DeleteTree(kUser, kUninstallKey);

  const std::string group = store::SettingsKey(os_.registry, store::ScrKey()).Text("Group", "");
  if (!group.empty()) RemoveItems(group);
  const std::string startup = StartupGroup(os_.registry);
  if (!startup.empty()) RemoveItems(startup);
  const std::string desktop = ShellFolder(os_.registry, "Desktop");
  if (!desktop.empty()) DeleteIfThere(os_.fs, desktop + "\\" + kItemName + ".lnk");

  for (const std::string& file : installed) DeleteIfThere(os_.fs, file);

  DeleteDataFiles();
  // The working folders the installer made go when nothing was left in them.
  RemoveEmptyFolders(os_.fs, workingMade);
  os_.registry.DeleteValue(kUser, store::ScrKey(), "Version");
  if (box_.MsgYesNoTimer("当ソフトのレジストリー情報も削除してよろしいですか？？", gui::kMrYes) == gui::kMrYes) {
    os_.registry.DeleteTree(kUser, store::BaseKey());
    // Another product of the maker keeps the maker's key.
    if (os_.registry.HasContent(kUser, kMakerKey) == false) os_.registry.DeleteTree(kUser, kMakerKey);
  }
  ClearScreenSaver();
  StartUninstallerCopy(programMade.empty() ? std::string() : programMade.back());
  f_.Close();
}

void Installer::RemoveItems(const std::string& group) {
  ProgramManager programManager(os_.dde);
  programManager.Execute(ShowGroupCommand(group));
  app_.ProcessMessages();
  programManager.Execute(DeleteItemCommand());
  app_.ProcessMessages();
}

// The list and timer files where this user's program keeps them: beside the program and in the
// Windows folder, or in the user's own folder that stands in for either.
void Installer::DeleteDataFiles() {
  const std::string& program = context_.programFolder;
  const store::DataFolders data = store::DecideDataFolders(os_.fs, os_.shell, windows_, program);
  const std::vector<std::string> programFolders = FoldersOf(program, data.program);
  const std::vector<std::string> windowsFolders = FoldersOf(windows_, data.windows);
  if (box_.MsgYesNoTimer("SCR/TXTﾌｧｲﾙの削除を終了しました。\nLIS/TIM等のﾒﾓﾘｰﾃﾞｰﾀﾌｧｲﾙも削除して、よろしいですか？？？",
                         gui::kMrYes) == gui::kMrYes) {
    for (const std::string& folder : programFolders) {
      for (char digit = '0'; digit <= '9'; ++digit) DeleteIfThere(os_.fs, folder + "QVLE32M" + digit + ".LIS");
      DeleteIfThere(os_.fs, folder + "QVLE32MH.LIS");
    }
    for (const std::string& folder : windowsFolders) {
      for (char digit = '0'; digit <= '9'; ++digit) DeleteIfThere(os_.fs, folder + "QVLA32M" + digit + ".LIS");
      for (const char* name : {"QVLA32MH.LIS", "QVLA32MX.LIS", "QUOVEL32.Tim"}) DeleteIfThere(os_.fs, folder + name);
    }
  }
  for (const std::string& folder : programFolders) DeleteIfThere(os_.fs, folder + "QUOVEL32CD.LIS");
  for (const std::string& folder : windowsFolders) {
    // What the program only remembers to be faster goes whatever the answer.
    for (const char* name : {"QUOVEL32CD.LIS", store::kDescriptionCacheFile, store::kDescriptionCacheLock,
                             store::kListingCacheFile}) {
      DeleteIfThere(os_.fs, folder + name);
    }
  }
  DeleteIfThere(os_.fs, program + "DrV$$$$$.TXT");
  // The user's own folder goes once it is empty.
  for (const std::string& folder : {data.program, data.windows}) {
    if (!text::SameText(folder, program) && !text::SameText(folder, windows_)) {
      os_.fs.RemoveFolder(text::CutYen(folder));
    }
  }
}

// The screen saver is switched off when it is this program's copy, wherever it was named.
void Installer::ClearScreenSaver() {
  const std::string ours[] = {
      text::UpperAscii(ScreenSaverValue(os_.fs, windows_, windows_ + kScreenSaverFile, true)),
      text::UpperAscii(context_.programFolder + kScreenSaverFile),
      text::UpperAscii(ScreenSaverValue(os_.fs, windows_, context_.programFolder + kScreenSaverFile, false))};
  auto isOurs = [&](const std::string& value) {
    return !value.empty() && std::find(std::begin(ours), std::end(ours), text::UpperAscii(value)) != std::end(ours);
  };
  bool off = false;
  if (isOurs(os_.profile.ReadString("SYSTEM.INI", "boot", "SCRNSAVE.EXE", ""))) {
    os_.profile.WriteString("SYSTEM.INI", "boot", "SCRNSAVE.EXE", "");
    off = true;
  }
  if (isOurs(os_.registry.ReadString(kUser, kDesktopKey, "SCRNSAVE.EXE").value_or(""))) {
    os_.registry.WriteString(kUser, kDesktopKey, "SCRNSAVE.EXE", "");
    off = true;
  }
  if (off) os_.desktop.SetScreenSaverActive(false, true);
}

void Installer::StartUninstallerCopy(const std::string& madeTop) {
  const std::string folder = UninstallerFolder(os_.fs, os_.shell, windows_, store::FolderWritable(os_.fs, windows_));
  const std::string self = os_.processes.ExecutablePath();
  const std::string copy = folder + kUninstallerFile;
  // An uninstaller of the maker that is already there serves unless it is bigger than this one.
  const std::optional<uint64_t> size = os_.fs.FileSize(copy);
  if (!folder.empty() && (!size || *size == 0 || *size > os_.fs.FileSize(self).value_or(0))) {
    fileops::CopyFile(os_.fs, self, copy);
  }
  auto write = [&](platform::RegistryRoot root, const char* key) {
    return os_.registry.WriteString(root, key, "File", self).ok() &&
           os_.registry.WriteString(root, key, "Title", caption_).ok() &&
           os_.registry.WriteString(root, key, "RmDir", madeTop.empty() ? "n" : "").ok() &&
           os_.registry.WriteString(root, key, "RmTop", madeTop).ok();
  };
  if (!write(kUsers, kHandOverKey)) {
    os_.registry.DeleteTree(kUsers, kHandOverKey);
    write(kUser, kUserHandOverKey);
  }
  // The copy must not find this process's current folder inside the folders it removes.
  if (!folder.empty()) os_.fs.SetCurrentFolder(folder);
  platform::StartRequest request;
  request.commandLine = "\"" + copy + "\" \"/DeleteFile\"";
  request.currentFolder = folder;
  request.showMode = platform::show::kNormal;
  platform::StartedProcess started;
  if (!folder.empty()) started = os_.processes.Start(request);
  if (!started.result.ok() || !started.process.valid()) {
    box_.MsgOK("アンインストールエラー：アンインストールソフトの起動に失敗しました");
    DeleteHandOverRecord();
    return;
  }
  os_.processes.Close(started.process);
}

void Installer::DeleteHandOverRecord() {
  os_.registry.DeleteTree(kUsers, kHandOverKey);
  os_.registry.DeleteTree(kUser, kUserHandOverKey);
}

void Installer::Timer2Timer() {
  f_.Timer2.SetEnabled(false);
  const bool machine = os_.registry.KeyExists(kUsers, kHandOverKey);
  const platform::RegistryRoot root = machine ? kUsers : kUser;
  const char* key = machine ? kHandOverKey : kUserHandOverKey;
  file_ = os_.registry.ReadString(root, key, "File").value_or("");
  const std::string title = os_.registry.ReadString(root, key, "Title").value_or("");
  rmDir_ = os_.registry.ReadString(root, key, "RmDir").value_or("");
  rmTop_ = os_.registry.ReadString(root, key, "RmTop").value_or("");
  DeleteHandOverRecord();
  caption_ = title.empty() ? kCopyTitle : title;
  f_.SetCaption(caption_);
  app_.SetTitle(caption_);
  // Without a program file handed over there is nothing to remove, and nothing to report done.
  if (context_.firstArgument != "/deletefile" || file_.empty()) {
    caption_ = kCopyTitle;
    f_.SetCaption(caption_);
    app_.SetTitle(caption_);
    box_.MsgOK("アンインストールエラー：パラメーターが不正です・・・\n[KAPUL SOFT32]専用のアンインストールソフトです。");
    f_.Close();
    return;
  }
  DeleteIfThere(os_.fs, file_);
  f_.Timer3.SetEnabled(true);
}

void Installer::Timer3Timer() {
  f_.Timer3.SetEnabled(false);
  // The first process may still be ending; try again a second later.
  if (os_.fs.FileExists(file_) && !os_.fs.Delete(file_).ok()) {
    f_.Timer3.SetEnabled(true);
    return;
  }
  if (rmDir_ != "n") {
    std::string folder, name;
    text::SplitFileName(file_, folder, name);
    const std::vector<std::string> chain = text::PathPrefixes(text::CutYen(folder));
    if (!chain.empty()) {
      os_.fs.SetCurrentFolder(chain.front());
      // Up to the outermost folder the installation made: a hand-over that names none (another
      // program's) lets only the program file's own folder go.
      size_t top = chain.size() - 1;
      for (size_t i = 1; i < chain.size(); ++i) {
        if (!rmTop_.empty() && text::SameText(chain[i], text::CutYen(rmTop_))) top = i;
      }
      std::vector<std::string> folders;
      for (size_t i = chain.size(); i-- > std::max<size_t>(top, 1);) folders.push_back(chain[i]);
      RemoveEmptyFolders(os_.fs, folders);
    }
  }
  box_.MsgOK("削除が完了しました☆☆☆\nお疲れ様☆☆☆");
  f_.Close();
}

void Installer::TimerErOutTimer() {
  f_.TimerErOut.SetEnabled(false);
  if (context_.setupMode != 0) {
    box_.MsgOK("アンインストールエラー：ソフトが起動中です。\n終了しないとアンインストール出来ません。");
  }
  f_.Close();
}

}  // namespace setup
