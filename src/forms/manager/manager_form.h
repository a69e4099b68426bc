// The manager window TQUOVEL32KAPUL: every control, timer and menu with its designer name and
// its design state (bounds, captions, hints, fonts, visibility, checks). The subsystems attach
// the behaviour; this class only lays the window out, one region per source file.
//
// Siblings that share a place are declared top first: a control declared earlier lies above a
// later one where they overlap (the win32 backend stacks child windows in creation order), so
// covers such as PanelOPEN, Panel1 or Panel2 come before what they cover.
#pragma once
#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/edit.h"
#include "gui/form.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/list_box.h"
#include "gui/menu.h"
#include "gui/panel.h"
#include "gui/radio_group.h"
#include "gui/save_dialog.h"
#include "gui/task_tray.h"
#include "gui/timer.h"
#include "gui/tree_view.h"

namespace forms {

class TQUOVEL32KAPUL : public gui::Form {
 public:
  static constexpr const char* kClassName = "TQUOVEL32KAPUL";
  static constexpr int kClientWidth = 401;
  static constexpr int kClientHeight = 356;

  explicit TQUOVEL32KAPUL(gui::Application& app);

  // Main menu.
  gui::MainMenu MainMenu1{*this, "MainMenu1"};
  gui::MenuItem MF0{MainMenu1, "MF0"};
  gui::MenuItem F1{MF0, "F1"};
  gui::MenuItem N3{MF0, "N3"};
  gui::MenuItem TEMPSS{MF0, "TEMPSS"};
  gui::MenuItem N1{MF0, "N1"};
  gui::MenuItem FX{MF0, "FX"};
  gui::MenuItem MStart0{MainMenu1, "MStart0"};
  gui::MenuItem Start1{MStart0, "Start1"};
  gui::MenuItem N4{MStart0, "N4"};
  gui::MenuItem Start2{MStart0, "Start2"};
  gui::MenuItem N5{MStart0, "N5"};
  gui::MenuItem FT{MStart0, "FT"};
  gui::MenuItem K9{MStart0, "K9"};
  gui::MenuItem N2{MStart0, "N2"};
  gui::MenuItem ST{MStart0, "ST"};
  gui::MenuItem MOption0{MainMenu1, "MOption0"};
  gui::MenuItem K6{MOption0, "K6"};
  gui::MenuItem SSN{MOption0, "SSN"};
  gui::MenuItem PREVIEW{MOption0, "PREVIEW"};
  gui::MenuItem MONITORS{MOption0, "MONITORS"};  // a saver of its own on each monitor
  gui::MenuItem BackColor{MOption0, "BackColor"};
  gui::MenuItem N6{MOption0, "N6"};
  gui::MenuItem KINSI{MOption0, "KINSI"};
  gui::MenuItem N7{MOption0, "N7"};
  gui::MenuItem FOLDERHIS{MOption0, "FOLDERHIS"};
  gui::MenuItem FILEHIS{MOption0, "FILEHIS"};
  gui::MenuItem N8{MOption0, "N8"};
  gui::MenuItem MICON_SET{MOption0, "MICON_SET"};
  gui::MenuItem MICON_DEL{MOption0, "MICON_DEL"};
  gui::MenuItem MDESK_SET{MOption0, "MDESK_SET"};
  gui::MenuItem MDESK_DEL{MOption0, "MDESK_DEL"};
  gui::MenuItem MHelp0{MainMenu1, "MHelp0"};
  gui::MenuItem help1{MHelp0, "help1"};
  gui::MenuItem help2{MHelp0, "help2"};
  gui::MenuItem N9{MHelp0, "N9"};
  gui::MenuItem help3{MHelp0, "help3"};
  gui::MenuItem N10{MHelp0, "N10"};
  gui::MenuItem help4{MHelp0, "help4"};
  gui::MenuItem MHelp3{MHelp0, "MHelp3"};

