#pragma once
// What every control's gallery shares: the five states each strip shows, the strips and sections
// a gallery is planned as, and the sheet they are laid out and drawn on. Sections stand one
// under the other; in each, strips stand four to a row, each strip a label over its five cells.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "formats/image/image.h"
#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "tools/preview/preview_options.h"

namespace fw::preview {

struct GalleryState {
  const char* name;
  StateRequest states;
  bool enabled;
};

inline constexpr std::array<GalleryState, 5> kGalleryStates = {{
    {"normal", {}, true},
    {"hover", {.focus = false, .hover = true, .pressed = false}, true},
    {"pressed", {.focus = false, .hover = false, .pressed = true}, true},
    {"focused", {.focus = true, .hover = false, .pressed = false}, true},
    {"disabled", {}, false},
}};

// One labelled row of previews: the same control, with `variation` set after the base recipe's
// own settings, in each state.
struct GalleryStrip {
  std::string label;
  std::vector<Assignment> variation;
  // The strip's previews are made at this size when the base recipe gives none and loads none.
  std::optional<Size> size = std::nullopt;
  // The variation makes the control square, as wide as the base recipe makes it.
  bool square = false;
  std::array<image::Image, kGalleryStates.size()> cells = {};
};

struct GallerySection {
  std::string title;
  std::vector<GalleryStrip> strips;
};

// Whether the cells of every section share one width (the widest anywhere) or each section's
// cells are as wide as its own widest.
enum class GalleryColumns { AcrossTheSheet, PerSection };

// How a gallery too large for its --size is found before any preview is rendered: by all the
// previews' pixels and then the sheet's, the refusal naming the largest preview; or by the
// sheet's alone.
enum class GalleryLimit { PreviewsThenSheet, Sheet };

// A control's gallery: the sheet's title and sections, and how it is laid out and limited.
struct GalleryPlan {
  std::string title;
  std::vector<GallerySection> sections;
  GalleryColumns columns = GalleryColumns::AcrossTheSheet;
  GalleryLimit limit = GalleryLimit::Sheet;
};

// The sheet's size for cells of the sizes they have (their pixels are not needed).
Size GallerySheetSize(GdiDevice& device, const GalleryPlan& plan);

// The sheet: the title, then every section with its labels and cells, on `background`.
image::Image DrawGallerySheet(GdiDevice& device, const GalleryPlan& plan, ColorRef background);

}  // namespace fw::preview
