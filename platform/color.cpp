#include "platform/color.h"

#include <cmath>

namespace fw {

long OleTranslateColor(ColorValue value, ColorRef& out) {
  const std::uint32_t kind = value >> 24;
  if (kind == 0x00 || kind == 0x02) {  // plain RGB, or PALETTERGB which has the same bytes
    out = value & 0x00FFFFFFu;
    return 0;
  }
  if (kind == 0x80) {
    const std::uint32_t index = value & 0x00FFFFFFu;
    if (index > 30) return kEInvalidArg;
    out = GetSysColor(static_cast<int>(index));
    return 0;
  }
  return kEInvalidArg;
}

int RoundHalfEven(double x) {
  // Explicit rather than nearbyint, which depends on the thread's rounding mode; std::round
  // would send halves away from zero.
  const double floor_value = std::floor(x);
  const double fraction = x - floor_value;
  double result = floor_value;
  if (fraction > 0.5) {
    result = floor_value + 1.0;
  } else if (fraction == 0.5) {
    result = std::fmod(floor_value, 2.0) == 0.0 ? floor_value : floor_value + 1.0;
  }
  return static_cast<int>(result);
}

ColorRef ResolveColor(ColorValue value) {
  ColorRef out = 0;
  OleTranslateColor(value, out);
  return out;
}

}  // namespace fw