  // Drop menu of the memory list and the trash.
  gui::PopupMenu PopupMenu1{*this, "PopupMenu1"};
  gui::MenuItem P0{PopupMenu1, "P0"};
  gui::MenuItem P1{PopupMenu1, "P1"};
  gui::MenuItem P2{PopupMenu1, "P2"};
  gui::MenuItem P3{PopupMenu1, "P3"};
  gui::MenuItem N11{PopupMenu1, "N11"};
  gui::MenuItem P4{PopupMenu1, "P4"};

  // File commands of the lists (right click).
  gui::PopupMenu PopupMenu2{*this, "PopupMenu2"};
  gui::MenuItem PkPLAY{PopupMenu2, "PkPLAY"};
  gui::MenuItem PKANREN{PopupMenu2, "PKANREN"};
  gui::MenuItem PTEXT{PopupMenu2, "PTEXT"};
  gui::MenuItem PBinary{PopupMenu2, "PBinary"};
  gui::MenuItem PHTML{PopupMenu2, "PHTML"};
  gui::MenuItem P0DCUT{PopupMenu2, "P0DCUT"};
  gui::MenuItem N12{PopupMenu2, "N12"};
  gui::MenuItem PLZH4{PopupMenu2, "PLZH4"};
  gui::MenuItem PLZH2{PopupMenu2, "PLZH2"};
  gui::MenuItem PLZH0{PopupMenu2, "PLZH0"};
  gui::MenuItem PLZH3{PopupMenu2, "PLZH3"};
  gui::MenuItem PLZH1{PopupMenu2, "PLZH1"};
  gui::MenuItem PLZH5{PopupMenu2, "PLZH5"};
  gui::MenuItem N13{PopupMenu2, "N13"};
  gui::MenuItem PASHUKU{PopupMenu2, "PASHUKU"};
  gui::MenuItem PASHUKUALL{PopupMenu2, "PASHUKUALL"};
  gui::MenuItem N14{PopupMenu2, "N14"};
  gui::MenuItem PCOPY{PopupMenu2, "PCOPY"};
  gui::MenuItem PIDO{PopupMenu2, "PIDO"};
  gui::MenuItem PKILL{PopupMenu2, "PKILL"};
  gui::MenuItem N15{PopupMenu2, "N15"};
  gui::MenuItem PAKI{PopupMenu2, "PAKI"};
  gui::MenuItem N16{PopupMenu2, "N16"};
  gui::MenuItem PLZHX{PopupMenu2, "PLZHX"};

  // Menus of the notification-area icon: left button, right button.
  gui::PopupMenu PopupMenu_TL{*this, "PopupMenu_TL"};
  gui::MenuItem TL1{PopupMenu_TL, "TL1"};
  gui::MenuItem TL2{PopupMenu_TL, "TL2"};
  gui::MenuItem N17{PopupMenu_TL, "N17"};
  gui::MenuItem TLOFF{PopupMenu_TL, "TLOFF"};
  gui::PopupMenu PopupMenu_TR{*this, "PopupMenu_TR"};
  gui::MenuItem TR1{PopupMenu_TR, "TR1"};
  gui::MenuItem TR2{PopupMenu_TR, "TR2"};
  gui::MenuItem N18{PopupMenu_TR, "N18"};
  gui::MenuItem TRM0{PopupMenu_TR, "TRM0"};
  gui::MenuItem TRM1{PopupMenu_TR, "TRM1"};
  gui::MenuItem TRM2{PopupMenu_TR, "TRM2"};
  gui::MenuItem TRM3{PopupMenu_TR, "TRM3"};
  gui::MenuItem N19{PopupMenu_TR, "N19"};
  gui::MenuItem TR3{PopupMenu_TR, "TR3"};
  gui::MenuItem TR4{PopupMenu_TR, "TR4"};
  gui::MenuItem N20{PopupMenu_TR, "N20"};
  gui::MenuItem TR5{PopupMenu_TR, "TR5"};
  gui::MenuItem TR6{PopupMenu_TR, "TR6"};
  gui::MenuItem TRKINSI{PopupMenu_TR, "TRKINSI"};
  gui::MenuItem N21{PopupMenu_TR, "N21"};
  gui::MenuItem TR_IconOFF{PopupMenu_TR, "TR_IconOFF"};
  gui::MenuItem N22{PopupMenu_TR, "N22"};
  gui::MenuItem TRX{PopupMenu_TR, "TRX"};
  gui::MenuItem N23{PopupMenu_TR, "N23"};
  gui::MenuItem TROFF{PopupMenu_TR, "TROFF"};

