#include "fileops/archives.h"

#include <algorithm>
#include <cstdio>

#include "browse/file_info.h"
#include "browse/own_folder.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "common/snbox.h"
#include "fileops/file_copy.h"
#include "fileops/selected_rows.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "lzh/names.h"
#include "platform/services.h"
#include "store/list_file.h"

namespace fileops {

const char kArchiverName[] = "UnLha32.DLL";

namespace {

constexpr uint32_t kOpenMode = 0x00400000;
constexpr int kMiddleFolderWidth = 156;
// Command and output buffers: a command line holds one byte less than its buffer.
constexpr size_t kExtractCommand = 802, kExtractOutput = 2000;
constexpr size_t kListCommand = 302, kListOutput = 40000;
constexpr size_t kAddCommand = 1002, kAddOutput = 1000;
constexpr size_t kShortLine = 17;
constexpr char kDashes[] = "－－－－－－－－－－－－－－－－－－－－";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// "yy/mm/dd ddd hh:mm:ss " of now.
std::string Now(platform::FileSystem& fs) { return NowText(fs).substr(1); }

// The library with all of `entries`; null (and freed) when it or one of them is missing.
std::unique_ptr<platform::Archiver> LoadWith(platform::Services& os, std::initializer_list<const char*> entries) {
  std::unique_ptr<platform::Archiver> lib = LoadArchiverLibrary(os);
  for (const char* entry : entries) {
    if (lib && !lib->Has(entry)) lib.reset();
  }
  return lib;
}

// Runs `command` once the library is idle and waits until it is idle again; messages run meanwhile.
int RunIdle(gui::Application& app, platform::Archiver& lib, const std::string& command, std::string& output,
            size_t outputSize, platform::WindowId owner) {
  while (lib.Running()) app.ProcessMessages();
  const int result = lib.Run(owner, command, output, outputSize);
  while (lib.Running()) app.ProcessMessages();
  return result;
}

}  // namespace

std::vector<std::string> ReshapeListing(const std::string& output) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : output) {
    if (static_cast<unsigned char>(c) < 0x20) {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::vector<std::string> rows;
  std::string pending;
  for (std::string next : lines) {
    if (!pending.empty()) {
      size_t drop = 0;
      while (drop < pending.size() && drop < next.size() && next[drop] == ' ') ++drop;
      next = pending + next.substr(drop);
      pending.clear();
    }
    if (next.size() < kShortLine) {
      pending = next;
    } else {
      rows.push_back(next);
    }
  }
  if (!pending.empty()) rows.push_back(pending);
  return rows;
}

std::string ArchiveName(const std::string& typed) {
  if (UpperExtension(typed) == ".LZH") return typed;
  const std::string name = FileNameOf(typed);
  const size_t dot = name.rfind('.');
  return typed.substr(0, typed.size() - name.size()) + (dot == std::string::npos ? name : name.substr(0, dot)) + ".lzh";
}

bool UnsafeEntry(const std::string& entry) {
  if (entry.empty() || entry[0] == '/' || entry[0] == '\\' || text::FindChar(entry, ':') != std::string::npos) return true;
  std::string part;
  for (size_t i = 0; i <= entry.size(); ++i) {
    if (i == entry.size() || entry[i] == '/' || entry[i] == '\\') {
      if (part == ".." || text::IsDeviceName(part)) return true;
      part.clear();
    } else {
      part += entry[i];
    }
  }
  return false;
}

std::string FreeSubFolder(const std::function<bool(const std::string&)>& exists, const std::string& folder) {
  for (int n = 0; n < 1000; ++n) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", n);
    const std::string candidate = text::AddYen(folder) + digits;
    if (!exists(candidate)) return candidate;
  }
  return {};
}

Archives::Archives(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Services& os, common::TMKBoxDlg& box,
                   ArchiveHooks hooks)
    : app_(app), f_(form), os_(os), box_(box), hooks_(std::move(hooks)),
      nameDialog_(std::make_unique<common::TSNBoxDlg>(app, os.desktop)) {
  nameDialog_->SNText = "ABC";
}

Archives::~Archives() = default;

