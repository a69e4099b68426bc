#include "app/program.h"

#include "browse/filter_handlers.h"
#include "browse/filters.h"
#include "browse/list_editing.h"
#include "browse/registration.h"
#include "browse/transfer.h"
#include "common/work_area.h"
#include "fileops/file_commands.h"
#include "fileops/viewer_commands.h"
#include "text/text_path.h"
#include "play/timer_commands.h"
#include "setup/setup_menu.h"
#include "store/data_folders.h"
#include "store/file_timers.h"
#include "store/histories.h"
#include "store/list_file.h"
#include "gui/application.h"

namespace app {

namespace {
// Typed text with a character Shift-JIS lacks is refused, never turned into a look-alike.
constexpr const char* kTextRefused = "この文字は使えません・・・\nシフトJISで表せない文字は入力出来ません。";
}  // namespace

Program::Program(gui::Application& app, platform::Services os, Decision decision)
    : app_(app), os_(os), decision_(std::move(decision)) {
  // What escaped a handler is reported and the program goes on: its lists are not lost to it.
  app_.OnHandlerFailed = [this](const std::string& what) {
    if (box_) box_->MsgOK("エラーが発生しました。\n" + what + "\n" + "この操作を中止します。");
  };
  app_.OnTextRefused = [this] {
    if (box_) box_->MsgOK(std::string(kTextRefused));
  };
}

Program::~Program() {
  app_.OnHandlerFailed = nullptr;
  app_.OnTextRefused = nullptr;
}

void Program::FixDataFolders() {
  dataFolders_ =
      store::DecideDataFolders(os_.fs, os_.shell, os_.desktop.WindowsFolder(), decision_.startup.programFolder);
}

void Program::CreateManager() {
  FixDataFolders();
  manager_ = &app_.CreateForm<forms::TQUOVEL32KAPUL>();
  backdrop_ = &app_.CreateForm<forms::TQUOVEL32BACK>();
  box_ = std::make_unique<common::TMKBoxDlg>(app_, os_.desktop);
  receiver_ = std::make_unique<HandOffReceiver>(app_, *manager_, os_.desktop, *box_);
  CreateStores();
  // Whatever the shell asks while it reads a folder (a disk to insert, say) belongs to the
  // manager window.
  os_.shell.SetOwnerWindow(manager_->GetHandle());
  CreateBrowser();
  CreateEngine();
  CreateTimersAndSetupMenu();
  CreateTray();
  CreateLivePreview();
  CreateStartUp();
}

// The memory lists, the two caches and the settings with the start-up sequence.
void Program::CreateStores() {
  forms::TQUOVEL32KAPUL& m = *manager_;
  lists_ = std::make_unique<store::MemoryLists>(app_, os_.fs, store::MemoryListControls{m.ListBox2, m.ListBox8, m.ComboBox1, m.Panel4});
  names_ = std::make_unique<store::DescriptionCache>(os_.fs, os_.text, dataFolders_.windows);
  listings_ = std::make_unique<store::ListingCache>(os_.fs, dataFolders_.windows);
  lists_->TwinName = [this](const std::string& p) { return names_->DisplayName(p); };
  store::ManagerContext context{decision_.startup.scrVersion, text::AddYen(os_.desktop.WindowsFolder()),
                                decision_.startup.programFolder, dataFolders_};
  settings_ = std::make_unique<store::ManagerSettings>(app_, m, os_, *box_, *lists_, context);
  settings_->Create();
}

// The backdrop and the play engine with what it asks of the browser and the archives.
void Program::CreateEngine() {
  backdropBehaviour_ = std::make_unique<play::Backdrop>(app_, *backdrop_);
  engine_ = std::make_unique<play::PlayEngine>(app_, *manager_, os_, *box_, *settings_, *lists_, backdropBehaviour_.get(),
                                               decision_.startup.scrVersion);
  engine_->ShowFileInfo = [this](const std::string& path) { return browser_->ShowFileInfo(path); };
  engine_->DisplayName = [this](const std::string& path) { return names_->DisplayName(path); };
  engine_->FileListFolder = [this] { return browser_->FileListFolder(); };
  engine_->RepairFilePath = [this](const std::string& path) { return browser_->RepairedFilePath(path); };
  engine_->ArchiveViewOn = [this] { return archives_->ViewOn(); };
  engine_->LeaveArchiveView = [this] { archives_->LeaveView(); };
  engine_->ArchiveFolder = [this] { return archives_->ExtractionFolder(); };
  engine_->PlayArchive = [this](const std::string& archive) { return archives_->StartPlay(archive); };
}

// File timers, the timer file in the editor, the version box, power saving; start-up and desktop
// icons, and the version number's deletion.
void Program::CreateTimersAndSetupMenu() {
  forms::TQUOVEL32KAPUL& m = *manager_;
  play::TimerCommandsContext timerContext;
  timerContext.scrVersion = decision_.startup.scrVersion;
  timerContext.programFolder = decision_.startup.programFolder;
  auto timers = std::make_shared<play::TimerCommands>(app_, m, os_, *box_, *settings_, timerContext);
  parts_.push_back(timers);
  auto setupMenu = std::make_shared<setup::SetupMenu>(app_, m, os_, *box_, *settings_, os_.processes.ExecutablePath());
  setupMenu->AttachEvents();
  parts_.push_back(setupMenu);
  timers->FileListFolder = [this] { return browser_->FileListFolder(); };
  timers->ShowFileInfo = [this](const std::string& path) { browser_->ShowFileInfo(path); };
  timers->Playing = [this] { return engine_->Playing(); };
  m.ButtonTset.OnClick = [timers](gui::Component&) { timers->ButtonTsetClick(); };
  m.K9.OnClick = [timers](gui::Component& sender) { timers->K9Click(sender); };
  m.help2.OnClick = [timers](gui::Component& sender) { timers->K9Click(sender); };
  m.ST.OnClick = [timers](gui::Component&) { timers->STClick(); };
  m.TR4.OnClick = m.ST.OnClick;  // the tray menu's power-saving item
}

// The resident mode: the icon, its menus, the tip that follows the title, and the way back when
// the program is started again.
void Program::CreateTray() {
  trayHooks_.Playing = [this] { return engine_->Playing(); };
  tray_ = std::make_unique<setup::ManagerTray>(app_, *manager_, os_, decision_.startup.scrVersion, trayHooks_);
  tray_->AttachEvents();
  engine_->TrayTip = [this](const std::string& title) { tray_->SetTip(title); };
  engine_->ToTray = [this] { tray_->ToTray(); };
  receiver_->TrayRegistered = [this] { return tray_->InTray(); };
  receiver_->RestoreFromTray = [this] { tray_->FromTray(); };
}

// The working folder's setting, and what follows the start-up sequence: the automatic start
// (the manager itself, not the screen-saver copy).
void Program::CreateStartUp() {
  forms::TQUOVEL32KAPUL& m = *manager_;
  folderSetting_ = std::make_unique<browse::TDIR2SETDLG>(app_, os_, *shellPaths_,
                                                         decision_.startup.programFolder + "QUOVEL32.EXE");
  folderSetting_->DIR2OPENDLG1.LowerDriveLetters = [this] { settings_->Values().lower = -1; };
  m.TEMPSS.OnClick = [this](gui::Component&) { ChangeWorkingFolder(); };
  m.Timer6.OnTimer = [this](gui::Component&) {
    manager_->Timer6.SetEnabled(false);
    ChangeWorkingFolder();
  };
  // Without a working folder the program asks for one before anything else, and nothing starts;
  // the opening banner then goes, or it would cover the window the dialog returns to.
  settings_->AfterStartUp = [this] {
    if (manager_->PREVIEW.Checked()) livePreview_->SetOn(true, SavedPreviewPlace());
    if (!settings_->HasWorkingFolder()) {
      manager_->PanelOPEN.Hide();
      manager_->Timer6.SetEnabled(true);
      return;
    }
    if (decision_.startup.scrVersion) return;
    if (manager_->Start2.Checked()) tray_->ToTray();
    if (manager_->Start1.Checked()) engine_->Button2Click(manager_->Button2);
  };
  // The screen-saver copy's settings window keeps the program off the taskbar.
  if (decision_.startup.scrVersion) {
    manager_->OnShow = [this](gui::Component&) { app_.ShowTaskbarButton(false); };
  }
}

std::optional<gui::Point> Program::SavedPreviewPlace() const {
  const std::optional<std::pair<int, int>>& saved = settings_->Values().previewFp;
  if (!saved) return std::nullopt;
  return gui::Point{saved->first, saved->second};
}

// The preview window beside the manager: the saver of the row the user rests on, while no run
// plays, no file command works and the file menu is closed.
void Program::CreateLivePreview() {
  forms::TQUOVEL32KAPUL& m = *manager_;
  livePreviewWindow_ = &app_.CreateForm<forms::TQUOVEL32PREVIEW>();
  livePreviewWindow_->SetOwner(manager_);
  play::LivePreviewHooks hooks;
  hooks.CurrentPath = [this] {
    gui::ListBox* list = settings_->PlayListBox();
    return list != nullptr ? listInfo_->CurrentPath(*list) : std::string();
  };
  hooks.RealPath = [this](const std::string& path) { return browser_->RepairedFilePath(path); };
  hooks.Resting = [this] {
    return engine_->Playing() || (settings_->Busy && settings_->Busy()) ||
           (trayHooks_.MenuPending && trayHooks_.MenuPending());
  };
  hooks.ManagerShown = [this] { return manager_->Visible() && !app_.Minimized(); };
  hooks.ManagerBounds = [this] { return manager_->Bounds(); };
  hooks.WorkAreaOf = [this](const gui::Rect& r) {
    common::WorkAreaProbe probe;
    return common::DialogWorkArea(probe, os_.desktop, r);
  };
  hooks.Closed = [this] { manager_->PREVIEW.SetChecked(false); };
  livePreview_ = std::make_unique<play::LivePreview>(app_, *livePreviewWindow_, os_, hooks);
  m.PREVIEW.OnClick = [this](gui::Component&) {
    manager_->PREVIEW.SetChecked(!manager_->PREVIEW.Checked());
    livePreview_->SetOn(manager_->PREVIEW.Checked(), SavedPreviewPlace());
  };
  settings_->CollectPreview = [this](store::Settings& s) {
    if (std::optional<gui::Point> place = livePreview_->Place()) s.previewFp = std::make_pair(place->x, place->y);
  };
  // Closing the manager ends the preview's saver; the menu's tick stays for the next start.
  std::function<void()> earlier = settings_->ReleaseOnClose;
  settings_->ReleaseOnClose = [this, earlier] {
    if (earlier) earlier();
    livePreview_->SetOn(false);
    livePreview_->Release();
  };
}

void Program::ChangeWorkingFolder() {
  browse::TDIR2SETDLG& dialog = *folderSetting_;
  dialog.StandardColor = manager_->BackColor.Checked();
  dialog.Title = "作業用";
  dialog.DirName = "TmPQVLA";
  // "None" is handed over as such: without its "\" it would pass for a folder.
  dialog.Directory = settings_->HasWorkingFolder() ? text::CutYen(settings_->WorkingFolder()) : browse::kNoFolder;
  const std::string chosen = dialog.SetFolder();
  if (!chosen.empty()) settings_->ChangeWorkingFolder(text::AddYen(chosen));
}

// What the browser's subsystems are made of, handed from one wiring step to the next.
struct Program::BrowserParts {
  std::shared_ptr<store::Histories> histories;
  std::shared_ptr<browse::FilterHandlers> filters;
  std::shared_ptr<browse::ListInfo> listInfo;
  std::shared_ptr<browse::Transfers> transfers;
  std::shared_ptr<browse::ListEditing> editing;
  std::shared_ptr<fileops::FileCommands> fileCommands;
  std::shared_ptr<fileops::ViewerCommands> viewers;
  std::shared_ptr<browse::Registration> registration;
};

void Program::CreateBrowser() {
  BrowserParts parts;
  CreateFileBrowser(parts);
  CreateListHandling(parts);
  CreateFileOperations(parts);
  CreateRegistration(parts);
  parts_.insert(parts_.end(), {parts.histories, parts.filters, parts.listInfo, parts.transfers, parts.editing,
                               parts.fileCommands, parts.viewers, parts.registration});
  ChainBrowserToSettings(parts);
}

// The drive, folder and file lists with the caches behind them, the folder history and the filter.
void Program::CreateFileBrowser(BrowserParts& parts) {
  forms::TQUOVEL32KAPUL& m = *manager_;
  shellPaths_ = std::make_unique<browse::ShellPaths>(os_.fs, os_.shell, os_.collation, os_.desktop.WindowsFolder());
  browse::BrowserHooks hooks;
  hooks.RememberDriveFolder = [this](const std::string& f) { lists_->RememberDriveFolder(f); };
  hooks.DriveFolders = [this] { return lists_->DriveFolders(); };
  hooks.SaverDescription = [this](const std::string& p, const platform::FindEntry& e) {
    return names_->Description(p, e.size, e.lastWrite);
  };
  // Written after each listing, but only once at the end of a bulk registration.
  hooks.SaverNamesRead = [this] {
    if (!(trayHooks_.RegistrationRunning && trayHooks_.RegistrationRunning())) names_->Save();
  };
  // The last long listing for the next run; a bulk registration passes through many folders and
  // keeps none of them.
  hooks.KeptListing = [this](const browse::FileListing& source) { return listings_->Kept(source); };
  hooks.KeepListing = [this](const browse::FileListing& listing) {
    if (!(trayHooks_.RegistrationRunning && trayHooks_.RegistrationRunning())) listings_->Keep(listing);
  };
  // The folder history: recorded whenever the file list shows a folder.
  store::HistoryHooks historyHooks;
  historyHooks.FileListFolder = [this] { return browser_->FileListFolder(); };
  historyHooks.OpenFolder = [this](const std::string& folder) { browser_->GoToFolderSafe(folder); };
  parts.histories = std::make_shared<store::Histories>(app_, m, os_.desktop, *box_, *settings_, historyHooks);
  parts.histories->AttachEvents();
  hooks.FolderListed = [histories = parts.histories](const std::string& folder) { histories->RecordFolder(folder); };
  browser_ = std::make_unique<browse::FileBrowser>(app_, m, os_, *box_, *shellPaths_,
                                                   decision_.startup.programFolder + "QUOVEL32.EXE", hooks);
  // The filter controls; their handlers stay silent while the start-up sequence sets the boxes.
  parts.filters = std::make_shared<browse::FilterHandlers>(m, *browser_);
  parts.filters->AttachEvents();
}

// The file information line, drag and drop, the trash and the mouse on the lists.
void Program::CreateListHandling(BrowserParts& parts) {
  forms::TQUOVEL32KAPUL& m = *manager_;
  // The file information line follows clicks on the lists of files.
  browse::ListInfoHooks infoHooks;
  infoHooks.SetPlayList = [this](gui::ListBox& list) { settings_->SetPlayListBox(list); };
  infoHooks.Playing = [this] { return engine_ != nullptr && engine_->Playing(); };
  infoHooks.Interval = [this] { return engine_ != nullptr ? engine_->Interval() : 0; };
  infoHooks.FileTimer = [this](const std::string& path) {
    return store::FileTimers(os_.fs, dataFolders_.windows).Read(path);
  };
  infoHooks.ArchiveFolder = [this] { return archives_->ExtractionFolder(); };
  parts.listInfo = std::make_shared<browse::ListInfo>(m, *browser_, infoHooks);
  const std::shared_ptr<browse::ListInfo> listInfo = parts.listInfo;
  listInfo_ = listInfo;
  listInfo->AttachEvents();
  parts.histories->Hooks().ClickSuppressed = [listInfo] { return listInfo->ClickSuppress(); };
  parts.histories->Hooks().ClearClickSuppress = [listInfo] { listInfo->SetClickSuppress(false); };
  // Drag and drop into the memory list and the trash.
  browse::TransferHooks transferHooks;
  transferHooks.ClearClickSuppress = [listInfo] { listInfo->SetClickSuppress(false); };
  transferHooks.MemoryCaption = [this](size_t count) { lists_->SetCaption(lists_->Current(), count); };
  transferHooks.TrashClearsOnReceive = [&m] { return m.LabelGomiSASIN.Visible(); };
  transferHooks.TrashPicture = [&m](bool full) { browse::ShowTrashPicture(m, full); };
  parts.transfers = std::make_shared<browse::Transfers>(app_, m, *box_, *browser_, transferHooks);
  const std::shared_ptr<browse::Transfers> transfers = parts.transfers;
  transfers->AttachEvents();
  // The trash, the 削除 buttons and the mouse on the lists.
  browse::ListEditingHooks editingHooks;
  editingHooks.MemoryCaption = transferHooks.MemoryCaption;
  editingHooks.SetPlayList = infoHooks.SetPlayList;
  editingHooks.SetClickSuppress = [listInfo](bool on) { listInfo->SetClickSuppress(on); };
  editingHooks.MenuPending = [transfers] { return transfers->MenuPending(); };
  // The file menu's commands need the files: a saver running as the preview lets go of its own.
  editingHooks.SetMenuPending = [this, transfers](bool pending) {
    if (pending && livePreview_) livePreview_->Release();
    transfers->SetMenuPending(pending);
  };
  trayHooks_.MenuPending = editingHooks.MenuPending;
  trayHooks_.SetMenuPending = editingHooks.SetMenuPending;
  editingHooks.ReceiveModeToggled = [this] { settings_->Values().memory[3] = -1; };
  parts.editing = std::make_shared<browse::ListEditing>(app_, m, os_.desktop, editingHooks);
  parts.editing->AttachEvents();
}

// The file menu's copy, move and delete, the archives and the viewers.
void Program::CreateFileOperations(BrowserParts& parts) {
  forms::TQUOVEL32KAPUL& m = *manager_;
  // Really copy, move and delete the files behind a list's selected rows.
  fileops::FileCommandHooks fileHooks;
  fileHooks.Source = [editing = parts.editing] { return editing->FileMenuSource(); };
  fileHooks.FileListFolder = [this] { return browser_->FileListFolder(); };
  fileHooks.RepairFilePath = [this](const std::string& path) { return browser_->RepairedFilePath(path); };
  fileHooks.RowsRemoved = [editing = parts.editing](gui::ListBox& main) { editing->CountChanged(main); };
  parts.fileCommands = std::make_shared<fileops::FileCommands>(app_, m, os_, *box_, *settings_, fileHooks);
  parts.fileCommands->AttachEvents();
  // LZH archives: the archive view a run plays from, extraction and compression.
  fileops::ArchiveHooks archiveHooks;
  archiveHooks.Source = fileHooks.Source;
  archiveHooks.FileListFolder = fileHooks.FileListFolder;
  archiveHooks.RepairFilePath = fileHooks.RepairFilePath;
  archiveHooks.WorkingFolder = [this] { return settings_->HasWorkingFolder() ? settings_->WorkingFolder() : std::string(); };
  archiveHooks.TitlePrefix = [this] { return settings_->PlayTitle(); };
  // A long step shows its state in the caption, the application's title and the tray tip; the
  // title it replaced comes back afterwards.
  auto replacedTitle = std::make_shared<std::string>();
  archiveHooks.ShowTitle = [this, replacedTitle](const std::string& text) {
    if (!text.empty()) {
      if (replacedTitle->empty()) *replacedTitle = manager_->Caption();
      engine_->PlayTitle(text);
    } else if (!replacedTitle->empty()) {
      engine_->PlayTitle(*replacedTitle);
      replacedTitle->clear();
    }
  };
  archiveHooks.Reverse = [this] { return engine_->GetOrder() == play::Order::kReverse; };
  archiveHooks.RequestStop = [this] { engine_->Button5Click(); };
  archiveHooks.ContinuePlay = [this](bool listed) { engine_->ArchiveListed(listed); };
  archiveHooks.StandardColors = [&m] { return m.BackColor.Checked(); };
  archives_ = std::make_shared<fileops::Archives>(app_, m, os_, *box_, archiveHooks);
  archives_->AttachEvents();
  // The viewers of the file menu and the usage texts.
  fileops::ViewerHooks viewerHooks;
  viewerHooks.Source = fileHooks.Source;
  viewerHooks.FileListFolder = fileHooks.FileListFolder;
  viewerHooks.RepairFilePath = fileHooks.RepairFilePath;
  viewerHooks.WorkingFolder = archiveHooks.WorkingFolder;
  viewerHooks.BuildListing = [this](const std::string& archive) {
    archives_->currentArchive = archive;
    return archives_->BuildListingText();
  };
  viewerHooks.programFolder = decision_.startup.programFolder;
  parts.viewers = std::make_shared<fileops::ViewerCommands>(app_, m, os_, *box_, viewerHooks);
  parts.viewers->AttachEvents();
}

void Program::CreateRegistration(BrowserParts& parts) {
  forms::TQUOVEL32KAPUL& m = *manager_;
  // Bulk registration into the current memory list.
  browse::RegistrationHooks registrationHooks;
  registrationHooks.TwinName = [this](const std::string& p, const platform::FindEntry* e) {
    return e != nullptr ? names_->DisplayName(p, e->size, e->lastWrite) : names_->DisplayName(p);
  };
  registrationHooks.MemoryCaption = [this](size_t count) { lists_->SetCaption(lists_->Current(), count); };
  // The search ends as if the user had clicked the highlighted last row: it becomes the row a
  // run starts from and the one INDEX saves.
  registrationHooks.ShowMemoryInfo = [listInfo = parts.listInfo, &m] {
    listInfo->SetClickSuppress(false);
    listInfo->ListClick(m.SSN.Checked() ? m.ListBox8 : m.ListBox2);
  };
  parts.registration = std::make_shared<browse::Registration>(app_, m, os_, *box_, *browser_, *shellPaths_,
                                                             registrationHooks);
  parts.registration->AttachEvents();
  trayHooks_.RegistrationRunning = [registration = parts.registration] { return registration->Running(); };
}

// What the settings ask of the browser: its start, and what it holds for the save.
void Program::ChainBrowserToSettings(const BrowserParts& parts) {
  forms::TQUOVEL32KAPUL& m = *manager_;
  auto chained = std::make_shared<bool>(false);
  settings_->OpenBrowser = [this, &m, filters = parts.filters, registration = parts.registration,
                            fileCommands = parts.fileCommands, viewers = parts.viewers, chained](const store::Settings& v) {
    const std::shared_ptr<fileops::Archives> archives = archives_;
    // The play engine is there by now: the stop button also stops a bulk registration and the
    // file commands, and a running one refuses the close as a run does (the close asks it to
    // stop as well).
    if (!*chained) {
      *chained = true;
      // The file operations' stop requests, and whether one of them runs.
      const auto stopFileOperations = [fileCommands, archives, viewers] {
        fileCommands->RequestStop();
        archives->RequestStop();
        viewers->RequestStop();
      };
      const auto fileOperationBusy = [fileCommands, archives, viewers] {
        return fileCommands->Busy() || archives->Busy() || viewers->Busy();
      };
      gui::NotifyEvent engineStop = m.Button5.OnClick;
      m.Button5.OnClick = [engineStop, registration, stopFileOperations](gui::Component& c) {
        registration->RequestStop();
        stopFileOperations();
        if (engineStop) engineStop(c);
      };
      std::function<bool()> engineBusy = settings_->Busy;
      settings_->Busy = [engineBusy, registration, fileOperationBusy] {
        return registration->Running() || fileOperationBusy() || (engineBusy && engineBusy());
      };
      std::function<void()> engineStopRequest = settings_->StopRequest;
      settings_->StopRequest = [engineStopRequest, stopFileOperations] {
        stopFileOperations();
        if (engineStopRequest) engineStopRequest();
      };
    }
    // The filter as the start-up sequence has set the boxes: the attribute mask of rd/sys/hid/arc
    // and the pattern of the mode shown (extension boxes, ALL, or the own pattern).
    filters->StartUp();
    browser_->StartUp(v.lower != 0, v.dirNo, v.cpath);
  };
  settings_->SelectFileListRow = [this](int row) { browser_->SelectFileListRow(row); };
  settings_->RefreshFolderView = [this] { browser_->RefreshFolderView(); };
  settings_->RefillFileList = [this] { browser_->RefillFileList(); };
  settings_->CollectBrowser = [this](store::Settings& s) {
    if (!browser_->CurrentFolder().empty()) s.cpath = text::CutYen(browser_->CurrentFolder());
    s.dirNo = browser_->DirNo();
    s.index[1] = browser_->FileListIndex();
  };
}

void Program::CreateRunner() {
  FixDataFolders();
  runner_ = &app_.CreateForm<forms::TQUOVEL32SUBFORM>();
  backdrop_ = &app_.CreateForm<forms::TQUOVEL32BACK>();
  box_ = std::make_unique<common::TMKBoxDlg>(app_, os_.desktop);
  backdropBehaviour_ = std::make_unique<play::Backdrop>(app_, *backdrop_);
  runnerPlay_ = std::make_unique<play::Runner>(app_, *runner_, os_, *box_, backdropBehaviour_.get(),
                                               os_.desktop.WindowsFolder(), dataFolders_.windows);
  runnerPlay_->FileTimer = [this](const std::string& path) {
    return store::FileTimers(os_.fs, dataFolders_.windows).Read(path);
  };
}

// The preview lives inside the host window given with /p, covers it and has no taskbar button;
// the host destroys it with itself, which ends the program.
void Program::CreateHostedPreview() {
  hostedPreview_ = &app_.CreateForm<forms::TQUOVEL32TITLE>();
  hostedPreview_->SetParentWindow(decision_.startup.previewParent);
  const platform::Rect& r = decision_.startup.previewRect;
  hostedPreview_->SetBounds(0, 0, r.width(), r.height());
  hostedPreview_->OnShow = [this](gui::Component&) { app_.ShowTaskbarButton(false); };
}

// The installer, or in its uninstall modes the hidden window whose timers do the work.
void Program::CreateInstaller() {
  installer_ = &app_.CreateForm<forms::TSCR32SETUPForm>();
  box_ = std::make_unique<common::TMKBoxDlg>(app_, os_.desktop);
  shellPaths_ = std::make_unique<browse::ShellPaths>(os_.fs, os_.shell, os_.collation, os_.desktop.WindowsFolder());
  setup::SetupContext context;
  context.setupMode = decision_.startup.setupMode;
  context.programFolder = decision_.startup.programFolder;
  context.firstArgument = decision_.startup.firstArgument;
  context.version = kVersion;
  setup_ = std::make_unique<setup::Installer>(app_, *installer_, os_, *box_, *shellPaths_, context);
  setup_->Create();
}

bool Program::Start(const std::function<void(const std::string&)>& systemMessage) {
  if (decision_.action == Action::kPasswordError) {
    systemMessage("Password not supported");
    return false;
  }
  if (decision_.parameterError) systemMessage("Parameter Error");
  app_.SetTitle(decision_.startup.title);
  switch (decision_.action) {
    case Action::kEnd:
    case Action::kPasswordError:
      return false;
    case Action::kHandOff:
      SendHandOff(os_.desktop, decision_.handOff);
      return false;
    case Action::kManager:
      CreateManager();
      return true;
    case Action::kRunner:
      CreateRunner();
      return true;
    case Action::kPreview:
      CreateHostedPreview();
      return true;
    case Action::kInstaller:
      CreateInstaller();
      return true;
  }
  return false;
}

}  // namespace app
