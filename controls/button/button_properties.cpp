// Property getters and setters, and the colour presets of ButtonStyle and ButtonTheme.
#include <array>
#include <string>
#include <utility>

#include "controls/button/button.h"

namespace fw {
namespace {

inline constexpr ColorValue kSysButtonFace = 0x8000000Fu;
inline constexpr ColorValue kSysDesktop = 0x80000001u;

// The background colours a ButtonStyle of 1 to 8 presets.
struct StylePreset {
  ColorValue back_color;
  ColorValue back_color_hover;
  ColorValue back_color_pressed;
};

constexpr std::array<StylePreset, 8> kStylePresets = {{
    {kSysButtonFace, kSysButtonFace, kSysButtonFace},  // 1
    {kSysButtonFace, kSysButtonFace, kSysButtonFace},  // 2
    {kSysButtonFace, kSysButtonFace, kSysButtonFace},  // 3
    {kSysButtonFace, kSysButtonFace, 0x999999u},       // 4
    {kSysButtonFace, 0xB6A59Fu, 0xAF8C80u},            // 5
    {0xD2DEDDu, 0xFFFFFFu, 0xFFFFFFu},                 // 6
    {0xD8D8D8u, 0xF7DBA5u, 0xEFCE92u},                 // 7
    {kSysDesktop, kSysDesktop, kSysDesktop},           // 8
}};

// The background colours and the common border colour a ButtonTheme of 1 to 8 presets.
struct ThemePreset {
  ColorValue back_color;
  ColorValue back_color_hover;
  ColorValue back_color_pressed;
  ColorValue border_color;  // all three border colours
};

constexpr std::array<ThemePreset, 8> kThemePresets = {{
    {0xF1B39Au, 0xFDF7F4u, 0xFAE6DDu, 0xF1B39Au},  // 1
    {0x3DB4A2u, 0xDFF4F2u, 0xB8E7E0u, 0x3DB4A2u},  // 2
    {0xB5A09Du, 0xF7F5F4u, 0xECE7E6u, 0xB5A09Du},  // 3
    {0xABC2C2u, 0xF2F8F8u, 0xE6EDEEu, 0xABC2C2u},  // 4
    {0x02C5F5u, 0xE2F9FFu, 0xAFEFFEu, 0x02C5F5u},  // 5
    {0x26368Bu, 0x4763FFu, 0x425CEEu, 0x0000FFu},  // 6
    {0x578B2Eu, 0x9FFF54u, 0x80CD43u, 0x00FF00u},  // 7
    {0x8B4027u, 0xFF7648u, 0xCD5F3Au, 0xFF0000u},  // 8
}};

// The preset of `value` when it is 1 to 8, else null.
template <class Preset>
const Preset* PresetFor(const std::array<Preset, 8>& presets, std::int32_t value) {
  if (value < 1 || value > 8) {
    return nullptr;
  }
  return &presets[static_cast<std::size_t>(value - 1)];
}

}  // namespace

template <class T>
void Button::SetField(T ButtonFields::*field, T value, std::string_view name) {
  fields_.*field = std::move(value);
  site_.PropertyChanged(name);
  Paint();
}

void Button::ButtonShape(std::int32_t value) {
  SetField(&ButtonFields::button_shape, value, "ButtonShape");
}

void Button::ButtonStyle(std::int32_t value) {
  fields_.button_style = value;
  site_.PropertyChanged("ButtonStyle");
  ApplyButtonStylePresets();
  Paint();
}

void Button::ButtonStyleColors(std::int32_t value) {
  SetField(&ButtonFields::button_style_colors, value, "ButtonStyleColors");
}

void Button::ButtonTheme(std::int32_t value) {
  fields_.button_theme = value;
  site_.PropertyChanged("ButtonTheme");
  ApplyButtonThemePresets();
  Paint();
}

void Button::ButtonType(std::int32_t value) {
  SetField(&ButtonFields::button_type, value, "ButtonType");
}

void Button::CaptionAlignment(std::int32_t value) {
  SetField(&ButtonFields::caption_alignment, value, "CaptionAlignment");
}

void Button::CaptionEffect(std::int32_t value) {
  SetField(&ButtonFields::caption_effect, value, "CaptionEffect");
}

void Button::CaptionStyle(std::int32_t value) {
  SetField(&ButtonFields::caption_style, value, "CaptionStyle");
}

void Button::DropDown(std::int32_t value) {
  SetField(&ButtonFields::drop_down, value, "DropDown");
}

void Button::PictureAlignment(std::int32_t value) {
  SetField(&ButtonFields::picture_alignment, value, "PictureAlignment");
}

void Button::BackColor(ColorValue value) {
  SetField(&ButtonFields::back_color, value, "BackColor");
}

void Button::BackColorPressed(ColorValue value) {
  SetField(&ButtonFields::back_color_pressed, value, "BackColorPressed");
}

void Button::BackColorHover(ColorValue value) {
  SetField(&ButtonFields::back_color_hover, value, "BackColorHover");
}

void Button::BorderColor(ColorValue value) {
  SetField(&ButtonFields::border_color, value, "BorderColor");
}

void Button::BorderColorPressed(ColorValue value) {
  SetField(&ButtonFields::border_color_pressed, value, "BorderColorPressed");
}

void Button::BorderColorHover(ColorValue value) {
  SetField(&ButtonFields::border_color_hover, value, "BorderColorHover");
}

void Button::ForeColor(ColorValue value) {
  SetField(&ButtonFields::fore_color, value, "ForeColor");
}

void Button::ForeColorPressed(ColorValue value) {
  SetField(&ButtonFields::fore_color_pressed, value, "ForeColorPressed");
}

void Button::ForeColorHover(ColorValue value) {
  SetField(&ButtonFields::fore_color_hover, value, "ForeColorHover");
}

void Button::EffectColor(ColorValue value) {
  SetField(&ButtonFields::effect_color, value, "EffectColor");
}

void Button::Caption(std::string_view value) {
  SetField(&ButtonFields::caption, std::string(value), "Caption");
}

void Button::FocusRect(bool value) {
  SetField(&ButtonFields::focus_rect, value, "FocusRect");
}

void Button::Value(bool value) {
  SetField(&ButtonFields::value, value, "Value");
}

void Button::HandPointer(bool value) {
  SetField(&ButtonFields::hand_pointer, value, "HandPointer");
}

void Button::Picture(PicturePtr value) {
  SetField(&ButtonFields::picture, std::move(value), "Picture");
}

void Button::PictureGray(bool value) {
  SetField(&ButtonFields::picture_gray, value, "PictureGray");
}

bool Button::Enabled() const {
  return window_.Enabled();
}

void Button::Enabled(bool value) {
  window_.Enabled(value);
  site_.PropertyChanged("Enabled");
  Paint();
}

FontSpec Button::Font() const {
  return window_.Font();
}

void Button::Font(const FontSpec& value) {
  window_.Font(value);
  site_.PropertyChanged("Font");
  Paint();
}

std::int16_t Button::MousePointer() const {
  return window_.MousePointer();
}

void Button::MousePointer(std::int32_t value) {
  const std::int16_t pointer = ToMousePointer(value);  // throws before anything changes
  window_.MousePointer(pointer);
  site_.PropertyChanged("MousePointer");
  Paint();
}

PicturePtr Button::MouseIcon() const {
  return window_.MouseIcon();
}

void Button::MouseIcon(PicturePtr value) {
  window_.MouseIcon(std::move(value));
  site_.PropertyChanged("MouseIcon");
  Paint();
}

// Presets change the colours directly: only ButtonStyle itself is marked changed.
void Button::ApplyButtonStylePresets() {
  const StylePreset* preset = PresetFor(kStylePresets, fields_.button_style);
  if (preset == nullptr) {
    return;
  }
  fields_.back_color = preset->back_color;
  fields_.back_color_hover = preset->back_color_hover;
  fields_.back_color_pressed = preset->back_color_pressed;
  if (fields_.button_style_colors != 0) {
    if (fields_.button_style == 4) {
      fields_.button_style_colors = 1;
    } else if (fields_.button_style == 6) {
      fields_.button_style_colors = 3;
    }
  }
}

// Presets change the colours directly: only ButtonTheme itself is marked changed.
void Button::ApplyButtonThemePresets() {
  const ThemePreset* preset = PresetFor(kThemePresets, fields_.button_theme);
  if (preset == nullptr) {
    return;
  }
  fields_.back_color = preset->back_color;
  fields_.back_color_hover = preset->back_color_hover;
  fields_.back_color_pressed = preset->back_color_pressed;
  fields_.border_color = preset->border_color;
  fields_.border_color_pressed = preset->border_color;
  fields_.border_color_hover = preset->border_color;
}

}  // namespace fw