void Archives::AttachEvents() {
  for (gui::MenuItem* item : {&f_.PLZH2, &f_.PLZH0, &f_.PLZH3, &f_.PLZH1}) {
    item->OnClick = [this](gui::Component& sender) { ExtractCommand(static_cast<gui::MenuItem&>(sender)); };
  }
  for (gui::MenuItem* item : {&f_.PASHUKU, &f_.PASHUKUALL}) {
    item->OnClick = [this](gui::Component& sender) { CompressCommand(static_cast<gui::MenuItem&>(sender)); };
  }
  f_.PLZH5.OnClick = [this](gui::Component&) { f_.PLZH5.SetChecked(!f_.PLZH5.Checked()); };
  for (gui::Label* label : {&f_.Label21, &f_.Label22}) {
    label->OnClick = [this](gui::Component&) {
      if (hooks_.RequestStop) hooks_.RequestStop();
      LeaveView();
    };
  }
  f_.Timer5.OnTimer = [this](gui::Component&) { Timer5Timer(); };
}

void Archives::Title(const std::string& file, const char* state) {
  if (!hooks_.ShowTitle) return;
  hooks_.ShowTitle(file.empty() ? std::string()
                                : (hooks_.TitlePrefix ? hooks_.TitlePrefix() : "") + text::UpperAscii(FileNameOf(file)) + state);
}

void Archives::LeaveView() {
  viewOn_ = false;
  f_.ComboBox2.Show();
  f_.ListBox3.Hide();
}

bool Archives::ListIntoView() { return List() == Listing::kListed; }

Archives::Listing Archives::List() {
  std::unique_ptr<platform::Archiver> lib =
      LoadWith(os_, {platform::archiver::kGetRunning, platform::archiver::kRun, platform::archiver::kOpenArchive,
                     platform::archiver::kFindFirst, platform::archiver::kFindNext, platform::archiver::kCloseArchive});
  const auto fail = [this](Listing why = Listing::kFailed) {
    currentArchive.clear();
    LeaveView();
    return why;
  };
  if (!lib) return fail();
  f_.Label21.Show();
  if (viewOn_) return Listing::kFailed;
  while (lib->Running()) app_.ProcessMessages();
  const int middle = f_.Scale(kMiddleFolderWidth);
  if (f_.Panel_FOL.Width() < middle) f_.Panel_FOL.SetWidth(middle);
  f_.ListBox3.ClearItems();
  f_.ListBox3.SetTag(-1);
  const uintptr_t archive = lib->OpenArchive(f_.GetHandle(), currentArchive, kOpenMode);
  if (archive == 0) return fail();
  std::vector<std::string> rows;
  for (auto entry = lib->FindFirst(archive, "*.*"); entry; entry = lib->FindNext(archive)) {
    const size_t slash = entry->rfind('/');
    rows.push_back(slash == std::string::npos ? *entry : entry->substr(slash + 1));
  }
  lib->CloseArchive(archive);
  if (rows.empty()) return fail(Listing::kEmpty);
  while (lib->Running()) app_.ProcessMessages();
  f_.ListBox3.SetItems(rows);
  if (hooks_.Reverse && hooks_.Reverse()) f_.ListBox3.SetTag(f_.ListBox3.Count() - 1);
  viewOn_ = true;
  f_.Label21.SetCaption(text::UpperAscii(FileNameOf(currentArchive)));
  f_.Label22.SetCaption(std::to_string(f_.ListBox3.Count()) + "ｺ");
  f_.ComboBox2.Hide();
  f_.ListBox3.Show();
  currentArchive = text::UpperAscii(currentArchive);
  return Listing::kListed;
}

bool Archives::Extract(const std::string& pattern, const std::string& destination) {
  std::unique_ptr<platform::Archiver> lib = LoadWith(os_, {platform::archiver::kGetRunning, platform::archiver::kRun});
  if (!lib) return false;
  // Whatever the archive holds, nothing is written outside the destination: an archive with an
  // entry that names another place is not extracted at all.
  const uintptr_t archive = lib->OpenArchive(f_.GetHandle(), currentArchive, kOpenMode);
  if (archive != 0) {
    bool unsafe = false;
    for (auto entry = lib->FindFirst(archive, "*.*"); entry && !unsafe; entry = lib->FindNext(archive)) {
      unsafe = UnsafeEntry(*entry);
    }
    lib->CloseArchive(archive);
    if (unsafe) return false;
  }
  Title(currentArchive, " (解凍中)");
  const std::string folder = destination.empty() ? (hooks_.WorkingFolder ? hooks_.WorkingFolder() : "") : destination;
  const std::string command = " e -ma1 " + Quoted(currentArchive) + " " + Quoted(folder) + " " + Quoted(pattern) + " ";
  std::string output;
  const bool ok = command.size() < kExtractCommand &&
                  RunIdle(app_, *lib, command, output, kExtractOutput, f_.GetHandle()) == 0;
  Title("", "");
  return ok;
}

