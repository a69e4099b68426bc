// The save dialog on real windows: what the system's dialog shows, the path it hands back, and
// what it leaves alone. A second thread plays the user: it finds the dialog, reads it, fills the
// file name box and presses OK or Cancel.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "gui/application.h"
#include "gui/save_dialog.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

std::wstring Text(HWND h) {
  wchar_t buf[1024] = {};
  GetWindowTextW(h, buf, 1024);
  return buf;
}

// The visible dialog window of this process, waited for up to 10 s.
HWND WaitForDialog() {
  for (int i = 0; i < 200; ++i) {
    for (HWND w = FindWindowW(L"#32770", nullptr); w != nullptr; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    Sleep(50);
  }
  return nullptr;
}

// The file name box: a plain edit in older layouts, the edit of an extended combo box in newer.
HWND NameBox(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, edt1)) return edit;
  return reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, cmb13), CBEM_GETEDITCONTROL, 0, 0));
}

// What the user saw, read while the dialog was open.
struct Seen {
  std::wstring title, name;
  std::vector<std::wstring> filterRows;
  bool otherFormEnabled = true;
};

struct Win32SaveDialog : ::testing::Test {
  gui::win32::Backend backend;
  gui::Application app{backend};
  gui::Form& owner = app.CreateForm<gui::Form>("TQVSAVEOWNER");
  gui::Form& other = app.CreateForm<gui::Form>("TQVSAVEOTHER");
  gui::SaveDialog dialog{owner, "SaveDialog1"};
  std::wstring temp, folder;

  void SetUp() override {
    wchar_t buf[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buf);
    temp = buf;
    folder = temp + L"保存先";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(temp.c_str());
    owner.Show();
    other.Show();
    app.ProcessMessages();
  }
  void TearDown() override { RemoveDirectoryW(folder.c_str()); }

  // Runs the dialog while the user puts `answer` into the file name box and presses OK (Cancel
  // when `answer` is empty).
  bool Run(const std::wstring& answer, Seen& seen) {
    HWND otherWindow = reinterpret_cast<HWND>(other.GetHandle());
    std::thread user([&] {
      HWND d = WaitForDialog();
      if (d == nullptr) return;
      seen.title = Text(d);
      HWND name = NameBox(d);
      seen.name = Text(name);
      HWND types = GetDlgItem(d, cmb1);
      for (LRESULT i = 0, n = SendMessageW(types, CB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t row[256] = {};
        SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        seen.filterRows.push_back(row);
      }
      seen.otherFormEnabled = IsWindowEnabled(otherWindow) != FALSE;
      if (!answer.empty()) SetWindowTextW(name, answer.c_str());
      PostMessageW(d, WM_COMMAND, answer.empty() ? IDCANCEL : IDOK, 0);
    });
    const bool chosen = dialog.Execute();
    user.join();
    return chosen;
  }
};

TEST_F(Win32SaveDialog, ShowsItsSettingsAndHandsBackTheChosenPath) {
  dialog.InitialDir = *Narrow(folder);
  dialog.Title = "コピー先、フォルダーの選択";
  dialog.Filter = "ポスター (*.SCR)|*.SCR|ALL files (*.*)|*.*";  // "ポ" ends in the byte of "|"
  dialog.HideReadOnly = true;
  dialog.PathMustExist = true;
  const struct {
    const wchar_t* answer;
    bool chosen;
    std::wstring fileName;  // afterwards
  } cases[] = {
      {L"選んだ名前", true, folder + L"\\選んだ名前"},
      {L"", false, L"このフォルダーに、コピーする"},
  };
  for (const auto& c : cases) {
    dialog.FileName = "このフォルダーに、コピーする";
    Seen seen;
    EXPECT_EQ(Run(c.answer, seen), c.chosen) << *Narrow(c.answer);
    EXPECT_EQ(Wide(dialog.FileName), c.fileName);
    EXPECT_EQ(seen.title, L"コピー先、フォルダーの選択");
    EXPECT_EQ(seen.name, L"このフォルダーに、コピーする");
    EXPECT_EQ(seen.filterRows, (std::vector<std::wstring>{L"ポスター (*.SCR)", L"ALL files (*.*)"}));
    EXPECT_FALSE(seen.otherFormEnabled);
    EXPECT_TRUE(IsWindowEnabled(reinterpret_cast<HWND>(other.GetHandle())));
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current) + L"\\", temp);
  }
}

}  // namespace
