// tmset_show: runs the program's number-setting dialog on real windows, for the end-to-end
// scenarios to look at and operate. Prints "result N tcount M" when the dialog returns.
//   tmset_show seconds|items TCOUNT [MINCOUNT]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tmset_box.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/win32_platform.h"

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "seconds";
  platform::win32::Win32Platform os;
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  common::TTmSETBoxDlg dlg(app, os.desktop);
  dlg.TCount = argc > 2 ? std::atoi(argv[2]) : 0;
  dlg.MinCount = argc > 3 ? std::atoi(argv[3]) : 0;
  std::string caption;
  if (kind == "items") {
    dlg.Msg1 = "ファイル履歴の最大数：";
    dlg.Msg2 = "（０で、履歴を残しません）";
    caption = "ファイル履歴の数";
  } else {
    dlg.Msg0 = "スクリーンセーバーの表示時間を設定して下さい☆";
    dlg.Msg1 = "ファイルタイマーの設定：";
    dlg.Msg2 = "C:\\スクリーンセーバー\\星空.scr";
    caption = "表示時間";
  }
  const int result = dlg.Execute(caption);
  std::printf("result %d tcount %d\n", result, dlg.TCount);
  std::fflush(stdout);
  return 0;
}
