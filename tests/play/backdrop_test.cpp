// The backdrop's screen capture: what reaches Image1, when the clipboard is used, and how the
// picture follows a run (captured at the start and before a saver is ended, hidden when a saver
// ended by itself, black beside a showing saver).
#include "play_fixture.h"

namespace play {
namespace {

// A small screen of one colour, so that pictures are told apart by a pixel.
std::shared_ptr<const gui::Bitmap> Screen(gui::Color c) { return std::make_shared<gui::Bitmap>(40, 30, c); }

struct DepthCase {
  int bits;
  bool viaClipboard;
};

class CaptureDepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(CaptureDepthTest, CapturesTheScreenIntoImage1) {
  guitest::HeadlessApp h;
  h.backend.SetColorDepth(GetParam().bits);
  h.backend.SetScreenSize({320, 200});
  forms::TQUOVEL32BACK form{h.app};
  Backdrop backdrop{h.app, form};
  // The depth is measured once: a later change does not move the decision.
  h.backend.SetColorDepth(GetParam().bits <= 8 ? 32 : 8);

  ASSERT_EQ(form.Image1.Picture(), nullptr);
  backdrop.CapChanClick();
  auto picture = form.Image1.Picture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 320);
  EXPECT_EQ(picture->Height(), 200);
  // The made-up screen: red follows x, green follows y.
  EXPECT_EQ(picture->Pixel(0, 0), gui::Rgb(0, 0, 0x80));
  EXPECT_EQ(picture->Pixel(300, 150), gui::Rgb(300 % 256, 150, 0x80));
  EXPECT_EQ(h.backend.ScreenCaptures(), 1);
  EXPECT_EQ(h.backend.ClipboardCaptures(), GetParam().viaClipboard ? 1 : 0);