  // Timers, all stopped until the subsystems start them.
  gui::Timer Timer1{*this, "Timer1", 300, false};          // launch the item
  gui::Timer Timer2{*this, "Timer2", 300, false};          // select and prepare the next item
  gui::Timer Timer3{*this, "Timer3", 1000, false};         // spare
  gui::Timer Timer4{*this, "Timer4", 300, false};          // advance the index
  gui::Timer Timer5{*this, "Timer5", 300, false};          // list an archive during play
  gui::Timer Timer6{*this, "Timer6", 300, false};          // open the working-folder dialog
  gui::Timer Timer7{*this, "Timer7", 1000, false};         // one tick per second of display
  gui::Timer Timer8{*this, "Timer8", 300, false};          // wait for the item's end
  gui::Timer Timer9{*this, "Timer9", 300, false};          // start-up sequence
  gui::Timer TimerST{*this, "TimerST", 1111, false};       // power-saving wait
  gui::Timer TimerEROUT{*this, "TimerEROUT", 300, false};  // close after a failed start-up
  gui::Timer TimerAUTO{*this, "TimerAUTO", 1000, false};   // automatic start

  // The destination folder of the copy and move commands.
  gui::SaveDialog SaveDialog1{*this, "SaveDialog1"};

  // The notification-area icon of the resident mode (identifier 1, the first of the process).
  gui::TTaskTray TaskTray1{*this, "TaskTray1"};

  // The opening banner, over everything until the start-up sequence has run.
  gui::Panel PanelOPEN{*this, "PanelOPEN"};

  // The trash panel, over the browser and the play column.
  gui::Panel PanelGomi{*this, "PanelGomi"};
  gui::Label LabelGomiTitle{PanelGomi, "LabelGomiTitle"};
  gui::Label LabelGomiKosu2{PanelGomi, "LabelGomiKosu2"};
  gui::ListBox ListBox9{PanelGomi, "ListBox9"};  // twin of ListBox6
  gui::ListBox ListBox6{PanelGomi, "ListBox6"};
  gui::Button ButtonGomiCUT{PanelGomi, "ButtonGomiCUT"};
  gui::Button ButtonGomiALLCUT{PanelGomi, "ButtonGomiALLCUT"};
  gui::CheckBox CheckBoxGomi{PanelGomi, "CheckBoxGomi"};
  gui::Button ButtonGomiOFF{PanelGomi, "ButtonGomiOFF"};
  gui::ListBox ListBoxRD{PanelGomi, "ListBoxRD"};  // random pool of the file list
  gui::ListBox ListBoxRM{PanelGomi, "ListBoxRM"};  // random pool of the other lists
  gui::ListBox ListBoxRL{PanelGomi, "ListBoxRL"};

  // The folder history panel.
  gui::Panel PanelKaKo{*this, "PanelKaKo"};
  gui::Label LabelKaKo0{PanelKaKo, "LabelKaKo0"};
  gui::Label LabelKaKo{PanelKaKo, "LabelKaKo"};
  gui::ListBox ListBoxKaKo{PanelKaKo, "ListBoxKaKo"};
  gui::Button ButtonKaKoCut{PanelKaKo, "ButtonKaKoCut"};
  gui::Button ButtonALLCUT{PanelKaKo, "ButtonALLCUT"};
  gui::Button ButtonRESET{PanelKaKo, "ButtonRESET"};
  gui::Button ButtonKaKoOK{PanelKaKo, "ButtonKaKoOK"};

