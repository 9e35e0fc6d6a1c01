// InitProperties, ReadProperties and WriteProperties, and the property bag's keys.
//
// The thirty keys are one table: each entry is the key, its type (the entry's value type),
// its default and where the value goes. Reading and writing walk the table in order. Keys 1 to
// 26 are fields of the control; 27 to 30 belong to the window (Enabled, Font, MouseIcon,
// MousePointer).
#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "controls/button/button.h"

namespace fw {
namespace {

// The settings of keys 27 to 30, which the window holds.
struct WindowSettings {
  bool enabled = true;
  PropertyFont font;
  PicturePtr mouse_icon;
  std::int16_t mouse_pointer = 0;
};

// Everything the bag holds for one control.
struct Settings {
  ButtonFields fields;
  WindowSettings window;
};

// Defaults that are not constants.
struct ClassNameDefault {};    // the control's class name
struct AmbientFontDefault {};  // the container's ambient font
struct NoPictureDefault {};    // no picture

// One key: its name, the member of `Owner` it is read into and written from (whose type is the
// key's type), and its default.
template <class Owner, class T, class Default = T>
struct Key {
  using OwnerType = Owner;
  std::string_view name;
  T Owner::*target;
  Default default_value;
};

using Fields = ButtonFields;
using Window = WindowSettings;

using AnyKey = std::variant<Key<Fields, std::int32_t>,                      // 32-bit integer
                            Key<Fields, ColorValue>,                        // 32-bit colour
                            Key<Fields, std::string, ClassNameDefault>,     // text
                            Key<Fields, bool>,                              // Boolean
                            Key<Fields, PicturePtr, NoPictureDefault>,      // picture object
                            Key<Window, bool>,                              // Boolean
                            Key<Window, PropertyFont, AmbientFontDefault>,  // font object
                            Key<Window, PicturePtr, NoPictureDefault>,      // picture object
                            Key<Window, std::int16_t>>;                     // 16-bit integer

// One maker per key type, so that the table reads as key, target, default.
constexpr AnyKey Int32(std::string_view name, std::int32_t Fields::*target, std::int32_t value) {
  return Key<Fields, std::int32_t>{name, target, value};
}
constexpr AnyKey Color(std::string_view name, ColorValue Fields::*target, ColorValue value) {
  return Key<Fields, ColorValue>{name, target, value};
}
constexpr AnyKey Text(std::string_view name, std::string Fields::*target, ClassNameDefault value) {
  return Key<Fields, std::string, ClassNameDefault>{name, target, value};
}
constexpr AnyKey Boolean(std::string_view name, bool Fields::*target, bool value) {
  return Key<Fields, bool>{name, target, value};
}
constexpr AnyKey Boolean(std::string_view name, bool Window::*target, bool value) {
  return Key<Window, bool>{name, target, value};
}
constexpr AnyKey PictureObject(std::string_view name, PicturePtr Fields::*target,
                               NoPictureDefault value) {
  return Key<Fields, PicturePtr, NoPictureDefault>{name, target, value};
}
constexpr AnyKey PictureObject(std::string_view name, PicturePtr Window::*target,
                               NoPictureDefault value) {
  return Key<Window, PicturePtr, NoPictureDefault>{name, target, value};
}
constexpr AnyKey FontObject(std::string_view name, PropertyFont Window::*target,
                            AmbientFontDefault value) {
  return Key<Window, PropertyFont, AmbientFontDefault>{name, target, value};
}
constexpr AnyKey Int16(std::string_view name, std::int16_t Window::*target, std::int16_t value) {
  return Key<Window, std::int16_t>{name, target, value};
}

constexpr std::array<AnyKey, 30> kKeys = {
    Int32("ButtonShape", &Fields::button_shape, 0),
    Int32("ButtonStyle", &Fields::button_style, 1),
    Int32("ButtonStyleColors", &Fields::button_style_colors, 1),
    Int32("ButtonTheme", &Fields::button_theme, 0),
    Int32("ButtonType", &Fields::button_type, 0),
    Int32("CaptionAlignment", &Fields::caption_alignment, 2),
    Int32("CaptionEffect", &Fields::caption_effect, 0),
    Int32("CaptionStyle", &Fields::caption_style, 0),
    Int32("DropDown", &Fields::drop_down, 0),
    Int32("PictureAlignment", &Fields::picture_alignment, 2),
    Color("BackColor", &Fields::back_color, 0x8000000Fu),
    Color("BackColorPressed", &Fields::back_color_pressed, 0x8000000Fu),
    Color("BackColorHover", &Fields::back_color_hover, 0x8000000Fu),
    Color("BorderColor", &Fields::border_color, 0x000000u),
    Color("BorderColorPressed", &Fields::border_color_pressed, 0x000000u),
    Color("BorderColorHover", &Fields::border_color_hover, 0x000000u),
    Color("ForeColor", &Fields::fore_color, 0x000000u),
    Color("ForeColorPressed", &Fields::fore_color_pressed, 0x0000FFu),
    Color("ForeColorHover", &Fields::fore_color_hover, 0xFF0000u),
    Color("EffectColor", &Fields::effect_color, 0xFFFFFFu),
    Text("Caption", &Fields::caption, ClassNameDefault{}),
    Boolean("FocusRect", &Fields::focus_rect, true),
    Boolean("Value", &Fields::value, false),
    Boolean("HandPointer", &Fields::hand_pointer, false),
    PictureObject("Picture", &Fields::picture, NoPictureDefault{}),
    Boolean("PictureGray", &Fields::picture_gray, false),
    Boolean("Enabled", &Window::enabled, true),
    FontObject("Font", &Window::font, AmbientFontDefault{}),
    PictureObject("MouseIcon", &Window::mouse_icon, NoPictureDefault{}),
    Int16("MousePointer", &Window::mouse_pointer, 0),
};

// The defaults that depend on the container.
struct DefaultSource {
  PropertyFont ambient_font;
};

template <class T>
const T& Resolve(const T& value, const DefaultSource&) {
  return value;
}
std::string_view Resolve(ClassNameDefault, const DefaultSource&) {
  return kButtonClassName;
}
const PropertyFont& Resolve(AmbientFontDefault, const DefaultSource& source) {
  return source.ambient_font;
}
PicturePtr Resolve(NoPictureDefault, const DefaultSource&) {
  return nullptr;
}

// Typed reads and writes, chosen by the key's type.
std::int32_t ReadValue(const PropertyBag& bag, std::string_view key, std::int32_t fallback) {
  return bag.ReadInt32(key, fallback);
}
std::int16_t ReadValue(const PropertyBag& bag, std::string_view key, std::int16_t fallback) {
  return bag.ReadInt16(key, fallback);
}
ColorValue ReadValue(const PropertyBag& bag, std::string_view key, ColorValue fallback) {
  return bag.ReadColor(key, fallback);
}
bool ReadValue(const PropertyBag& bag, std::string_view key, bool fallback) {
  return bag.ReadBool(key, fallback);
}
std::string ReadValue(const PropertyBag& bag, std::string_view key, std::string_view fallback) {
  return bag.ReadText(key, fallback);
}
PicturePtr ReadValue(const PropertyBag& bag, std::string_view key, const PicturePtr& fallback) {
  return bag.ReadPicture(key, fallback);
}
PropertyFont ReadValue(const PropertyBag& bag, std::string_view key, const PropertyFont& fallback) {
  return bag.ReadFont(key, fallback);
}

void WriteValue(PropertyBag& bag, std::string_view key, std::int32_t value, std::int32_t fallback) {
  bag.WriteInt32(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, std::int16_t value, std::int16_t fallback) {
  bag.WriteInt16(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, ColorValue value, ColorValue fallback) {
  bag.WriteColor(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, bool value, bool fallback) {
  bag.WriteBool(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, const std::string& value,
                std::string_view fallback) {
  bag.WriteText(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, const PicturePtr& value,
                const PicturePtr& fallback) {
  bag.WritePicture(key, value, fallback);
}
void WriteValue(PropertyBag& bag, std::string_view key, const PropertyFont& value,
                const PropertyFont& fallback) {
  bag.WriteFont(key, value, fallback);
}

template <class Owner>
Owner& Part(Settings& settings) {
  if constexpr (std::is_same_v<Owner, ButtonFields>) {
    return settings.fields;
  } else {
    return settings.window;
  }
}

template <class Owner>
const Owner& Part(const Settings& settings) {
  if constexpr (std::is_same_v<Owner, ButtonFields>) {
    return settings.fields;
  } else {
    return settings.window;
  }
}

// Reads every key into `settings`, in order. Throws PropertyBagError naming the key for a value
// of the wrong type.
void ReadAll(const PropertyBag& bag, const DefaultSource& defaults, Settings& settings) {
  for (const AnyKey& any : kKeys) {
    std::visit(
        [&](const auto& key) {
          using Owner = typename std::remove_cvref_t<decltype(key)>::OwnerType;
          Part<Owner>(settings).*key.target =
              ReadValue(bag, key.name, Resolve(key.default_value, defaults));
        },
        any);
  }
}

// Writes every key from `settings`, in order; the bag leaves out values equal to the default.
void WriteAll(PropertyBag& bag, const DefaultSource& defaults, const Settings& settings) {
  for (const AnyKey& any : kKeys) {
    std::visit(
        [&](const auto& key) {
          using Owner = typename std::remove_cvref_t<decltype(key)>::OwnerType;
          WriteValue(bag, key.name, Part<Owner>(settings).*key.target,
                     Resolve(key.default_value, defaults));
        },
        any);
  }
}

}  // namespace

void Button::InitProperties() {
  window_.Width(1200);
  window_.Height(500);
  fields_.button_style = 1;
  fields_.button_style_colors = 1;
  fields_.button_shape = 0;
  fields_.caption_alignment = 2;
  fields_.picture_alignment = 2;
  fields_.button_theme = 0;
  fields_.back_color = 0x8000000Fu;
  fields_.back_color_pressed = 0x8000000Fu;
  fields_.back_color_hover = 0x8000000Fu;
  fields_.button_type = 0;
  fields_.caption_style = 0;
  fields_.caption_effect = 0;
  fields_.drop_down = 0;
  fields_.fore_color = 0x000000u;
  fields_.fore_color_pressed = 0x0000FFu;
  fields_.fore_color_hover = 0xFF0000u;
  fields_.effect_color = 0xFFFFFFu;
  fields_.caption = site_.AmbientDisplayName();
  fields_.focus_rect = true;
  fields_.value = false;
  fields_.hand_pointer = false;
  fields_.picture = nullptr;
  fields_.picture_gray = false;
  window_.Enabled(true);
  FontSpec font = window_.Font();
  font.face = "Tahoma";
  window_.Font(font);
  Paint();
}

// Keys 1 to 26 go straight into the fields: no setter runs, no preset is applied, nothing is
// marked changed. Font and MouseIcon go through their setters, which mark them changed and
// repaint; Enabled and MousePointer go to the window directly.
void Button::ReadProperties(const PropertyBag& bag) {
  const DefaultSource defaults{PropertyFont::FromFontSpec(site_.AmbientFont())};
  Settings loaded{fields_, {}};
  ReadAll(bag, defaults, loaded);  // may throw; nothing has changed yet

  fields_ = std::move(loaded.fields);
  window_.Enabled(loaded.window.enabled);
  Font(loaded.window.font.ToFontSpec());
  MouseIcon(std::move(loaded.window.mouse_icon));
  window_.MousePointer(loaded.window.mouse_pointer);
}

void Button::WriteProperties(PropertyBag& bag) const {
  const DefaultSource defaults{PropertyFont::FromFontSpec(site_.AmbientFont())};
  const Settings saved{fields_,
                       {window_.Enabled(), PropertyFont::FromFontSpec(window_.Font()),
                        window_.MouseIcon(), window_.MousePointer()}};
  WriteAll(bag, defaults, saved);
}

}  // namespace fw
