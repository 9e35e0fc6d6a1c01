#pragma once
// How a control's property table is written: one row per property type, so that a table reads as
// name, getter, setter (`Integer<Button, &Button::ButtonShape, &Button::ButtonShape>(...)`).
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <variant>

#include "tools/preview/property_values.h"

namespace fw::preview {

// The control a row's setter or getter is handed, as the class its table is written for.
template <class Control>
Control& ControlOf(ControlHandlers& control) {
  return dynamic_cast<Control&>(control);
}
template <class Control>
const Control& ControlOf(const ControlHandlers& control) {
  return dynamic_cast<const Control&>(control);
}

// A row whose value is held as `Held`: what the getter returns is converted to it, and the setter
// is handed it.
template <class Control, class Held, auto Get, auto Set>
constexpr PropertyRow Row(std::string_view name, PropertyKind kind, std::int32_t minimum = 0,
                          std::int32_t maximum = 0) {
  return {name,
          kind,
          minimum,
          maximum,
          [](ControlHandlers& c, const SettingValue& v) {
            (ControlOf<Control>(c).*Set)(std::get<Held>(v));
          },
          [](const ControlHandlers& c) -> SettingValue {
            return Held((ControlOf<Control>(c).*Get)());
          }};
}

template <class C, std::int32_t (C::*Get)() const, void (C::*Set)(std::int32_t)>
constexpr PropertyRow Integer(std::string_view name) {
  return Row<C, std::int32_t, Get, Set>(name, PropertyKind::kInteger,
                                        std::numeric_limits<std::int32_t>::min(),
                                        std::numeric_limits<std::int32_t>::max());
}

// A property held in 16 bits whose setter takes 32 and rejects what does not fit (MousePointer).
template <class C, std::int16_t (C::*Get)() const, void (C::*Set)(std::int32_t)>
constexpr PropertyRow Integer16(std::string_view name) {
  return Row<C, std::int32_t, Get, Set>(name, PropertyKind::kInteger,
                                        std::numeric_limits<std::int16_t>::min(),
                                        std::numeric_limits<std::int16_t>::max());
}

template <class C, ColorValue (C::*Get)() const, void (C::*Set)(ColorValue)>
constexpr PropertyRow Color(std::string_view name) {
  return Row<C, ColorValue, Get, Set>(name, PropertyKind::kColor);
}

template <class C, bool (C::*Get)() const, void (C::*Set)(bool)>
constexpr PropertyRow Boolean(std::string_view name) {
  return Row<C, bool, Get, Set>(name, PropertyKind::kBoolean);
}

template <class C, const std::string& (C::*Get)() const, void (C::*Set)(std::string_view)>
constexpr PropertyRow Text(std::string_view name) {
  return Row<C, std::string, Get, Set>(name, PropertyKind::kText);
}

template <class C, PicturePtr (C::*Get)() const, void (C::*Set)(PicturePtr)>
constexpr PropertyRow PictureObject(std::string_view name) {
  return Row<C, PicturePtr, Get, Set>(name, PropertyKind::kPicture);
}

template <class C, FontSpec (C::*Get)() const, void (C::*Set)(const FontSpec&)>
constexpr PropertyRow Font(std::string_view name) {
  return Row<C, FontSpec, Get, Set>(name, PropertyKind::kFont);
}

}  // namespace fw::preview
