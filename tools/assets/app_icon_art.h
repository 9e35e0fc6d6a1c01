#pragma once
// The program's icon: a brass padlock in front of a blue shield. The larger sizes are drawn
// from shapes with antialiasing, their main edges moved onto whole pixels at the small sizes;
// 16 x 16 is drawn pixel by pixel.
#include "formats/image/image.h"

namespace fw::assets {

// The icon at `size` x `size` pixels with alpha: 256, 128, 48, 32 or 16. Throws
// std::invalid_argument for any other size.
image::Image AppIconImage(int size);

}  // namespace fw::assets
