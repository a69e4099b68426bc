// qvprobe, menus: an item of a window's menu picked with the mouse. A menu lives in its program's
// process, where no other process can look, so the probe lays out a menu of the same captions of
// its own to learn where the bar's item and the menu's item are, and clicks there.
#include "qvprobe.h"

#include <string>
#include <vector>

namespace probe {
namespace {

std::vector<std::wstring> Captions(const std::wstring& joined) {
  std::vector<std::wstring> parts;
  size_t from = 0;
  for (size_t bar; (bar = joined.find(L'|', from)) != std::wstring::npos; from = bar + 1) parts.push_back(joined.substr(from, bar - from));
  parts.push_back(joined.substr(from));
  return parts;
}

HMENU MenuOf(const std::vector<std::wstring>& captions, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  UINT id = 100;
  for (const std::wstring& c : captions) {
    if (c == L"-") AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else if (bar) AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), c.c_str());
    else AppendMenuW(menu, MF_STRING, id++, c.c_str());
  }
  return menu;
}

// Where the last item of a popup menu of these captions lies, from the menu window's top left:
// the menu is shown for a moment in the probe's own window and measured there.
struct PopupMeasure {
  HMENU menu = nullptr;
  int item = 0;
  RECT rect{};
  bool done = false;
};
PopupMeasure* g_measure = nullptr;

void CALLBACK MeasurePopup(HWND, UINT, UINT_PTR id, DWORD) {
  PopupMeasure& m = *g_measure;
  HWND popup = FindWindowW(L"#32768", nullptr);
  RECT item;
  if (popup != nullptr && GetMenuItemRect(nullptr, m.menu, static_cast<UINT>(m.item), &item)) {
    RECT window;
    GetWindowRect(popup, &window);
    m.rect = {item.left - window.left, item.top - window.top, item.right - window.left, item.bottom - window.top};
    m.done = true;
  }
  KillTimer(nullptr, id);
  EndMenu();
}

}  // namespace

int MenuPick(HWND w, const std::wstring& bar, const std::wstring& items) {
  const std::vector<std::wstring> barCaptions = Captions(bar), itemCaptions = Captions(items);
  RECT real;
  GetClientRect(w, &real);
  HWND own = CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, real.right + 64, 400, nullptr, nullptr, nullptr, nullptr);
  if (own == nullptr) return 1;
  SetMenu(own, MenuOf(barCaptions, true));
  SetWindowPos(own, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT ownClient;
  GetClientRect(own, &ownClient);
  MoveWindow(own, 0, 0, real.right + 64 - (ownClient.right - real.right), 400, FALSE);
  POINT ownOrigin{0, 0}, realOrigin{0, 0};
  ClientToScreen(own, &ownOrigin);
  ClientToScreen(w, &realOrigin);
  RECT barItem;
  const bool onBar = GetMenuItemRect(own, GetMenu(own), static_cast<UINT>(barCaptions.size() - 1), &barItem) != 0;
  PopupMeasure measure{MenuOf(itemCaptions, false), static_cast<int>(itemCaptions.size() - 1)};
  g_measure = &measure;
  SetTimer(nullptr, 0, 300, MeasurePopup);
  TrackPopupMenuEx(measure.menu, TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, own, nullptr);
  DestroyWindow(own);
  if (!onBar || !measure.done) return 1;
  ClickAt(w, POINT{realOrigin.x + (barItem.left + barItem.right) / 2 - ownOrigin.x, realOrigin.y + (barItem.top + barItem.bottom) / 2 - ownOrigin.y});
  if (!WaitFor(L"#32768", true, 5000)) return 1;
  Sleep(300);
  RECT popup;
  GetWindowRect(FindWindowW(L"#32768", nullptr), &popup);
  const POINT at{popup.left + (measure.rect.left + measure.rect.right) / 2, popup.top + (measure.rect.top + measure.rect.bottom) / 2};
  MouseInput(at, 0);
  Sleep(100);
  MouseInput(at, MOUSEEVENTF_LEFTDOWN);
  MouseInput(at, MOUSEEVENTF_LEFTUP);
  return 0;
}

}  // namespace probe
