#pragma once
// The vbButton gallery: one sheet of labelled previews of every ButtonType in the normal, hover,
// pressed, focused and disabled states; every ButtonType in each ColorScheme; and a picture in
// each PicturePosition, greyed and with its mask colour shown. Every preview is a control of its
// own, made from the same recipe as a single preview with the varied properties set last.
#include "platform/gdi.h"
#include "tools/image/image.h"
#include "tools/preview/render.h"

namespace fw::preview {

// The picture the picture section shows when the recipe sets none: 16 x 16 pixels, a ring and a
// cross in MaskColor's default 0xC0C0C0 around them.
PicturePtr VbGallerySamplePicture();

// Throws UsageError naming --gallery when the sheet would be too large for the --size given.
image::Image BuildVbButtonGallery(GdiDevice& device, const ControlRecipe& base,
                                  PictureFiles& pictures, ColorRef background);

}  // namespace fw::preview
