// The application: its title and taskbar window, the main form, the message loop, hint settings
// and minimising. Screen gives the screen size and the mouse cursor. One Application per
// process, created on a backend (gui::headless::Backend in tests, gui::win32::Backend in the
// program) and passed to every form.
#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/backend.h"
#include "gui/component.h"
#include "gui/form.h"

namespace gui {

class Screen {
 public:
  explicit Screen(Backend& backend) : backend_(backend) {}
  int Width() const { return backend_.ScreenSize().width; }
  int Height() const { return backend_.ScreenSize().height; }
  gui::Cursor Cursor() const { return cursor_; }
  // Hourglass while a long action runs, Default afterwards.
  void SetCursor(gui::Cursor cursor);

 private:
  Backend& backend_;
  gui::Cursor cursor_ = gui::Cursor::Default;
};

class Application {
 public:
  explicit Application(Backend& backend);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Backend& GetBackend() const { return backend_; }
  gui::Screen& GetScreen() { return screen_; }
  std::uint64_t Now() const { return backend_.Now(); }

  // The title shown on the taskbar button and in the message boxes.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Creates a form owned by the application and runs its OnCreate; the first one becomes the
  // main form (closing it ends the application).
  template <class T, class... Args>
  T& CreateForm(Args&&... args) {
    auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *form;
    owned_.push_back(std::move(form));
    if (mainForm_ == nullptr) mainForm_ = &ref;
    ref.DoCreate();
    return ref;
  }
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }

  // Shows the main form (unless ShowMainForm was turned off) and runs the message loop until
  // Terminate.
  void Run();
  // Off: Run leaves the main form hidden (a role that only works through its timers and boxes).
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Lets pending messages run (headless: queued test actions, and the clock moves a step).
  void ProcessMessages();

  // The message loop's last resort: an exception that escaped an event handler is handed here
  // (its text), the loop goes on. OnHandlerFailed reports it; one that fails itself is ignored.
  std::function<void(const std::string& what)> OnHandlerFailed;
  void HandlerFailed(const std::string& what) noexcept;
  // Typed or pasted text held a character the program's text cannot hold, and the control kept
  // what it had; OnTextRefused tells the user.
  std::function<void()> OnTextRefused;
  void TextRefused() {
    if (OnTextRefused) OnTextRefused();
  }

  // Every form alive, in creation order; a form of a window class.
  const std::vector<Form*>& Forms() const { return forms_; }
  Form* FindForm(const std::string& className) const;
  // The innermost form in a modal loop, or null.
  Form* ModalForm() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }

  // Minimising hides every form behind the taskbar button; restoring shows them again.
  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }
  NotifyEvent OnMinimize;
  NotifyEvent OnRestore;
  // The application's own taskbar window (owner of every form) and its button.
  Handle GetHandle();
  void ShowTaskbarButton(bool show);
  bool TaskbarButtonShown() const { return taskbarButton_; }

  // Tool-tip settings: global switch, text of the application hint, delay before a tip shows.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms);
  gui::Color HintColor() const { return hintColor_; }
  void SetHintColor(gui::Color c);

  // Internal: forms register themselves; ShowModal keeps the modal stack.
  void RegisterForm(Form* form);
  void UnregisterForm(Form* form);
  void PushModal(Form* form) { modalStack_.push_back(form); }
  void PopModal(Form* form);
  int NextModalSerial() { return ++modalSerials_; }

 private:
  ApplicationPeer& Peer();

  Backend& backend_;
  gui::Screen screen_;
  std::unique_ptr<ApplicationPeer> peer_;
  std::string title_;
  Form* mainForm_ = nullptr;
  std::vector<Form*> forms_;
  std::vector<std::unique_ptr<Form>> owned_;
  std::vector<Form*> modalStack_;
  int modalSerials_ = 0;
  bool terminated_ = false;
  bool showMainForm_ = true;
  bool minimized_ = false;
  bool reportingFailure_ = false;
  bool taskbarButton_ = true;
  bool showHint_ = true;
  std::string hint_;
  int hintPause_ = 500;
  gui::Color hintColor_ = colors::kInfoBk;
};

// Repaints the main form (as it was when this was made) when it goes out of scope: a modal
// dialog that has closed leaves no trace on the window under it.
class MainFormRepaint {
 public:
  explicit MainFormRepaint(Application& app) : main_(app.MainForm()) {}
  ~MainFormRepaint();
  MainFormRepaint(const MainFormRepaint&) = delete;
  MainFormRepaint& operator=(const MainFormRepaint&) = delete;

 private:
  Form* main_;
};

// The hourglass cursor while it lives, the normal one afterwards.
class HourGlass {
 public:
  explicit HourGlass(Application& app);
  ~HourGlass();
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;

 private:
  Application& app_;
};

// Runs the program's part of a call from the system's code (a window procedure, the tray's
// notification; true: the message was handled). An exception that escaped an event handler
// cannot unwind through the system's frames: it goes to the application's last resort, and the
// message goes on to its default handling.
template <class Work>
bool Guarded(Application* app, Work work) noexcept {
  try {
    return work();
  } catch (const std::exception& e) {
    if (app != nullptr) app->HandlerFailed(e.what());
  } catch (...) {
    if (app != nullptr) app->HandlerFailed("");
  }
  return false;
}

}  // namespace gui
