#pragma once
// The vbButton's public properties as the preview tool sets and prints them: one row per
// property, in the control's interface order, with its value type, its setter and its getter.
// Values are written as for the Button (button_properties_table.h). The read-only hwnd and
// Version are not properties a design sets, and are left out.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "controls/vbbutton/vbbutton.h"
#include "tools/preview/button_properties_table.h"

namespace fw::preview {

struct VbButtonProperty {
  std::string_view name;
  PropertyKind kind;
  std::int32_t minimum;  // the range an integer's setter takes
  std::int32_t maximum;
  void (*set)(vbButton& button, const SettingValue& value);
  SettingValue (*get)(const vbButton& button);

  // The row's name and type, as ParseValue and FormatValue read a property.
  ButtonProperty ValueType() const { return {name, kind, minimum, maximum, nullptr, nullptr}; }
};

// Every property, in the control's interface order.
std::span<const VbButtonProperty> VbButtonProperties();

// The property named `name`, compared without regard to ASCII case; null for none.
const VbButtonProperty* FindVbButtonProperty(std::string_view name);

// Every property of `button` as Name=value lines, in interface order.
std::string DumpVbButtonProperties(const vbButton& button, const PictureFiles& pictures);

}  // namespace fw::preview
