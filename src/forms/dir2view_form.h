// The browse window TDIR2VIEWForm: the drive and filter bar, the folder side (a header over the
// flat folder list and the folder tree), the file list, the chosen folder and file, and the
// accept and cancel buttons. The component in browse/ runs it.
#pragma once
#include "gui/button.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/header_control.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/list_box.h"
#include "gui/list_view.h"
#include "gui/panel.h"
#include "gui/tree_view.h"

namespace forms {

class TDIR2VIEWForm : public gui::Form {
 public:
  explicit TDIR2VIEWForm(gui::Application& app);

  // The file list's column widths for a list `listWidth` pixels wide. The columns are made
  // with the window; the filter, the folder and file fields and the header section follow their
  // panels' widths by themselves.
  static int ColumnWidth(int column, int listWidth);

  // Drive and filter bar.
  gui::Panel Panel_DRV{*this, "Panel_DRV"};
  gui::ComboBox ComboBox2{Panel_DRV, "ComboBox2"};  // drives, owner-drawn
  gui::Button Button_HF{Panel_DRV, "Button_HF"};    // back to the previous folder
  gui::Button Button5{Panel_DRV, "Button5"};        // up one level
  gui::Button Button3{Panel_DRV, "Button3"};        // new folder
  gui::Button Button4{Panel_DRV, "Button4"};        // delete folder
  gui::ComboBox ComboBox_KAKU{Panel_DRV, "ComboBox_KAKU"};  // filter; reaches the bar's right edge

  // Folder side: the header (its section shows the folder count; a click switches the views),
  // the flat folder list and the folder tree in the same place.
  gui::Panel Panel_DIR{*this, "Panel_DIR"};
  gui::HeaderControl HeaderControl1{Panel_DIR, "HeaderControl1"};
  gui::ListBox ListBox1{Panel_DIR, "ListBox1"};
  gui::TreeView TreeView1{Panel_DIR, "TreeView1"};
  // Stands in for a splitter: the bar between the folder side and the file list.
  gui::Panel Splitter1{*this, "Splitter1"};

  // The file list: name, size, type, date, attributes.
  gui::ListView ListView1{*this, "ListView1"};

  // The rows at the bottom: the chosen folder with the buttons at its right, and under it the
  // chosen file (hidden in folder mode). Panel_Bottom and Panel_Buttons only hold a row together.
  gui::Panel Panel_Edit_File{*this, "Panel_Edit_File"};
  gui::Label Label5{Panel_Edit_File, "Label5"};
  gui::Edit Edit_File{Panel_Edit_File, "Edit_File"};    // as wide as the panel allows
  gui::Panel Panel_Bottom{*this, "Panel_Bottom"};
  gui::Panel Panel_Edit_Folder{Panel_Bottom, "Panel_Edit_Folder"};
  gui::Label Label4{Panel_Edit_Folder, "Label4"};
  gui::Edit Edit_Folder{Panel_Edit_Folder, "Edit_Folder"};  // as wide as the panel allows
  gui::Panel Panel_Buttons{Panel_Bottom, "Panel_Buttons"};
  gui::Button Button2{Panel_Buttons, "Button2"};         // 設定, the default button
  gui::Button Button1{Panel_Buttons, "Button1"};         // 中止, the cancel button

  // Pictures drawn in the drive list and the folder list.
  gui::Image Floppy{*this, "Floppy"};
  gui::Image Fixed{*this, "Fixed"};
  gui::Image Network{*this, "Network"};
  gui::Image CDROM{*this, "CDROM"};
  gui::Image RAM{*this, "RAM"};
  gui::Image Image5{*this, "Image5"};   // closed folder
  gui::Image Image6{*this, "Image6"};   // open folder

 private:
  void FitToPanels();
};

}  // namespace forms
