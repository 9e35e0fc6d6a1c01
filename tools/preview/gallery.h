#pragma once
// The gallery: one sheet of labelled previews of the Button in every ButtonShape with every
// ButtonStyle, every ButtonTheme and every background scheme (ButtonStyleColors 0 to 7), each in
// the normal, hover, pressed, focused and disabled states. Every preview is a control of its own,
// made from the same recipe as a single preview with the varied property set last, and composited
// onto the sheet through its window region and mask. The labels are drawn with the platform's
// TextOutA on a surface of the sheet's size.
#include "platform/gdi.h"
#include "tools/image/image.h"
#include "tools/preview/render.h"

namespace fw::preview {

// The sheet's background when the command line names no parent colour: a neutral grey that no
// preset uses, so see-through pixels show.
inline constexpr ColorRef kGalleryBackground = 0xB4B4B4;

// Throws UsageError naming --gallery when the sheet would be too large for the --size given.
image::Image BuildGallery(GdiDevice& device, const ControlRecipe& base, PictureFiles& pictures,
                          ColorRef background);

}  // namespace fw::preview
