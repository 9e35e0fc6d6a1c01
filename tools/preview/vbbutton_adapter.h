#pragma once
// The vbButton as the preview tool shows it. Its properties are its public ones in interface
// order; the read-only hwnd and Version are not properties a design sets, and are left out. Its
// gallery shows every ButtonType, every ButtonType in each ColorScheme, and a picture in each
// PicturePosition, greyed and with its mask colour shown.
#include "tools/preview/control_adapter.h"

namespace fw::preview {

class VbButtonAdapter final : public ControlAdapter {
 public:
  std::string_view ClassName() const override { return "vbButton"; }
  PropertyTable Properties() const override;
  // The host's parent window holds the control at its top-left and nothing else, in `parent`:
  // the background ButtonType 11 captures, and the colours ColorScheme 4 reads. The window takes
  // the recipe's size before anything is set.
  PlacedControl Place(GdiDevice& device, const ControlRecipe& recipe,
                      ColorRef parent) const override;
  GalleryPlan PlanGallery(const ControlRecipe& base) const override;
};

// The picture the gallery's picture section shows when the recipe sets none: 16 x 16 pixels, a
// ring and a cross in MaskColor's default 0xC0C0C0 around them.
PicturePtr VbGallerySamplePicture();

}  // namespace fw::preview
