#pragma once
// The vbButton's colour arithmetic and its derived colour set: Translate, Shade, Lighten and the
// colour-scheme routine, as pure functions of their inputs.
#include <cstdint>

#include "platform/color.h"

namespace fw::vbbutton {

// The colour schemes.
inline constexpr std::int32_t kSchemeSystem = 1;
inline constexpr std::int32_t kSchemeCustom = 2;
inline constexpr std::int32_t kSchemeClassic = 3;
inline constexpr std::int32_t kSchemeParent = 4;

// A colour value as plain RGB: a system-colour reference becomes the current system colour.
ColorRef Translate(ColorValue color);

// Moves each component of `color` by `amount` and clamps it in the direction of the move. With
// `soft_bevel` the amount is halved first (truncating toward zero). With `proportional` the
// blue component moves by amount * blue / 192 instead; red and green always move by amount.
ColorRef Shade(ColorRef color, int amount, bool proportional, bool soft_bevel);

// Maps each component x to base + (255 - base) * x / 255: 0 becomes base, 255 stays 255.
ColorRef Lighten(ColorRef color, int base);

// The colours the looks are drawn from, all plain RGB.
struct SchemeColors {
  ColorRef face = 0;             // background of the up look
  ColorRef hover_face = 0;       // background of the hover look
  ColorRef light = 0;            // inner light edge
  ColorRef highlight = 0;        // outer light edge
  ColorRef shadow = 0;           // inner dark edge
  ColorRef dark_shadow = 0;      // outer dark edge
  ColorRef text = 0;             // caption of the up look
  ColorRef hover_text = 0;       // caption of the hover look
  ColorRef selection = 0;        // the system highlight colour or its scheme's replacement
  ColorRef light_selection = 0;  // a lightened selection
  ColorRef mask = 0;             // MaskColor as RGB
  ColorRef focus = 0;            // a lighter shade of the face
  friend bool operator==(const SchemeColors&, const SchemeColors&) = default;
};

// What the colour-scheme routine reads.
struct SchemeInputs {
  std::int32_t scheme = kSchemeSystem;  // ColorScheme
  ColorValue back_color = 0;
  ColorValue back_over = 0;
  ColorValue fore_color = 0;
  ColorValue fore_over = 0;
  ColorValue mask_color = 0;
  bool soft_bevel = false;
  std::int32_t button_type = 0;
  // Scheme 4: the background and text colours selected in the parent window's context.
  ColorRef parent_back = 0xFFFFFF;
  ColorRef parent_text = 0x000000;
};

// The colour-scheme routine: scheme 2 derives everything from the custom colours, 3 is a fixed
// classic palette, 4 takes the parent window's colours and 1 (and any other value) the system's.
SchemeColors ComputeSchemeColors(const SchemeInputs& in);

}  // namespace fw::vbbutton
