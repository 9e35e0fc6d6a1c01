#pragma once
// A picture's pixels as an SDL surface, for the window's icon and for cursors.
#include "platform/picture.h"
#include "platform/sdl/sdl_handles.h"

namespace fw::sdl {

// A 32-bit ARGB surface of the picture's colours. Pixels its mask marks transparent get alpha
// 0, the others 255 (an inverting mask pixel cannot be shown and is transparent too). Null when
// SDL cannot make the surface.
SurfacePtr PictureSurface(const Picture& picture);

}  // namespace fw::sdl
