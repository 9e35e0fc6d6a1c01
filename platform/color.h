#pragma once
// Colour values as the controls store them, the system-colour table and the rounding rule.
#include <cstdint>

namespace fw {

// Either 0x00BBGGRR (red in the low byte) or 0x800000nn, a reference to system colour nn.
using ColorValue = std::uint32_t;
// A plain 0x00BBGGRR value, after any system-colour reference has been resolved.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kClrInvalid = 0xFFFFFFFFu;

// The system colours the controls name.
enum SysColor : int {
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
};

constexpr bool IsSystemColorReference(ColorValue value) { return (value & 0x80000000u) != 0; }

constexpr std::uint8_t GetRValue(ColorRef c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetGValue(ColorRef c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(ColorRef c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr ColorRef RGB(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The platform's current value of system colour `index` (0..30); 0 for an unknown index.
// The soft build answers from a fixed table (Wine's defaults); the Windows build asks user32.
ColorRef GetSysColor(int index);

// OleTranslateColor: resolves a colour value to 0x00BBGGRR. Returns 0 (S_OK) on success and
// E_INVALIDARG (0x80070057) for a reference to an unknown system colour or a value whose top
// byte is neither 0x00 nor 0x80, leaving `out` untouched.
long OleTranslateColor(ColorValue value, ColorRef& out);
inline constexpr long kEInvalidArg = static_cast<long>(0x80070057u);
// The colour value as 0x00BBGGRR for drawing; a value OleTranslateColor rejects draws black.
ColorRef ResolveColor(ColorValue value);

// r(x): round to the nearest integer, exact halves to the even neighbour (r(2.5) = 2).
int RoundHalfEven(double x);

}  // namespace fw
