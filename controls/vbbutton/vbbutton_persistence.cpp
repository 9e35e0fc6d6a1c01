// InitProperties, ReadProperties and WriteProperties: the twenty-three keys of the property bag,
// read and written in one order. Loading reads every key before it changes anything; saving
// writes every key, whether or not its value is the default.
#include <string_view>
#include <utility>

#include "controls/vbbutton/vbbutton.h"

namespace fw {
namespace {

constexpr int kColorBtnFace = 15;
constexpr int kColorBtnText = 18;
constexpr ColorValue kDefaultMaskColor = 0xC0C0C0;

// Everything a bag holds for one control, in key order.
struct Loaded {
  std::int16_t button_type = 0;       //  1 BTYPE
  std::string caption;                //  2 TX
  bool enabled = true;                //  3 ENAB
  PropertyFont font;                  //  4 FONT (the window's)
  std::int16_t color_scheme = 0;      //  5 COLTYPE
  bool show_focus_rect = true;        //  6 FOCUSR
  ColorValue back_color = 0;          //  7 BCOL
  ColorValue back_over = 0;           //  8 BCOLO
  ColorValue fore_color = 0;          //  9 FCOL
  ColorValue fore_over = 0;           // 10 FCOLO
  ColorValue mask_color = 0;          // 11 MCOL
  std::int16_t mouse_pointer = 0;     // 12 MPTR (the window's)
  PicturePtr mouse_icon;              // 13 MICON (the window's)
  PicturePtr picture_normal;          // 14 PICN
  PicturePtr picture_over;            // 15 PICH
  bool use_mask_color = true;         // 16 UMCOL
  bool soft_bevel = false;            // 17 SOFT
  std::int16_t picture_position = 0;  // 18 PICPOS
  bool use_greyscale = false;         // 19 NGREY
  std::int16_t special_effect = 0;    // 20 FX
  bool hand_pointer = false;          // 21 HAND (through its setter when True)
  bool check_box_behaviour = false;   // 22 CHECK
  bool value = false;                 // 23 VALUE
};

Loaded ReadAll(const PropertyBag& bag, const FontSpec& window_font) {
  Loaded l;
  l.button_type = bag.ReadInt16("BTYPE", 2);
  l.caption = bag.ReadText("TX", "");
  l.enabled = bag.ReadBool("ENAB", true);
  l.font = bag.ReadFont("FONT", PropertyFont::FromFontSpec(window_font));
  l.color_scheme = bag.ReadInt16("COLTYPE", 1);
  l.show_focus_rect = bag.ReadBool("FOCUSR", true);
  l.back_color = bag.ReadColor("BCOL", GetSysColor(kColorBtnFace));
  l.back_over = bag.ReadColor("BCOLO", l.back_color);
  l.fore_color = bag.ReadColor("FCOL", GetSysColor(kColorBtnText));
  l.fore_over = bag.ReadColor("FCOLO", l.fore_color);
  l.mask_color = bag.ReadColor("MCOL", kDefaultMaskColor);
  l.mouse_pointer = bag.ReadInt16("MPTR", 0);
  l.mouse_icon = bag.ReadPicture("MICON", nullptr);
  l.picture_normal = bag.ReadPicture("PICN", nullptr);
  l.picture_over = bag.ReadPicture("PICH", nullptr);
  l.use_mask_color = bag.ReadBool("UMCOL", true);
  l.soft_bevel = bag.ReadBool("SOFT", false);
  l.picture_position = bag.ReadInt16("PICPOS", 0);
  l.use_greyscale = bag.ReadBool("NGREY", false);
  l.special_effect = bag.ReadInt16("FX", 0);
  l.hand_pointer = bag.ReadBool("HAND", false);
  l.check_box_behaviour = bag.ReadBool("CHECK", false);
  l.value = bag.ReadBool("VALUE", false);
  return l;
}

// Stores `value` even where it equals the property's default, so that the bag keeps it.
void Keep(PropertyBag& bag, std::string_view key, PropertyValue value) {
  bag.Store(key, std::move(value));
}
void KeepInt32(PropertyBag& bag, std::string_view key, std::int32_t value) {
  Keep(bag, key, PropertyValue(std::in_place_type<std::int32_t>, value));
}
void KeepInt16(PropertyBag& bag, std::string_view key, std::int16_t value) {
  Keep(bag, key, PropertyValue(std::in_place_type<std::int16_t>, value));
}
void KeepBool(PropertyBag& bag, std::string_view key, bool value) {
  Keep(bag, key, Bool16(value));
}
void KeepColor(PropertyBag& bag, std::string_view key, ColorValue value) {
  KeepInt32(bag, key, static_cast<std::int32_t>(value));
}

}  // namespace

// A new instance placed on a container at design time.
void vbButton::InitProperties() {
  f_.enabled = true;
  f_.show_focus_rect = true;
  f_.use_mask_color = true;
  f_.caption = site_.AmbientDisplayName();
  window_.Font(site_.AmbientFont());
  f_.button_type = 2;
  f_.color_scheme = vbbutton::kSchemeSystem;
  ApplyColorScheme();
  f_.back_color = f_.colors.face;
  f_.back_over = f_.colors.face;
  f_.mask_color = kDefaultMaskColor;
  f_.fore_color = f_.colors.text;
  f_.fore_over = f_.colors.text;
  Layout();
  MeasureWindow();
}

void vbButton::ReadProperties(const PropertyBag& bag) {
  Loaded l = ReadAll(bag, window_.Font());  // may throw; nothing has changed yet

  f_.button_type = l.button_type;
  f_.caption = std::move(l.caption);
  f_.enabled = l.enabled;
  window_.Font(l.font.ToFontSpec());
  f_.color_scheme = l.color_scheme;
  f_.show_focus_rect = l.show_focus_rect;
  f_.back_color = l.back_color;
  f_.back_over = l.back_over;
  f_.fore_color = l.fore_color;
  f_.fore_over = l.fore_over;
  f_.mask_color = l.mask_color;
  window_.MousePointer(l.mouse_pointer);
  try {
    window_.MouseIcon(std::move(l.mouse_icon));
  } catch (const std::exception&) {
    // A picture the window cannot show as a pointer is ignored, as the setter ignores it.
  }
  f_.picture_normal = std::move(l.picture_normal);
  f_.picture_over = std::move(l.picture_over);
  f_.use_mask_color = l.use_mask_color;
  f_.soft_bevel = l.soft_bevel;
  f_.picture_position = l.picture_position;
  f_.use_greyscale = l.use_greyscale;
  f_.special_effect = l.special_effect;
  // The hand replaces the loaded pointer and icon; without it they stay as MPTR and MICON held
  // them (the setter with False would reset them to the arrow and no icon).
  if (l.hand_pointer) {
    HandPointer(true);
  } else {
    f_.hand_pointer = false;
  }
  f_.check_box_behaviour = l.check_box_behaviour;
  f_.value = l.value;

  window_.Enabled(f_.enabled);
  MeasurePicture();
  Layout();
  UpdateAccessKeys();
  MeasureWindow();
}

void vbButton::WriteProperties(PropertyBag& bag) const {
  KeepInt32(bag, "BTYPE", f_.button_type);
  Keep(bag, "TX", f_.caption);
  KeepBool(bag, "ENAB", f_.enabled);
  Keep(bag, "FONT", PropertyFont::FromFontSpec(window_.Font()));
  KeepInt32(bag, "COLTYPE", f_.color_scheme);
  KeepBool(bag, "FOCUSR", f_.show_focus_rect);
  KeepColor(bag, "BCOL", f_.back_color);
  KeepColor(bag, "BCOLO", f_.back_over);
  KeepColor(bag, "FCOL", f_.fore_color);
  KeepColor(bag, "FCOLO", f_.fore_over);
  KeepColor(bag, "MCOL", f_.mask_color);
  KeepInt16(bag, "MPTR", window_.MousePointer());
  Keep(bag, "MICON", window_.MouseIcon());
  Keep(bag, "PICN", f_.picture_normal);
  Keep(bag, "PICH", f_.picture_over);
  KeepBool(bag, "UMCOL", f_.use_mask_color);
  KeepBool(bag, "SOFT", f_.soft_bevel);
  KeepInt32(bag, "PICPOS", f_.picture_position);
  KeepBool(bag, "NGREY", f_.use_greyscale);
  KeepInt32(bag, "FX", f_.special_effect);
  KeepBool(bag, "HAND", f_.hand_pointer);
  KeepBool(bag, "CHECK", f_.check_box_behaviour);
  KeepBool(bag, "VALUE", f_.value);
}

}  // namespace fw
