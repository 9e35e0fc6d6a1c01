#include "tools/preview/vbbutton_properties_table.h"

#include <algorithm>
#include <array>
#include <limits>

namespace fw::preview {
namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kInt16Max = std::numeric_limits<std::int16_t>::max();

using V = vbButton;

template <std::int32_t (V::*Get)() const, void (V::*Set)(std::int32_t)>
constexpr VbButtonProperty Integer(std::string_view name) {
  return {name,
          PropertyKind::kInteger,
          kInt32Min,
          kInt32Max,
          [](V& b, const SettingValue& v) { (b.*Set)(std::get<std::int32_t>(v)); },
          [](const V& b) -> SettingValue { return (b.*Get)(); }};
}

template <ColorValue (V::*Get)() const, void (V::*Set)(ColorValue)>
constexpr VbButtonProperty Color(std::string_view name) {
  return {name,
          PropertyKind::kColor,
          0,
          0,
          [](V& b, const SettingValue& v) { (b.*Set)(std::get<ColorValue>(v)); },
          [](const V& b) -> SettingValue { return (b.*Get)(); }};
}

template <bool (V::*Get)() const, void (V::*Set)(bool)>
constexpr VbButtonProperty Boolean(std::string_view name) {
  return {name,
          PropertyKind::kBoolean,
          0,
          0,
          [](V& b, const SettingValue& v) { (b.*Set)(std::get<bool>(v)); },
          [](const V& b) -> SettingValue { return (b.*Get)(); }};
}

template <PicturePtr (V::*Get)() const, void (V::*Set)(PicturePtr)>
constexpr VbButtonProperty PictureObject(std::string_view name) {
  return {name,
          PropertyKind::kPicture,
          0,
          0,
          [](V& b, const SettingValue& v) { (b.*Set)(std::get<PicturePtr>(v)); },
          [](const V& b) -> SettingValue { return (b.*Get)(); }};
}

constexpr VbButtonProperty kCaption{
    "Caption",
    PropertyKind::kText,
    0,
    0,
    [](V& b, const SettingValue& v) { b.Caption(std::get<std::string>(v)); },
    [](const V& b) -> SettingValue { return b.Caption(); }};

constexpr VbButtonProperty kFont{"Font",
                                 PropertyKind::kFont,
                                 0,
                                 0,
                                 [](V& b, const SettingValue& v) { b.Font(std::get<FontSpec>(v)); },
                                 [](const V& b) -> SettingValue { return b.Font(); }};

// FontSize is a 16-bit whole number of points.
constexpr VbButtonProperty kFontSize{
    "FontSize",
    PropertyKind::kInteger,
    kInt16Min,
    kInt16Max,
    [](V& b, const SettingValue& v) {
      b.FontSize(static_cast<std::int16_t>(std::get<std::int32_t>(v)));
    },
    [](const V& b) -> SettingValue { return std::int32_t{b.FontSize()}; }};

constexpr VbButtonProperty kFontName{
    "FontName",
    PropertyKind::kText,
    0,
    0,
    [](V& b, const SettingValue& v) { b.FontName(std::get<std::string>(v)); },
    [](const V& b) -> SettingValue { return b.FontName(); }};

// The window holds MousePointer in 16 bits; its setter takes 32 and rejects what does not fit.
constexpr VbButtonProperty kMousePointer{
    "MousePointer",
    PropertyKind::kInteger,
    kInt16Min,
    kInt16Max,
    [](V& b, const SettingValue& v) { b.MousePointer(std::get<std::int32_t>(v)); },
    [](const V& b) -> SettingValue { return std::int32_t{b.MousePointer()}; }};

constexpr std::array<VbButtonProperty, 28> kProperties = {
    Color<&V::BackColor, &V::BackColor>("BackColor"),
    Color<&V::BackOver, &V::BackOver>("BackOver"),
    Color<&V::ForeColor, &V::ForeColor>("ForeColor"),
    Color<&V::ForeOver, &V::ForeOver>("ForeOver"),
    Color<&V::MaskColor, &V::MaskColor>("MaskColor"),
    Integer<&V::ButtonType, &V::ButtonType>("ButtonType"),
    kCaption,
    Boolean<&V::Enabled, &V::Enabled>("Enabled"),
    kFont,
    Boolean<&V::FontBold, &V::FontBold>("FontBold"),
    Boolean<&V::FontItalic, &V::FontItalic>("FontItalic"),
    Boolean<&V::FontUnderline, &V::FontUnderline>("FontUnderline"),
    kFontSize,
    kFontName,
    Integer<&V::ColorScheme, &V::ColorScheme>("ColorScheme"),
    Boolean<&V::ShowFocusRect, &V::ShowFocusRect>("ShowFocusRect"),
    kMousePointer,
    PictureObject<&V::MouseIcon, &V::MouseIcon>("MouseIcon"),
    Boolean<&V::HandPointer, &V::HandPointer>("HandPointer"),
    Boolean<&V::SoftBevel, &V::SoftBevel>("SoftBevel"),
    PictureObject<&V::PictureNormal, &V::PictureNormal>("PictureNormal"),
    PictureObject<&V::PictureOver, &V::PictureOver>("PictureOver"),
    Integer<&V::PicturePosition, &V::PicturePosition>("PicturePosition"),
    Boolean<&V::UseMaskColor, &V::UseMaskColor>("UseMaskColor"),
    Boolean<&V::UseGreyscale, &V::UseGreyscale>("UseGreyscale"),
    Integer<&V::SpecialEffect, &V::SpecialEffect>("SpecialEffect"),
    Boolean<&V::CheckBoxBehaviour, &V::CheckBoxBehaviour>("CheckBoxBehaviour"),
    Boolean<&V::Value, &V::Value>("Value"),
};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::span<const VbButtonProperty> VbButtonProperties() {
  return kProperties;
}

const VbButtonProperty* FindVbButtonProperty(std::string_view name) {
  for (const VbButtonProperty& property : kProperties) {
    if (EqualIgnoringCase(property.name, name)) return &property;
  }
  return nullptr;
}

std::string DumpVbButtonProperties(const vbButton& button, const PictureFiles& pictures) {
  std::string out;
  for (const VbButtonProperty& property : kProperties) {
    out += std::string(property.name) + "=" +
           FormatValue(property.ValueType(), property.get(button), pictures) + "\n";
  }
  return out;
}

}  // namespace fw::preview
