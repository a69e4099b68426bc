#include "browse/list_info.h"

#include "browse/file_browser.h"
#include "browse/file_info.h"
#include "text/text_path.h"
#include "forms/manager/manager_form.h"

namespace browse {

using namespace text;

ListInfo::ListInfo(forms::TQUOVEL32KAPUL& form, FileBrowser& browser, ListInfoHooks hooks)
    : f_(form), browser_(browser), hooks_(std::move(hooks)) {}

void ListInfo::AttachEvents() {
  for (gui::ListBox* list : {&f_.ListBox4, &f_.ListBox7, &f_.ListBox2, &f_.ListBox8, &f_.ListBox6, &f_.ListBox9,
                             &f_.ListBox3}) {
    list->OnClick = [this, list](gui::Component&) { ListClick(*list); };
  }
}

gui::ListBox& ListInfo::MainOf(gui::ListBox& list) {
  if (&list == &f_.ListBox7) return f_.ListBox4;
  if (&list == &f_.ListBox8) return f_.ListBox2;
  if (&list == &f_.ListBox9) return f_.ListBox6;
  return list;
}

gui::ListBox* ListInfo::TwinOf(gui::ListBox& main) {
  if (&main == &f_.ListBox4) return &f_.ListBox7;
  if (&main == &f_.ListBox2) return &f_.ListBox8;
  if (&main == &f_.ListBox6) return &f_.ListBox9;
  return nullptr;
}

void ListInfo::ListClick(gui::ListBox& sender) {
  if (hooks_.SetPlayList) hooks_.SetPlayList(sender);
  gui::ListBox& main = MainOf(sender);
  const int row = sender.ItemIndex();
  main.SetTag(row);
  gui::ListBox* twin = TwinOf(main);
  if (twin != nullptr && f_.SSN.Checked()) twin->SetTag(row);
  if (clickSuppress_) {
    clickSuppress_ = false;
    return;
  }
  f_.Label3.SetCaption(kNoSize);
  f_.Label4.SetCaption(kNoDate);
  const std::string path = CurrentPath(sender);
  if (path.empty()) return;
  // Timers are kept under the real path, as a run reads them.
  ShowTimers(browser_.RepairedFilePath(path));
  browser_.ShowFileInfo(path);
}

std::string ListInfo::CurrentPath(gui::ListBox& list) {
  gui::ListBox& main = MainOf(list);
  const int row = list.ItemIndex();
  // A twin may hold more rows than its main list after a failed edit; such a row names no file.
  if (row < 0 || row >= main.Count()) return {};
  if (&main == &f_.ListBox3) return AddYen(hooks_.ArchiveFolder ? hooks_.ArchiveFolder() : std::string()) + main.Item(row);
  if (&main == &f_.ListBox4) return AddYen(browser_.FileListFolder()) + main.Item(row);
  return main.Item(row);
}

void ListInfo::ShowTimers(const std::string& path) {
  if (hooks_.Playing && hooks_.Playing()) return;
  f_.Label10.SetCaption(std::to_string(hooks_.FileTimer ? hooks_.FileTimer(path) : 0));
  f_.Label9.SetCaption(IntervalText(hooks_.Interval ? hooks_.Interval() : 0));
}

}  // namespace browse
