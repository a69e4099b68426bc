// The trash and the editing of the lists: emptying the trash ("cls", Clear), its receive mode
// (CLR or add), its panel and icon, the 削除 buttons that delete the selected rows of the memory
// list, the trash or the folder history (never a file), and the mouse on the lists of files: a
// right click opens the file menu, a right click on the trash icon the trash panel, and a press
// ended on a list marks the click that may follow as one the information line skips.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

namespace gui {
class Application;
class Component;
class ListBox;
enum class MouseButton;
}  // namespace gui

namespace platform {
class Desktop;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

struct ListEditingHooks {
  // The caption of the current memory list in ComboBox1 from its row count.
  std::function<void(std::size_t count)> MemoryCaption;
  // The list a single play takes its row from.
  std::function<void(gui::ListBox& list)> SetPlayList;
  // The click-suppress flag of the information line.
  std::function<void(bool on)> SetClickSuppress;
  // A drop or a right click waiting for its menu: no second menu meanwhile.
  std::function<bool()> MenuPending;
  std::function<void(bool pending)> SetMenuPending;
  // The receive mode was changed by the user (stored as -1 for CLR from then on).
  std::function<void()> ReceiveModeToggled;
};

// The trash icon: full or empty.
void ShowTrashPicture(forms::TQUOVEL32KAPUL& form, bool full);

// How many rows of `list` are selected (the current row of a single-select list).
int SelectedCount(const gui::ListBox& list);
// Where a walk over the selected rows of `list` starts: at the current row `tag` when it is the
// one selected row (a Ctrl-click may have taken the current row off again), else at the top.
int FirstRowToWalk(const gui::ListBox& list, int selected, intptr_t tag);

class ListEditing {
 public:
  ListEditing(gui::Application& app, forms::TQUOVEL32KAPUL& form, platform::Desktop& desktop, ListEditingHooks hooks);

  void AttachEvents();

  // Button17 "cls" and ButtonGomiALLCUT "Clear".
  void EmptyTrash();
  // ButtonMCut, ButtonGomiCUT and ButtonKaKoCut: the selected rows of their list (and its twin
  // while names are shown) go; the row after them becomes current. An empty list only beeps.
  void DeleteRows(const gui::Component& button);
  // LabelGomiSASIN / LabelGomiTUIKA: CLR becomes add and add becomes CLR.
  void ToggleReceiveMode();
  // The count shown for a main list after rows of it went: the memory list's caption in
  // ComboBox1, the trash counters and icon, or the file count Label1.
  void CountChanged(const gui::ListBox& main);
  // The list whose right click opened the file menu (null before any).
  gui::ListBox* FileMenuSource() const { return menuSource_; }

  void ListMouseDown(gui::ListBox& list, gui::MouseButton button);
  void ListMouseUp();

 private:
  void ShowCounts();

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  platform::Desktop& desktop_;
  ListEditingHooks hooks_;
  gui::ListBox* menuSource_ = nullptr;
  bool pressed_ = false;  // a press on a list waits for its release
};

}  // namespace browse
