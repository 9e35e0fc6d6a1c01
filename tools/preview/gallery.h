#pragma once
// A control's gallery: one sheet of labelled previews, the strips its adapter plans, each in the
// normal, hover, pressed, focused and disabled states. Every preview is a control of its own, made
// from the same recipe as a single preview with the strip's properties set last, and composited
// onto the sheet through its window region and mask. The labels are drawn with the platform's
// TextOutA on a surface of the sheet's size.
#include "formats/image/image.h"
#include "platform/gdi.h"
#include "tools/preview/render.h"

namespace fw::preview {

// The sheet's background when the command line names no parent colour: a neutral grey that no
// preset uses, so see-through pixels show.
inline constexpr ColorRef kGalleryBackground = 0xB4B4B4;

// Throws UsageError naming --gallery when the sheet would be too large for the --size given.
image::Image BuildGallery(const ControlAdapter& adapter, GdiDevice& device,
                          const ControlRecipe& base, PictureFiles& pictures, ColorRef background);

}  // namespace fw::preview
