// The backend on real windows. A program creates one, then the Application on it:
//   gui::win32::Backend backend;
//   gui::Application app(backend);
//   app.CreateForm<MainForm>();
//   app.Run();
// Forms become top-level windows of their own window class (the form class name), owned by the
// application's taskbar window; controls become native controls or windows of our own class
// painted through the portable drawing code. Timers run on a hidden message window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/backend.h"
#include "gui/win32/gdi_canvas.h"

namespace gui::win32 {

class Backend : public gui::Backend {
 public:
  Backend();
  ~Backend() override;
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  std::unique_ptr<ApplicationPeer> CreateApplicationPeer(Application& app) override;
  std::unique_ptr<ControlPeer> CreatePeer(Control& control) override;
  std::unique_ptr<MenuPeer> CreateMenuPeer(Menu& menu) override;
  std::unique_ptr<TaskTrayPeer> CreateTaskTrayPeer(TTaskTray& tray) override;
  std::uint64_t Now() const override;
  void TimerChanged(Timer& timer, bool running) override;
  // A timer of no delay: WM_TIMER comes after the pending WM_PAINTs.
  void AfterPaint(std::function<void()> run) override;
  bool RunModal(Form& form) override;
  void ProcessMessages() override;
  void Run(Application& app) override;
  void Terminate() override;
  MenuItem* TrackPopup(PopupMenu& menu, int x, int y) override;
  std::optional<std::string> RunSaveDialog(const SaveDialog& dialog) override;
  Size TextExtent(const gui::Font& font, const std::string& text) override;
  Size FrameExtra(BorderStyle border, bool hasMenu, int ppi) const override;
  Color ResolveColor(Color c) const override;
  Size ScreenSize() const override;
  Rect VirtualScreen() const override;
  int PixelsPerInch() const override;
  int FormPixelsPerInch(const Form& form) const override;
  void SetCursor(Cursor cursor) override;
  int ColorDepth() const override;
  std::shared_ptr<Bitmap> CaptureScreen(bool viaClipboard) override;

  // --- for the peers
  HINSTANCE Instance() const { return instance_; }
  FontCache& Fonts() { return fonts_; }
  // Registers (once) the window class of a form class name.
  const wchar_t* FormWindowClass(const std::string& className);
  static const wchar_t* ControlWindowClass() { return L"QvControl"; }
  HWND AppWindow() const { return appWindow_; }
  Application* App() const { return app_; }
  // Shows the taskbar window the first time a form shows, unless its button is switched off.
  void FormShown();
  // The taskbar window was hidden: the next form shown after the button is switched on again
  // shows it again.
  void TaskbarWindowHidden() { appShown_ = false; }
  // Window styles of a form's border style.
  static void FormStyles(BorderStyle border, DWORD& style, DWORD& exStyle);
  bool HourGlass() const { return cursor_ == Cursor::HourGlass; }
  // Sub-menus by handle, so that WM_INITMENUPOPUP finds the item whose sub-menu opens.
  void RegisterSubMenu(HMENU menu, MenuItem* item) { subMenus_[menu] = item; }
  void ForgetSubMenu(HMENU menu) { subMenus_.erase(menu); }
  MenuItem* SubMenuItem(HMENU menu) const;
  int NextControlId() { return nextControlId_++; }
  // Handles keys for our controls before dispatch; true when the message was consumed.
  bool PreTranslate(MSG& msg);
  void TimerMessage(UINT_PTR id);
  void AppWindowMessage(UINT message, WPARAM wParam);
  bool taskbarButton = true;

 private:
  // One message: false when it was WM_QUIT.
  bool PumpOne(bool wait);
  // A modal window keeps the user away from every other form: disables the visible, enabled
  // forms except `except` and returns them for EnableForms.
  std::vector<HWND> DisableForms(const Form* except);
  static void EnableForms(const std::vector<HWND>& disabled);

  HINSTANCE instance_;
  FontCache fonts_;
  HWND timerWindow_ = nullptr;
  HWND appWindow_ = nullptr;
  Application* app_ = nullptr;
  std::map<std::wstring, ATOM> formClasses_;
  std::map<UINT_PTR, Timer*> timers_;
  std::map<const Timer*, UINT_PTR> timerIds_;
  std::map<UINT_PTR, std::function<void()>> afterPaint_;
  UINT_PTR nextTimerId_ = 1;
  std::map<HMENU, MenuItem*> subMenus_;
  Cursor cursor_ = Cursor::Default;
  int nextControlId_ = 100;
  bool quit_ = false;
  bool appShown_ = false;
};

}  // namespace gui::win32