  // Browser: drive row (manager_browser.cpp).
  gui::Panel Panel3{*this, "Panel3"};  // covers the drive list during a bulk registration
  gui::ComboBox ComboBox2{*this, "ComboBox2"};
  gui::Label Label21{*this, "Label21"};  // archive name and entry count, under ComboBox2
  gui::Label Label22{*this, "Label22"};
  gui::Button Button1{*this, "Button1"};
  gui::Button ButtonR{*this, "ButtonR"};
  gui::Button ButtonM{*this, "ButtonM"};
  gui::Button ButtonL{*this, "ButtonL"};
  gui::Image Floppy{*this, "Floppy"};
  gui::Image Fixed{*this, "Fixed"};
  gui::Image Network{*this, "Network"};
  gui::Image CDROM{*this, "CDROM"};
  gui::Image RAM{*this, "RAM"};
  gui::Image Image5{*this, "Image5"};
  gui::Image Image6{*this, "Image6"};

  // Browser: attribute filters and the file-name pattern.
  gui::CheckBox CB1{*this, "CB1"};
  gui::CheckBox CB2{*this, "CB2"};
  gui::CheckBox CB3{*this, "CB3"};
  gui::CheckBox CB4{*this, "CB4"};
  gui::CheckBox CB5{*this, "CB5"};
  gui::Button Button14{*this, "Button14"};
  gui::Edit Edit1{*this, "Edit1"};
  gui::Button Button13{*this, "Button13"};

  // Browser: folder view and file list.
  gui::Panel Panel_FF{*this, "Panel_FF"};
  gui::Panel Panel_FF_V{Panel_FF, "Panel_FF_V"};
  gui::Panel Panel5{Panel_FF, "Panel5"};
  gui::Panel Panel_FOL{Panel_FF, "Panel_FOL"};
  gui::ListBox ListBox3{Panel_FOL, "ListBox3"};  // archive entries
  gui::ListBox ListBox1{Panel_FOL, "ListBox1"};
  gui::TreeView TreeView1{Panel_FOL, "TreeView1"};
  // Stands in for a splitter (the component layer has none yet): the bar between the folder
  // side and the file list.
  gui::Panel Splitter1{Panel_FF, "Splitter1"};
  gui::ListBox ListBox7{Panel_FF, "ListBox7"};  // twin of ListBox4
  gui::ListBox ListBox4{Panel_FF, "ListBox4"};
  gui::Label Label19{*this, "Label19"};
  gui::Label Label1{*this, "Label1"};

  // File information line and the play mode (manager_info.cpp).
  gui::Label Label2{*this, "Label2"};
  gui::RadioButton RadioButton1{*this, "RadioButton1"};
  gui::RadioButton RadioButton2{*this, "RadioButton2"};
  gui::Label Label3{*this, "Label3"};
  gui::Label Label4{*this, "Label4"};

  // Trash icon and its labels, shown in memory mode (manager_lists.cpp).
  gui::Image Image1{*this, "Image1"};
  gui::Image Image2{*this, "Image2"};
  gui::Image Image3{*this, "Image3"};
  gui::Label Label7{*this, "Label7"};
  gui::Label LabelGomiOut{*this, "LabelGomiOut"};
  gui::Label LabelGomiSASIN{*this, "LabelGomiSASIN"};
  gui::Label LabelGomiTUIKA{*this, "LabelGomiTUIKA"};
  gui::Button Button17{*this, "Button17"};

  // Play column (manager_play.cpp).
  gui::RadioGroup RadioGroup1{*this, "RadioGroup1"};
  gui::Button Button2{*this, "Button2"};
  gui::Button Button5{*this, "Button5"};
  gui::Button ButtonTset{*this, "ButtonTset"};
  gui::Button ButtonTOFF{*this, "ButtonTOFF"};
  gui::CheckBox CheckBox1{*this, "CheckBox1"};
  gui::Label Label10{*this, "Label10"};
  gui::Label Label9{*this, "Label9"};
  gui::Button ButtonTIMER{*this, "ButtonTIMER"};
  gui::Label Label6{*this, "Label6"};
  gui::Button ButtonSCROFF{*this, "ButtonSCROFF"};
  gui::Button ButtonTRAY{*this, "ButtonTRAY"};
  gui::Button Button6{*this, "Button6"};

