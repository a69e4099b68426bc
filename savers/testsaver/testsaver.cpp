// The plain saver of the tests: its own name and a frame counter in big letters on a colour
// picked from the name, so that a screenshot tells at once which copy is showing (and whether it
// is the 64-bit build). It shows on the primary monitor only, like many savers of old. A copy
// named HANG*.SCR ignores everything that would end it, one named FULL*.SCR shows full screen
// when asked for a preview; QV_SAVER_DELAY=<ms> holds the full-screen window back that long, like
// a saver that is slow to start.
#include <windows.h>

#include <string>

#include "saver_host.h"
#include "saver_log.h"

namespace {

using savers::Frame;

// A bright, distinct background for every name (the hue comes from a hash of the name).
std::uint32_t ColourOf(const std::wstring& name) {
  std::uint32_t hash = 2166136261u;
  for (wchar_t c : name) {
    hash ^= static_cast<std::uint32_t>(towupper(c));
    hash *= 16777619u;
  }
  double hue = (hash % 360) / 60.0;
  int sector = static_cast<int>(hue);
  double f = hue - sector;
  int hi = 210, lo = 60;
  int up = static_cast<int>(lo + (hi - lo) * f), down = static_cast<int>(hi - (hi - lo) * f);
  switch (sector) {
    case 0: return savers::Rgb(hi, up, lo);
    case 1: return savers::Rgb(down, hi, lo);
    case 2: return savers::Rgb(lo, hi, up);
    case 3: return savers::Rgb(lo, down, hi);
    case 4: return savers::Rgb(up, lo, hi);
    default: return savers::Rgb(hi, lo, down);
  }
}

class TestSaver : public savers::Saver {
 public:
  TestSaver(int textSize, bool preview)
      : name_(savers::SaverName()), colour_(ColourOf(name_)), textSize_(textSize), preview_(preview) {}
  ~TestSaver() override { DeleteFonts(); }

  // The letters fill a share of the window whatever its scale: the tests read them at a glance.
  void Resize(int width, int height, double) override {
    DeleteFonts();
    int big = height * (10 + textSize_ * 2) / 100;
    big_ = CreateFontW(-big, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
    small_ = CreateFontW(-(big / 3 > 8 ? big / 3 : 8), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                         DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
    width_ = width;
    height_ = height;
  }

  void Advance(double) override { ++frames_; }

  void Draw(const Frame& f) override {
    size_t count = static_cast<size_t>(f.width) * static_cast<size_t>(f.height);
    for (size_t i = 0; i < count; ++i) f.pixels[i] = colour_;
    // A frame of darker colour, so that the edges of the window show in screenshots.
    HBRUSH edge = CreateSolidBrush(savers::ToColorRef(savers::Mix(colour_, 0, 0.5)));
    RECT all{0, 0, f.width, f.height};
    FrameRect(f.dc, &all, edge);
    InflateRect(&all, -1, -1);
    FrameRect(f.dc, &all, edge);
    DeleteObject(edge);

    SetBkMode(f.dc, TRANSPARENT);
    std::wstring counter = L"#" + std::to_wstring(frames_);
    std::wstring info = L"pid " + std::to_wstring(GetCurrentProcessId()) + (preview_ ? L"  プレビュー" : L"  全画面") +
                        (sizeof(void*) == 8 ? L"  64ビット" : L"");
    Centered(f.dc, big_, name_, height_ * 30 / 100);
    Centered(f.dc, big_, counter, height_ * 58 / 100);
    Centered(f.dc, small_, info, height_ * 84 / 100);
  }

 private:
  void Centered(HDC dc, HFONT font, const std::wstring& text, int centreY) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int x = (width_ - size.cx) / 2, y = centreY - size.cy / 2;
    int shadow = size.cy / 24 + 1;
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, x + shadow, y + shadow, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
  }

  void DeleteFonts() {
    if (big_ != nullptr) DeleteObject(big_);
    if (small_ != nullptr) DeleteObject(small_);
    big_ = small_ = nullptr;
  }

  std::wstring name_;
  std::uint32_t colour_;
  int textSize_;
  bool preview_;
  HFONT big_ = nullptr;
  HFONT small_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  unsigned long frames_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  savers::SaverInfo info;
  info.settingsName = L"TestSaver";
  info.settings = {{L"TextSize", L"文字の大きさ", 1, 10, 5}};
  info.create = [](const std::vector<int>& v, bool preview) -> std::unique_ptr<savers::Saver> {
    wchar_t delay[16] = {};
    if (!preview && GetEnvironmentVariableW(L"QV_SAVER_DELAY", delay, 16) > 0) Sleep(static_cast<DWORD>(_wtoi(delay)));
    return std::make_unique<TestSaver>(v[0], preview);
  };
  info.everyMonitor = false;
  // A copy named HANG*.SCR will not end.
  info.deaf = _wcsnicmp(savers::SaverName().c_str(), L"HANG", 4) == 0;
  // A copy named FULL*.SCR ignores the preview's window.
  info.previewFullScreen = _wcsnicmp(savers::SaverName().c_str(), L"FULL", 4) == 0;
  return savers::RunSaver(info);
}
