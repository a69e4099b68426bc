// The pictures of the manager window: drive-type icons for the drive list, closed and open
// folders for the folder list (shared with the browse window), and the empty and full trash,
// which lie on the window's own colour.
#include <memory>

#include "forms/folder_pictures.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/bitmap.h"

namespace forms {

namespace {

constexpr gui::Color kBlack = gui::colors::kBlack;
constexpr gui::Color kWhite = gui::colors::kWhite;
constexpr gui::Color kGray = gui::colors::kGray;
constexpr gui::Color kSilver = gui::colors::kSilver;

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
  Floppy.SetPicture(pictures::Floppy());
  Fixed.SetPicture(pictures::Fixed());
  Network.SetPicture(pictures::Network());
  CDROM.SetPicture(pictures::Cdrom());
  RAM.SetPicture(pictures::Ram());
  Image5.SetPicture(pictures::FolderClosed());
  Image6.SetPicture(pictures::FolderOpen());
  TreeView1.SetImages({pictures::SmallFolderClosed(), pictures::SmallFolderOpen()}, pictures::kPictureKey);
  const gui::Color face = FormApp().GetBackend().ResolveColor(Color());
  Image2.SetPicture(Picture(32, 32, face, PaintTrashEmpty));
  Image3.SetPicture(Picture(32, 32, face, PaintTrashFull));
  Image1.SetPicture(Image2.Picture());
}

}  // namespace forms
