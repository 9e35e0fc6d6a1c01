// Property setters: each stores its value first, then does what the property needs (colour
// scheme, layout, a draw) and marks the property changed under its key in the property bag.
#include <functional>
#include <utility>

#include "controls/vbbutton/vbbutton.h"
#include "platform/resource_pictures.h"

namespace fw {
namespace {

// MousePointer values.
constexpr std::int16_t kPointerArrow = 1;
constexpr std::int16_t kPointerCustom = 99;

// The program's hand cursor, shown with HandPointer.
constexpr std::string_view kHandCursorResource = "hand.cur";

}  // namespace

void vbButton::BackColor(ColorValue value) {
  f_.back_color = value;
  if (!site_.AmbientUserMode()) f_.back_over = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("BCOL");
}

void vbButton::ForeColor(ColorValue value) {
  f_.fore_color = value;
  if (!site_.AmbientUserMode()) f_.fore_over = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("FCOL");
}

void vbButton::BackOver(ColorValue value) {
  f_.back_over = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("BCOLO");
}

void vbButton::ForeOver(ColorValue value) {
  f_.fore_over = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("FCOLO");
}

void vbButton::MaskColor(ColorValue value) {
  f_.mask_color = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("MCOL");
}

void vbButton::SoftBevel(bool value) {
  f_.soft_bevel = value;
  ApplyColorScheme();
  RedrawLast();
  Mark("SOFT");
}

void vbButton::ColorScheme(std::int32_t value) {
  f_.color_scheme = value;
  ApplyColorScheme();
  Draw(kUp, true);
  Mark("COLTYPE");
}

void vbButton::ButtonType(std::int32_t value) {
  f_.button_type = value;
  if (value == 5 && !site_.AmbientUserMode()) {
    FontSpec font = window_.Font();
    font.bold = true;
    window_.Font(font);
  } else if (value == 11 && f_.drawing_allowed) {
    CaptureBackground();
  }
  Resize();
  Mark("BTYPE");
}

void vbButton::Caption(std::string_view value) {
  f_.caption = std::string(value);
  UpdateAccessKeys();
  Layout();
  Draw(kUp, true);
  Mark("TX");
}

void vbButton::Enabled(bool value) {
  f_.enabled = value;
  Draw(kUp, true);
  window_.Enabled(value);
  Mark("ENAB");
}

FontSpec vbButton::Font() const {
  return window_.Font();
}

void vbButton::Font(const FontSpec& value) {
  window_.Font(value);
  Layout();
  Draw(kUp, true);
  Mark("FONT");
}

// The parts of the font are set on the window's font; nothing is marked changed.
void vbButton::SetFontPart(const std::function<void(FontSpec&)>& change) {
  FontSpec font = window_.Font();
  change(font);
  window_.Font(font);
  Layout();
  Draw(kUp, true);
}

bool vbButton::FontBold() const {
  return window_.Font().bold;
}
void vbButton::FontBold(bool value) {
  SetFontPart([value](FontSpec& font) { font.bold = value; });
}

bool vbButton::FontItalic() const {
  return window_.Font().italic;
}
void vbButton::FontItalic(bool value) {
  SetFontPart([value](FontSpec& font) { font.italic = value; });
}

bool vbButton::FontUnderline() const {
  return window_.Font().underline;
}
void vbButton::FontUnderline(bool value) {
  SetFontPart([value](FontSpec& font) { font.underline = value; });
}

std::int16_t vbButton::FontSize() const {
  return static_cast<std::int16_t>(RoundHalfEven(window_.Font().points));
}
void vbButton::FontSize(std::int16_t value) {
  SetFontPart([value](FontSpec& font) { font.points = value; });
}

std::string vbButton::FontName() const {
  return window_.Font().face;
}
void vbButton::FontName(std::string_view value) {
  SetFontPart([value](FontSpec& font) { font.face = std::string(value); });
}

void vbButton::ShowFocusRect(bool value) {
  f_.show_focus_rect = value;
  RedrawLast();
  Mark("FOCUSR");
}

void vbButton::SpecialEffect(std::int32_t value) {
  f_.special_effect = value;
  RedrawLast();
  Mark("FX");
}

void vbButton::CheckBoxBehaviour(bool value) {
  f_.check_box_behaviour = value;
  RedrawLast();
  Mark("CHECK");
}

std::int16_t vbButton::MousePointer() const {
  return window_.MousePointer();
}

void vbButton::MousePointer(std::int32_t value) {
  const std::int16_t pointer = ToMousePointer(value);  // throws before anything changes
  window_.MousePointer(pointer);
  Mark("MPTR");
}

PicturePtr vbButton::MouseIcon() const {
  return window_.MouseIcon();
}

void vbButton::MouseIcon(PicturePtr value) {
  try {
    window_.MouseIcon(std::move(value));
  } catch (const std::exception&) {
    // A picture the window cannot show as a pointer leaves the pointer as it was.
  }
  Mark("MICON");
}

void vbButton::HandPointer(bool value) {
  f_.hand_pointer = value;
  if (value) {
    window_.MouseIcon(LoadResourcePictureNamed(kHandCursorResource));
    window_.MousePointer(kPointerCustom);
  } else {
    window_.MouseIcon(nullptr);
    window_.MousePointer(kPointerArrow);
  }
  Mark("HAND");
}

void vbButton::PictureNormal(PicturePtr value) {
  f_.picture_normal = std::move(value);
  MeasurePicture();
  Layout();
  RedrawLast();
  Mark("PICN");
}

void vbButton::PictureOver(PicturePtr value) {
  f_.picture_over = std::move(value);
  if (f_.mouse_over) RedrawLast();
  Mark("PICH");
}

void vbButton::PicturePosition(std::int32_t value) {
  f_.picture_position = value;
  Mark("PICPOS");
  Layout();
  RedrawLast();
}

void vbButton::UseMaskColor(bool value) {
  f_.use_mask_color = value;
  if (f_.picture_normal != nullptr) RedrawLast();
  Mark("UMCOL");
}

void vbButton::UseGreyscale(bool value) {
  f_.use_greyscale = value;
  if (f_.picture_normal != nullptr) RedrawLast();
  Mark("NGREY");
}

void vbButton::Value(bool value) {
  f_.value = value;
  if (f_.check_box_behaviour) Draw(kUp, true);
  Mark("VALUE");
}

}  // namespace fw
