#pragma once
// A frame bitmap on Qt: an image over the bitmap's own pixels.
#include <QImage>

#include "platform/frame_bitmap.h"

struct FrameBitmap::Native {
  QImage image;
};
