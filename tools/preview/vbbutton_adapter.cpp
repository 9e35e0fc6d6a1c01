#include "tools/preview/vbbutton_adapter.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include "controls/vbbutton/vbbutton.h"
#include "tools/preview/property_rows.h"

namespace fw::preview {
namespace {

using V = vbButton;

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

}  // namespace

PropertyTable VbButtonProperties() {
  return kProperties;
}

}  // namespace fw::preview
