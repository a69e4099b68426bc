#include "store/histories.h"

#include "text/text_path.h"
#include "common/mkbox.h"
#include "common/tmset_box.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "store/manager_settings.h"

namespace store {

namespace {

std::string SizeCaption(const char* head, int size, const char* accel) {
  return std::string(head) + (size == 0 ? std::string("ＯＦＦ") : std::to_string(size) + "個") + " " + accel;
}

}  // namespace

std::string FolderHistoryCaption(int size) { return SizeCaption("フォルダーヒストリーの設定　", size, "(&H)"); }
std::string FileHistoryCaption(int size) { return SizeCaption("ファイルヒストリーの設定　", size, "(&F)"); }

Histories::Histories(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Desktop& desktop,
                     common::TMKBoxDlg& box, ManagerSettings& settings, HistoryHooks hooks)
    : app_(app), f_(form), desktop_(desktop), box_(box), settings_(settings), hooks_(std::move(hooks)) {}

void Histories::AttachEvents() {
  f_.Label19.OnClick = [this](gui::Component&) { Label19Click(); };
  f_.ListBoxKaKo.OnClick = [this](gui::Component&) { ListBoxKaKoClick(); };
  f_.ListBoxKaKo.OnDblClick = [this](gui::Component&) { f_.PanelKaKo.Hide(); };
  f_.ButtonALLCUT.OnClick = [this](gui::Component&) { ButtonALLCUTClick(); };
  f_.ButtonRESET.OnClick = [this](gui::Component&) { ButtonRESETClick(); };
  f_.ButtonKaKoOK.OnClick = [this](gui::Component&) { ButtonKaKoOKClick(); };
  f_.FOLDERHIS.OnClick = [this](gui::Component&) { FOLDERHISClick(); };
  f_.FILEHIS.OnClick = [this](gui::Component&) { FILEHISClick(); };
}

void Histories::ShowCount() { f_.LabelKaKo.SetCaption(std::to_string(f_.ListBoxKaKo.Count()) + "ｺ"); }

void Histories::Select(int row) {
  gui::ListBox& list = f_.ListBoxKaKo;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Selected(i) != (i == row)) list.SetSelected(i, i == row);
  }
  list.SetItemIndex(row);
  list.SetTag(row);
}

void Histories::RecordFolder(const std::string& folder) {
  if (settings_.Values().folderHis == 0 || browsing_) return;
  PutOnTop(folder, true);
}

void Histories::PutOnTop(const std::string& folder, bool trim) {
  gui::ListBox& list = f_.ListBoxKaKo;
  for (int i = 0; i < list.Count(); ++i) {
    if (text::SameText(list.Item(i), folder)) {
      list.DeleteItem(i);
      break;
    }
  }
  list.InsertItem(0, folder);
  // One row per recording: a list longer than a lowered size shrinks only as folders come back.
  const int size = settings_.Values().folderHis;
  if (trim && (list.Count() > size || list.Count() > kHistoryCeiling)) list.DeleteItem(list.Count() - 1);
  Select(0);
  ShowCount();
}

void Histories::Label19Click() {
  panelFolder_ = hooks_.FileListFolder ? hooks_.FileListFolder() : std::string();
  ShowCount();
  f_.PanelKaKo.Show();
}

void Histories::ListBoxKaKoClick() {
  gui::ListBox& list = f_.ListBoxKaKo;
  const int row = list.ItemIndex();
  list.SetTag(row);
  if (hooks_.ClickSuppressed && hooks_.ClickSuppressed()) {
    if (hooks_.ClearClickSuppress) hooks_.ClearClickSuppress();
    return;
  }
  if (row < 0 || row >= list.Count()) {
    desktop_.Beep(platform::beep::kExclamation);
    return;
  }
  gui::HourGlass busy(app_);
  browsing_ = true;
  if (hooks_.OpenFolder) hooks_.OpenFolder(list.Item(row));
  browsing_ = false;
}

void Histories::ButtonALLCUTClick() {
  gui::HourGlass busy(app_);
  f_.ListBoxKaKo.ClearItems();
  f_.ListBoxKaKo.SetTag(-1);
  ShowCount();
}

void Histories::ButtonRESETClick() {
  if (!panelFolder_.empty() && hooks_.OpenFolder) hooks_.OpenFolder(panelFolder_);
}

void Histories::ButtonKaKoOKClick() {
  f_.PanelKaKo.Hide();
  if (settings_.Values().folderHis == 0 || !hooks_.FileListFolder) return;
  const std::string folder = hooks_.FileListFolder();
  if (!folder.empty()) PutOnTop(folder, false);
}

void Histories::SetSize(int& size, const char* caption, const char* question, bool folders) {
  if (settings_.MenuEventsSuppressed()) return;
  settings_.SetMenuEventsSuppressed(true);
  app_.ProcessMessages();
  common::TTmSETBoxDlg dialog(app_, desktop_);
  dialog.TCount = size;
  dialog.MinCount = 0;
  dialog.Msg1 = question;
  if (dialog.Execute(caption) == 1) {
    size = dialog.TCount;
    if (folders) {
      f_.FOLDERHIS.SetCaption(FolderHistoryCaption(size));
    } else {
      f_.FILEHIS.SetCaption(FileHistoryCaption(size));
    }
  } else {
    box_.MsgOKTimer("中止しました。", 1);
  }
  settings_.SetMenuEventsSuppressed(false);
}

void Histories::FOLDERHISClick() {
  SetSize(settings_.Values().folderHis, "ﾌｫﾙﾀﾞｰﾋｽﾄﾘｰ", "ﾌｫﾙﾀﾞｰﾋｽﾄﾘｰ登録個数：", true);
}

void Histories::FILEHISClick() {
  SetSize(settings_.Values().fileHis, "ﾌｧｲﾙﾋｽﾄﾘｰ", "ﾌｧｲﾙﾋｽﾄﾘｰ登録個数：", false);
}

}  // namespace store
