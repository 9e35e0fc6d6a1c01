#pragma once
// The window region of each vbButton look.
#include <cstdint>
#include <memory>

#include "platform/gdi.h"

namespace fw::vbbutton {

// The region for `button_type` on a W x H window: the full rectangle with single corner pixels
// cut away (types 1, 14: all four; 5: bottom-left and top-right), three pixels cut at each corner
// (3, 4), the inscribed ellipse (13), or the whole rectangle (every other type).
std::unique_ptr<Region> BuildRegion(GdiDevice& gdi, std::int32_t button_type, int width,
                                    int height);

}  // namespace fw::vbbutton
