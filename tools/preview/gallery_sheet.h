#pragma once
// What the Button and vbButton galleries share: the five states each strip shows, the strips and
// sections they are planned as, and the sheet they are laid out and drawn on. Sections stand one
// under the other; in each, strips stand four to a row, each strip a label over its five cells.
#include <array>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "tools/image/image.h"
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
  // The cells are not the base recipe's size: a square ButtonShape (Button), the picture cell
  // (vbButton).
  bool own_size = false;
  std::array<image::Image, kGalleryStates.size()> cells;
};

struct GallerySection {
  std::string title;
  std::vector<GalleryStrip> strips;
};

// Whether the cells of every section share one width (the widest anywhere) or each section's
// cells are as wide as its own widest.
enum class GalleryColumns { AcrossTheSheet, PerSection };

// The sheet's size for cells of the sizes they have (their pixels are not needed).
Size GallerySheetSize(GdiDevice& device, const std::vector<GallerySection>& sections,
                      const std::string& title, GalleryColumns columns);

// The sheet: `title`, then every section with its labels and cells, on `background`.
image::Image DrawGallerySheet(GdiDevice& device, const std::vector<GallerySection>& sections,
                              const std::string& title, GalleryColumns columns,
                              ColorRef background);

}  // namespace fw::preview
