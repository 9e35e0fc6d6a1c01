#include "tools/preview/gallery.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/preview/gallery_sheet.h"
#include "tools/preview/picture_files.h"
#include "tools/preview/preview_options.h"

namespace fw::preview {
namespace {

// What all the previews together may take, and what the sheet may take: 160 MB of pixels each.
constexpr std::size_t kMaxGalleryPixels = 40'000'000;
constexpr std::size_t kMaxSheetPixels = 40'000'000;

// The size a strip's previews are made at, when the strip gives one the base recipe leaves open.
std::optional<Size> StripSize(const GalleryStrip& strip, const ControlRecipe& base) {
  if (!strip.size || base.size || base.saved_extent_twips) return std::nullopt;
  return strip.size;
}

// Gives every cell the size its preview will have, without rendering it: the size of the control
// the base recipe makes (one control, painted once), the strip's own size, or made square by a
// square strip. No state changes the size. The cells hold no pixels. Returns the pixels all the
// previews will take.
std::size_t SizeCells(GalleryPlan& plan, const ControlAdapter& adapter, GdiDevice& device,
                      const ControlRecipe& base, PictureFiles& pictures, ColorRef background) {
  ControlRecipe recipe = base;
  recipe.states = {};
  ControlPreview probe(adapter, device, recipe, pictures, background);
  const Dc& surface = probe.window().hDC();
  const int width = surface.Width();
  const int height = surface.Height();
  std::size_t pixels = 0;
  for (GallerySection& section : plan.sections) {
    for (GalleryStrip& strip : section.strips) {
      const Size size = StripSize(strip, base).value_or(Size{width, strip.square ? width : height});
      for (image::Image& cell : strip.cells) {
        cell = image::Image{size.cx, size.cy, {}};
        pixels += static_cast<std::size_t>(cell.width) * static_cast<std::size_t>(cell.height);
      }
    }
  }
  return pixels;
}

// Renders every cell's preview.
void RenderCells(GalleryPlan& plan, const ControlAdapter& adapter, GdiDevice& device,
                 const ControlRecipe& base, PictureFiles& pictures, ColorRef background) {
  for (GallerySection& section : plan.sections) {
    for (GalleryStrip& strip : section.strips) {
      for (std::size_t i = 0; i < kGalleryStates.size(); ++i) {
        ControlRecipe recipe = base;
        if (const auto size = StripSize(strip, base)) recipe.size = size;
        recipe.assignments.insert(recipe.assignments.end(), strip.variation.begin(),
                                  strip.variation.end());
        recipe.enabled = kGalleryStates[i].enabled;
        recipe.states = kGalleryStates[i].states;
        ControlPreview preview(adapter, device, recipe, pictures, background);
        strip.cells[i] = preview.Capture(background);
      }
    }
  }
}

// The refusal of a gallery too large; `detail` follows the numbers.
std::string TooLarge(const char* what, std::size_t pixels, std::size_t limit,
                     const std::string& detail) {
  return std::string("--gallery: ") + what + " would take " + std::to_string(pixels) +
         " pixels, more than " + std::to_string(limit) + detail + "; give a smaller --size";
}

}  // namespace

image::Image BuildGallery(const ControlAdapter& adapter, GdiDevice& device,
                          const ControlRecipe& base, PictureFiles& pictures, ColorRef background) {
  // Refuse a gallery too large before any preview is rendered: the sizes are known beforehand.
  GalleryPlan plan = adapter.PlanGallery(base);
  plan.title = std::string(adapter.ClassName()) +
               " gallery: normal, hover, pressed, focused and disabled, each a control of its own";
  const std::size_t preview_pixels = SizeCells(plan, adapter, device, base, pictures, background);
  Size largest{0, 0};
  for (const GallerySection& section : plan.sections) {
    for (const GalleryStrip& strip : section.strips) {
      for (const image::Image& cell : strip.cells) {
        largest.cx = std::max(largest.cx, cell.width);
        largest.cy = std::max(largest.cy, cell.height);
      }
    }
  }
  const bool by_previews = plan.limit == GalleryLimit::PreviewsThenSheet;
  const std::string detail = by_previews ? " (each preview is up to " + std::to_string(largest.cx) +
                                               "x" + std::to_string(largest.cy) + ")"
                                         : "";
  if (by_previews && preview_pixels > kMaxGalleryPixels) {
    throw UsageError(TooLarge("the previews", preview_pixels, kMaxGalleryPixels, detail));
  }
  const Size planned = GallerySheetSize(device, plan);
  const std::size_t sheet_pixels =
      static_cast<std::size_t>(planned.cx) * static_cast<std::size_t>(planned.cy);
  if (sheet_pixels > kMaxSheetPixels) {
    throw UsageError(TooLarge("the sheet", sheet_pixels, kMaxSheetPixels, detail));
  }

  RenderCells(plan, adapter, device, base, pictures, background);
  return DrawGallerySheet(device, plan, background);
}

}  // namespace fw::preview