  // Memory list row and area (manager_lists.cpp).
  gui::Panel Panel4{*this, "Panel4"};
  gui::Panel Panel1{*this, "Panel1"};
  gui::ComboBox ComboBox1{*this, "ComboBox1"};
  gui::Button Button12{*this, "Button12"};
  gui::Button Button7{*this, "Button7"};
  gui::Button ButtonMCut{*this, "ButtonMCut"};
  gui::Button Button11{*this, "Button11"};
  gui::Button Button9{*this, "Button9"};
  gui::ListBox ListBox8{*this, "ListBox8"};  // twin of ListBox2
  gui::ListBox ListBox2{*this, "ListBox2"};
  gui::ListBox ListBox5{*this, "ListBox5"};  // counts a list file's lines

  // Extension boxes (manager_extensions.cpp): the title panel covers all but the left strip.
  gui::Label Label14{*this, "Label14"};
  gui::CheckBox CB26{*this, "CB26"};
  gui::CheckBox CB32{*this, "CB32"};
  gui::Panel Panel2{*this, "Panel2"};
  gui::Label Label11{*this, "Label11"};
  gui::Label Label12{*this, "Label12"};
  gui::Label Label13{*this, "Label13"};
  gui::Label Label15{*this, "Label15"};
  gui::Label Label16{*this, "Label16"};
  gui::Label Label17{*this, "Label17"};
  gui::Label Label18{*this, "Label18"};
  gui::CheckBox CB6{*this, "CB6"};
  gui::CheckBox CB7{*this, "CB7"};
  gui::CheckBox CB8{*this, "CB8"};
  gui::CheckBox CB9{*this, "CB9"};
  gui::CheckBox CB10{*this, "CB10"};
  gui::CheckBox CB11{*this, "CB11"};
  gui::CheckBox CB12{*this, "CB12"};
  gui::CheckBox CB13{*this, "CB13"};
  gui::CheckBox CB14{*this, "CB14"};
  gui::CheckBox CB15{*this, "CB15"};
  gui::CheckBox CB16{*this, "CB16"};
  gui::CheckBox CB17{*this, "CB17"};
  gui::CheckBox CB18{*this, "CB18"};
  gui::CheckBox CB19{*this, "CB19"};
  gui::CheckBox CB20{*this, "CB20"};
  gui::CheckBox CB21{*this, "CB21"};
  gui::CheckBox CB22{*this, "CB22"};
  gui::CheckBox CB23{*this, "CB23"};
  gui::CheckBox CB24{*this, "CB24"};
  gui::CheckBox CB25{*this, "CB25"};
  gui::CheckBox CB27{*this, "CB27"};
  gui::CheckBox CB28{*this, "CB28"};
  gui::CheckBox CB29{*this, "CB29"};
  gui::CheckBox CB30{*this, "CB30"};
  gui::CheckBox CB31{*this, "CB31"};
  gui::CheckBox CB33{*this, "CB33"};
  gui::CheckBox CB34{*this, "CB34"};
  gui::CheckBox CB35{*this, "CB35"};
  gui::CheckBox CB36{*this, "CB36"};

  // The thirty extension boxes in table order (index = tag = position in the stored flags;
  // the caption is the extension's name, "SCR" being index 20).
  static constexpr int kExtensionCount = 30;
  static constexpr int kScrExtension = 20;
  gui::CheckBox& ExtensionBox(int index);

 private:
  void LayoutMenus();
  void LayoutPanels();
  void LayoutBrowser();
  void LayoutInfo();
  void LayoutPlay();
  void LayoutLists();
  void LayoutExtensions();
  void LayoutPictures();
};

}  // namespace forms
