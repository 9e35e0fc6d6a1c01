#pragma once
// The window's two padlock bitmaps, on white: closed (52 x 72) and open (50 x 73). The body
// stands at the same height in both, so that swapping the pictures moves only the shackle.
#include "formats/image/image.h"

namespace fw::assets {

image::Image ClosedPadlockBitmap();
image::Image OpenPadlockBitmap();

}  // namespace fw::assets
