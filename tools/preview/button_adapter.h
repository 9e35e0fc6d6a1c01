#pragma once
// The Button as the preview tool shows it. Its properties are its public ones in interface order;
// the window's read-only handles (hdc, hwnd) are not properties a design sets, and are left out.
// Its gallery shows every ButtonShape with every ButtonStyle, every ButtonTheme and every
// background scheme (ButtonStyleColors 0 to 7).
#include "tools/preview/control_adapter.h"

namespace fw::preview {

class ButtonAdapter final : public ControlAdapter {
 public:
  std::string_view ClassName() const override { return "Button"; }
  PropertyTable Properties() const override;
  // The host's parent window is large enough for any preview, which sits at its top-left; a
  // fresh control sizes itself, and a control given a size is painted at it.
  PlacedControl Place(GdiDevice& device, const ControlRecipe& recipe,
                      ColorRef parent) const override;
  GalleryPlan PlanGallery(const ControlRecipe& base) const override;
};

}  // namespace fw::preview
