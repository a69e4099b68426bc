// What a backend provides to the component layer: peers that mirror controls and menus onto
// real windows (or onto nothing), the clock and timers, the message loops and text measurement.
// Portable code never talks to a backend directly except through Application.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/font.h"
#include "gui/gui_types.h"

namespace gui {

class Application;
class Bitmap;
class Control;
class Form;
class Menu;
class MenuItem;
class TTaskTray;
class TaskTrayPeer;
class PopupMenu;
class SaveDialog;
class Timer;

// The state a control pushes to its peer when it changes.
enum class Property {
  Bounds, Visible, Enabled, Caption, Font, Color, Hint, TabStop,
  Items,        // the whole item list changed (index 1: to the same rows as before)
  ItemAdded,    // index: the row inserted
  ItemDeleted,  // index: the row removed
  ItemIndex, Selection, TopIndex, Checked, ReadOnly, MaxLength, Picture, Style,
  Menu,         // a form's main menu was set or one of its items changed
  WindowState, FormStyle, BorderStyle, ZOrder, ParentWindow,
  Updating,     // index 1: a batch of row changes begins (no repaint per row); 0: it ended
};

// The window side of one control. Created when the control's parent has a window; destroyed
// with the control. A peer reads whatever it needs from its control.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual Handle GetHandle() const = 0;
  // The control's state `what` changed (index: the row for item changes).
  virtual void Changed(Property what, int index = -1) = 0;
  // Schedule a repaint.
  virtual void Invalidate() = 0;
  virtual void SetFocus() = 0;
  // Brings a form to the front and activates it.
  virtual void BringToFront() = 0;
  // Puts a control's window, made after some of its later siblings, just below the sibling
  // window `previous` (0: above all of them).
  virtual void PlaceAfter(Handle /*previous*/) {}
  // The first row shown by a list, or -1 when the peer does not know (headless).
  virtual int QueryTopIndex() const { return -1; }
  // Row under a point of a list's client area; -2 when the peer does not know (headless).
  virtual int QueryItemAtPos(Point) const { return -2; }
};

// The window side of a main or popup menu.
class MenuPeer {
 public:
  virtual ~MenuPeer() = default;
  // Something in the menu tree changed: rebuild what is shown.
  virtual void Changed() = 0;
};

// The window side of the application: the hidden owner window with the taskbar button.
class ApplicationPeer {
 public:
  virtual ~ApplicationPeer() = default;
  virtual Handle GetHandle() const = 0;
  virtual void TitleChanged() = 0;
  virtual void Minimize() = 0;
  virtual void Restore() = 0;
  virtual void ShowTaskbarButton(bool show) = 0;
  virtual void HintSettingsChanged() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual std::unique_ptr<ApplicationPeer> CreateApplicationPeer(Application& app) = 0;
  virtual std::unique_ptr<ControlPeer> CreatePeer(Control& control) = 0;
  virtual std::unique_ptr<MenuPeer> CreateMenuPeer(Menu& menu) = 0;
  virtual std::unique_ptr<TaskTrayPeer> CreateTaskTrayPeer(TTaskTray& tray) = 0;

  // Milliseconds of the backend's clock (virtual headless, the tick count on win32).
  virtual std::uint64_t Now() const = 0;
  // The timer's Enabled or Interval changed, or it is going away (running false): start its
  // countdown afresh when it runs, stop it otherwise.
  virtual void TimerChanged(Timer& timer, bool running) = 0;
  // Runs `run` once, when the windows shown so far have been painted (headless: at once).
  virtual void AfterPaint(std::function<void()> run) = 0;

  // Runs a nested loop for a modal form until its ModalResult is not 0 or the application ends.
  // Returns false when the loop had to be abandoned (headless: a scripted answer could not be
  // given); the form then closes without asking its handlers.
  virtual bool RunModal(Form& form) = 0;
  // Lets pending messages run once.
  virtual void ProcessMessages() = 0;
  // The main loop; returns when the application terminates.
  virtual void Run(Application& app) = 0;
  virtual void Terminate() = 0;
  // Shows a popup menu at screen point (x, y); returns the item the user picked, or nullptr.
  virtual MenuItem* TrackPopup(PopupMenu& menu, int x, int y) = 0;
  // Shows the file-save dialog set up by `dialog` modally over its owner form; returns the full
  // path the user chose, or nullopt when they cancelled.
  virtual std::optional<std::string> RunSaveDialog(const SaveDialog& dialog) = 0;

  // Extent of `text` in `font` (line breaks start new lines).
  virtual Size TextExtent(const gui::Font& font, const std::string& text) = 0;
  // Outer size minus client size of a form with the given border and menu, at `ppi` pixels per
  // inch.
  virtual Size FrameExtra(BorderStyle border, bool hasMenu, int ppi) const = 0;
  // The RGB value of a colour (system colours looked up).
  virtual Color ResolveColor(Color c) const = 0;
  // The primary screen.
  virtual Size ScreenSize() const = 0;
  // The rectangle every monitor together spans, in screen coordinates (a monitor left of or
  // above the primary one gives a negative left or top).
  virtual Rect VirtualScreen() const = 0;
  // Logical pixels per inch of the display (96 at 100 %, 144 at 150 %).
  virtual int PixelsPerInch() const = 0;
  // Pixels per inch of the monitor a form is on (by its bounds), or of the window it lives in.
  virtual int FormPixelsPerInch(const Form& /*form*/) const { return PixelsPerInch(); }
  virtual void SetCursor(Cursor cursor) = 0;

  // Bits per pixel of the display.
  virtual int ColorDepth() const = 0;
  // A picture of the whole virtual screen (every monitor). With `viaClipboard` the picture is put on the
  // clipboard and taken back from it (palette displays: the copy gets a proper palette, and the
  // clipboard keeps the picture). Null when the screen could not be read.
  virtual std::shared_ptr<Bitmap> CaptureScreen(bool viaClipboard) = 0;
};

}  // namespace gui
