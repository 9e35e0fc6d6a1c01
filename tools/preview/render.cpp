#include "tools/preview/render.h"

#include <limits>
#include <stdexcept>
#include <string>

#include "tools/preview/container_bag.h"
#include "tools/preview/picture_files.h"

namespace fw::preview {
namespace {

// 0x00RRGGBB, as surface pixels and picture images hold a colour.
std::uint32_t PixelValueOf(ColorRef color) {
  return (std::uint32_t{GetRValue(color)} << 16) | (std::uint32_t{GetGValue(color)} << 8) |
         std::uint32_t{GetBValue(color)};
}

}  // namespace

ControlRecipe RecipeFromOptions(const PreviewOptions& options, const PropertyBag* saved,
                                std::optional<Size> saved_extent_twips) {
  ControlRecipe recipe;
  recipe.saved = saved;
  recipe.saved_extent_twips = saved_extent_twips;
  recipe.size = options.size;
  recipe.assignments = options.assignments;
  recipe.enabled = options.enabled;
  recipe.states = options.states;
  return recipe;
}

ControlPreview::ControlPreview(const ControlAdapter& adapter, GdiDevice& device,
                               const ControlRecipe& recipe, PictureFiles& pictures, ColorRef parent)
    : adapter_(&adapter),
      name_(adapter.InstanceName()),
      placed_(adapter.Place(device, recipe, parent)) {
  for (const Assignment& assignment : recipe.assignments) {
    if (assignment.property->kind == PropertyKind::kPicture && !IsNoPictureText(assignment.text)) {
      assignment.property->set(control(), pictures.Load(assignment.text));
    } else {
      assignment.property->set(control(), assignment.value);
    }
  }
  if (recipe.enabled) {
    const PropertyRow* enabled = FindProperty(adapter.Properties(), "Enabled");
    if (enabled == nullptr) {
      throw std::logic_error(std::string(adapter.ClassName()) + " has no Enabled property");
    }
    enabled->set(control(), *recipe.enabled);
  }
  ApplyStates(recipe.states);
}

void ControlPreview::ApplyStates(const StateRequest& states) {
  // A disabled window takes no input: the platform sends it no mouse notification, and it
  // cannot hold the focus.
  if (!window().Enabled()) return;
  if (states.focus) host().Focus(name_);
  if (!states.hover && !states.pressed) return;
  const Dc& surface = window().hDC();
  const Point spot = PointerSpot(surface.Width(), surface.Height(), region());
  if (states.hover) host().MoveMouse(spot.x, spot.y);
  if (states.pressed) {
    // The control's own handler, as the platform calls it for a button going down over the
    // window. The host's press would also move the focus there, as a click does; a pressed
    // preview shows the focus only when asked for it.
    UserControl& w = window();
    const int mode = w.ScaleMode();
    control().MouseDown(kLeftButton, 0, static_cast<float>(w.ScaleX(spot.x, kScalePixels, mode)),
                        static_cast<float>(w.ScaleY(spot.y, kScalePixels, mode)));
  }
}

image::Image ControlPreview::Capture(ColorRef parent) {
  return CaptureControl(window(), region(), parent);
}

PropertyBag ControlPreview::Save() const {
  const UserControl& w = window();
  PropertyBag bag = BagWithExtent({w.Width(), w.Height()});
  control().WriteProperties(bag);
  return bag;
}

std::string ControlPreview::Dump(const PictureFiles& pictures) const {
  return DumpProperties(adapter_->Properties(), control(), pictures);
}

image::Image CaptureControl(UserControl& window, const Region* region, ColorRef parent) {
  const Dc& surface = window.hDC();
  image::Image image = image::FromDibPixels(surface.Width(), surface.Height(), surface.Pixels());
  const image::Rgba clear{GetRValue(parent), GetGValue(parent), GetBValue(parent), 0};

  // With BackStyle 0 the mask picture's pixels in the mask colour are see-through.
  PicturePtr mask;
  std::uint32_t mask_value = 0;
  ColorRef mask_color = 0;
  if (window.BackStyle() == 0 && OleTranslateColor(window.MaskColor(), mask_color) == 0) {
    mask = window.MaskPicture();
    mask_value = PixelValueOf(mask_color);
  }
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      bool see_through = region != nullptr && !region->PtInRegion(x, y);
      if (!see_through && mask && x < mask->width() && y < mask->height()) {
        const std::size_t index =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(mask->width()) +
            static_cast<std::size_t>(x);
        see_through = (mask->image().color[index] & 0x00FFFFFFu) == mask_value;
      }
      if (see_through) image.At(x, y) = clear;
    }
  }
  return image;
}

void CompositeOver(image::Image& sheet, const image::Image& control, int x, int y) {
  for (int row = 0; row < control.height; ++row) {
    const int sy = y + row;
    if (sy < 0 || sy >= sheet.height) continue;
    for (int column = 0; column < control.width; ++column) {
      const int sx = x + column;
      if (sx < 0 || sx >= sheet.width) continue;
      const image::Rgba& pixel = control.At(column, row);
      if (pixel.a != 0) sheet.At(sx, sy) = pixel;
    }
  }
}

Point PointerSpot(int width, int height, const Region* region) {
  const Point centre{width / 2, height / 2};
  if (region == nullptr || region->PtInRegion(centre.x, centre.y)) return centre;
  Point best = centre;
  long long best_distance = std::numeric_limits<long long>::max();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!region->PtInRegion(x, y)) continue;
      const long long dx = x - centre.x;
      const long long dy = y - centre.y;
      if (dx * dx + dy * dy < best_distance) {
        best_distance = dx * dx + dy * dy;
        best = {x, y};
      }
    }
  }
  return best;
}

}  // namespace fw::preview
