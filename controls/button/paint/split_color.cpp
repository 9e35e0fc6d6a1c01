#include "controls/button/paint/split_color.h"

namespace fw::button_paint {

Rgb SplitColor(ColorValue color) {
  ColorRef c = color;
  OleTranslateColor(color, c);  // leaves c untouched when it fails
  return Rgb{static_cast<int>(c & 0xFFu), static_cast<int>((c & 0xFF00u) / 256u),
             RoundHalfEven(static_cast<double>(c & 0xFF0000u) / 65536.0)};
}

}  // namespace fw::button_paint
