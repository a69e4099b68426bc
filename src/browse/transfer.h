// Drag and drop between the manager's lists: file list rows are copied into the memory list or
// the trash, memory and trash entries are moved or copied between the two. A drop asks with the
// drop menu (move or copy, selected rows or all) and the rows go in at the insert point the drag
// left on the target.
#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace gui {
class Application;
class Component;
class Control;
class ListBox;
class MenuItem;
}  // namespace gui

namespace common {
class TMKBoxDlg;
}

namespace forms {
class TQUOVEL32KAPUL;
}

namespace browse {

class FileBrowser;

struct TransferHooks {
  // The caption of the current memory list in ComboBox1 from its row count.
  std::function<void(std::size_t count)> MemoryCaption;
  // Whether the trash is emptied before it receives (its "CLR" mode).
  std::function<bool()> TrashClearsOnReceive;
  // The trash picture after its row count changed (full or empty).
  std::function<void(bool full)> TrashPicture;
  // The click-suppress flag of the file information line is cleared by a drag over a list.
  std::function<void()> ClearClickSuppress;
};

class Transfers {
 public:
  Transfers(gui::Application& app, forms::TQUOVEL32KAPUL& form, common::TMKBoxDlg& box, FileBrowser& browser,
            TransferHooks hooks);

  void AttachEvents();

  // Set by a drop (and by a right click on the lists) while its menu has not opened yet; a drop
  // meanwhile is ignored.
  bool MenuPending() const { return menuPending_; }
  void SetMenuPending(bool pending) { menuPending_ = pending; }

  void MemoryDragOver(gui::Control& sender, gui::Component& source, int x, int y, bool& accept);
  void TrashIconDragOver(gui::Component& source, bool& accept);
  void TrashListDragOver(gui::Control& sender, gui::Component& source, int x, int y, bool& accept);
  void Drop(gui::Control& target, gui::Component& source, int x, int y);
  // P0 move selected, P1 copy selected, P2 move all, P3 copy all.
  void MenuCommand(gui::MenuItem& item);

  // Copies (or moves) the selected rows of `source` into the list pair of `target` at
  // `insertIndex` (-1: append). Returns false when the target filled up.
  bool Transfer(gui::ListBox& source, gui::ListBox& target, bool move, int insertIndex);

 private:
  bool IsFileList(const gui::Component& c) const;
  bool IsMemoryList(const gui::Component& c) const;
  bool IsTrashList(const gui::Component& c) const;
  void ShowCounts();
  void MarkInsertRow(const gui::ListBox& under, gui::ListBox& main, gui::ListBox& twin, int x, int y);

  gui::Application& app_;
  forms::TQUOVEL32KAPUL& f_;
  common::TMKBoxDlg& box_;
  FileBrowser& browser_;
  TransferHooks hooks_;
  bool menuPending_ = false;
  gui::Component* dropTarget_ = nullptr;
  gui::Component* dropSource_ = nullptr;
};

}  // namespace browse
