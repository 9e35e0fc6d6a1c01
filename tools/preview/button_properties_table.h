#pragma once
// The Button's public properties as the preview tool sets and prints them: one row per
// property, in the control's interface order, with its value type, its setter and its getter.
// The window's read-only handles (hdc, hwnd) are not properties a design sets, and are left out.
//
// Value texts, as --set takes them and --dump prints them:
//   integer  decimal, or 0x and hex digits              ButtonShape=2
//   colour   the same; 0x00BBGGRR or 0x800000nn         BackColor=0x8000000F (printed so)
//   Boolean  True or False, in any case                 FocusRect=False
//   text     as given; printed in double quotes         Caption="OK"
//   picture  a .bmp, .ico or .cur file; empty or        Picture=icons/ok.ico
//            (none) for no picture
//   font     FAMILY,POINTS[,bold][,italic][,underline]  Font=Tahoma,8.25,bold
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "controls/button/button.h"

namespace fw::preview {

class PictureFiles;

enum class PropertyKind { kInteger, kColor, kBoolean, kText, kPicture, kFont };

// One property's value. A picture is null for none.
using SettingValue =
    std::variant<std::int32_t, ColorValue, bool, std::string, PicturePtr, FontSpec>;

struct ButtonProperty {
  std::string_view name;
  PropertyKind kind;
  std::int32_t minimum;  // the range an integer's setter takes
  std::int32_t maximum;
  void (*set)(Button& button, const SettingValue& value);
  SettingValue (*get)(const Button& button);
};

// Every property, in the control's interface order.
std::span<const ButtonProperty> ButtonProperties();

// The property named `name`, compared without regard to ASCII case; null for none.
const ButtonProperty* FindButtonProperty(std::string_view name);

// A value text that does not parse as its property's type; the message says what was expected.
class ValueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value `text` gives `property`. A picture's text is the name of its file (checked for a
// picture extension here, read when the value is applied), so its value here is always null.
SettingValue ParseValue(const ButtonProperty& property, std::string_view text);

// A number as value texts write it: decimal with an optional minus sign, or 0x and one to eight
// hex digits. Nothing for any other text.
std::optional<std::int64_t> ParseNumber(std::string_view text);

// Font texts: FAMILY,POINTS[,bold][,italic][,underline].
FontSpec ParseFont(std::string_view text);
std::string FormatFont(const FontSpec& font);

// A value as --dump prints it.
std::string FormatValue(const ButtonProperty& property, const SettingValue& value,
                        const PictureFiles& pictures);

// Every property of `button` as Name=value lines, in interface order.
std::string DumpProperties(const Button& button, const PictureFiles& pictures);

}  // namespace fw::preview
