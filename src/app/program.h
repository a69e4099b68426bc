// One run of the program in the role the start-up decision chose: the forms of that role, the
// message box of its main form, and the hand-off handler of the manager.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/handoff.h"
#include "app/launch.h"
#include "browse/file_browser.h"
#include "browse/folder_setting_dialog.h"
#include "browse/list_info.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "fileops/archives.h"
#include "forms/manager/manager_form.h"
#include "forms/preview_form.h"
#include "forms/role_forms.h"
#include "platform/services.h"
#include "play/backdrop.h"
#include "play/live_preview.h"
#include "play/play_engine.h"
#include "play/runner.h"
#include "setup/installer.h"
#include "setup/manager_tray.h"
#include "store/data_folders.h"
#include "store/description_cache.h"
#include "store/listing_cache.h"
#include "store/manager_settings.h"
#include "store/memory_lists.h"

namespace gui {
class Application;
}

namespace app {

class Program {
 public:
  Program(gui::Application& app, platform::Services os, Decision decision);
  ~Program();

  // Acts on the decision: plain system messages go through systemMessage (they appear before
  // any window of the program). Returns whether forms were created and the message loop must run.
  bool Start(const std::function<void(const std::string&)>& systemMessage);

  const Decision& GetDecision() const { return decision_; }
  forms::TQUOVEL32KAPUL* Manager() const { return manager_; }
  forms::TQUOVEL32BACK* Backdrop() const { return backdrop_; }
  forms::TQUOVEL32SUBFORM* Runner() const { return runner_; }
  forms::TQUOVEL32TITLE* HostedPreview() const { return hostedPreview_; }
  forms::TSCR32SETUPForm* Installer() const { return installer_; }
  common::TMKBoxDlg* MKBoxDlg1() const { return box_.get(); }
  HandOffReceiver* Receiver() const { return receiver_.get(); }
  store::ManagerSettings* Settings() const { return settings_.get(); }
  store::MemoryLists* Lists() const { return lists_.get(); }
  browse::FileBrowser* Browser() const { return browser_.get(); }
  play::PlayEngine* Engine() const { return engine_.get(); }
  play::Runner* RunnerPlay() const { return runnerPlay_.get(); }
  setup::ManagerTray* Tray() const { return tray_.get(); }
  setup::Installer* Setup() const { return setup_.get(); }
  // The manager's preview window.
  forms::TQUOVEL32PREVIEW* LivePreviewWindow() const { return livePreviewWindow_; }
  // Where the data files live in this run; decided when the manager or the runner is created.
  const store::DataFolders& Folders() const { return dataFolders_; }

 private:
  // The manager wired by subsystem, in this order.
  void CreateManager();
  void CreateStores();
  void CreateBrowser();
  struct BrowserParts;
  void CreateFileBrowser(BrowserParts& parts);
  void CreateListHandling(BrowserParts& parts);
  void CreateFileOperations(BrowserParts& parts);
  void CreateRegistration(BrowserParts& parts);
  void ChainBrowserToSettings(const BrowserParts& parts);
  void CreateEngine();
  void CreateTimersAndSetupMenu();
  void CreateTray();
  void CreateLivePreview();
  void CreateStartUp();
  void CreateRunner();
  void CreateHostedPreview();
  void CreateInstaller();
  // TEMPSS and the start without a working folder: the folder-setting dialog.
  void ChangeWorkingFolder();
  // The preview window's place saved by the last run, if any.
  std::optional<gui::Point> SavedPreviewPlace() const;
  void FixDataFolders();

  gui::Application& app_;
  platform::Services os_;
  Decision decision_;
  store::DataFolders dataFolders_;
  forms::TQUOVEL32KAPUL* manager_ = nullptr;
  forms::TQUOVEL32BACK* backdrop_ = nullptr;
  forms::TQUOVEL32SUBFORM* runner_ = nullptr;
  forms::TQUOVEL32TITLE* hostedPreview_ = nullptr;
  forms::TSCR32SETUPForm* installer_ = nullptr;
  forms::TQUOVEL32PREVIEW* livePreviewWindow_ = nullptr;
  std::unique_ptr<common::TMKBoxDlg> box_;
  std::unique_ptr<HandOffReceiver> receiver_;
  std::unique_ptr<store::MemoryLists> lists_;
  std::unique_ptr<store::DescriptionCache> names_;  // the savers' descriptions
  std::unique_ptr<store::ListingCache> listings_;   // the last long file list
  std::unique_ptr<store::ManagerSettings> settings_;
  std::unique_ptr<browse::ShellPaths> shellPaths_;
  std::unique_ptr<browse::FileBrowser> browser_;
  std::unique_ptr<play::Backdrop> backdropBehaviour_;
  std::unique_ptr<play::PlayEngine> engine_;
  std::unique_ptr<play::Runner> runnerPlay_;
  std::unique_ptr<play::LivePreview> livePreview_;
  std::shared_ptr<browse::ListInfo> listInfo_;
  std::unique_ptr<browse::TDIR2SETDLG> folderSetting_;
  std::unique_ptr<setup::Installer> setup_;
  std::shared_ptr<fileops::Archives> archives_;
  // The tray icon; the browser fills in the hooks it answers (bulk registration, menu pending).
  setup::ManagerTrayHooks trayHooks_;
  std::unique_ptr<setup::ManagerTray> tray_;
  // Behaviours that live as long as the window whose events they handle.
  std::vector<std::shared_ptr<void>> parts_;
};

}  // namespace app
