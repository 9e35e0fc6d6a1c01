#pragma once
// The Button's paint pipeline, step by step. Button::Paint (button_paint.cpp) runs the steps
// in this order on every paint:
//
//   1-5    surface set-up, size clamp, squaring, cursor, toggle state   button_paint.cpp
//   6, 7   background colour pair and ButtonStyleColors                 button_background.cpp
//   8      style colours and overlay (ButtonStyle)                      button_style_overlay.cpp
//   9      picture                                                      button_picture.cpp
//   10-12  caption box, caption text, caption colour ramp               button_caption.cpp
//   13-15  mask colour, border pen, shape renderer                      button_paint.cpp
//   16-18  focus marking, style-4 focus rectangle, drop-down arrow      button_marks.cpp
//   19     mask and show                                                button_paint.cpp
//
// All coordinates are surface pixels; W and H are the surface's ScaleWidth and ScaleHeight,
// read at the moment of use. r(x) is RoundHalfEven.
#include <cstdint>

#include "controls/button/button_fields.h"
#include "platform/usercontrol.h"

namespace fw::button_paint {

// System colour references the pipeline names.
inline constexpr ColorValue kSysButtonFace = 0x8000000Fu;       // 15
inline constexpr ColorValue kSysButtonShadow = 0x80000010u;     // 16
inline constexpr ColorValue kSysButtonHighlight = 0x80000014u;  // 20
inline constexpr ColorValue kSysDarkShadow = 0x80000015u;       // 21

// What one paint works on: the control's surface and its fields.
class PaintContext {
 public:
  PaintContext(UserControl& surface, ButtonFields& fields) : surface_(surface), fields_(fields) {}

  UserControl& surface() { return surface_; }
  const UserControl& surface() const { return surface_; }
  ButtonFields& fields() { return fields_; }
  const ButtonFields& fields() const { return fields_; }
  // The surface's device context, fetched afresh (a resize replaces it).
  Dc& dc() { return surface_.hDC(); }

  int W() const;
  int H() const;

  bool pressed() const { return fields_.pressed; }
  // The hover flag read as a Boolean: Empty counts as False.
  bool hover() const { return fields_.hover.value_or(false); }

  // The state rule: pressed wins over hover, which wins over normal.
  template <class T>
  T ByState(T when_pressed, T when_hover, T normal) const {
    if (pressed()) return when_pressed;
    if (hover()) return when_hover;
    return normal;
  }

  // Sets the surface's pen colour (its ForeColor, also the text colour).
  void Pen(ColorValue color) { surface_.ForeColor(color); }

 private:
  UserControl& surface_;
  ButtonFields& fields_;
};

// Steps 6 and 7: the background colour pair and the background scheme of ButtonStyleColors.
void PaintBackground(PaintContext& ctx);
// Step 8: the style colours written into the border colour fields and the style overlay.
void PaintStyleOverlay(PaintContext& ctx);
// Step 9: the picture, its placement and the grey pass.
void PaintPicture(PaintContext& ctx);
// Steps 10 to 12: the caption box, the caption text and its colour ramp.
void PaintCaption(PaintContext& ctx);
// Step 16: the chequer of black dots over the lines in the pen colour the renderer left.
void PaintFocusMarking(PaintContext& ctx);
// Step 17: the focus rectangle around the caption of ButtonStyle 4.
void PaintStyle4FocusRect(PaintContext& ctx);
// Step 18: the drop-down arrow.
void PaintDropDown(PaintContext& ctx);

}  // namespace fw::button_paint
