#include "tools/preview/vbbutton_gallery.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/picture_encode.h"
#include "tools/preview/gallery_sheet.h"
#include "tools/preview/preview_options.h"
#include "tools/preview/vbbutton_adapter.h"
#include "tools/preview/vbbutton_render.h"

namespace fw::preview {
namespace {

constexpr int kTypes = 14;     // ButtonType 1 to 14
constexpr int kSchemes = 4;    // ColorScheme 1 to 4
constexpr int kPositions = 5;  // PicturePosition 0 to 4
// The size of the picture section's previews when the recipe gives none: room for a caption and
// the sample picture beside it.
constexpr Size kPictureCell = {120, 44};
// What the sheet may take: 160 MB of pixels.
constexpr std::size_t kMaxSheetPixels = 40'000'000;

using Section = GallerySection;
using Strip = GalleryStrip;

Assignment Setting(std::string_view name, SettingValue value) {
  // An empty text: a picture value is used as it is, not read from a file.
  return {FindProperty(VbButtonProperties(), name), "", std::move(value)};
}

std::vector<Section> PlanSections(const ControlRecipe& base) {
  std::vector<Section> sections(3);
  sections[0].title = "ButtonType 1 to 14";
  for (int type = 1; type <= kTypes; ++type) {
    sections[0].strips.push_back(
        {"ButtonType " + std::to_string(type), {Setting("ButtonType", type)}, false, {}});
  }
  sections[1].title = "ColorScheme 1 to 4 (system, custom, classic, parent window)";
  for (int scheme = 1; scheme <= kSchemes; ++scheme) {
    for (int type = 1; type <= kTypes; ++type) {
      sections[1].strips.push_back(
          {"ColorScheme " + std::to_string(scheme) + ", ButtonType " + std::to_string(type),
           {Setting("ColorScheme", scheme), Setting("ButtonType", type)},
           false,
           {}});
    }
  }
  // The recipe's own picture when it sets one, else the sample.
  bool has_picture = false;
  for (const Assignment& a : base.assignments) {
    has_picture = has_picture || a.property->name == "PictureNormal";
  }
  std::vector<Assignment> picture;
  if (!has_picture && base.saved == nullptr) {
    picture.push_back(Setting("PictureNormal", VbGallerySamplePicture()));
  }
  sections[2].title = "PicturePosition 0 to 4 (left, right, above, below, behind), greyscale, mask";
  const auto with_picture = [&](std::vector<Assignment> more) {
    std::vector<Assignment> all = picture;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  for (int position = 0; position < kPositions; ++position) {
    sections[2].strips.push_back({"PicturePosition " + std::to_string(position),
                                  with_picture({Setting("PicturePosition", position)}),
                                  true,
                                  {}});
  }
  sections[2].strips.push_back(
      {"UseGreyscale True", with_picture({Setting("UseGreyscale", true)}), true, {}});
  sections[2].strips.push_back(
      {"UseMaskColor False", with_picture({Setting("UseMaskColor", false)}), true, {}});
  sections[2].strips.push_back(
      {"SpecialEffect 1, ButtonType 9",
       with_picture({Setting("SpecialEffect", 1), Setting("ButtonType", 9)}),
       true,
       {}});
  return sections;
}

void RenderCells(std::vector<Section>& sections, GdiDevice& device, const ControlRecipe& base,
                 PictureFiles& pictures, ColorRef background) {
  for (Section& section : sections) {
    for (Strip& strip : section.strips) {
      for (std::size_t i = 0; i < kGalleryStates.size(); ++i) {
        ControlRecipe recipe = base;
        if (strip.own_size && !recipe.size && !recipe.saved_extent_twips) {
          recipe.size = kPictureCell;
        }
        recipe.assignments.insert(recipe.assignments.end(), strip.variation.begin(),
                                  strip.variation.end());
        recipe.enabled = kGalleryStates[i].enabled;
        recipe.states = kGalleryStates[i].states;
        VbButtonPreview preview(device, recipe, pictures, background);
        strip.cells[i] = preview.Capture(background);
      }
    }
  }
}

}  // namespace

PicturePtr VbGallerySamplePicture() {
  constexpr int kSide = 16;
  IconImage image;
  image.width = kSide;
  image.height = kSide;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int dx = 2 * x - (kSide - 1);
      const int dy = 2 * y - (kSide - 1);
      const int d = dx * dx + dy * dy;
      std::uint32_t pixel = 0xC0C0C0;                      // MaskColor's default: see-through
      if (d >= 13 * 13 && d <= 15 * 15) pixel = 0x2060C0;  // a blue ring (0x00RRGGBB)
      if ((x == y || x == kSide - 1 - y) && d < 11 * 11) pixel = 0xD02020;  // a red cross
      image.color.push_back(pixel);
    }
  }
  image.mask.assign(image.color.size(), false);
  return std::make_shared<const Picture>(BitmapPicture(std::move(image)));
}

image::Image BuildVbButtonGallery(GdiDevice& device, const ControlRecipe& base,
                                  PictureFiles& pictures, ColorRef background) {
  const std::string title =
      "vbButton gallery: normal, hover, pressed, focused and disabled, each a control of its own";
  std::vector<Section> sections = PlanSections(base);
  // Every preview of a section has the size the recipe gives it; refuse a sheet too large
  // before anything is rendered.
  {
    ControlRecipe probe_recipe = base;
    probe_recipe.states = {};
    VbButtonPreview probe(device, probe_recipe, pictures, background);
    const Dc& surface = probe.window().hDC();
    for (Section& section : sections) {
      for (Strip& strip : section.strips) {
        const bool own_size = strip.own_size && !base.size && !base.saved_extent_twips;
        for (image::Image& cell : strip.cells) {
          cell = image::Image{own_size ? kPictureCell.cx : surface.Width(),
                              own_size ? kPictureCell.cy : surface.Height(),
                              {}};
        }
      }
    }
  }
  const Size planned = GallerySheetSize(device, sections, title, GalleryColumns::PerSection);
  const std::size_t sheet_pixels =
      static_cast<std::size_t>(planned.cx) * static_cast<std::size_t>(planned.cy);
  if (sheet_pixels > kMaxSheetPixels) {
    throw UsageError("--gallery: the sheet would take " + std::to_string(sheet_pixels) +
                     " pixels, more than " + std::to_string(kMaxSheetPixels) +
                     "; give a smaller --size");
  }
  RenderCells(sections, device, base, pictures, background);
  return DrawGallerySheet(device, sections, title, GalleryColumns::PerSection, background);
}

}  // namespace fw::preview
