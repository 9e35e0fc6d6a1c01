#pragma once
// Property values as the preview tool sets and prints them, and the rows of a control's property
// table: one row per property, with its value type, its setter and its getter.
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

#include "platform/usercontrol.h"

namespace fw::preview {

class PictureFiles;

enum class PropertyKind { kInteger, kColor, kBoolean, kText, kPicture, kFont };

// One property's value. A picture is null for none.
using SettingValue =
    std::variant<std::int32_t, ColorValue, bool, std::string, PicturePtr, FontSpec>;

// One property of a control. The setter and getter take the control as its host holds it; they
// reach it as the class of the row's own table, and throw std::bad_cast for any other.
struct PropertyRow {
  std::string_view name;
  PropertyKind kind;
  std::int32_t minimum;  // the range an integer's setter takes
  std::int32_t maximum;
  void (*set)(ControlHandlers& control, const SettingValue& value);
  SettingValue (*get)(const ControlHandlers& control);
};

// A control's properties, in its interface order (property_rows.h writes them).
using PropertyTable = std::span<const PropertyRow>;

// The property of `table` named `name`, compared without regard to ASCII case; null for none.
const PropertyRow* FindProperty(PropertyTable table, std::string_view name);

// A value text that does not parse as its property's type; the message says what was expected.
class ValueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value `text` gives `property`. A picture's text is the name of its file (checked for a
// picture extension here, read when the value is applied), so its value here is always null.
SettingValue ParseValue(const PropertyRow& property, std::string_view text);

// A number as value texts write it: decimal with an optional minus sign, or 0x and one to eight
// hex digits. Nothing for any other text.
std::optional<std::int64_t> ParseNumber(std::string_view text);

// Font texts: FAMILY,POINTS[,bold][,italic][,underline].
FontSpec ParseFont(std::string_view text);
std::string FormatFont(const FontSpec& font);

// A value as --dump prints it.
std::string FormatValue(const PropertyRow& property, const SettingValue& value,
                        const PictureFiles& pictures);

// Every property of `table` as Name=value lines, as `control` has them, in the table's order.
std::string DumpProperties(PropertyTable table, const ControlHandlers& control,
                           const PictureFiles& pictures);

}  // namespace fw::preview