  // A second capture replaces the picture with what the screen shows now.
  h.backend.SetScreenPicture(Screen(gui::colors::kWhite));
  backdrop.CapChanClick();
  ASSERT_NE(form.Image1.Picture(), nullptr);
  EXPECT_NE(form.Image1.Picture(), picture);
  EXPECT_EQ(form.Image1.Picture()->Pixel(5, 5), gui::colors::kWhite);
  EXPECT_EQ(h.backend.ClipboardCaptures(), GetParam().viaClipboard ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, CaptureDepthTest,
                         testing::Values(DepthCase{1, true}, DepthCase{4, true}, DepthCase{8, true},
                                         DepthCase{15, false}, DepthCase{16, false}, DepthCase{24, false},
                                         DepthCase{32, false}),
                         [](const testing::TestParamInfo<DepthCase>& info) {
                           return std::to_string(info.param.bits) + "Bits";
                         });

// Two monitors of 8 x 4 pixels, the second left of the primary one: the backdrop row by row,
// '#' where it is black beside the saver's windows.
struct CoverCase {
  const char* name;
  std::vector<platform::Rect> windows;
  std::vector<std::string> rows;
};

class CoverTest : public testing::TestWithParam<CoverCase> {};

TEST_P(CoverTest, BlackIsWhatTheSaversWindowsLeaveUncovered) {
  guitest::HeadlessApp h;
  h.backend.SetVirtualScreen({-8, 0, 16, 4});
  forms::TQUOVEL32BACK form{h.app};
  Backdrop backdrop{h.app, form};
  backdrop.CoverBeside(GetParam().windows);
  std::vector<std::string> rows(4, std::string(16, '.'));
  for (const gui::Rect& r : form.Image1.BlankParts()) {
    for (int y = r.top; y < r.Bottom(); ++y) {
      for (int x = r.left; x < r.Right(); ++x) rows.at(y).at(x) = rows.at(y).at(x) == '.' ? '#' : '2';
    }
  }
  EXPECT_EQ(rows, GetParam().rows);
}

const std::string kLeft = "########........", kNone = "................", kAll = "################";
INSTANTIATE_TEST_SUITE_P(
    Layouts, CoverTest,
    testing::Values(CoverCase{"NoWindowYet", {}, {kNone, kNone, kNone, kNone}},
                    CoverCase{"OnThePrimaryMonitor", {{0, 0, 8, 4}}, {kLeft, kLeft, kLeft, kLeft}},
                    CoverCase{"OnEveryMonitor", {{-8, 0, 0, 4}, {0, 0, 8, 4}}, {kNone, kNone, kNone, kNone}},
                    CoverCase{"PartlyOffTheScreen", {{4, -2, 12, 2}}, {"############....", "############....", kAll, kAll}},
                    CoverCase{"TwoWindows", {{-6, 1, -4, 3}, {0, 0, 8, 4}}, {kLeft, "##..####........", "##..####........", kLeft}}),
    [](const testing::TestParamInfo<CoverCase>& info) { return std::string(info.param.name); });

TEST(BackdropCover, ACaptureKeepsThePictureWhereTheCoverLayAndLiftsTheCover) {
  guitest::HeadlessApp h;
  h.backend.SetVirtualScreen({-8, 0, 16, 4});
  forms::TQUOVEL32BACK form{h.app};
  Backdrop backdrop{h.app, form};
  h.backend.SetScreenPicture(std::make_shared<gui::Bitmap>(16, 4, gui::colors::kBlue));
  backdrop.CapChanClick();
  backdrop.CoverBeside({{0, 0, 8, 4}});
  h.backend.SetScreenPicture(std::make_shared<gui::Bitmap>(16, 4, gui::colors::kRed));
  backdrop.CapChanClick();
  EXPECT_TRUE(form.Image1.BlankParts().empty());
  EXPECT_EQ(form.Image1.Picture()->Pixel(7, 3), gui::colors::kBlue);  // beside the saver: as before
  EXPECT_EQ(form.Image1.Picture()->Pixel(8, 0), gui::colors::kRed);   // the saver's last frame
}

using BackdropRunTest = PlayFixture;

TEST_F(BackdropRunTest, PictureFollowsTheRun) {
  Start();
  Rows({"A.SCR", "B.SCR", "C.SCR"});
  Order(0, true);
  h.backend.SetScreenPicture(Screen(gui::colors::kBlue));
  Play();
  ASSERT_TRUE(RunUntil(1));
  // Captured at the start of the run and shown in front before the saver.
  EXPECT_TRUE(backdrop.Visible());
  EXPECT_TRUE(backdrop.ImageVisible());
  ASSERT_NE(backForm.Image1.Picture(), nullptr);
  EXPECT_EQ(backForm.Image1.Picture()->Pixel(0, 0), gui::colors::kBlue);
  EXPECT_EQ(h.backend.ClipboardCaptures(), 0);

  // The saver's last picture is taken just before it is ended on time.
  h.backend.SetScreenPicture(Screen(gui::colors::kRed));
  ASSERT_TRUE(RunUntil(2, 120000));
  ASSERT_EQ(Played().size(), 2u);
  EXPECT_EQ(p.desktop.KeysPressed().size(), 1u);
  EXPECT_EQ(backForm.Image1.Picture()->Pixel(0, 0), gui::colors::kRed);
  EXPECT_TRUE(backdrop.ImageVisible());
  Stop();
  EXPECT_FALSE(backdrop.Visible());
}

TEST_F(BackdropRunTest, AfterASaverEndedByItselfTheNextRunShowsAFreshPicture) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  Play();
  ASSERT_TRUE(RunUntil(1));
  h.backend.Advance(2000);
  const int captures = h.backend.ScreenCaptures();
  p.processes.UserInput();
  ASSERT_TRUE(RunUntil(SIZE_MAX, 5000));
  EXPECT_FALSE(engine->Playing());
  EXPECT_FALSE(backdrop.ImageVisible());
  // Nothing was ended by key, so nothing more was captured.
  EXPECT_EQ(h.backend.ScreenCaptures(), captures);

  h.backend.SetScreenPicture(Screen(gui::colors::kGreen));
  Play();
  ASSERT_TRUE(RunUntil(2));
  EXPECT_TRUE(backdrop.ImageVisible());
  EXPECT_EQ(backForm.Image1.Picture()->Pixel(0, 0), gui::colors::kGreen);
  Stop();
}

TEST_F(BackdropRunTest, EachRunCoversTheMonitorsAsTheyAreThen) {
  Start();
  Rows({"A.SCR", "B.SCR"});
  Order(0, true);
  size_t runs = 0;
  for (const gui::Rect all : {gui::Rect{-1024, 0, 2048, 768}, gui::Rect{0, -200, 2304, 1024}}) {
    h.backend.SetVirtualScreen(all);
    Play();
    ASSERT_TRUE(RunUntil(++runs));
    EXPECT_EQ(backForm.Bounds(), all);
    EXPECT_EQ(backForm.Image1.Bounds(), (gui::Rect{0, 0, all.width, all.height}));
    ASSERT_NE(backForm.Image1.Picture(), nullptr);
    EXPECT_EQ(backForm.Image1.Picture()->Width(), all.width);  // the capture spans them all
    Stop();
  }
}

}  // namespace
}  // namespace play
