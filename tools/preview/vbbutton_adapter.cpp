#include "tools/preview/vbbutton_adapter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "controls/vbbutton/vbbutton.h"
#include "platform/picture.h"
#include "tools/preview/property_rows.h"

namespace fw::preview {
namespace {

using V = vbButton;

constexpr int kTypes = 14;     // ButtonType 1 to 14
constexpr int kSchemes = 4;    // ColorScheme 1 to 4
constexpr int kPositions = 5;  // PicturePosition 0 to 4
// The size of the picture section's previews when the recipe gives none: room for a caption and
// the sample picture beside it.
constexpr Size kPictureCell = {120, 44};

// FontSize is a 16-bit whole number of points.
constexpr PropertyRow kFontSize{
    "FontSize",
    PropertyKind::kInteger,
    std::numeric_limits<std::int16_t>::min(),
    std::numeric_limits<std::int16_t>::max(),
    [](ControlHandlers& c, const SettingValue& v) {
      ControlOf<V>(c).FontSize(static_cast<std::int16_t>(std::get<std::int32_t>(v)));
    },
    [](const ControlHandlers& c) -> SettingValue {
      return std::int32_t{ControlOf<V>(c).FontSize()};
    }};

// FontName's getter makes its text rather than holding it.
constexpr PropertyRow kFontName{
    "FontName",
    PropertyKind::kText,
    0,
    0,
    [](ControlHandlers& c, const SettingValue& v) {
      ControlOf<V>(c).FontName(std::get<std::string>(v));
    },
    [](const ControlHandlers& c) -> SettingValue { return ControlOf<V>(c).FontName(); }};

constexpr std::array<PropertyRow, 28> kProperties = {
    Color<V, &V::BackColor, &V::BackColor>("BackColor"),
    Color<V, &V::BackOver, &V::BackOver>("BackOver"),
    Color<V, &V::ForeColor, &V::ForeColor>("ForeColor"),
    Color<V, &V::ForeOver, &V::ForeOver>("ForeOver"),
    Color<V, &V::MaskColor, &V::MaskColor>("MaskColor"),
    Integer<V, &V::ButtonType, &V::ButtonType>("ButtonType"),
    Text<V, &V::Caption, &V::Caption>("Caption"),
    Boolean<V, &V::Enabled, &V::Enabled>("Enabled"),
    Font<V, &V::Font, &V::Font>("Font"),
    Boolean<V, &V::FontBold, &V::FontBold>("FontBold"),
    Boolean<V, &V::FontItalic, &V::FontItalic>("FontItalic"),
    Boolean<V, &V::FontUnderline, &V::FontUnderline>("FontUnderline"),
    kFontSize,
    kFontName,
    Integer<V, &V::ColorScheme, &V::ColorScheme>("ColorScheme"),
    Boolean<V, &V::ShowFocusRect, &V::ShowFocusRect>("ShowFocusRect"),
    Integer16<V, &V::MousePointer, &V::MousePointer>("MousePointer"),
    PictureObject<V, &V::MouseIcon, &V::MouseIcon>("MouseIcon"),
    Boolean<V, &V::HandPointer, &V::HandPointer>("HandPointer"),
    Boolean<V, &V::SoftBevel, &V::SoftBevel>("SoftBevel"),
    PictureObject<V, &V::PictureNormal, &V::PictureNormal>("PictureNormal"),
    PictureObject<V, &V::PictureOver, &V::PictureOver>("PictureOver"),
    Integer<V, &V::PicturePosition, &V::PicturePosition>("PicturePosition"),
    Boolean<V, &V::UseMaskColor, &V::UseMaskColor>("UseMaskColor"),
    Boolean<V, &V::UseGreyscale, &V::UseGreyscale>("UseGreyscale"),
    Integer<V, &V::SpecialEffect, &V::SpecialEffect>("SpecialEffect"),
    Boolean<V, &V::CheckBoxBehaviour, &V::CheckBoxBehaviour>("CheckBoxBehaviour"),
    Boolean<V, &V::Value, &V::Value>("Value"),
};

int ToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace

PropertyTable VbButtonAdapter::Properties() const {
  return kProperties;
}

PlacedControl VbButtonAdapter::Place(GdiDevice& device, const ControlRecipe& recipe,
                                     ColorRef parent) const {
  const Size placed_twips = recipe.saved_extent_twips.value_or(kPlacementTwips);
  const Size twips = recipe.size
                         ? Size{recipe.size->cx * kTwipsPerPixel, recipe.size->cy * kTwipsPerPixel}
                         : placed_twips;
  PlacedControl placed{
      std::make_unique<headless::HeadlessHost>(
          device, Size{std::max(ToPixels(twips.cx), 1), std::max(ToPixels(twips.cy), 1)}),
      nullptr};
  Dc& parent_dc = placed.host->ParentDc();
  parent_dc.FillRect({0, 0, parent_dc.Width(), parent_dc.Height()}, Brush::Solid(parent));
  parent_dc.SetBkColor(parent);
  const std::string name = InstanceName();
  placed.control = &placed.host->Place<vbButton>(
      {name, Rect{0, 0, placed_twips.cx, placed_twips.cy}, recipe.saved});
  if (recipe.size) {
    UserControl& window = placed.host->WindowOf(name);
    window.Width(twips.cx);
    window.Height(twips.cy);
  }
  return placed;
}

GalleryPlan VbButtonAdapter::PlanGallery(const ControlRecipe& base) const {
  GalleryPlan plan;
  plan.columns = GalleryColumns::PerSection;
  plan.limit = GalleryLimit::Sheet;
  std::vector<GallerySection>& sections = plan.sections;
  sections.resize(3);
  sections[0].title = "ButtonType 1 to 14";
  for (int type = 1; type <= kTypes; ++type) {
    sections[0].strips.push_back(
        {"ButtonType " + std::to_string(type), {Setting(kProperties, "ButtonType", type)}});
  }
  sections[1].title = "ColorScheme 1 to 4 (system, custom, classic, parent window)";
  for (int scheme = 1; scheme <= kSchemes; ++scheme) {
    for (int type = 1; type <= kTypes; ++type) {
      sections[1].strips.push_back(
          {"ColorScheme " + std::to_string(scheme) + ", ButtonType " + std::to_string(type),
           {Setting(kProperties, "ColorScheme", scheme),
            Setting(kProperties, "ButtonType", type)}});
    }
  }
  // The recipe's own picture when it sets one, else the sample.
  bool has_picture = false;
  for (const Assignment& a : base.assignments) {
    has_picture = has_picture || a.property->name == "PictureNormal";
  }
  std::vector<Assignment> picture;
  if (!has_picture && base.saved == nullptr) {
    picture.push_back(Setting(kProperties, "PictureNormal", VbGallerySamplePicture()));
  }
  sections[2].title = "PicturePosition 0 to 4 (left, right, above, below, behind), greyscale, mask";
  const auto strip = [&](std::string label, std::vector<Assignment> more) {
    std::vector<Assignment> all = picture;
    all.insert(all.end(), more.begin(), more.end());
    return GalleryStrip{std::move(label), std::move(all), kPictureCell};
  };
  for (int position = 0; position < kPositions; ++position) {
    sections[2].strips.push_back(strip("PicturePosition " + std::to_string(position),
                                       {Setting(kProperties, "PicturePosition", position)}));
  }
  sections[2].strips.push_back(
      strip("UseGreyscale True", {Setting(kProperties, "UseGreyscale", true)}));
  sections[2].strips.push_back(
      strip("UseMaskColor False", {Setting(kProperties, "UseMaskColor", false)}));
  sections[2].strips.push_back(
      strip("SpecialEffect 1, ButtonType 9",
            {Setting(kProperties, "SpecialEffect", 1), Setting(kProperties, "ButtonType", 9)}));
  return plan;
}

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

}  // namespace fw::preview
