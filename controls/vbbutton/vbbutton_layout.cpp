// The layout routine (where the caption and the picture go) and the picture measurement.
#include <cmath>

#include "controls/vbbutton/vbbutton.h"

namespace fw {
namespace {

// HIMETRIC units (hundredths of a millimetre) per inch, and pixels per inch.
constexpr double kHimetricPerInch = 2540.0;
constexpr double kPixelsPerInch = 96.0;

// A picture's extent as its object reports it: whole HIMETRIC units.
double HimetricOf(int pixels) {
  return std::round(pixels * kHimetricPerInch / kPixelsPerInch);
}

void Move(Rect& r, int dx, int dy) {
  r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Spaces at either end do not count.
bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

void vbButton::MeasurePicture() {
  if (f_.picture_normal == nullptr) {
    f_.picture_width = 0;
    f_.picture_height = 0;
    return;
  }
  f_.picture_width = RoundHalfEven(
      window_.ScaleX(HimetricOf(f_.picture_normal->width()), kScaleHimetric, window_.ScaleMode()));
  f_.picture_height = RoundHalfEven(
      window_.ScaleY(HimetricOf(f_.picture_normal->height()), kScaleHimetric, window_.ScaleMode()));
}

void vbButton::Layout() {
  const int w = f_.width;
  const int h = f_.height;
  const int pw = f_.picture_width;
  const int ph = f_.picture_height;
  const std::int32_t position = f_.picture_position;
  // The working rectangle; with an unknown position it stays where the last layout left it.
  Rect& work = layout_.offset_caption;
  switch (position) {
    case 0:
      work = {pw + 1, 1, w - 2, h - 2};
      break;
    case 1:
      work = {1, 1, w - pw - 2, h - 2};
      break;
    case 2:
      work = {1, ph + 1, w - 2, h - 2};
      break;
    case 3:
      work = {1, 1, w - 2, h - ph - 2};
      break;
    case 4:
      work = {1, 1, w - 2, h - 2};
      break;
    default:
      break;
  }
  dc().DrawTextA(f_.caption, work, DT_CALCRECT | DT_WORDBREAK);
  Rect& caption = layout_.caption;
  caption = work;
  layout_.caption_width = caption.right - caption.left;
  layout_.caption_height = caption.bottom - caption.top;
  const int right = work.right;
  const int bottom = work.bottom;
  switch (position) {
    case 1:
      Move(caption, (w - right - pw - 4) / 2, (h - bottom) / 2);
      break;
    case 3:
      Move(caption, (w - right) / 2, (h - bottom - ph - 4) / 2);
      break;
    case 0:
    case 2:
    case 4:
      Move(caption, (w - right) / 2, (h - bottom) / 2);
      break;
    default:
      break;
  }
  layout_.offset_caption = caption;
  Move(layout_.offset_caption, 1, 1);

  if (f_.picture_normal == nullptr && f_.picture_over == nullptr) return;
  Point& picture = layout_.picture;
  if (!IsBlank(f_.caption) && position != 4) {
    switch (position) {
      case 0:
        picture = {caption.left - pw - 4, (h - ph) / 2};
        break;
      case 1:
        picture = {caption.right + 4, (h - ph) / 2};
        break;
      case 2:
        picture = {(w - pw) / 2, caption.top - ph - 2};
        break;
      case 3:
        picture = {(w - pw) / 2, caption.bottom + 2};
        break;
      default:
        break;
    }
  } else {
    picture = {(w - pw) / 2, (h - ph) / 2};
  }
}

}  // namespace fw
