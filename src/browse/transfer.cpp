#include "browse/transfer.h"

#include <optional>
#include <string>

#include "browse/file_browser.h"
#include "browse/list_editing.h"
#include "text/text_path.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/backend.h"
#include "browse/list_capacity.h"

namespace browse {

using namespace text;

namespace {

// `row` becomes the only selected row and the current one (-1: none).
void SelectOnly(gui::ListBox& list, int row) {
  if (list.MultiSelect()) {
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Selected(i) && i != row) list.SetSelected(i, false);
    }
    if (row >= 0) list.SetSelected(row, true);
  }
  list.SetItemIndex(row);
}

void SelectAll(gui::ListBox& list) {
  list.SetTag(-1);
  if (!list.MultiSelect()) return;
  for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, true);
}

// A screen point for a client point of a control: the parents' offsets, the form's place and
// its frame (the caption and menu take the difference above the client area).
gui::Point ScreenPoint(gui::Application& app, gui::Control& control, int x, int y) {
  gui::Control* c = &control;
  while (c->Parent() != nullptr) {
    x += c->Left();
    y += c->Top();
    c = c->Parent();
  }
  const gui::Form& form = control.OwnerForm();
  const gui::Size extra = app.GetBackend().FrameExtra(form.BorderStyle(), form.Menu() != nullptr, form.FormDpi().ppi);
  return {form.Left() + x + extra.width / 2, form.Top() + y + extra.height - extra.width / 2};
}

}  // namespace

Transfers::Transfers(gui::Application& app, forms::TQUOVEL32KAPUL& form, common::TMKBoxDlg& box, FileBrowser& browser,
                     TransferHooks hooks)
    : app_(app), f_(form), box_(box), browser_(browser), hooks_(std::move(hooks)) {}

void Transfers::AttachEvents() {
  for (gui::ListBox* list : {&f_.ListBox2, &f_.ListBox8}) {
    list->OnDragOver = [this](gui::Component& sender, gui::Component& source, int x, int y, bool& accept) {
      MemoryDragOver(static_cast<gui::Control&>(sender), source, x, y, accept);
    };
  }
  f_.Image1.OnDragOver = [this](gui::Component&, gui::Component& source, int, int, bool& accept) {
    TrashIconDragOver(source, accept);
  };
  for (gui::ListBox* list : {&f_.ListBox6, &f_.ListBox9}) {
    list->OnDragOver = [this](gui::Component& sender, gui::Component& source, int x, int y, bool& accept) {
      TrashListDragOver(static_cast<gui::Control&>(sender), source, x, y, accept);
    };
  }
  for (gui::Control* c : std::initializer_list<gui::Control*>{&f_.ListBox2, &f_.ListBox8, &f_.Image1, &f_.ListBox6,
                                                              &f_.ListBox9}) {
    c->OnDragDrop = [this](gui::Component& sender, gui::Component& source, int x, int y) {
      Drop(static_cast<gui::Control&>(sender), source, x, y);
    };
  }
  // The drag sources start dragging by themselves.
  for (gui::ListBox* list : {&f_.ListBox2, &f_.ListBox8, &f_.ListBox4, &f_.ListBox7, &f_.ListBox6, &f_.ListBox9}) {
    list->SetDragMode(gui::DragMode::Automatic);
  }
  f_.PopupMenu1.OnPopup = [this](gui::Component&) {
    app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
    app_.ProcessMessages();
    menuPending_ = false;
    app_.GetScreen().SetCursor(gui::Cursor::Default);
  };
  for (gui::MenuItem* item : {&f_.P0, &f_.P1, &f_.P2, &f_.P3}) {
    item->OnClick = [this](gui::Component& sender) { MenuCommand(static_cast<gui::MenuItem&>(sender)); };
  }
  f_.P4.OnClick = [](gui::Component&) {};
}

bool Transfers::IsFileList(const gui::Component& c) const { return &c == &f_.ListBox4 || &c == &f_.ListBox7; }
bool Transfers::IsMemoryList(const gui::Component& c) const { return &c == &f_.ListBox2 || &c == &f_.ListBox8; }
bool Transfers::IsTrashList(const gui::Component& c) const { return &c == &f_.ListBox6 || &c == &f_.ListBox9; }

