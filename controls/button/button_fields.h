#pragma once
// The fields of one Button instance, in their declared order. Everything starts zeroed: a
// control that is neither initialised nor loaded has no style, black colours, an empty caption,
// an Empty hover flag and clear pressed and focus flags.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/color.h"
#include "platform/property_bag.h"

namespace fw {

// A box the paint pipeline lays out and keeps between paints, in surface pixels.
struct PaintBox {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PaintBox&, const PaintBox&) = default;
};

struct ButtonFields {
  std::int32_t button_shape = 0;
  std::int32_t button_style = 0;
  std::int32_t button_style_colors = 0;
  std::int32_t button_theme = 0;
  std::int32_t button_type = 0;
  std::int32_t caption_alignment = 0;
  std::int32_t caption_effect = 0;
  std::int32_t caption_style = 0;
  std::int32_t drop_down = 0;
  std::int32_t picture_alignment = 0;
  ColorValue back_color = 0;
  ColorValue back_color_pressed = 0;
  ColorValue back_color_hover = 0;
  ColorValue border_color = 0;
  ColorValue border_color_pressed = 0;
  ColorValue border_color_hover = 0;
  ColorValue fore_color = 0;
  ColorValue fore_color_pressed = 0;
  ColorValue fore_color_hover = 0;
  ColorValue effect_color = 0;
  std::string caption;
  bool focus_rect = false;
  bool focus = false;  // the focus flag: the control has the keyboard focus
  bool value = false;
  bool hand_pointer = false;
  PicturePtr picture;
  bool picture_gray = false;
  // The caption and picture boxes and the region handle belong to the paint pipeline.
  PaintBox caption_box;       // top-left of the caption text and its extent
  PaintBox picture_box;       // top-left of the picture and its size
  std::optional<bool> hover;  // the hover flag: Empty until the first mouse move decides it
  bool pressed = false;       // the pressed flag
};

}  // namespace fw