bool Archives::BuildListingText() {
  std::unique_ptr<platform::Archiver> lib = LoadWith(os_, {platform::archiver::kGetRunning, platform::archiver::kRun});
  if (!lib) return false;
  const std::string command = " l -x1 " + Quoted(currentArchive) + " ";
  std::string output;
  if (command.size() >= kListCommand || RunIdle(app_, *lib, command, output, kListOutput, f_.GetHandle()) != 0) {
    currentArchive.clear();
    LeaveView();
    return false;
  }
  std::vector<std::string> rows = {"LZH格納ﾌｧｲﾙ一覧表示　ﾃﾞｰﾀ取得日時：" + Now(os_.fs), "", currentArchive, ""};
  for (std::string& row : ReshapeListing(output)) rows.push_back(std::move(row));
  const std::string working = hooks_.WorkingFolder ? hooks_.WorkingFolder() : "";
  return !working.empty() && store::SaveList(os_.fs, working + "LzH$$$$$.TXT", rows).ok();
}

bool Archives::StartPlay(const std::string& archive) {
  const std::string working = hooks_.WorkingFolder ? hooks_.WorkingFolder() : "";
  if (working.empty() || !os_.fs.FileExists(archive)) return false;
  // A run plays the archive from its own folder below the working folder, extracted afresh.
  const std::string folder = working + FileNameOf(archive);
  if (!os_.fs.DirectoryExists(folder) && !browse::CreateOwnFolder(os_.fs, os_.shell, folder).ok()) return false;
  currentArchive = archive;
  if (!Extract("*.*", text::AddYen(folder))) return false;
  extractionFolder_ = folder;
  f_.Timer5.SetEnabled(true);
  return true;
}

void Archives::Timer5Timer() {
  f_.Timer5.SetEnabled(false);
  bool listed = false;
  {
    gui::HourGlass busy(app_);
    Title(currentArchive, " (一覧取得中)");
    listed = ListIntoView();
    Title("", "");
  }
  if (hooks_.ContinuePlay) hooks_.ContinuePlay(listed);
}

SelectedRows Archives::SourceRows(bool all) {
  SelectedRows rows = RowsOf(f_, hooks_.Source ? hooks_.Source() : nullptr, hooks_.FileListFolder);
  if (all && rows.selection != nullptr && rows.selection->MultiSelect()) {
    for (int i = 0; i < rows.selection->Count(); ++i) rows.selection->SetSelected(i, true);
  }
  return rows;
}

std::string Archives::Destination(const std::string& archive, std::string& error) {
  const std::string working = hooks_.WorkingFolder ? hooks_.WorkingFolder() : "";
  const std::string folder = working + FileNameOf(archive);
  const auto exists = [this](const std::string& f) { return os_.fs.DirectoryExists(f); };
  if (working.empty() || !exists(folder)) {
    if (working.empty() || !browse::CreateOwnFolder(os_.fs, os_.shell, folder).ok() || !exists(folder)) {
      box_.MsgOKTimer(folder + "\n" + "ﾌｫﾙﾀﾞｰの作成に失敗しました", 1);
      error = "新規ﾌｫﾙﾀﾞｰ作成ｴﾗｰ：";
      return {};
    }
    return folder;
  }
  const std::string question = folder + "\n" + "既に同名のフォルダーが存在します。" + "\n";
  if (box_.MsgYesNo(question + "新規にサブフォルダーを作成しますか？？") == gui::kMrYes) {
    const std::string sub = FreeSubFolder(exists, folder);
    if (sub.empty() || !browse::CreateOwnFolder(os_.fs, os_.shell, sub).ok() || !exists(sub)) {
      box_.MsgOKTimer((sub.empty() ? text::AddYen(folder) + "999" : sub) + "\n" + "ﾌｫﾙﾀﾞｰの作成に失敗しました", 1);
      error = "ｻﾌﾞﾌｫﾙﾀﾞｰ作成ｴﾗｰ：";
      return {};
    }
    return sub;
  }
  if (box_.MsgYesNo(question + "このフォルダーに上書き解凍してよろしいですか？？") != gui::kMrYes) return {};
  return folder;
}

