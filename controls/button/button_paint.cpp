// The paint routine and the window notifications that repaint.
//
// Paint runs the surface set-up and the toggle-state step; the drawing steps that follow them
// (background, style overlay, picture, caption, border and shape, focus marking, drop-down
// arrow, mask) are the paint pipeline's and come with it.
#include "controls/button/button.h"

namespace fw {

void Button::Paint() {
  // Surface set-up: drawing goes to the persistent image, in pixels, from a clear surface.
  window_.AutoRedraw(true);
  window_.ScaleMode(kScalePixels);
  window_.Cls();
  // Toggle state: a toggle button whose Value is True is drawn pressed, and the pressed flag
  // stays set after the paint (the next release clears it).
  if (fields_.button_type == 1 && fields_.value) {
    fields_.pressed = true;
  }
  ++paint_count_;
}

void Button::Resize() {
  Paint();
}

void Button::Show() {
  Paint();
}

}  // namespace fw
