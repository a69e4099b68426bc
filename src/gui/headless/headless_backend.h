// The backend of the tests: no windows, a virtual clock and scripted answers to modal forms,
// popup menus and save dialogs.
//
// Time only moves when a test (or code under test) says so: Advance(ms) fires every due timer
// and every posted action in deadline order, each seeing Now() equal to its deadline;
// ProcessMessages() advances by one small step. A modal form asks the script for its answer:
// expectations are met in order, and an unexpected modal form, a form that does not match the
// next expectation, or an expectation still unmet at VerifyExpectations() is reported through
// the failure reporter (tests connect it to their framework). Save dialogs take their answers
// from a script of their own in the same way.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/backend.h"
#include "gui/bitmap.h"

namespace gui::headless {

// What a test expects of the next modal form and how it is answered.
class ModalExpectation {
 public:
  // ShowModal returns `result` at once.
  ModalExpectation& Answer(int result);
  // `act` runs with the form shown (it may click its buttons); if the form is still open
  // afterwards the clock runs as with LetRun.
  ModalExpectation& Do(std::function<void(Form&)> act);
  // The clock runs in ProcessMessages steps until the form closes itself (a countdown), for
  // at most `maxMs` virtual milliseconds; longer is a failure. The same holds after Do, and
  // when OnCloseQuery keeps the form open; a refused Answer is a failure.
  ModalExpectation& LetRun(std::uint64_t maxMs = 600000);

 private:
  friend class Backend;
  enum class How { Answer, Do, LetRun };
  std::string className_;
  std::string textContains_;
  How how_ = How::Answer;
  int result_ = kMrCancel;
  std::function<void(Form&)> act_;
  std::uint64_t maxMs_ = 600000;
};

// A modal form that was shown, for tests that inspect what appeared.
struct ModalRecord {
  std::string className;
  std::string text;      // Form::AllText() when it was shown
  int result = 0;
  std::uint64_t shownAt = 0;
  std::uint64_t closedAt = 0;
};

// A save dialog that was shown: what it was asked to show, and the answer it gave.
struct SaveDialogRecord {
  std::string name;  // the component's designer name
  std::string title, initialDir, fileName, defaultExt, filter;
  bool hideReadOnly = false;
  bool pathMustExist = false;
  std::optional<std::string> chosen;  // nullopt: cancelled
};

class Backend : public gui::Backend {
 public:
  Backend();
  ~Backend() override;

  // --- the clock
  std::uint64_t Now() const override { return now_; }
  // Moves the clock by `ms`, firing due timers and posted actions in order.
  void Advance(std::uint64_t ms);
  // The step of ProcessMessages (default 10 ms).
  void SetStep(std::uint64_t ms) { step_ = ms; }
  // Runs `action` when the clock reaches now + delayMs (0: at the next ProcessMessages/Advance).
  void Post(std::function<void()> action, std::uint64_t delayMs = 0);
  // Whether a timer is counting down, and when it fires next.
  bool IsScheduled(const Timer& timer) const;
  std::uint64_t Deadline(const Timer& timer) const;

  // --- modal forms and popup menus
  // Expects the next modal form to be of `className` with `textContains` in its text.
  ModalExpectation& ExpectModal(const std::string& className, const std::string& textContains = "");
  // Expects the next popup of menu `menuName` and picks item `itemName` ("" picks nothing).
  void ExpectPopup(const std::string& menuName, const std::string& itemName);
  // Expects the next save dialog and answers it with the full path `path`, or cancels it when
  // `path` is nullopt.
  void ExpectSaveDialog(std::optional<std::string> path);
  // Reports every expectation not met and forgets them; returns whether all were met.
  bool VerifyExpectations();
  const std::vector<ModalRecord>& ModalHistory() const { return history_; }
  // Popups shown so far, as "menu" or "menu>item" when an item was picked.
  const std::vector<std::string>& PopupHistory() const { return popups_; }
  const std::vector<SaveDialogRecord>& SaveDialogHistory() const { return saveDialogs_; }

  // Failures go here (default: printed to stderr and counted).
  void SetFailureReporter(std::function<void(const std::string&)> reporter) { reporter_ = std::move(reporter); }
  int FailureCount() const { return failures_; }

