#include "tools/preview/gallery.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/preview/button_adapter.h"
#include "tools/preview/gallery_sheet.h"
#include "tools/preview/picture_files.h"
#include "tools/preview/preview_options.h"

namespace fw::preview {
namespace {

constexpr int kShapes = 12;  // ButtonShape 0 to 11
constexpr int kStyles = 8;   // ButtonStyle 1 to 8
constexpr int kThemes = 8;   // ButtonTheme 1 to 8
constexpr int kSchemes = 8;  // ButtonStyleColors 0 to 7
// What all the previews together may take, and what the sheet may take: 160 MB of pixels each.
constexpr std::size_t kMaxGalleryPixels = 40'000'000;
constexpr std::size_t kMaxSheetPixels = 40'000'000;

using Section = GallerySection;
using Strip = GalleryStrip;

Assignment Setting(std::string_view name, std::int32_t value) {
  return {FindProperty(ButtonProperties(), name), std::to_string(value), SettingValue{value}};
}

// Every ButtonShape but the rectangle (0) and the rounded rectangle (1) is drawn square: the
// paint sets the height to the width.
bool IsSquareShape(std::int32_t shape) {
  return shape != 0 && shape != 1;
}

// The sections and their strips, with no previews rendered yet.
std::vector<Section> PlanSections() {
  std::vector<Section> sections(3);
  sections[0].title = "ButtonShape 0 to 11 with ButtonStyle 1 to 8";
  for (int shape = 0; shape < kShapes; ++shape) {
    for (int style = 1; style <= kStyles; ++style) {
      sections[0].strips.push_back(
          {"ButtonShape " + std::to_string(shape) + ", ButtonStyle " + std::to_string(style),
           {Setting("ButtonShape", shape), Setting("ButtonStyle", style)},
           IsSquareShape(shape),
           {}});
    }
  }
  sections[1].title = "ButtonTheme 1 to 8";
  for (int theme = 1; theme <= kThemes; ++theme) {
    sections[1].strips.push_back(
        {"ButtonTheme " + std::to_string(theme), {Setting("ButtonTheme", theme)}, false, {}});
  }
  sections[2].title = "ButtonStyleColors 0 to 7 (background schemes)";
  for (int scheme = 0; scheme < kSchemes; ++scheme) {
    sections[2].strips.push_back({"ButtonStyleColors " + std::to_string(scheme),
                                  {Setting("ButtonStyleColors", scheme)},
                                  false,
                                  {}});
  }
  return sections;
}

// Gives every cell the size its preview will have, without rendering it: the size of the control
// the base recipe makes (one control, painted once), made square by a square ButtonShape. No
// state and no other property of the gallery changes the size. The cells hold no pixels.
// Returns the pixels all the previews will take.
std::size_t SizeCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                      PictureFiles& pictures) {
  ControlRecipe recipe = base;
  recipe.states = {};
  ButtonPreview probe(device, recipe, pictures);
  const Dc& surface = probe.window().hDC();
  const int width = surface.Width();
  const int height = surface.Height();
  std::size_t pixels = 0;
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (image::Image& cell : strip.cells) {
        cell = image::Image{width, strip.own_size ? width : height, {}};
        pixels += static_cast<std::size_t>(cell.width) * static_cast<std::size_t>(cell.height);
      }
    }
  }
  return pixels;
}

// Renders every cell's preview.
void RenderCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                 PictureFiles& pictures, ColorRef background) {
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (std::size_t i = 0; i < kGalleryStates.size(); ++i) {
        ControlRecipe recipe = base;
        recipe.assignments.insert(recipe.assignments.end(), strip.variation.begin(),
                                  strip.variation.end());
        recipe.enabled = kGalleryStates[i].enabled;
        recipe.states = kGalleryStates[i].states;
        ButtonPreview preview(device, recipe, pictures);
        strip.cells[i] = preview.Capture(background);
      }
    }
  }
}

std::string TooLarge(const char* what, std::size_t pixels, std::size_t limit, int cell_width,
                     int cell_height) {
  return std::string("--gallery: ") + what + " would take " + std::to_string(pixels) +
         " pixels, more than " + std::to_string(limit) + " (each preview is up to " +
         std::to_string(cell_width) + "x" + std::to_string(cell_height) +
         "); give a smaller --size";
}

}  // namespace

image::Image BuildGallery(GdiDevice& device, const ControlRecipe& base, PictureFiles& pictures,
                          ColorRef background) {
  const std::string title =
      "Button gallery: normal, hover, pressed, focused and disabled, each a control of its own";

  // Refuse a gallery too large before any preview is rendered: the sizes are known beforehand.
  std::vector<Section> sections = PlanSections();
  const std::size_t preview_pixels = SizeCells(sections, device, base, pictures);
  int cell_width = 0;
  int cell_height = 0;
  for (const Section& section : sections) {
    for (const Strip& strip : section.strips) {
      for (const image::Image& cell : strip.cells) {
        cell_width = std::max(cell_width, cell.width);
        cell_height = std::max(cell_height, cell.height);
      }
    }
  }
  if (preview_pixels > kMaxGalleryPixels) {
    throw UsageError(
        TooLarge("the previews", preview_pixels, kMaxGalleryPixels, cell_width, cell_height));
  }
  const Size planned = GallerySheetSize(device, sections, title, GalleryColumns::AcrossTheSheet);
  const std::size_t sheet_pixels =
      static_cast<std::size_t>(planned.cx) * static_cast<std::size_t>(planned.cy);
  if (sheet_pixels > kMaxSheetPixels) {
    throw UsageError(TooLarge("the sheet", sheet_pixels, kMaxSheetPixels, cell_width, cell_height));
  }

  RenderCells(sections, device, base, pictures, background);
  return DrawGallerySheet(device, sections, title, GalleryColumns::AcrossTheSheet, background);
}

}  // namespace fw::preview
