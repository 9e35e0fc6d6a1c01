#pragma once
// The highlight colours ButtonStyle 6 draws with on the rectangle, rounded rectangle and
// ellipse: an orange set while the mouse is over the control, a blue set while it merely has
// the focus.
#include "controls/button/shapes/shape_frame.h"

namespace fw::button_shapes {

// The reference to system colour n (15 button face, 16 shadow, 20 highlight, 21 dark shadow);
// the pen setter translates it.
constexpr ColorValue SystemColor(int n) {
  return 0x80000000u + static_cast<ColorValue>(n);
}

struct Style6Colors {
  ColorValue outer_bottom;  // c1
  ColorValue outer_frame;   // c2
  ColorValue inner_sides;   // c3
  ColorValue top_line;      // c4
  ColorValue second_top;    // c5
};

inline constexpr Style6Colors kStyle6Hover{0x109ADC, 0x31B2F0, 0x90D6F7, 0xCEF3FF, 0x8CDBFF};
inline constexpr Style6Colors kStyle6Focused{0xD98D59, 0xE2A981, 0xF0D1B5, 0xF7D7BD, 0xFFE7CE};

// The set a style-6 highlight is drawn in when the control is not pressed: the hover set while
// hovering, the focused set when FocusRect is True and the control has the focus, else none.
inline const Style6Colors* Style6HighlightColors(const ShapeState& state) {
  if (state.hover) return &kStyle6Hover;
  if (state.focus_rect && state.focus) return &kStyle6Focused;
  return nullptr;
}

}  // namespace fw::button_shapes
