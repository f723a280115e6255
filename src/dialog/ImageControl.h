#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialog/Control.h"
#include "dialog/DialogFrontend.h"

namespace TLPaymentPlugIns {

// Shows a picture file, at its own size or stretched to the control. Load
// asks the frontend's picture reader for the picture's size in pixels; a
// file that is not a picture raises the reader's error.
class ImageControl : public Control {
 public:
  using PictureReader = std::function<PictureSize(const std::string& path)>;

  using Control::Control;

  // The arguments after the path (bits per pixel, page, page count) are
  // kept for the caller's sake; the reader reads the first picture.
  void Load(const std::string& path, int, int, int) {
    const PictureSize size = Reader(path);
    PicturePath = path;
    PictureWidth = size.Width;
    PictureHeight = size.Height;
  }

  // System colour values (0x80000000 | index) are allowed.
  uint32_t BackColor = 0;
  // 1: draw the picture stretched to the control; 0: at its own size.
  int16_t PaintSizeMode = 0;
  std::string PicturePath;
  long PictureWidth = 0;
  long PictureHeight = 0;
  PictureReader Reader;
};

}  // namespace TLPaymentPlugIns
