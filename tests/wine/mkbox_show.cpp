// mkbox_show: shows one message box of the program on real windows, for the end-to-end
// scenarios to look at and answer. Prints "result N" when the box returns.
//   mkbox_show ok|yesno|timed|yesnotimed|error|errorno [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/mkbox.h"
#include "gui/application.h"
#include "gui/form.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/win32_platform.h"

int main(int argc, char** argv) {
  std::string kind = argc > 1 ? argv[1] : "ok";
  platform::win32::Win32Platform os;
  gui::win32::Backend backend;
  gui::Application app(backend);
  app.SetTitle("QUOVEL32 EXE版");
  common::TMKBoxDlg box(app, os.desktop);
  if (argc > 2) box.TimerCount = box.ERTimerCount = std::atoi(argv[2]);
  int result = -1;
  if (kind == "ok") result = box.MsgOK("スクリーンセーバーを登録しました。\n一覧表の内容を確認して下さい☆");
  if (kind == "yesno") result = box.MsgYesNo("選択したファイルを削除しますか？");
  if (kind == "timed") result = box.MsgOKTimer("10秒後に自動的に閉じます・・・", 1);
  if (kind == "yesnotimed") result = box.MsgYesNoTimer("設定を保存しますか？", 7);
  if (kind == "error") result = box.MsgOKError("ファイルのコピーに失敗しました・・・\nC:\\一覧表\\ソフト\\星.scr", 1);
  std::printf("result %d\n", result);
  std::fflush(stdout);
  return 0;
}
