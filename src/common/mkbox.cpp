#include "common/mkbox.h"

#include <memory>
#include <vector>

#include "common/mkbox_layout.h"
#include "forms/mkbox_form.h"
#include "gui/application.h"
#include "gui/canvas.h"

namespace common {

namespace {

constexpr int kTimeOut = 11;   // the countdown reached zero; replaced by the caller's default

// A CR before every LF, as the memo wants its line ends.
std::string MemoText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

void DrawMKBoxIcon(gui::Canvas& canvas, MKBoxIcon icon, gui::Color background, int size) {
  auto at = [size](int v) { return gui::MulDivRound(v, size, 32); };
  auto box = [&at](int x, int y, int w, int h) { return gui::Rect{at(x), at(y), at(x + w) - at(x), at(y + h) - at(y)}; };
  const gui::Color disc = icon == MKBoxIcon::kInformation ? gui::Rgb(0x20, 0x4C, 0xC8) : gui::Rgb(0xD0, 0x24, 0x24);
  canvas.brush.color = background;
  canvas.pen.color = background;
  canvas.FillRect(box(0, 0, 32, 32));
  // White ring, then the coloured disc inside it.
  canvas.brush.color = gui::colors::kWhite;
  canvas.pen.color = gui::colors::kWhite;
  canvas.Ellipse(box(0, 0, 32, 32));
  canvas.brush.color = disc;
  canvas.pen.color = disc;
  canvas.Ellipse(box(2, 2, 28, 28));
  canvas.brush.color = gui::colors::kWhite;
  canvas.pen.color = gui::colors::kWhite;
  if (icon == MKBoxIcon::kInformation) {
    canvas.Ellipse(box(13, 6, 6, 6));     // the dot
    canvas.FillRect(box(14, 13, 5, 12));  // the stem
    canvas.FillRect(box(11, 13, 5, 2));   // serif left of the top
    canvas.FillRect(box(11, 24, 11, 2));  // foot
  } else {
    // A hook made of a thick arc-like polygon, and the dot below it.
    std::vector<gui::Point> hook{{10, 11}, {12, 7}, {16, 5}, {20, 7}, {22, 11}, {21, 14}, {18, 17}, {18, 20}, {14, 20},
                                 {14, 16}, {17, 13}, {18, 11}, {17, 9},  {16, 9},  {15, 9},  {14, 11}, {14, 12}};
    for (gui::Point& p : hook) p = {at(p.x), at(p.y)};
    canvas.Polygon(hook);
    canvas.Ellipse(box(13, 22, 6, 6));
  }
}

TMKBoxDlg::TMKBoxDlg(gui::Application& app, platform::Desktop& desktop) : app_(app), desktop_(desktop) {}

int TMKBoxDlg::MsgBox(int kind, const std::string& text) { return Open(kind, 0, false, 0, text, 0); }

int TMKBoxDlg::MsgBoxTimer(int kind, const std::string& text, int defaultResult) {
  return Open(kind, 1, Timer, TimerCount, text, defaultResult);
}

int TMKBoxDlg::MsgBoxError(int kind, const std::string& text, int defaultResult) {
  return Open(kind, 2, ERTimer, ERTimerCount, text, defaultResult);
}

int TMKBoxDlg::Open(int kind, int style, bool countdown, int count, const std::string& text, int defaultResult) {
  int n = 0;
  while (n < 10 && B[static_cast<size_t>(n)]) ++n;
  if (n == 10) return 0;
  B[static_cast<size_t>(n)] = true;
  Slot& slot = slots_[static_cast<size_t>(n)];
  slot.style = style;
  slot.countdown = style != 0 && countdown;
  slot.count = style == 0 ? "0" : std::to_string(count).substr(0, 10);
  int result = 0;
  try {
    result = ShowBox(kind, n, text, style == 0 ? 0 : defaultResult);
  } catch (...) {
    B[static_cast<size_t>(n)] = false;
    throw;
  }
  B[static_cast<size_t>(n)] = false;
  return result;
}

int TMKBoxDlg::ShowBox(int kind, int n, const std::string& text, int defaultResult) {
  const Slot& slot = slots_[static_cast<size_t>(n)];
  gui::Form* main = app_.MainForm();
  auto box = std::make_unique<forms::TMKBox>(app_);
  box->DoCreate();
  const MKBoxIcon icon = kind == 1 ? MKBoxIcon::kQuestion : MKBoxIcon::kInformation;
  auto repaintMain = [&] {
    if (main != nullptr) main->Invalidate();
  };
  try {
    box->Msg.SetCaption(text);
    box->Label_TM.SetCaption(slot.count + "秒");
    box->MemoMsg.SetText("");

    // The box is laid out for its text at its scale, and again when its monitor's scale changes.
    auto layOut = [&](bool first) {
      MKBoxMetrics metrics;
      metrics.textWidth = box->Msg.Width();
      metrics.textHeight = box->Msg.Height();
      metrics.countWidth = box->Label_TM.Width();
      metrics.countHeight = box->Label_TM.Height();
      metrics.memoFontHeight = box->MemoMsg.Font().height;
      gui::Size frame = app_.GetBackend().FrameExtra(gui::BorderStyle::Dialog, false, box->FormDpi().ppi);
      metrics.frameWidth = frame.width;
      metrics.frameHeight = frame.height;
      metrics.dpi = box->FormDpi();

      Placement placement;
      placement.reference = SourceRect(app_, desktop_, SourceHandle);
      workArea_ = DialogWorkArea(probe_, desktop_, placement.reference);
      placement.workArea = workArea_;
      const MKBoxLayout l = LayoutMKBox({kind, slot.style, slot.countdown, defaultResult}, metrics, placement);

      box->SetBounds(l.left, l.top, l.outerWidth, l.outerHeight);
      box->MemoMsg.SetBounds(l.memo.left, l.memo.top, l.memo.width, l.memo.height);
      box->Image_Box.SetBounds(l.icon.left, l.icon.top, l.icon.width, l.icon.height);
      // The buttons keep what the user made of them (the pause button) when the box is laid out
      // again.
      auto place = [first](gui::Control& c, const Rect& r, bool visible) {
        c.SetBounds(r.left, r.top, r.width, r.height);
        if (first) c.SetVisible(visible);
      };
      place(box->Btn_OK, l.ok, l.okVisible);
      place(box->Btn_Yes, l.yes, l.yesVisible);
      place(box->Btn_No, l.no, l.noVisible);
      place(box->Btn_Abort, l.abort, l.abortVisible);
      place(box->Btn_TM_STOP, l.pause, l.pauseVisible);
      // The resume button waits under the pause button; it only shows once that one is pressed.
      place(box->Btn_TM_OPEN, l.pause, false);
      place(box->Label_Select, l.bar, l.barVisible);
      if (l.countVisible) place(box->Label_TM, l.count, true);
    };
    layOut(true);
    box->MemoMsg.SetText(MemoText(text));
    box->OnDpiChanged = [&](gui::Component&) { layOut(false); };

    box->SetCaption(Title.empty() ? app_.Title() : Title);
    if (main != nullptr) box->SetShowHint(main->ShowHint());
    box->TMCountS.SetCaption(slot.count);

    // Buttons and the countdown.
    auto end = [&box](int result) { return [&box, result](gui::Component&) { box->SetModalResult(result); }; };
    box->Btn_OK.OnClick = end(gui::kMrOk);
    box->Btn_Abort.OnClick = end(gui::kMrAbort);
    box->Btn_Yes.OnClick = end(gui::kMrYes);
    box->Btn_No.OnClick = end(gui::kMrNo);
    box->Btn_TM_STOP.OnClick = [&box](gui::Component&) {
      box->Btn_TM_STOP.Hide();
      box->Btn_TM_OPEN.Show();
      box->Timer1.SetEnabled(false);
    };
    box->Btn_TM_OPEN.OnClick = [&box](gui::Component&) {
      box->Btn_TM_OPEN.Hide();
      box->Btn_TM_STOP.Show();
      box->Timer1.SetEnabled(true);
    };
    int current = 0;
    bool taken = false;
    bool inTick = false;
    box->Timer1.OnTimer = [&](gui::Component&) {
      if (inTick) return;
      inTick = true;
      app_.ProcessMessages();
      if (!taken) {
        current = std::atoi(box->TMCountS.Caption().c_str());
        taken = true;
      }
      --current;
      box->Label_TM.SetCaption(std::to_string(current) + "秒");
      if (current <= 0) box->SetModalResult(kTimeOut);
      inTick = false;
    };
    box->Image_Box.OnPaint = [&box, icon](gui::Component&, gui::Canvas& canvas) {
      DrawMKBoxIcon(canvas, icon, box->Color(), box->Image_Box.Width());
    };
    box->OnShow = [&](gui::Component&) {
      if (main != nullptr) {
        box->SetColor(main->Color());
        gui::Font f = box->Font();
        f.color = main->Font().color;
        box->SetFont(f);
      }
      gui::Color bg = app_.GetBackend().ResolveColor(box->Color());
      box->Label_Select.SetColor(bg == gui::colors::kRed ? gui::colors::kBlue : gui::colors::kRed);
      box->Image_Box.Invalidate();
      box->BringToFront();
    };
    box->Timer1.SetEnabled(slot.countdown);

    int result = box->ShowModal();
    if (result == kTimeOut) result = defaultResult;
    box->Timer1.SetEnabled(false);
    box->Hide();
    box.reset();
    repaintMain();
    return result;
  } catch (...) {
    box.reset();
    repaintMain();
    throw;
  }
}

}  // namespace common
