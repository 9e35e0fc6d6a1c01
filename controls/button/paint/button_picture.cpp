// Step 9 of the paint: the picture, placed by PictureAlignment and drawn by state, and the grey
// pass for PictureGray and for a disabled control.
#include "controls/button/paint/paint_steps.h"

namespace fw::button_paint {
namespace {

// A picture's extent in HIMETRIC as the picture object reports it: whole hundredths of a
// millimetre at 96 dots per inch, rounded half away from zero (MulDiv).
int PictureHimetric(int pixels) {
  constexpr long long kHimetricPerInch = 2540;
  constexpr long long kPixelsPerInch = 96;
  const long long scaled = static_cast<long long>(pixels) * kHimetricPerInch;
  const long long half = kPixelsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kPixelsPerInch
                                      : -((-scaled + half) / kPixelsPerInch));
}

// Places the box by PictureAlignment; any other value keeps the previous x and y. The top and
// left margins come out as 5 pixels while the picture takes less than half the surface and 4
// otherwise; the right and bottom margins are a fixed 5.
void Place(PaintBox& box, std::int32_t alignment, int w, int h) {
  const double pw = box.width;
  const double ph = box.height;
  switch (alignment) {
    case 0:  // top
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = RoundHalfEven((h - ph) / h + 4);
      break;
    case 1:  // left
      box.x = RoundHalfEven((w - pw) / w + 4);
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 2:  // centre
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 3:  // right
      box.x = w - box.width - 5;
      box.y = RoundHalfEven((h - ph) / 2);
      break;
    case 4:  // bottom
      box.x = RoundHalfEven((w - pw) / 2);
      box.y = h - box.height - 5;
      break;
    default:
      break;
  }
}

enum class GreyRule { Red, Blue };

// Every pixel from (x, y) to (x + width, y + height), both bounds inclusive (one column and one
// row past the picture), that is not the stored BackColor (a raw comparison: a system-colour
// reference never matches) becomes the grey of its red or blue component.
void GreyPass(PaintContext& ctx, const PaintBox& box, GreyRule rule) {
  const ColorValue back_color = ctx.fields().back_color;
  Dc& dc = ctx.dc();
  for (int x = box.x; x <= box.x + box.width; ++x) {
    for (int y = box.y; y <= box.y + box.height; ++y) {
      const ColorRef p = dc.GetPixel(x, y);
      if (p == back_color) continue;
      const int g = rule == GreyRule::Red ? GetRValue(p) : GetBValue(p);
      dc.SetPixel(x, y, RGB(g, g, g));
    }
  }
}

}  // namespace

void PaintPicture(PaintContext& ctx) {
  ButtonFields& f = ctx.fields();
  PaintBox& box = f.picture_box;
  if (!f.picture) {
    box.width = 0;
    box.height = 0;
    return;
  }
  const Picture& picture = *f.picture;
  UserControl& surface = ctx.surface();
  box.width =
      RoundHalfEven(surface.ScaleX(PictureHimetric(picture.width()), kScaleHimetric, kScalePixels));
  box.height = RoundHalfEven(
      surface.ScaleY(PictureHimetric(picture.height()), kScaleHimetric, kScalePixels));
  Place(box, f.picture_alignment, ctx.W(), ctx.H());

  if (!surface.Enabled()) {
    surface.PaintPicture(picture, box.x, box.y);
    GreyPass(ctx, box, GreyRule::Blue);
  } else if (ctx.pressed()) {
    surface.PaintPicture(picture, box.x + 1, box.y + 1);
  } else if (ctx.hover()) {
    surface.PaintPicture(picture, box.x, box.y);
    if (f.button_style == 5) surface.PaintPicture(picture, box.x - 1, box.y - 1);
  } else {
    surface.PaintPicture(picture, box.x, box.y);
    if (f.picture_gray) GreyPass(ctx, box, GreyRule::Red);
  }
}

}  // namespace fw::button_paint
