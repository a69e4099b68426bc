#include "config_dialog.h"

#include <commctrl.h>

namespace savers {
namespace {

// Builds a DLGTEMPLATE in memory, so that every saver shares one dialog without a resource of
// its own. Items start on DWORD boundaries; the vector's storage is suitably aligned.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short cx, short cy) {
    Dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Dword(0);
    countAt_ = data_.size();
    Word(0);
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);  // no menu
    Word(0);  // standard dialog class
    Text(title);
    Word(9);
    Text(L"MS Shell Dlg");
  }

  void Item(DWORD style, short x, short y, short cx, short cy, int id, const wchar_t* cls,
            WORD atom, const std::wstring& text) {
    if (data_.size() % 2) Word(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(static_cast<WORD>(id));
    if (cls != nullptr) {
      Text(cls);
    } else {
      Word(0xFFFF);
      Word(atom);
    }
    Text(text);
    Word(0);  // no creation data
    ++data_[countAt_];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void Word(WORD w) { data_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    for (wchar_t c : s) Word(static_cast<WORD>(c));
    Word(0);
  }

  std::vector<WORD> data_;
  size_t countAt_ = 0;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kStatic = 0x0082;

struct Context {
  const std::vector<Setting>* settings;
  std::vector<int>* values;
};

void ShowValue(HWND dialog, size_t i) {
  int pos = static_cast<int>(SendDlgItemMessageW(dialog, kFirstSlider + static_cast<int>(i), TBM_GETPOS, 0, 0));
  SetDlgItemInt(dialog, kFirstValueText + static_cast<int>(i), static_cast<UINT>(pos), TRUE);
}

void SetSlider(HWND dialog, size_t i, int value) {
  SendDlgItemMessageW(dialog, kFirstSlider + static_cast<int>(i), TBM_SETPOS, TRUE, value);
  ShowValue(dialog, i);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ctx = reinterpret_cast<Context*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      ctx = reinterpret_cast<Context*>(lParam);
      for (size_t i = 0; i < ctx->settings->size(); ++i) {
        const Setting& s = (*ctx->settings)[i];
        HWND slider = GetDlgItem(dialog, kFirstSlider + static_cast<int>(i));
        SendMessageW(slider, TBM_SETRANGEMIN, FALSE, s.minimum);
        SendMessageW(slider, TBM_SETRANGEMAX, FALSE, s.maximum);
        int step = (s.maximum - s.minimum) / 10;
        SendMessageW(slider, TBM_SETTICFREQ, step > 0 ? step : 1, 0);
        SendMessageW(slider, TBM_SETPAGESIZE, 0, step > 0 ? step : 1);
        SetSlider(dialog, i, (*ctx->values)[i]);
      }
      // Started from another program (the display settings, a player), come to the front.
      SetForegroundWindow(dialog);
      return TRUE;
    }
    case WM_HSCROLL:
      for (size_t i = 0; ctx != nullptr && i < ctx->settings->size(); ++i) {
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kFirstSlider + static_cast<int>(i))) {
          ShowValue(dialog, i);
        }
      }
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          for (size_t i = 0; i < ctx->settings->size(); ++i) {
            (*ctx->values)[i] = static_cast<int>(
                SendDlgItemMessageW(dialog, kFirstSlider + static_cast<int>(i), TBM_GETPOS, 0, 0));
          }
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case kDefaultsButton:
          for (size_t i = 0; i < ctx->settings->size(); ++i) SetSlider(dialog, i, (*ctx->settings)[i].fallback);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

bool RunConfigDialog(HWND owner, const std::wstring& title, const std::vector<Setting>& settings,
                     std::vector<int>& values) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  constexpr short kRow = 24, kTop = 10, kWidth = 236;
  short rows = static_cast<short>(settings.size());
  short buttonsY = static_cast<short>(kTop + rows * kRow + 6);
  DialogTemplate t(title, kWidth, static_cast<short>(buttonsY + 14 + 8));
  for (short i = 0; i < rows; ++i) {
    short y = static_cast<short>(kTop + i * kRow);
    t.Item(SS_LEFT, 8, static_cast<short>(y + 3), 62, 10, -1, nullptr, kStatic, settings[i].label);
    t.Item(TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 72, y, 124, 18, kFirstSlider + i, TRACKBAR_CLASSW, 0, L"");
    t.Item(SS_RIGHT, 198, static_cast<short>(y + 3), 28, 10, kFirstValueText + i, nullptr, kStatic, L"");
  }
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 8, buttonsY, 60, 14, kDefaultsButton, nullptr, kButton, L"標準に戻す");
  t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 118, buttonsY, 50, 14, IDOK, nullptr, kButton, L"OK");
  t.Item(BS_PUSHBUTTON | WS_TABSTOP, 176, buttonsY, 50, 14, IDCANCEL, nullptr, kButton, L"キャンセル");

  std::vector<int> edited = values;
  Context ctx{&settings, &edited};
  INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(&ctx));
  if (result != IDOK) return false;
  values = edited;
  return true;
}

}  // namespace savers
