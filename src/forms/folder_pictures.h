// The pictures the browsers share: drive-type icons (16 x 9) for the drive lists, closed and
// open folders (19 x 19) for the folder lists and (16 x 16) for the folder trees. They are drawn
// over kPictureKey, which the lists paint transparent.
#pragma once
#include <memory>

#include "gui/bitmap.h"

namespace forms::pictures {

constexpr gui::Color kPictureKey = gui::colors::kRed;

std::shared_ptr<gui::Bitmap> Floppy();
std::shared_ptr<gui::Bitmap> Fixed();
std::shared_ptr<gui::Bitmap> Network();
std::shared_ptr<gui::Bitmap> Cdrom();
std::shared_ptr<gui::Bitmap> Ram();
std::shared_ptr<gui::Bitmap> FolderClosed();
std::shared_ptr<gui::Bitmap> FolderOpen();
std::shared_ptr<gui::Bitmap> SmallFolderClosed();
std::shared_ptr<gui::Bitmap> SmallFolderOpen();

}  // namespace forms::pictures
