// The behaviour of the black, always-on-top backdrop behind playing screen savers: shown before
// each saver and after each one has ended, so that the gaps between savers show a still picture
// instead of the desktop. It is brought to the front only while no saver runs, so it never takes
// the activation from a saver (which would end it). While a saver shows, the monitors it does not
// draw on are black, not a still picture for hours.
#pragma once
#include <vector>

#include "platform/desktop.h"
#include "platform/processes.h"

namespace gui {
class Application;
}

namespace forms {
class TQUOVEL32BACK;
}

namespace play {

class Backdrop {
 public:
  // Wires the clicks of the form and its picture (a click hides the backdrop).
  Backdrop(gui::Application& app, forms::TQUOVEL32BACK& form);

  // Captures the screen into Image1 after letting pending messages run (so that windows about to
  // go have been repainted). At 8 bits per pixel or less the picture passes through the
  // clipboard. A failed capture keeps the picture before it. Where the black cover lay, the
  // picture before it stays (the screen was black there only because of the cover), and the
  // cover goes: the gap after the saver shows the picture on every monitor.
  void CapChanClick();
  // While a saver shows: whatever of the backdrop its windows (screen rectangles) leave uncovered
  // turns black. While it shows no window yet the picture stays. Showing, hiding or capturing
  // the picture takes the cover away.
  void CoverBeside(const std::vector<platform::Rect>& saverWindows);
  // The same beside the windows the running saver shows now.
  void CoverBesideSaver(platform::Processes& processes, const platform::ProcessRef& saver);
  // Shows the picture again, at the start of a run. The form is laid over every monitor as they
  // are now (monitors may have been added, removed or moved since the last run); the savers show
  // on the primary one, the others keep the picture.
  void ShowImage();
  // Leaves the black form without the picture (a saver ended by itself).
  void HideImage();
  // Shows the form and puts it in front.
  void ShowInFront();
  void Close();
  bool Visible() const;
  bool ImageVisible() const;

 private:
  void Uncover();

  gui::Application& app_;
  forms::TQUOVEL32BACK& form_;
  // Bits per pixel of the display, measured once.
  int colorDepth_;
};

}  // namespace play
