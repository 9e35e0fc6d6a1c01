#include "tools/preview/button_adapter.h"

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "controls/button/button.h"
#include "tools/preview/property_rows.h"

namespace fw::preview {
namespace {

// The parent window: large enough for any preview control.
constexpr Size kHostClient = {2 * kMaxPreviewSide, 2 * kMaxPreviewSide};

constexpr int kShapes = 12;  // ButtonShape 0 to 11
constexpr int kStyles = 8;   // ButtonStyle 1 to 8
constexpr int kThemes = 8;   // ButtonTheme 1 to 8
constexpr int kSchemes = 8;  // ButtonStyleColors 0 to 7

using B = Button;
constexpr std::array<PropertyRow, 30> kProperties = {
    Integer<B, &B::ButtonShape, &B::ButtonShape>("ButtonShape"),
    Integer<B, &B::ButtonStyle, &B::ButtonStyle>("ButtonStyle"),
    Integer<B, &B::ButtonStyleColors, &B::ButtonStyleColors>("ButtonStyleColors"),
    Integer<B, &B::ButtonTheme, &B::ButtonTheme>("ButtonTheme"),
    Integer<B, &B::ButtonType, &B::ButtonType>("ButtonType"),
    Integer<B, &B::CaptionAlignment, &B::CaptionAlignment>("CaptionAlignment"),
    Integer<B, &B::CaptionEffect, &B::CaptionEffect>("CaptionEffect"),
    Integer<B, &B::CaptionStyle, &B::CaptionStyle>("CaptionStyle"),
    Integer<B, &B::DropDown, &B::DropDown>("DropDown"),
    Integer<B, &B::PictureAlignment, &B::PictureAlignment>("PictureAlignment"),
    Color<B, &B::BackColor, &B::BackColor>("BackColor"),
    Color<B, &B::BackColorPressed, &B::BackColorPressed>("BackColorPressed"),
    Color<B, &B::BackColorHover, &B::BackColorHover>("BackColorHover"),
    Color<B, &B::BorderColor, &B::BorderColor>("BorderColor"),
    Color<B, &B::BorderColorPressed, &B::BorderColorPressed>("BorderColorPressed"),
    Color<B, &B::BorderColorHover, &B::BorderColorHover>("BorderColorHover"),
    Color<B, &B::ForeColor, &B::ForeColor>("ForeColor"),
    Color<B, &B::ForeColorPressed, &B::ForeColorPressed>("ForeColorPressed"),
    Color<B, &B::ForeColorHover, &B::ForeColorHover>("ForeColorHover"),
    Color<B, &B::EffectColor, &B::EffectColor>("EffectColor"),
    Text<B, &B::Caption, &B::Caption>("Caption"),
    Boolean<B, &B::FocusRect, &B::FocusRect>("FocusRect"),
    Boolean<B, &B::Value, &B::Value>("Value"),
    Boolean<B, &B::HandPointer, &B::HandPointer>("HandPointer"),
    PictureObject<B, &B::Picture, &B::Picture>("Picture"),
    Boolean<B, &B::PictureGray, &B::PictureGray>("PictureGray"),
    Boolean<B, &B::Enabled, &B::Enabled>("Enabled"),
    Font<B, &B::Font, &B::Font>("Font"),
    Integer16<B, &B::MousePointer, &B::MousePointer>("MousePointer"),
    PictureObject<B, &B::MouseIcon, &B::MouseIcon>("MouseIcon"),
};

// Every ButtonShape but the rectangle (0) and the rounded rectangle (1) is drawn square: the
// paint sets the height to the width.
bool IsSquareShape(std::int32_t shape) {
  return shape != 0 && shape != 1;
}

}  // namespace

PropertyTable ButtonAdapter::Properties() const {
  return kProperties;
}

PlacedControl ButtonAdapter::Place(GdiDevice& device, const ControlRecipe& recipe,
                                   ColorRef /*parent*/) const {
  PlacedControl placed{std::make_unique<headless::HeadlessHost>(device, kHostClient), nullptr};
  const std::string name = InstanceName();
  const Size twips = recipe.saved_extent_twips.value_or(kPlacementTwips);
  Button& button = placed.host->Place<Button>({name, Rect{0, 0, twips.cx, twips.cy}, recipe.saved});
  placed.control = &button;
  if (recipe.size) {
    UserControl& window = placed.host->WindowOf(name);
    window.Width(recipe.size->cx * kTwipsPerPixel);
    window.Height(recipe.size->cy * kTwipsPerPixel);
    button.Paint();
  }
  return placed;
}

GalleryPlan ButtonAdapter::PlanGallery(const ControlRecipe& /*base*/) const {
  GalleryPlan plan;
  plan.columns = GalleryColumns::AcrossTheSheet;
  plan.limit = GalleryLimit::PreviewsThenSheet;
  std::vector<GallerySection>& sections = plan.sections;
  sections.resize(3);
  sections[0].title = "ButtonShape 0 to 11 with ButtonStyle 1 to 8";
  for (int shape = 0; shape < kShapes; ++shape) {
    for (int style = 1; style <= kStyles; ++style) {
      sections[0].strips.push_back(
          {"ButtonShape " + std::to_string(shape) + ", ButtonStyle " + std::to_string(style),
           {Setting(kProperties, "ButtonShape", shape), Setting(kProperties, "ButtonStyle", style)},
           std::nullopt,
           IsSquareShape(shape)});
    }
  }
  sections[1].title = "ButtonTheme 1 to 8";
  for (int theme = 1; theme <= kThemes; ++theme) {
    sections[1].strips.push_back(
        {"ButtonTheme " + std::to_string(theme), {Setting(kProperties, "ButtonTheme", theme)}});
  }
  sections[2].title = "ButtonStyleColors 0 to 7 (background schemes)";
  for (int scheme = 0; scheme < kSchemes; ++scheme) {
    sections[2].strips.push_back({"ButtonStyleColors " + std::to_string(scheme),
                                  {Setting(kProperties, "ButtonStyleColors", scheme)}});
  }
  return plan;
}

}  // namespace fw::preview
