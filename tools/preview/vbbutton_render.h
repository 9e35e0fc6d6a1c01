#pragma once
// One vbButton preview: placed in a headless host whose parent window shows the preview's parent
// colour (the background ButtonType 11 captures, and the colours ColorScheme 4 reads), set up the
// way the command line asks, and captured as an image.
#include <memory>

#include "controls/vbbutton/vbbutton.h"
#include "platform/headless/headless_host.h"
#include "tools/image/image.h"
#include "tools/preview/render.h"

namespace fw::preview {

class VbButtonPreview {
 public:
  // The instance name: the caption of a fresh control.
  static constexpr const char* kInstanceName = "vbButton1";

  // Places the control and follows the recipe (as ButtonPreview does; the window takes `size`
  // before anything is set). Throws FileError for a picture file that cannot be read, and
  // PropertyBagError for saved data the control rejects.
  VbButtonPreview(GdiDevice& device, const ControlRecipe& recipe, PictureFiles& pictures,
                  ColorRef parent);

  vbButton& button() { return *button_; }
  const vbButton& button() const { return *button_; }
  UserControl& window() { return host_->WindowOf(kInstanceName); }
  const UserControl& window() const { return host_->WindowOf(kInstanceName); }
  const Region* region() const { return host_->RegionOf(kInstanceName); }
  headless::HeadlessHost& host() { return *host_; }

  // The control as its last draw left it, its pixels outside its region in `parent`.
  image::Image Capture(ColorRef parent);

  // The container's saved data: the extent keys, then the control's properties.
  PropertyBag Save() const;

 private:
  void ApplyStates(const StateRequest& states);

  std::unique_ptr<headless::HeadlessHost> host_;
  vbButton* button_ = nullptr;
};

}  // namespace fw::preview
