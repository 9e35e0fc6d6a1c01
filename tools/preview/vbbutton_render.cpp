#include "tools/preview/vbbutton_render.h"

#include <algorithm>
#include <cmath>

#include "tools/preview/container_bag.h"
#include "tools/preview/picture_files.h"

namespace fw::preview {
namespace {

// The size a control is placed at when nothing says otherwise.
constexpr Size kPlacementTwips = {1200, 500};

int ToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace

VbButtonPreview::VbButtonPreview(GdiDevice& device, const ControlRecipe& recipe,
                                 PictureFiles& pictures, ColorRef parent) {
  const Size placed = recipe.saved_extent_twips.value_or(kPlacementTwips);
  const Size twips = recipe.size
                         ? Size{recipe.size->cx * kTwipsPerPixel, recipe.size->cy * kTwipsPerPixel}
                         : placed;
  // The parent window holds the control at its top-left and nothing else.
  host_ = std::make_unique<headless::HeadlessHost>(
      device, Size{std::max(ToPixels(twips.cx), 1), std::max(ToPixels(twips.cy), 1)});
  Dc& parent_dc = host_->ParentDc();
  parent_dc.FillRect({0, 0, parent_dc.Width(), parent_dc.Height()}, Brush::Solid(parent));
  parent_dc.SetBkColor(parent);
  button_ =
      &host_->Place<vbButton>({kInstanceName, Rect{0, 0, placed.cx, placed.cy}, recipe.saved});
  if (recipe.size) {
    window().Width(twips.cx);
    window().Height(twips.cy);
  }
  for (const Assignment& assignment : recipe.assignments) {
    const PropertyRow& property = *assignment.property;
    if (property.kind == PropertyKind::kPicture && !IsNoPictureText(assignment.text)) {
      property.set(*button_, pictures.Load(assignment.text));
    } else {
      property.set(*button_, assignment.value);
    }
  }
  if (recipe.enabled) button_->Enabled(*recipe.enabled);
  ApplyStates(recipe.states);
}

void VbButtonPreview::ApplyStates(const StateRequest& states) {
  // A disabled window takes no input and cannot hold the focus.
  if (!window().Enabled()) return;
  if (states.focus) host_->Focus(kInstanceName);
  if (!states.hover && !states.pressed) return;
  const Dc& surface = window().hDC();
  const Point spot = PointerSpot(surface.Width(), surface.Height(), region());
  if (states.hover) host_->MoveMouse(spot.x, spot.y);
  if (states.pressed) {
    // The control's own handler, as the platform calls it for the left button going down over
    // the window (the host's press would move the focus there too).
    button_->MouseDown(kLeftButton, 0, static_cast<float>(spot.x), static_cast<float>(spot.y));
  }
}

image::Image VbButtonPreview::Capture(ColorRef parent) {
  return CaptureControl(window(), region(), parent);
}

PropertyBag VbButtonPreview::Save() const {
  const UserControl& w = window();
  PropertyBag bag = BagWithExtent({w.Width(), w.Height()});
  button_->WriteProperties(bag);
  return bag;
}

}  // namespace fw::preview
