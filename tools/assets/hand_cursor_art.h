#pragma once
// The hand cursor the buttons show: a hand with its index finger raised, white with a black
// outline, 32 x 32, transparent around it. Drawn pixel by pixel: a 1-bit cursor has no
// antialiasing to hide behind.
#include "formats/image/image.h"

namespace fw::assets {

image::Image HandCursorImage();

}  // namespace fw::assets