void Archives::ExtractCommand(const gui::MenuItem& sender) {
  const bool all = &sender == &f_.PLZH3 || &sender == &f_.PLZH1;
  const bool saversOnly = &sender == &f_.PLZH0 || &sender == &f_.PLZH1;
  gui::HourGlass hourGlass(app_);
  busy_ = true;
  stopRequested_ = false;
  errors_.clear();
  SelectedRows rows = SourceRows(all);
  int count = 0;
  const bool stopped = ForEachSelected(app_, rows, hooks_.RepairFilePath, stopRequested_, [&](const std::string& path, int) {
    if (UpperExtension(path) != ".LZH") return true;
    std::string error;
    bool skip = false;
    if (!os_.fs.FileExists(path)) {
      error = "ﾌｧｲﾙがありません：";
    } else if (saversOnly) {
      currentArchive = path;
      const Listing listing = List();
      if (listing != Listing::kListed) {
        error = listing == Listing::kEmpty ? "LZH格納ﾌｧｲﾙ無しｴﾗｰ：" : "LZH一覧取得ｴﾗｰ：";
      } else {
        const std::vector<std::string>& names = f_.ListBox3.Items();
        skip = std::none_of(names.begin(), names.end(), [](const std::string& n) {
          return UpperExtension(n).substr(0, 4) == ".SCR";
        });
      }
      LeaveView();
    }
    if (error.empty() && !skip) {
      const std::string destination = Destination(path, error);
      if (error.empty() && !destination.empty()) {
        if (f_.PLZH5.Checked() && !text::SameText(text::CutYen(FolderOf(path)), destination) &&
            !CopyFile(os_.fs, path, text::AddYen(destination) + FileNameOf(path), [this] { app_.ProcessMessages(); })
                 .empty()) {
          box_.MsgOKTimer(path + "\n" + "ﾌｧｲﾙのコピーに失敗しました", 1);
          error = "LZHﾌｧｲﾙ ｺﾋﾟｰｴﾗｰ：";
        } else {
          currentArchive = path;
          if (Extract("*.*", text::AddYen(destination))) {
            ++count;
          } else {
            box_.MsgOKTimer(path + "\n" + "ﾌｧｲﾙの解凍に失敗しました", 1);
            error = "LZHﾌｧｲﾙ 解凍ｴﾗｰ：";
          }
        }
      }
    }
    if (!error.empty()) errors_.push_back(error + "　" + text::UpperAscii(path));
    return true;
  }, [this](const std::string& path) { return RowFailed(path, "ﾌｧｲﾙの解凍に失敗しました", "LZHﾌｧｲﾙ 解凍ｴﾗｰ："); });
  if (stopped) box_.MsgOK("中断ボタンが押されました。\n解凍を強制終了します。");
  box_.MsgOK(std::to_string(count) + "個のLZHファイルを解凍しました。");
  if (!errors_.empty()) ShowErrorReport("LZH解凍ｴﾗｰ一覧　", "LZH解凍ｴﾗｰ：ｴﾗｰ一覧が表示出来ませんでした・・・");
  busy_ = false;
}

bool Archives::RowFailed(const std::string& path, const char* notice, const char* label) {
  LeaveView();
  Title("", "");
  box_.MsgOKTimer(path + "\n" + notice, 1);
  errors_.push_back(label + std::string("　") + text::UpperAscii(path));
  return true;
}

void Archives::ShowErrorReport(const std::string& title, const char* failure) {
  std::vector<std::string> report = {title + Now(os_.fs), std::to_string(errors_.size()) + "個ｴﾗｰが発生しました。", kDashes};
  report.insert(report.end(), errors_.begin(), errors_.end());
  report.push_back(kDashes);
  const std::string working = hooks_.WorkingFolder ? hooks_.WorkingFolder() : "";
  if (ShowReport(os_, working, "ErR$$$$$.TXT", report) != ReportShown::kShown) box_.MsgOK(failure);
}

