#pragma once
// The state of a vbButton, in the order the control declares it. Font, MousePointer, MouseIcon
// and the window's own Enabled are held by the window.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/vbbutton/vbbutton_colors.h"
#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/property_bag.h"

namespace fw {

struct vbButtonFields {
  std::int32_t button_type = 0;       // look 1 to 14
  std::int32_t color_scheme = 0;      // 1 system, 2 custom, 3 classic palette, 4 parent window
  std::int32_t picture_position = 0;  // picture left, right, above, below, behind the caption
  std::int32_t special_effect = 0;    // caption effect
  std::int32_t height = 0;            // H: client height in pixels, from the last resize
  std::int32_t width = 0;             // W: client width in pixels
  ColorValue back_color = 0;
  ColorValue back_over = 0;
  ColorValue fore_color = 0;
  ColorValue fore_over = 0;
  ColorValue mask_color = 0;
  bool use_mask_color = false;
  bool use_greyscale = false;
  bool hand_pointer = false;
  PicturePtr picture_normal;
  PicturePtr picture_over;
  // ButtonType 11 only: the memory context holding the captured background, with its bitmap.
  std::unique_ptr<Dc> background;
  std::string caption;             // an "&" marks the access key
  Rect content;                    // the client rectangle shrunk to the content (see Resize)
  std::int32_t picture_width = 0;  // PictureNormal in pixels; 0 x 0 without one
  std::int32_t picture_height = 0;
  std::uint8_t last_button = 0;    // from the last mouse-down
  std::uint8_t last_key_code = 0;  // from the last key-down
  bool enabled = false;
  bool soft_bevel = false;
  bool focus = false;  // the control has the keyboard focus
  bool show_focus_rect = false;
  // The derived colours of the colour-scheme routine (highlight and lightened highlight are
  // `selection` and `light_selection`).
  vbbutton::SchemeColors colors;
  std::uint8_t last_state = 0;  // what the last draw showed
  std::string last_caption;
  bool drawing_allowed = false;
  bool mouse_over = false;    // the hover look is on
  bool capture_busy = false;  // set while the background is captured: Resize does nothing
  bool check_box_behaviour = false;
  bool value = false;
};

// Where the layout routine put the caption and the picture (pixels).
struct vbButtonLayout {
  Rect caption;         // the caption text
  Rect offset_caption;  // the caption moved by (1, 1); the working rectangle while measuring
  std::int32_t caption_width = 0;
  std::int32_t caption_height = 0;
  Point picture;                  // the picture's top-left corner
  std::uint8_t caption_mode = 0;  // the last caption mode drawn
};

}  // namespace fw
