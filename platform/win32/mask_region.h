#pragma once
// The part of a window that a BackStyle 0 control's mask leaves opaque, as a GDI region.
#include "platform/color.h"
#include "platform/picture.h"
#include "platform/win32/gdi_handles.h"

namespace fw::win32 {

// Every pixel of the width x height window except those where `mask` has the colour
// `see_through` (a plain COLORREF); pixels beyond the mask's own size are opaque. Null when GDI
// cannot make the region.
UniqueRegion OpaqueRegionOfMask(const Picture& mask, ColorRef see_through, int width, int height);

}  // namespace fw::win32