void Archives::CompressCommand(const gui::MenuItem& sender) {
  SelectedRows rows = SourceRows(&sender == &f_.PASHUKUALL);
  if (rows.main == nullptr) return;
  nameDialog_->Title = "圧縮ﾌｧｲﾙ名の入力";
  nameDialog_->StandardColor = !hooks_.StandardColors || hooks_.StandardColors();
  // The typed text names the archive inside the output folder and nowhere else: its folder part
  // is dropped, and a name that would still lead elsewhere is refused.
  const std::string typed = nameDialog_->InputText("圧縮ﾌｧｲﾙ名を入力して下さい") == gui::kMrOk ? FileNameOf(nameDialog_->SNText) : "";
  if (!text::IsPlainName(typed)) {
    box_.MsgOK("LZH圧縮：ﾌｧｲﾙ名を設定して下さい");
    return;
  }
  const std::string working = hooks_.WorkingFolder ? hooks_.WorkingFolder() : "";
  const std::string out = working + "$$$$圧縮";
  if (working.empty() || (!os_.fs.DirectoryExists(out) && !browse::CreateOwnFolder(os_.fs, os_.shell, out).ok())) {
    box_.MsgOKTimer(out + "\n" + "LZH圧縮ｴﾗｰ：ﾌｫﾙﾀﾞｰの作成に失敗しました", 1);
    return;
  }
  os_.fs.SetCurrentFolder(out);
  const std::string archive = out + "\\" + ArchiveName(typed);
  f_.ListBox3.ClearItems();
  if (os_.fs.FileExists(archive)) {
    currentArchive = archive;
    ListIntoView();
    viewOn_ = false;
    f_.ComboBox2.Show();
    f_.ListBox3.Hide();
  }
  std::unique_ptr<platform::Archiver> lib = LoadArchiverLibrary(os_);
  if (!lib) {
    box_.MsgOK("LZH圧縮ｴﾗｰ：UnLha32.DLLが見つかりません");
    return;
  }
  if (!lib->Has(platform::archiver::kGetRunning) || !lib->Has(platform::archiver::kRun)) {
    box_.MsgOK("LZH圧縮ｴﾗｰ：関数が見つかりません");
    return;
  }
  gui::HourGlass hourGlass(app_);
  busy_ = true;
  stopRequested_ = false;
  errors_.clear();
  int count = 0;
  const bool stopped = ForEachSelected(app_, rows, hooks_.RepairFilePath, stopRequested_, [&](const std::string& path, int) {
    std::string error;
    if (!os_.fs.FileExists(path)) {
      error = "ﾌｧｲﾙがありません：";
    } else {
      const std::string name = text::UpperAscii(FileNameOf(path));
      const std::vector<std::string>& stored = f_.ListBox3.Items();
      const bool there = std::any_of(stored.begin(), stored.end(), [&](const std::string& s) { return text::SameText(s, name); });
      if (!there) {
        f_.ListBox3.AddItem(name);
      } else if (box_.MsgYesNo(path + "\n" + "：同名ファイルが存在します。" + "\n" + "上書きしますか？？") != gui::kMrYes) {
        error = "格納同名ﾌｧｲﾙ有り飛ばした：";
      }
      if (error.empty()) {
        Title(path, " (圧縮中)");
        const std::string command = " a -a1 " + Quoted(archive) + " " + Quoted(path) + " ";
        std::string output;
        if (command.size() < kAddCommand && RunIdle(app_, *lib, command, output, kAddOutput, f_.GetHandle()) == 0) {
          ++count;
        } else {
          box_.MsgOKTimer(path + "\n" + "ﾌｧｲﾙの圧縮に失敗しました", 1);
          error = "LZHﾌｧｲﾙ 圧縮ｴﾗｰ：";
        }
      }
    }
    if (!error.empty()) errors_.push_back(error + "　" + text::UpperAscii(path));
    return true;
  }, [this](const std::string& path) { return RowFailed(path, "ﾌｧｲﾙの圧縮に失敗しました", "LZHﾌｧｲﾙ 圧縮ｴﾗｰ："); });
  while (lib->Running()) app_.ProcessMessages();
  lib.reset();
  Title("", "");
  if (stopped) box_.MsgOK("中断ボタンが押されました。\n圧縮を強制終了します。");
  box_.MsgOK(std::to_string(count) + "個のファイルを圧縮しました。");
  if (!errors_.empty()) ShowErrorReport("LZH圧縮ｴﾗｰ一覧　", "LZH圧縮ｴﾗｰ：メモリーが確保できません");
  busy_ = false;
}

}  // namespace fileops