void Transfers::MemoryDragOver(gui::Control& sender, gui::Component& source, int x, int y, bool& accept) {
  if (hooks_.ClearClickSuppress) hooks_.ClearClickSuppress();
  accept = false;
  if (&source == &sender) return;
  const gui::Component* from = &source == &f_.Image1 ? &f_.ListBox6 : &source;
  if (IsTrashList(*from)) {
    accept = f_.ListBox6.Count() > 0;
  } else if (IsFileList(*from)) {
    accept = f_.ListBox4.Count() > 0;
  } else {
    accept = true;
  }
  if (accept) MarkInsertRow(static_cast<gui::ListBox&>(sender), f_.ListBox2, f_.ListBox8, x, y);
}

void Transfers::TrashListDragOver(gui::Control& sender, gui::Component& source, int x, int y, bool& accept) {
  if (hooks_.ClearClickSuppress) hooks_.ClearClickSuppress();
  accept = &source != &sender && !(IsMemoryList(source) && f_.ListBox2.Count() == 0);
  if (accept) MarkInsertRow(static_cast<gui::ListBox&>(sender), f_.ListBox6, f_.ListBox9, x, y);
}

// The row under the mouse (-1 beyond the last row) is where a drop goes in: it becomes the
// current and only selected row of the pair.
void Transfers::MarkInsertRow(const gui::ListBox& under, gui::ListBox& main, gui::ListBox& twin, int x, int y) {
  const int row = under.ItemAtPos({x, y});
  main.SetTag(row);
  SelectOnly(main, row);
  if (f_.SSN.Checked()) {
    twin.SetTag(row);
    SelectOnly(twin, row);
  }
}

void Transfers::TrashIconDragOver(gui::Component& source, bool& accept) {
  accept = !(&source == &f_.Image1 || IsFileList(source) || (IsMemoryList(source) && f_.ListBox2.Count() == 0));
}

void Transfers::Drop(gui::Control& target, gui::Component& source, int x, int y) {
  if (menuPending_) return;
  menuPending_ = true;
  app_.ProcessMessages();
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  dropTarget_ = &target;
  dropSource_ = &source;
  // Files can only be copied; the trash icon stands for the whole trash.
  const bool files = IsFileList(source);
  const bool icon = &source == &f_.Image1;
  f_.P0.SetEnabled(!files && !icon);
  f_.P1.SetEnabled(!icon);
  f_.P2.SetEnabled(!files);
  f_.P3.SetEnabled(true);
  // The menu opens at the drop point, a little above and left of it.
  const int half = f_.Font().PixelHeight() / 2;
  const gui::Point p = ScreenPoint(app_, target, x, y);
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  f_.PopupMenu1.Popup(p.x - half, p.y - half);
  menuPending_ = false;
}

void Transfers::MenuCommand(gui::MenuItem& item) {
  if (dropTarget_ == nullptr || dropSource_ == nullptr) return;
  const bool move = &item == &f_.P0 || &item == &f_.P2;
  const bool all = &item == &f_.P2 || &item == &f_.P3;
  gui::ListBox* source = nullptr;
  if (dropSource_ == &f_.Image1) {
    source = &f_.ListBox6;
    SelectAll(f_.ListBox6);
    SelectAll(f_.ListBox9);
  } else {
    source = dynamic_cast<gui::ListBox*>(dropSource_);
    if (source == nullptr) return;
    if (all) SelectAll(*source);
  }
  if (dropTarget_ != &f_.Image1) {
    auto* target = dynamic_cast<gui::ListBox*>(dropTarget_);
    if (target != nullptr) Transfer(*source, *target, move, static_cast<int>(target->Tag()));
  } else {
    // Rows of the trash thrown at the trash are already there: emptying it first would lose them.
    if (source != &f_.ListBox6 && source != &f_.ListBox9 && hooks_.TrashClearsOnReceive &&
        hooks_.TrashClearsOnReceive()) {
      f_.ListBox6.ClearItems();
      f_.ListBox9.ClearItems();
      f_.ListBox6.SetTag(-1);
      f_.ListBox9.SetTag(-1);
    }
    Transfer(*source, f_.ListBox6, move, -1);
  }
  dropTarget_ = dropSource_ = nullptr;
}

