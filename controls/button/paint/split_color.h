#pragma once
// SplitColor: a colour value's red, green and blue components (0..255), after a system-colour
// reference has been translated to its current RGB value.
#include "platform/color.h"

namespace fw::button_paint {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// red = c AND 0xFF, green = (c AND 0xFF00) / 256, blue = r((c AND 0xFF0000) / 65536), where c
// is the value after OleTranslateColor (no palette). A value the translation rejects is split
// as it is.
Rgb SplitColor(ColorValue color);

}  // namespace fw::button_paint
