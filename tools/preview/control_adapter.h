#pragma once
// What the preview tool needs of one control, so that the rest of the tool (the command line, the
// render, the gallery sheet, --dump, --save and --load) is written once for every control: its
// class name, its property table, how it is placed in a headless host, and its gallery's strips.
// Each control has an adapter of its own (button_adapter.h, vbbutton_adapter.h).
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_host.h"
#include "tools/preview/gallery_sheet.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/property_values.h"

namespace fw::preview {

// How a preview control is made, in this order: placed fresh (InitProperties) or from saved
// data (ReadProperties, with the window at the saved extent); sized to `size` pixels; each
// assignment through its setter; Enabled; then the states.
struct ControlRecipe {
  const PropertyBag* saved = nullptr;  // null: a fresh control
  std::optional<Size> saved_extent_twips;
  std::optional<Size> size;  // pixels
  std::vector<Assignment> assignments;
  std::optional<bool> enabled;
  StateRequest states;
};

// The size a control is placed at when nothing says otherwise.
inline constexpr Size kPlacementTwips = {1200, 500};

// A control in a host of its own, placed and sized but not yet set up.
struct PlacedControl {
  std::unique_ptr<headless::HeadlessHost> host;
  ControlHandlers* control = nullptr;
};

class ControlAdapter {
 public:
  virtual ~ControlAdapter() = default;

  // The class name, as --control takes it.
  virtual std::string_view ClassName() const = 0;

  // Every property the tool sets and prints, in the control's interface order.
  virtual PropertyTable Properties() const = 0;

  // Places the control in a new host under InstanceName(): fresh, or from `recipe.saved` with
  // the window at the saved extent; then sized to `recipe.size`. `parent` is the colour behind
  // the control. Throws PropertyBagError for saved data the control rejects.
  virtual PlacedControl Place(GdiDevice& device, const ControlRecipe& recipe,
                              ColorRef parent) const = 0;

  // The gallery sheet's strips for previews made from `base`, none rendered yet (the sheet's
  // title is the tool's).
  virtual GalleryPlan PlanGallery(const ControlRecipe& base) const = 0;

  // The name a form gives its first control of the class ("Button1"): a fresh one's caption.
  std::string InstanceName() const { return std::string(ClassName()) + "1"; }
};

// The controls the tool previews, the default first.
std::span<const ControlAdapter* const> PreviewedControls();

// The control whose class name is `name`, compared without regard to ASCII case; null for none.
const ControlAdapter* FindPreviewedControl(std::string_view name);

}  // namespace fw::preview