bool Transfers::Transfer(gui::ListBox& source, gui::ListBox& target, bool move, int insertIndex) {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  f_.Panel4.Show();
  app_.ProcessMessages();
  const bool toMemory = IsMemoryList(target);
  gui::ListBox& toMain = toMemory ? f_.ListBox2 : f_.ListBox6;
  gui::ListBox& toTwin = toMemory ? f_.ListBox8 : f_.ListBox9;
  const bool fromFiles = IsFileList(source);
  const bool fromMemory = IsMemoryList(source);
  gui::ListBox& fromMain = fromFiles ? f_.ListBox4 : fromMemory ? f_.ListBox2 : f_.ListBox6;
  gui::ListBox& fromTwin = fromFiles ? f_.ListBox7 : fromMemory ? f_.ListBox8 : f_.ListBox9;
  const std::string prefix = fromFiles ? AddYen(browser_.FileListFolder()) : std::string();
  const bool twins = f_.SSN.Checked();
  // A list never receives its own rows (the drag refuses that too).
  const bool sameList = &toMain == &fromMain;
  const bool deletes = move && !fromFiles && !sameList;

  bool full = false;
  int firstDeleted = -1;
  const int selected = SelectedCount(source);
  int row = FirstRowToWalk(source, selected, source.Tag());
  if (sameList) row = source.Count();
  std::optional<gui::ListUpdate> batch;
  batch.emplace(std::initializer_list<gui::ListBox*>{&toMain, &toTwin, &fromMain, &fromTwin});
  for (; row < source.Count() && row < fromMain.Count(); ++row) {
    if (!source.Selected(row)) continue;
    if (AtCapacity(static_cast<size_t>(toMain.Count()))) {
      full = true;
      break;
    }
    const std::string path = prefix + fromMain.Item(row);
    const std::string twin = row < fromTwin.Count() ? fromTwin.Item(row) : std::string();
    if (insertIndex < 0 || insertIndex > toMain.Count()) {
      toMain.AddItem(path);
      if (twins) toTwin.AddItem(twin);
    } else {
      toMain.InsertItem(insertIndex, path);
      if (twins) toTwin.InsertItem(insertIndex, twin);
      ++insertIndex;
      toMain.SetTag(insertIndex);
      toTwin.SetTag(insertIndex);
    }
    if (deletes) {
      fromMain.DeleteItem(row);
      if (row < fromTwin.Count()) fromTwin.DeleteItem(row);
      if (firstDeleted < 0) firstDeleted = row;
      --row;
    }
    if (AtCapacity(static_cast<size_t>(toMain.Count()))) {
      full = true;
      break;
    }
  }
  batch.reset();  // the lists are drawn before a message covers them
  if (full) box_.MsgOK("データ項目制限：" + std::to_string(toMain.Count()) + "\n" + "データ登録を強制停止します。");
  if (deletes && firstDeleted >= 0) {
    int tag = firstDeleted < fromMain.Count() ? firstDeleted : -1;
    fromMain.SetTag(tag);
    fromTwin.SetTag(tag);
    SelectOnly(fromMain, tag);
    if (twins) SelectOnly(fromTwin, tag);
  }
  ShowCounts();
  f_.Panel4.Hide();
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  return !full;
}

void Transfers::ShowCounts() {
  if (hooks_.MemoryCaption) hooks_.MemoryCaption(static_cast<size_t>(f_.ListBox2.Count()));
  const std::string trash = std::to_string(f_.ListBox6.Count()) + "ｺ";
  f_.Label7.SetCaption(trash);
  f_.LabelGomiKosu2.SetCaption(trash);
  if (hooks_.TrashPicture) hooks_.TrashPicture(f_.ListBox6.Count() > 0);
}

}  // namespace browse
