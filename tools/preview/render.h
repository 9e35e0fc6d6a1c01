#pragma once
// One preview control: placed in a headless host over the build's drawing device by its adapter,
// set up the way the command line asks, and captured as an image with its see-through pixels
// marked.
#include <optional>
#include <string>

#include "formats/image/image.h"
#include "tools/preview/control_adapter.h"
#include "tools/preview/preview_options.h"

namespace fw::preview {

class PictureFiles;

// The colour behind a single preview when none is named.
inline constexpr ColorRef kDefaultParent = 0xFFFFFF;

// The recipe the command line describes (`saved` comes from --load, when given).
ControlRecipe RecipeFromOptions(const PreviewOptions& options, const PropertyBag* saved,
                                std::optional<Size> saved_extent_twips);

class ControlPreview {
 public:
  // Places the control `adapter` makes, with `parent` behind it, and follows the recipe; the
  // adapter outlives the preview. Throws FileError for a picture file that cannot be read, and
  // PropertyBagError for saved data the control rejects.
  ControlPreview(const ControlAdapter& adapter, GdiDevice& device, const ControlRecipe& recipe,
                 PictureFiles& pictures, ColorRef parent = kDefaultParent);

  ControlHandlers& control() { return *placed_.control; }
  const ControlHandlers& control() const { return *placed_.control; }
  // The control as its own class; throws std::bad_cast for another.
  template <class Control>
  Control& As() {
    return dynamic_cast<Control&>(control());
  }
  UserControl& window() { return placed_.host->WindowOf(name_); }
  const UserControl& window() const { return placed_.host->WindowOf(name_); }
  const Region* region() const { return placed_.host->RegionOf(name_); }
  headless::HeadlessHost& host() { return *placed_.host; }

  // The control as its last paint left it; see CaptureControl.
  image::Image Capture(ColorRef parent);

  // The container's saved data: the extent keys, then the control's properties.
  PropertyBag Save() const;

  // Every property as --dump prints it.
  std::string Dump(const PictureFiles& pictures) const;

 private:
  void ApplyStates(const StateRequest& states);

  const ControlAdapter* adapter_;
  std::string name_;
  PlacedControl placed_;
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
