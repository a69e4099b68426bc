#include "browse/list_editing.h"

#include <string>

#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/desktop.h"

namespace browse {

int SelectedCount(const gui::ListBox& list) {
  if (!list.MultiSelect()) return list.ItemIndex() >= 0 ? 1 : 0;
  return list.SelCount();
}

int FirstRowToWalk(const gui::ListBox& list, int selected, intptr_t tag) {
  return selected == 1 && tag >= 0 && tag < list.Count() && list.Selected(static_cast<int>(tag)) ? static_cast<int>(tag) : 0;
}

namespace {

void SelectRow(gui::ListBox* list, int row) {
  if (list == nullptr) return;
  list->SetTag(row);
  if (row >= 0 && row < list->Count()) {
    if (list->MultiSelect()) list->SetSelected(row, true);
    list->SetItemIndex(row);
  }
}

}  // namespace

ListEditing::ListEditing(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Desktop& desktop,
                         ListEditingHooks hooks)
    : app_(app), f_(form), desktop_(desktop), hooks_(std::move(hooks)) {}

void ListEditing::AttachEvents() {
  for (gui::Button* b : {&f_.Button17, &f_.ButtonGomiALLCUT}) b->OnClick = [this](gui::Component&) { EmptyTrash(); };
  for (gui::Button* b : {&f_.ButtonMCut, &f_.ButtonGomiCUT, &f_.ButtonKaKoCut}) {
    b->OnClick = [this](gui::Component& sender) { DeleteRows(sender); };
  }
  for (gui::Label* l : {&f_.LabelGomiSASIN, &f_.LabelGomiTUIKA}) {
    l->OnClick = [this](gui::Component&) { ToggleReceiveMode(); };
  }
  f_.CheckBoxGomi.OnClick = [this](gui::Component&) { f_.ButtonMCut.SetVisible(f_.CheckBoxGomi.Checked()); };
  f_.ButtonGomiOFF.OnClick = [this](gui::Component&) {
    f_.PanelGomi.Hide();
    if (hooks_.SetPlayList) hooks_.SetPlayList(f_.SSN.Checked() ? f_.ListBox8 : f_.ListBox2);
  };
  // A right press on the trash icon opens the trash; a left press drags the icon (the whole trash).
  f_.Image1.OnMouseDown = [this](gui::Component&, gui::MouseButton button, gui::ShiftState, int, int) {
    if (button == gui::MouseButton::Right) f_.PanelGomi.Show();
  };
  for (gui::ListBox* list : {&f_.ListBox2, &f_.ListBox8, &f_.ListBox4, &f_.ListBox7, &f_.ListBox6, &f_.ListBox9}) {
    list->OnMouseDown = [this, list](gui::Component&, gui::MouseButton button, gui::ShiftState, int, int) {
      ListMouseDown(*list, button);
    };
    list->OnMouseUp = [this](gui::Component&, gui::MouseButton, gui::ShiftState, int, int) { ListMouseUp(); };
  }
  f_.PopupMenu2.OnPopup = [this](gui::Component&) {
    app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
    app_.ProcessMessages();
    if (hooks_.SetMenuPending) hooks_.SetMenuPending(false);
    app_.GetScreen().SetCursor(gui::Cursor::Default);
  };
}

void ShowTrashPicture(forms::TQUOVEL32KAPUL& form, bool full) {
  form.Image1.SetPicture((full ? form.Image3 : form.Image2).Picture());
}

void ListEditing::ShowCounts() {
  f_.LabelKaKo.SetCaption(std::to_string(f_.ListBoxKaKo.Count()) + "ｺ");
  CountChanged(f_.ListBox2);
  CountChanged(f_.ListBox6);
}

void ListEditing::CountChanged(const gui::ListBox& main) {
  const std::string count = std::to_string(main.Count()) + "ｺ";
  if (&main == &f_.ListBox2) {
    if (hooks_.MemoryCaption) hooks_.MemoryCaption(static_cast<std::size_t>(main.Count()));
  } else if (&main == &f_.ListBox6) {
    f_.Label7.SetCaption(count);
    f_.LabelGomiKosu2.SetCaption(count);
    ShowTrashPicture(f_, main.Count() > 0);
  } else {
    f_.Label1.SetCaption(count);
  }
}

void ListEditing::EmptyTrash() {
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  for (gui::ListBox* list : {&f_.ListBox6, &f_.ListBox9}) {
    list->ClearItems();
    list->SetTag(-1);
  }
  // Only here the counters carry a leading blank.
  const std::string empty = " " + std::to_string(f_.ListBox6.Count()) + "ｺ";
  f_.Label7.SetCaption(empty);
  f_.LabelGomiKosu2.SetCaption(empty);
  ShowTrashPicture(f_, false);
  app_.GetScreen().SetCursor(gui::Cursor::Default);
}

void ListEditing::DeleteRows(const gui::Component& button) {
  gui::ListBox* main = &f_.ListBox2;
  gui::ListBox* twin = &f_.ListBox8;
  if (&button == &f_.ButtonGomiCUT) {
    main = &f_.ListBox6;
    twin = &f_.ListBox9;
  } else if (&button == &f_.ButtonKaKoCut) {
    main = &f_.ListBoxKaKo;
    twin = nullptr;
  }
  if (twin != nullptr && !f_.SSN.Checked()) twin = nullptr;
  // The selection is the one the user sees: the names while they are shown.
  const gui::ListBox& shown = twin != nullptr ? *twin : *main;
  if (main->Count() == 0) {
    desktop_.Beep(platform::beep::kAsterisk);
    return;
  }
  int remaining = SelectedCount(shown);
  int row = FirstRowToWalk(shown, remaining, main->Tag());
  {
    gui::ListUpdate batch{main};
    for (; remaining > 0 && row < main->Count() && row < shown.Count(); ++row) {
      if (!shown.Selected(row)) continue;
      main->DeleteItem(row);
      if (twin != nullptr && row < twin->Count()) twin->DeleteItem(row);
      --remaining;
      // The rows after the deleted one moved up: this index is looked at again, unless that was
      // the last selected row, where the walk stops.
      if (remaining > 0) --row;
      else break;
    }
  }
  const int current = row < main->Count() ? row : -1;
  SelectRow(main, current);
  SelectRow(twin, current);
  ShowCounts();
  if (hooks_.SetClickSuppress) hooks_.SetClickSuppress(false);
}

void ListEditing::ToggleReceiveMode() {
  const bool clear = !f_.LabelGomiSASIN.Visible();
  f_.LabelGomiSASIN.SetVisible(clear);
  f_.LabelGomiTUIKA.SetVisible(!clear);
  if (hooks_.ReceiveModeToggled) hooks_.ReceiveModeToggled();
}

void ListEditing::ListMouseDown(gui::ListBox& list, gui::MouseButton button) {
  // A left press on a list that drags by itself belongs to the drag (or becomes a plain click);
  // only other presses count here, as they do for lists of this kind.
  if (button == gui::MouseButton::Left && list.DragMode() == gui::DragMode::Automatic) return;
  pressed_ = true;
  if (button != gui::MouseButton::Right) return;
  if (hooks_.MenuPending && hooks_.MenuPending()) return;
  if (hooks_.SetMenuPending) hooks_.SetMenuPending(true);
  menuSource_ = &list;
  app_.ProcessMessages();
  app_.GetScreen().SetCursor(gui::Cursor::HourGlass);
  const platform::Point at = desktop_.CursorPos().value_or(platform::Point{});
  f_.PopupMenu2.Popup(at.x, at.y);
  app_.GetScreen().SetCursor(gui::Cursor::Default);
  // The menu took the release of this press.
  pressed_ = false;
  if (hooks_.SetMenuPending) hooks_.SetMenuPending(false);
}

void ListEditing::ListMouseUp() {
  if (hooks_.SetClickSuppress) hooks_.SetClickSuppress(pressed_);
  pressed_ = false;
}

}  // namespace browse
