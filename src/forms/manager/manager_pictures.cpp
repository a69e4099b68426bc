// The pictures of the manager window: drive-type icons for the drive list, closed and open
// folders for the folder list, and the empty and full trash. The drive and folder pictures are
// drawn over pure red (255), which the lists paint transparent; the trash pictures lie on the
// window's own colour.
#include <memory>

#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/bitmap.h"

namespace forms {

namespace {

constexpr gui::Color kKey = gui::colors::kRed;
constexpr gui::Color kBlack = gui::colors::kBlack;
constexpr gui::Color kWhite = gui::colors::kWhite;
constexpr gui::Color kGray = gui::colors::kGray;
constexpr gui::Color kSilver = gui::colors::kSilver;
constexpr gui::Color kLed = gui::colors::kLime;
constexpr gui::Color kFolder = gui::Rgb(255, 220, 96);
constexpr gui::Color kFolderShade = gui::Rgb(200, 150, 40);

void Fill(gui::Bitmap& b, int x, int y, int w, int h, gui::Color c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) b.SetPixel(i, j, c);
  }
}

// A filled box with a one-pixel outline.
void Box(gui::Bitmap& b, int x, int y, int w, int h, gui::Color fill, gui::Color line = kBlack) {
  Fill(b, x, y, w, h, line);
  Fill(b, x + 1, y + 1, w - 2, h - 2, fill);
}

using Painter = void (*)(gui::Bitmap&);

std::shared_ptr<gui::Bitmap> Picture(int width, int height, gui::Color background, Painter paint) {
  auto b = std::make_shared<gui::Bitmap>(width, height, background);
  paint(*b);
  return b;
}

// Drive icons, 16 x 9.
void PaintFloppy(gui::Bitmap& b) {
  Box(b, 1, 0, 14, 9, kSilver);
  Fill(b, 3, 3, 10, 1, kBlack);
  Fill(b, 11, 6, 2, 1, kLed);
}
void PaintFixed(gui::Bitmap& b) {
  Box(b, 0, 1, 16, 7, kSilver);
  Fill(b, 1, 2, 14, 1, kWhite);
  Fill(b, 12, 5, 2, 1, kLed);
}
void PaintNetwork(gui::Bitmap& b) {
  Box(b, 1, 0, 14, 6, kSilver);
  Fill(b, 12, 3, 2, 1, kLed);
  Fill(b, 7, 6, 2, 2, kBlack);
  Fill(b, 2, 8, 12, 1, kBlack);
}
void PaintCdrom(gui::Bitmap& b) {
  Box(b, 0, 1, 16, 7, kSilver);
  Fill(b, 2, 3, 9, 2, kGray);
  Fill(b, 12, 5, 2, 1, gui::colors::kYellow);
}
void PaintRam(gui::Bitmap& b) {
  Fill(b, 0, 2, 16, 5, gui::colors::kGreen);
  for (int x = 2; x < 14; x += 4) Fill(b, x, 3, 3, 3, kBlack);
  for (int x = 1; x < 16; x += 2) Fill(b, x, 7, 1, 2, gui::Rgb(200, 160, 0));
}

// Folders, 19 x 19.
void PaintFolderClosed(gui::Bitmap& b) {
  Box(b, 2, 3, 7, 3, kFolder);
  Box(b, 1, 5, 17, 11, kFolder);
  Fill(b, 2, 6, 15, 1, kWhite);
}
void PaintFolderOpen(gui::Bitmap& b) {
  Box(b, 2, 3, 7, 3, kFolderShade);
  Box(b, 1, 5, 15, 11, kFolderShade);
  // The front flap, leaning back.
  for (int row = 0; row < 7; ++row) Fill(b, 4 - row / 3, 9 + row, 14, 1, kFolder);
  Fill(b, 4, 8, 14, 1, kBlack);
  Fill(b, 2, 15, 14, 1, kBlack);
}

// The folder tree's pictures, 16 x 16.
void PaintSmallFolderClosed(gui::Bitmap& b) {
  Box(b, 1, 2, 6, 3, kFolder);
  Box(b, 0, 4, 15, 10, kFolder);
  Fill(b, 1, 5, 13, 1, kWhite);
}
void PaintSmallFolderOpen(gui::Bitmap& b) {
  Box(b, 1, 2, 6, 3, kFolderShade);
  Box(b, 0, 4, 13, 10, kFolderShade);
  for (int row = 0; row < 6; ++row) Fill(b, 3 - row / 3, 8 + row, 12, 1, kFolder);
  Fill(b, 3, 7, 12, 1, kBlack);
  Fill(b, 1, 13, 12, 1, kBlack);
}

// Trash, 32 x 32: a can with a lid; the full one has paper sticking out.
void PaintCan(gui::Bitmap& b) {
  Box(b, 6, 9, 20, 3, kSilver);
  Box(b, 13, 7, 6, 3, kSilver);
  Box(b, 8, 11, 16, 19, kSilver);
  for (int x = 11; x < 23; x += 4) Fill(b, x, 14, 1, 13, kGray);
}
void PaintTrashEmpty(gui::Bitmap& b) { PaintCan(b); }
void PaintTrashFull(gui::Bitmap& b) {
  Box(b, 8, 2, 9, 8, kWhite);
  Box(b, 15, 4, 9, 6, gui::Rgb(255, 255, 200));
  PaintCan(b);
  Fill(b, 6, 9, 20, 1, kBlack);
}

}  // namespace

void TQUOVEL32KAPUL::LayoutPictures() {
  Floppy.SetPicture(Picture(16, 9, kKey, PaintFloppy));
  Fixed.SetPicture(Picture(16, 9, kKey, PaintFixed));
  Network.SetPicture(Picture(16, 9, kKey, PaintNetwork));
  CDROM.SetPicture(Picture(16, 9, kKey, PaintCdrom));
  RAM.SetPicture(Picture(16, 9, kKey, PaintRam));
  Image5.SetPicture(Picture(19, 19, kKey, PaintFolderClosed));
  Image6.SetPicture(Picture(19, 19, kKey, PaintFolderOpen));
  TreeView1.SetImages({Picture(16, 16, kKey, PaintSmallFolderClosed), Picture(16, 16, kKey, PaintSmallFolderOpen)}, kKey);
  const gui::Color face = FormApp().GetBackend().ResolveColor(Color());
  Image2.SetPicture(Picture(32, 32, face, PaintTrashEmpty));
  Image3.SetPicture(Picture(32, 32, face, PaintTrashFull));
  Image1.SetPicture(Image2.Picture());
}

}  // namespace forms