  // --- state a test may look at
  Cursor CurrentCursor() const { return cursor_; }
  // The primary screen; the virtual screen follows it until SetVirtualScreen is called.
  void SetScreenSize(Size s) { screen_ = s; }
  void SetVirtualScreen(Rect r) { virtualScreen_ = r; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
  void SetColorDepth(int bits) { colorDepth_ = bits; }
  // What the screen shows from now on; null (the default) stands for a made-up picture of the
  // virtual screen's size whose pixel (x, y) is Rgb(x % 256, y % 256, 0x80).
  void SetScreenPicture(std::shared_ptr<const Bitmap> picture) { screenPicture_ = std::move(picture); }
  int ScreenCaptures() const { return captures_; }
  // Captures that went through the clipboard.
  int ClipboardCaptures() const { return clipboardCaptures_; }
  bool TerminateRequested() const { return terminated_; }

  // --- gui::Backend
  std::unique_ptr<ApplicationPeer> CreateApplicationPeer(Application& app) override;
  std::unique_ptr<ControlPeer> CreatePeer(Control& control) override;
  std::unique_ptr<MenuPeer> CreateMenuPeer(Menu& menu) override;
  std::unique_ptr<TaskTrayPeer> CreateTaskTrayPeer(TTaskTray& tray) override;
  // Notification-area icons as the shell would have them: identifier to tip.
  const std::map<int, std::string>& TrayIcons() const { return tray_; }
  void TimerChanged(Timer& timer, bool running) override;
  void AfterPaint(std::function<void()> run) override { run(); }
  bool RunModal(Form& form) override;
  void ProcessMessages() override;
  void Run(Application& app) override;
  void Terminate() override { terminated_ = true; }
  MenuItem* TrackPopup(PopupMenu& menu, int x, int y) override;
  std::optional<std::string> RunSaveDialog(const SaveDialog& dialog) override;
  Size TextExtent(const gui::Font& font, const std::string& text) override;
  Size FrameExtra(BorderStyle border, bool hasMenu, int ppi) const override;
  Color ResolveColor(Color c) const override;
  Size ScreenSize() const override { return screen_; }
  Rect VirtualScreen() const override { return virtualScreen_ ? *virtualScreen_ : Rect{0, 0, screen_.width, screen_.height}; }
  int PixelsPerInch() const override { return pixelsPerInch_; }
  void SetCursor(Cursor cursor) override { cursor_ = cursor; }
  int ColorDepth() const override { return colorDepth_; }
  std::shared_ptr<Bitmap> CaptureScreen(bool viaClipboard) override;

  // Made-up window handles start here and count up.
  static constexpr Handle kFirstHandle = 0x10000;
  Handle NewHandle() { return nextHandle_ += 4; }

  // Frame metric of the headless forms: border width per side by style, caption and menu bar.
  static constexpr int kSizeableBorder = 4;
  static constexpr int kFixedBorder = 3;
  static constexpr int kCaptionHeight = 19;
  static constexpr int kToolCaptionHeight = 15;
  static constexpr int kMenuHeight = 19;

 private:
  struct Scheduled {
    std::uint64_t due = 0;
    std::uint64_t order = 0;
    Timer* timer = nullptr;              // a timer, or
    std::function<void()> action;        // a posted action
  };
  struct PopupExpectation {
    std::string menu, item;
  };
  void Fail(const std::string& message);
  bool NextDue(std::uint64_t limit, Scheduled& out);
  bool RunUntilClosed(Form& form, std::uint64_t maxMs);

  std::uint64_t now_ = 0;
  std::uint64_t step_ = 10;
  std::uint64_t order_ = 0;
  std::map<const Timer*, Scheduled> timers_;
  std::vector<Scheduled> posted_;
  std::deque<ModalExpectation> modal_;
  // The last loop served per form, so that a loop resumed after OnCloseQuery refused goes on as
  // its expectation said.
  struct Served {
    int serial = 0;
    bool answered = false;
    std::uint64_t maxMs = 0;
  };
  std::map<const Form*, Served> served_;
  std::deque<PopupExpectation> popupScript_;
  std::vector<ModalRecord> history_;
  std::vector<std::string> popups_;
  std::deque<std::optional<std::string>> saveScript_;
  std::vector<SaveDialogRecord> saveDialogs_;
  std::function<void(const std::string&)> reporter_;
  int failures_ = 0;
  Cursor cursor_ = Cursor::Default;
  Size screen_{1024, 768};
  std::optional<Rect> virtualScreen_;
  int pixelsPerInch_ = kPixelsPerInch;
  int colorDepth_ = 32;
  std::shared_ptr<const Bitmap> screenPicture_;
  int captures_ = 0;
  int clipboardCaptures_ = 0;
  std::map<int, std::string> tray_;
  bool terminated_ = false;
  Handle nextHandle_ = kFirstHandle;
};

}  // namespace gui::headless
