// menu_pick: picks an item of a window's menu bar as a user's click does, for the end-to-end
// scenarios. The window is found by class, the item by a piece of its caption (searched through
// every submenu); the pick is the WM_COMMAND the menu sends.
//
//   menu_pick CLASS TEXT   exit code 0 when the item was found and picked, 1 otherwise
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/win32/arguments.h"

namespace {

// The command identifier of the first item whose caption contains `text`, or 0.
UINT FindItem(HMENU menu, const std::wstring& text) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[512] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 512, MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (UINT id = FindItem(sub, text)) return id;
    } else if (std::wstring(caption).find(text) != std::wstring::npos) {
      return GetMenuItemID(menu, i);
    }
  }
  return 0;
}

}  // namespace

int main() {
  std::vector<std::wstring> args = testsupport::WideArguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: menu_pick CLASS TEXT\n");
    return 2;
  }
  HWND window = FindWindowW(args[1].c_str(), nullptr);
  HMENU bar = window != nullptr ? GetMenu(window) : nullptr;
  UINT id = bar != nullptr ? FindItem(bar, args[2]) : 0;
  if (id == 0) {
    std::printf("no menu item\n");
    return 1;
  }
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return 0;
}
