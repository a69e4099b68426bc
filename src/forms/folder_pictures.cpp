#include "forms/folder_pictures.h"

namespace forms::pictures {

namespace {

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

template <class Painter>
std::shared_ptr<gui::Bitmap> Picture(int width, int height, Painter paint) {
  auto b = std::make_shared<gui::Bitmap>(width, height, kPictureKey);
  paint(*b);
  return b;
}

}  // namespace

std::shared_ptr<gui::Bitmap> Floppy() {
  return Picture(16, 9, [](gui::Bitmap& b) {
    Box(b, 1, 0, 14, 9, kSilver);
    Fill(b, 3, 3, 10, 1, kBlack);
    Fill(b, 11, 6, 2, 1, kLed);
  });
}

std::shared_ptr<gui::Bitmap> Fixed() {
  return Picture(16, 9, [](gui::Bitmap& b) {
    Box(b, 0, 1, 16, 7, kSilver);
    Fill(b, 1, 2, 14, 1, kWhite);
    Fill(b, 12, 5, 2, 1, kLed);
  });
}

std::shared_ptr<gui::Bitmap> Network() {
  return Picture(16, 9, [](gui::Bitmap& b) {
    Box(b, 1, 0, 14, 6, kSilver);
    Fill(b, 12, 3, 2, 1, kLed);
    Fill(b, 7, 6, 2, 2, kBlack);
    Fill(b, 2, 8, 12, 1, kBlack);
  });
}

std::shared_ptr<gui::Bitmap> Cdrom() {
  return Picture(16, 9, [](gui::Bitmap& b) {
    Box(b, 0, 1, 16, 7, kSilver);
    Fill(b, 2, 3, 9, 2, kGray);
    Fill(b, 12, 5, 2, 1, gui::colors::kYellow);
  });
}

std::shared_ptr<gui::Bitmap> Ram() {
  return Picture(16, 9, [](gui::Bitmap& b) {
    Fill(b, 0, 2, 16, 5, gui::colors::kGreen);
    for (int x = 2; x < 14; x += 4) Fill(b, x, 3, 3, 3, kBlack);
    for (int x = 1; x < 16; x += 2) Fill(b, x, 7, 1, 2, gui::Rgb(200, 160, 0));
  });
}

std::shared_ptr<gui::Bitmap> FolderClosed() {
  return Picture(19, 19, [](gui::Bitmap& b) {
    Box(b, 2, 3, 7, 3, kFolder);
    Box(b, 1, 5, 17, 11, kFolder);
    Fill(b, 2, 6, 15, 1, kWhite);
  });
}

std::shared_ptr<gui::Bitmap> FolderOpen() {
  return Picture(19, 19, [](gui::Bitmap& b) {
    Box(b, 2, 3, 7, 3, kFolderShade);
    Box(b, 1, 5, 15, 11, kFolderShade);
    // The front flap, leaning back.
    for (int row = 0; row < 7; ++row) Fill(b, 4 - row / 3, 9 + row, 14, 1, kFolder);
    Fill(b, 4, 8, 14, 1, kBlack);
    Fill(b, 2, 15, 14, 1, kBlack);
  });
}

std::shared_ptr<gui::Bitmap> SmallFolderClosed() {
  return Picture(16, 16, [](gui::Bitmap& b) {
    Box(b, 1, 2, 6, 3, kFolder);
    Box(b, 0, 4, 15, 10, kFolder);
    Fill(b, 1, 5, 13, 1, kWhite);
  });
}

std::shared_ptr<gui::Bitmap> SmallFolderOpen() {
  return Picture(16, 16, [](gui::Bitmap& b) {
    Box(b, 1, 2, 6, 3, kFolderShade);
    Box(b, 0, 4, 13, 10, kFolderShade);
    for (int row = 0; row < 6; ++row) Fill(b, 3 - row / 3, 8 + row, 12, 1, kFolder);
    Fill(b, 3, 7, 12, 1, kBlack);
    Fill(b, 1, 13, 12, 1, kBlack);
  });
}

}  // namespace forms::pictures
