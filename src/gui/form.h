// A top-level window. Its window class name is its form class name ("TMKBox", ...), so other
// processes find it with FindWindow. Forms show modelessly or modally (ShowModal returns the
// modal result: 1 OK, 2 Cancel, 3 Abort, 6 Yes, 7 No; closing a modal form gives 2), route keys
// to their controls and answer custom window messages through a per-form handler table.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/control.h"

namespace gui {

class MainMenu;

using CloseEvent = std::function<void(Component& sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Component& sender, bool& canClose)>;
// A custom window message: wParam and lParam in, the message's result out.
using MessageHandler = std::function<std::intptr_t(std::uintptr_t wParam, std::intptr_t lParam)>;

class Form : public Control {
 public:
  // The window is created on first use (Show, ShowModal, GetHandle).
  Form(Application& app, std::string className, std::string name = "");
  ~Form() override;

  ControlKind Kind() const override { return ControlKind::Form; }
  Application& FormApp() const { return app_; }
  const std::string& ClassName() const { return className_; }

  Rect ClientRect() const override;
  int ClientWidth() const { return ClientRect().width; }
  int ClientHeight() const { return ClientRect().height; }
  // Sets the outer size so that the client area gets this size.
  void SetClientSize(int width, int height);
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }

  gui::BorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(gui::BorderStyle style);
  // Caption-bar buttons: system menu, minimise, maximise.
  bool HasSystemMenu() const { return systemMenu_; }
  bool HasMinimizeBox() const { return minimizeBox_; }
  bool HasMaximizeBox() const { return maximizeBox_; }
  void SetBorderIcons(bool systemMenu, bool minimize, bool maximize);
  gui::FormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(gui::FormStyle style);
  // Applied when the form is shown for the first time.
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position) { position_ = position; }
  gui::WindowState WindowState() const { return windowState_; }
  void SetWindowState(gui::WindowState state);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  // The form whose window owns this one's, set before the window is made: the window stays above
  // the owner's. Without one, the application's window owns it, as it owns every form.
  Form* Owner() const { return owner_; }
  void SetOwner(Form* owner) { owner_ = owner; }
  // Whether showing the form activates it (default). A form that only shows something beside
  // the user's window leaves that window active.
  bool ActivateOnShow() const { return activateOnShow_; }
  void SetActivateOnShow(bool v) { activateOnShow_ = v; }

  // Whether windows of other programs live in the form's windows (a saver's preview): those
  // programs may know nothing of scales, so the windows are made to hold such windows beside
  // the program's own where Windows allows it. Set before the window is made.
  bool HostsOtherPrograms() const { return hostsOtherPrograms_; }
  void SetHostsOtherPrograms(bool v) { hostsOtherPrograms_ = v; }

  // A window of another program the form lives in as a child (the preview inside the
  // screen-saver dialog), or 0 for a top-level form.
  Handle ParentWindow() const { return parentWindow_; }
  void SetParentWindow(Handle parent);

  MainMenu* Menu() const { return menu_; }
  void SetMenu(MainMenu* menu);

  Control* ActiveControl() const { return activeControl_; }

  // While `cover`, one of the form's own controls, is shown over all the others (an opening
  // banner), those others wait for their windows until the form has been painted once or the
  // cover is hidden, whichever comes first: the form shows sooner. A control whose handle is
  // asked for gets its window at once all the same.
  void HoldUnder(Control& cover);

  // Showing runs OnShow, hiding OnHide. The first show applies Position.
  void SetVisible(bool visible) override;
  // Asks OnCloseQuery, then OnClose decides (default: hide). Closing the main form ends the
  // application; closing a modal form ends its modal loop with result 2 unless one is set.
  void Close();
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  // Numbers each ShowModal (unique in the application), so a backend can tell a new modal loop
  // from a resumed one.
  int ModalSerial() const { return modalSerial_; }
  // A non-zero result ends a modal loop (after OnCloseQuery agrees).
  void SetModalResult(int result) { modalResult_ = result; }
  void BringToFront();

  // Components owned by this form, in creation order; found by designer name.
  const std::vector<Component*>& Components() const { return components_; }
  Component* FindComponent(const std::string& name) const;
  template <class T>
  T* Find(const std::string& name) const { return dynamic_cast<T*>(FindComponent(name)); }
  // The form's caption and every control's caption or text, one per line: what a scripted
  // modal expectation matches against.
  std::string AllText() const;

  // The user picks the menu item of designer name `name` (main or popup menu of this form);
  // false when there is none or it is not available.
  bool UserPickMenu(const std::string& name);

  // Custom window messages (for example 1025 from a second instance).
  void SetMessageHandler(unsigned message, MessageHandler handler);
  // Runs the handler of `message`; false when the form has none.
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);

  NotifyEvent OnCreate;
  NotifyEvent OnShow;
  NotifyEvent OnHide;
  NotifyEvent OnActivate;
  // The focus moved to another control of this form (ActiveControl is the new one).
  NotifyEvent OnActiveControlChange;
  NotifyEvent OnDeactivate;
  CloseEvent OnClose;
  CloseQueryEvent OnCloseQuery;
  NotifyEvent OnWindowGone;
  // The form was laid out for another density (ChangeDpi; at creation too, before OnCreate): a
  // form that sizes itself to its content at run time lays itself out again.
  NotifyEvent OnDpiChanged;
  PaintEvent OnPaint;

  void PaintTo(Canvas& canvas) override;
  // Runs OnCreate once (Application::CreateForm does it; otherwise the first window creation).
  // First a Scaled form is scaled from its design density to its monitor's (ChangeDpi).
  void DoCreate();
  // Lays a Scaled form out for `ppi` pixels per inch: the client size, every control's bounds,
  // every font, and the row heights, column widths and pictures of the controls, each from its
  // design value, so that the form equals the form created at that density whatever densities
  // it had before (a value the program changed at run time counts as designed at the density it
  // was set at). Resize handlers see the new density. The form's position stays in screen pixels.
  void ChangeDpi(int ppi);
  // From the backend: the form's monitor changed its scale, or the form moved to a monitor of
  // another scale. The form is laid out for `ppi` and moves to the place Windows suggests, at its
  // own size for that density; a form inside another window keeps its place.
  void PeerDpiChanged(int ppi, const Rect& suggested);

  // Whether the form is scaled at creation (default on); a form that takes its bounds from the
  // screen (the backdrop) turns it off.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }
  // The density the form is laid out for: 96 until it has been scaled. Its frame (caption,
  // borders, menu bar) has the sizes Windows gives it at that density.
  gui::Dpi FormDpi() const { return dpi_; }
  // A length of the design, in the form's pixels (handlers that size controls at run time).
  int Scale(int designPixels) const { return dpi_.Scale(designPixels); }

  // From the backend: the window was activated or deactivated; the user minimised, maximised
  // or restored it.
  void PeerActivated(bool active);
  void PeerWindowStateChanged(gui::WindowState state);
  // From the backend: the window was destroyed by someone else, as when the window of another
  // program that holds the form as its child goes. Runs OnWindowGone; losing the main form's
  // window ends the application, since nothing of it can be seen or closed any more.
  void PeerWindowGone();

  // Dialog keys: Tab moves the focus, Enter and Escape are offered to the controls, Alt plus
  // a letter or digit goes to the first control with that accelerator.
  bool FormDialogKey(int key, ShiftState shift);
  // Runs OnKeyDown with KeyPreview; returns the key left over (0: consumed).
  int PreviewKey(int key, ShiftState shift);

 protected:
  void BoundsChanged(bool resized) override;

 private:
  friend class Component;
  friend class Control;
  void AddComponent(Component* c);
  void RemoveComponent(Component* c);
  void SetActiveControl(Control* c, bool pushFocus);
  // Whether `c` waits for its window under the cover; ReleaseHeld makes the windows that waited
  // (and gives the focus to the active control when asked).
  bool Holds(const Control& c) const;
  void ReleaseHeld(bool focus);
  void ControlGone(Control* c);
  bool CloseModal();
  bool CloseQuery();
  void ApplyPosition();
  void CollectText(const Control& c, std::string& out) const;

  Application& app_;
  std::string className_;
  gui::BorderStyle borderStyle_ = gui::BorderStyle::Sizeable;
  bool systemMenu_ = true, minimizeBox_ = true, maximizeBox_ = true;
  gui::FormStyle formStyle_ = gui::FormStyle::Normal;
  FormPosition position_ = FormPosition::Designed;
  gui::WindowState windowState_ = gui::WindowState::Normal;
  bool keyPreview_ = false;
  bool activateOnShow_ = true;
  bool hostsOtherPrograms_ = false;
  Form* owner_ = nullptr;
  MainMenu* menu_ = nullptr;
  Handle parentWindow_ = 0;
  Control* activeControl_ = nullptr;
  std::vector<Component*> components_;
  std::map<unsigned, MessageHandler> messageHandlers_;
  bool created_ = false;
  bool scaled_ = true;
  gui::Dpi dpi_;
  DesignLength designClientWidth_, designClientHeight_;
  bool shownOnce_ = false;
  Control* cover_ = nullptr;
  std::shared_ptr<int> alive_ = std::make_shared<int>();  // for work that may outlive the form
  bool modal_ = false;
  int modalResult_ = kMrNone;
  int modalSerial_ = 0;
};

}  // namespace gui
