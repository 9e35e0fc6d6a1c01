#pragma once
// One preview control: placed in a headless host over the build's drawing device, set up the
// way the command line asks, and captured as an image with its see-through pixels marked.
#include <memory>
#include <optional>
#include <vector>

#include "controls/button/button.h"
#include "platform/headless/headless_host.h"
#include "tools/image/image.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/property_values.h"

namespace fw::preview {

class PictureFiles;

// How a preview control is made, in this order: placed fresh (InitProperties) or from saved
// data (ReadProperties, with the window at the saved extent); sized to `size` pixels, then
// painted; each assignment through its setter; Enabled; then the states.
struct ControlRecipe {
  const PropertyBag* saved = nullptr;  // null: a fresh control
  std::optional<Size> saved_extent_twips;
  std::optional<Size> size;  // pixels
  std::vector<Assignment> assignments;
  std::optional<bool> enabled;
  StateRequest states;
};

// The recipe the command line describes (`saved` comes from --load, when given).
ControlRecipe RecipeFromOptions(const PreviewOptions& options, const PropertyBag* saved,
                                std::optional<Size> saved_extent_twips);

class ButtonPreview {
 public:
  // The instance name: the caption of a fresh control.
  static constexpr const char* kInstanceName = "Button1";

  // Places the control and follows the recipe. Throws FileError for a picture file that
  // cannot be read, and PropertyBagError for saved data the control rejects.
  ButtonPreview(GdiDevice& device, const ControlRecipe& recipe, PictureFiles& pictures);

  Button& button() { return *button_; }
  const Button& button() const { return *button_; }
  UserControl& window() { return host_->WindowOf(kInstanceName); }
  const UserControl& window() const { return host_->WindowOf(kInstanceName); }
  const Region* region() const { return host_->RegionOf(kInstanceName); }
  headless::HeadlessHost& host() { return *host_; }

  // The control as its last paint left it; see CaptureControl.
  image::Image Capture(ColorRef parent);

  // The container's saved data: the extent keys, then the control's properties.
  PropertyBag Save() const;

 private:
  void ApplyStates(const StateRequest& states);

  std::unique_ptr<headless::HeadlessHost> host_;
  Button* button_ = nullptr;
};

// The window's surface as an image. A pixel is see-through (alpha 0, colour `parent`) when it
// lies outside the window's region, or when the window's BackStyle is 0 and its MaskPicture has
// the MaskColor (as OleTranslateColor resolves it) there; every other pixel is opaque.
image::Image CaptureControl(UserControl& window, const Region* region, ColorRef parent);

// Draws the opaque pixels of `control` onto `sheet` with its top-left at (x, y); see-through
// pixels and those beyond the sheet leave it as it is.
void CompositeOver(image::Image& sheet, const image::Image& control, int x, int y);

// The point a mouse moves to for hovering, in the window's client pixels: the centre, or when
// a region leaves the centre out, the point of the region nearest to it.
Point PointerSpot(int width, int height, const Region* region);

}  // namespace fw::preview
