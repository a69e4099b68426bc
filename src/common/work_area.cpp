#include "common/work_area.h"

#include "gui/application.h"
#include "gui/form.h"

#include <vector>

#include "platform/desktop.h"

namespace common {

namespace {

using Edges = WindowEdges;

bool IsTaskbarShape(const Edges& e, int sw, int sh) {
  bool horizontal = e.left + e.right == sw;
  bool vertical = e.top + e.bottom == sh;
  if (!horizontal && !vertical) return false;
  if (horizontal && !(e.left != 0 && e.bottom - e.top <= sh / 2 + 2)) return false;
  if (vertical && !(e.top != 0 && e.right - e.left <= sw / 2 + 2)) return false;
  return true;
}

}  // namespace

bool WorkAreaProbe::Probe(int sw, int sh, const WindowQueries& q) {
  area_ = {0, 0, sw, sh};
  std::optional<Edges> bar;
  if (taskbar_ != 0) {
    if (auto r = q.edges(taskbar_)) bar = *r;
    else taskbar_ = 0;   // gone: search the corners again
  }
  uintptr_t chosen = 0;
  if (!bar) {
    const int points[4][2] = {{1, 1}, {1, sh - 1}, {sw - 1, 1}, {sw - 1, sh - 1}};
    uintptr_t best = 0;
    for (const auto& p : points) {
      uintptr_t w = q.windowAt(p[0], p[1]);
      if (w == 0) continue;
      auto r = q.edges(w);
      if (!r || !IsTaskbarShape(*r, sw, sh) || !q.title(w).empty()) continue;
      if (best == 0 || w < best) best = w;
    }
    if (best == 0) return false;
    auto r = q.edges(best);
    if (!r) return false;
    bar = *r;
    chosen = best;
  }
  const Edges& e = *bar;
  if (e.left + e.right == sw) {
    area_.left = 0;
    area_.width = sw;
    if (e.top < 0) {
      area_.top = e.bottom;
      area_.height = sh - e.bottom;
    } else {
      area_.top = 0;
      area_.height = e.top;
    }
  } else {
    if (e.left < 0) {
      area_.left = e.right;
      area_.width = sw - e.right;
    } else {
      area_.left = 0;
      area_.width = e.left;
    }
    area_.top = 0;
    area_.height = sh;
  }
  if (area_.width == 0 || area_.height == 0) {
    area_ = {0, 0, sw, sh};
    taskbar_ = 0;
    return false;
  }
  // The window whose rectangle gave the area is the one remembered, so that the next probe
  // gives the same area.
  if (taskbar_ == 0) taskbar_ = chosen;
  return true;
}

Rect DialogWorkArea(WorkAreaProbe& probe, platform::Desktop& desktop, const Rect& reference) {
  if (reference.width > 0) {
    const std::vector<platform::Monitor> monitors = desktop.Monitors();
    const platform::Monitor& m =
        platform::MonitorOf(monitors, {reference.left, reference.top, reference.Right(), reference.Bottom()});
    if (!m.primary) return {m.workArea.left, m.workArea.top, m.workArea.width(), m.workArea.height()};
  }
  platform::Point screen = desktop.ScreenSize();
  WindowQueries queries{
      [&desktop](int x, int y) { return desktop.WindowAt({x, y}); },
      [&desktop](uintptr_t w) -> std::optional<WindowEdges> {
        auto r = desktop.WindowRect(w);
        if (!r) return std::nullopt;
        return WindowEdges{r->left, r->top, r->right, r->bottom};
      },
      [&desktop](uintptr_t w) { return desktop.WindowTitle(w); },
  };
  if (probe.Probe(screen.x, screen.y, queries)) return probe.Area();
  platform::Rect r = desktop.WorkArea();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect SourceRect(gui::Application& app, platform::Desktop& desktop, gui::Handle source) {
  gui::Form* main = app.MainForm();
  const gui::Handle ref = source != 0 ? source : (main != nullptr ? main->GetHandle() : 0);
  Rect reference;
  if (ref != 0) {
    if (auto r = desktop.WindowRect(ref)) reference = {r->left, r->top, r->width(), r->height()};
  }
  return reference;
}

Rect PlaceOnSource(gui::Application& app, platform::Desktop& desktop, WorkAreaProbe& probe, gui::Form& dialog,
                   gui::Handle source) {
  const Rect reference = SourceRect(app, desktop, source);
  const Rect work = DialogWorkArea(probe, desktop, reference);
  const gui::Point at = PlaceDialog(reference, work, dialog.Width(), dialog.Height());
  dialog.SetBounds(at.x, at.y, dialog.Width(), dialog.Height());
  return work;
}

void FollowMainColours(gui::Application& app, gui::Form& dialog) {
  auto take = [&app, &dialog] {
    gui::Form* main = app.MainForm();
    if (main == nullptr || main == &dialog) return;
    if (dialog.Color() != main->Color()) dialog.SetColor(main->Color());
    if (dialog.Font().color != main->Font().color) {
      gui::Font f = dialog.Font();
      f.color = main->Font().color;
      dialog.SetFont(f);
    }
  };
  dialog.OnShow = [take](gui::Component&) { take(); };
  dialog.OnPaint = [take](gui::Component&, gui::Canvas&) { take(); };
}

}  // namespace common
