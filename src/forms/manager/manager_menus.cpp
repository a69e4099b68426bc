// The main menu, the drop menu, the file-command menu of the lists and the two menus of the
// notification-area icon. Check marks show the settings' defaults; the start-up sequence sets
// them from the registry.
#include <initializer_list>
#include <utility>

#include "forms/manager/manager_form.h"

namespace forms {

namespace {

void Captions(std::initializer_list<std::pair<gui::MenuItem*, const char*>> items) {
  for (const auto& [item, caption] : items) item->SetCaption(caption);
}

}  // namespace

void TQUOVEL32KAPUL::LayoutMenus() {
  Captions({
      {&MF0, "ファイル(&F)"},
      {&F1, "現在の設定値を、［SCR版］に渡す(&T)"},
      {&N3, "-"},
      {&TEMPSS, "作業用ﾌｫﾙﾀﾞｰの変更...(&F)"},
      {&N1, "-"},
      {&FX, "終了(&X)"},
      {&MStart0, "タイマー(&T)"},
      {&Start1, "自動立ち上げ(&A)"},
      {&N4, "-"},
      {&Start2, "最小化立ち上げ(&M)"},
      {&N5, "-"},
      {&FT, "ファイル・タイマーＯＮ(&T)"},
      {&K9, "ファイルタイマーの編集...(&E)"},
      {&N2, "-"},
      {&ST, "省電力タイマー設定　9999秒"},
      {&MOption0, "オプション(&O)"},
      {&K6, "隠しフォルダーも表示する(&K)"},
      {&SSN, "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ名表示ＯＮ(&N)"},
      {&PREVIEW, "プレビュー表示(&P)"},
      {&MONITORS, "モニターごとに別のセーバー(&M)"},
      {&BackColor, "バックカラーを標準色にする(&B)"},
      {&N6, "-"},
      {&KINSI, "起動禁止ＯＮ(&C)"},
      {&N7, "-"},
      {&FOLDERHIS, "フォルダーヒストリーの設定...(&H)"},
      {&FILEHIS, "ファイルヒストリーの設定...(&F)"},
      {&N8, "-"},
      {&MICON_SET, "アイコンを、スタートアップにも、登録する (&S)"},
      {&MICON_DEL, "アイコンを、スタートアップから、削除する (&S)"},
      {&MDESK_SET, "アイコンを、デスクトップにも、登録する (&D)"},
      {&MDESK_DEL, "アイコンを、デスクトップから、削除する (&D)"},
      {&MHelp0, "ヘルプ(&H)"},
      {&help1, "使い方...(&H)"},
      {&help2, "バージョン情報...(&V)"},
      {&N9, "-"},
      {&help3, "ミニヘルプＯＮ(&M)"},
      {&N10, "-"},
      {&help4, "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)"},
      {&MHelp3, "緊急脱出装置...(&Z)"},
  });
  for (gui::MenuItem* on : {&FT, &K6, &SSN, &BackColor, &KINSI, &help3}) on->SetChecked(true);
  // Opening the menus shows the right one of each pair, and the version deletion.
  for (gui::MenuItem* shownLater : {&MICON_DEL, &MDESK_DEL, &help4}) shownLater->SetVisible(false);

  Captions({
      {&P0, "移動　（選択のみ）(&M)"},
      {&P1, "コピー（選択のみ）(&C)"},
      {&P2, "すべて移動(&I)"},
      {&P3, "すべてコピー(&A)"},
      {&N11, "-"},
      {&P4, "中止(&Z)"},
  });

  Captions({
      {&PkPLAY, "再生　（関連付け実行）　（選択のみ）(&P)"},
      {&PKANREN, "開く 　（関連付け実行）　（選択のみ）(&O)"},
      {&PTEXT, "なんでもテキスト表示　（選択のみ）(&T)"},
      {&PBinary, "なんでも、ﾊﾞｲﾅﾘｰ表示 4K　（選択のみ）(&B)"},
      {&PHTML, "HTMLﾃｷｽﾄ整形表示　（選択のみ）(&H)"},
      {&P0DCUT, "HTML 0Dh削除 （選択のみ）(&D)"},
      {&N12, "-"},
      {&PLZH4, "LZH格納ファイル一覧表示　（選択のみ）(&I)"},
      {&PLZH2, "ＬＺＨ解凍　（選択のみ）(&L)"},
      {&PLZH0, "SCRLZHのみ解凍　（選択のみ）(&R)"},
      {&PLZH3, "すべてＬＺＨ解凍(&U)"},
      {&PLZH1, "SCRLZHのみすべて解凍(&Q)"},
      {&PLZH5, "LZHファイルも解凍先に、コピーする(&W)"},
      {&N13, "-"},
      {&PASHUKU, "LZH圧縮　（選択のみ）(&F)"},
      {&PASHUKUALL, "LZHすべて圧縮(&A)"},
      {&N14, "-"},
      {&PCOPY, "実際にコピー（選択のみ）(&C)"},
      {&PIDO, "実際に移動　（選択のみ）(&M)"},
      {&PKILL, "実際に削除　（選択のみ）(&K)"},
      {&N15, "-"},
      {&PAKI, "全ドライブ空きサイズ一覧(&S)"},
      {&N16, "-"},
      {&PLZHX, "このメニューを閉じる(&Z)"},
  });
  PLZH5.SetChecked(true);

  Captions({
      {&TL1, "再生開始(&P)"},
      {&TL2, "中断(&K)"},
      {&N17, "-"},
      {&TLOFF, "このメニューを閉じる(&Z)"},
      {&TR1, "再生(&P)"},
      {&TR2, "中断(&K)"},
      {&N18, "-"},
      {&TRM0, "連続(&R)"},
      {&TRM1, "逆連(&G)"},
      {&TRM2, "単独(&O)"},
      {&TRM3, "ランダム(&D)"},
      {&N19, "-"},
      {&TR3, "表示時間(&T)"},
      {&TR4, "省電力タイマー"},
      {&N20, "-"},
      {&TR5, "実行／設定(&S)"},
      {&TR6, "ファイルタイマーＯＮ(&T)"},
      {&TRKINSI, "起動禁止ＯＮ(&C)"},
      {&N21, "-"},
      {&TR_IconOFF, "常駐解除　（元の画面に戻す）(&U)"},
      {&N22, "-"},
      {&TRX, "終了(&X)"},
      {&N23, "-"},
      {&TROFF, "このメニューを閉じる(&Z)"},
  });
  // The order items carry the item index of RadioGroup1 they select.
  int order = 0;
  for (gui::MenuItem* item : {&TRM0, &TRM1, &TRM2, &TRM3}) item->SetTag(order++);
}

}  // namespace forms
