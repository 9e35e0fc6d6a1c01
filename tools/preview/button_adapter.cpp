#include "tools/preview/button_adapter.h"

#include <array>

#include "controls/button/button.h"
#include "tools/preview/property_rows.h"

namespace fw::preview {
namespace {

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

}  // namespace

PropertyTable ButtonProperties() {
  return kProperties;
}

}  // namespace fw::preview
