// qvprobe's parts: what the command file, the desktop queries and the menu pick share.
#pragma once
#include <windows.h>

#include <string>

namespace probe {

std::string Utf8(const std::wstring& w);
std::wstring ClassOf(HWND w);
// Waits until a visible window of the class exists (present) or none does.
bool WaitFor(const std::wstring& cls, bool present, DWORD ms);

// How a click is made: the button, the count, Ctrl held. A click first brings the window to the
// front and moves the mouse there.
struct ClickKind {
  int clicks = 1;
  bool right = false;
  bool ctrl = false;
};

// Real mouse input at a point of the screen (a move with no flags).
void MouseInput(POINT p, DWORD flags);
// Brings the window to the front, moves the mouse to `p` and clicks as `kind` says.
void ClickAt(HWND w, POINT p, ClickKind kind = {});

// The whole desktop (qvprobe_desktop.cpp); each returns the exit code.
int PrintMonitors();
int PrintProcesses();
int PrintShownWindows();
int PrintEvery(const std::wstring& cls);

// Picks the last of `items` in the menu opened by the last of `bar`, each "a|b|c"
// (qvprobe_menu.cpp); the exit code.
int MenuPick(HWND w, const std::wstring& bar, const std::wstring& items);

}  // namespace probe
