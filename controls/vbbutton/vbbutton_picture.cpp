// The picture drawing: which picture goes where in each look, the picture effect under it, and
// the pixel blit that draws it (mask colour, single colour, greyscale, blend, skip-bright).
#include <cstddef>
#include <vector>

#include "controls/vbbutton/vbbutton.h"

namespace fw {
namespace {

// One pixel of a 24-bit bottom-up DIB row set of a width x height image.
struct Dib24 {
  std::vector<std::uint8_t>& bits;
  std::size_t stride;
  int height;
  std::size_t At(int x, int y) const {
    return static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
  }
  ColorRef Get(int x, int y) const {
    const std::size_t i = At(x, y);
    return RGB(bits[i + 2], bits[i + 1], bits[i]);
  }
  void Set(int x, int y, ColorRef c) {
    const std::size_t i = At(x, y);
    bits[i] = GetBValue(c);
    bits[i + 1] = GetGValue(c);
    bits[i + 2] = GetRValue(c);
  }
};

std::size_t Stride24(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

// The grey level of a colour: the red term is rounded on its own before the sum is.
int GreyLevel(ColorRef p) {
  return RoundHalfEven(GetGValue(p) * 0.59 + RoundHalfEven(GetRValue(p) * 0.3) +
                       GetBValue(p) * 0.11);
}

}  // namespace

void vbButton::Blit(int x, int y, const Picture& picture, std::optional<ColorRef> color,
                    bool skip_bright, bool greyscale, bool blend) {
  const int pw = f_.picture_width;
  const int ph = f_.picture_height;
  if (pw <= 0 || ph <= 0) return;
  GdiDevice& gdi = window_.gdi();
  const ColorRef mask = f_.colors.mask;
  // The picture as a bitmap of the measured size: an icon's see-through pixels show MaskColor.
  auto source = gdi.CreateSurface(pw, ph, mask);
  source->DrawIconEx(0, 0, picture.image(), picture.width(), picture.height());
  // What lies under the picture now.
  auto under = gdi.CreateSurface(pw, ph);
  under->BitBlt(0, 0, pw, ph, dc(), x, y);

  std::vector<std::uint8_t> picture_bits = source->GetDIBits24();
  std::vector<std::uint8_t> bits = under->GetDIBits24();
  const Dib24 from{picture_bits, Stride24(pw), ph};
  Dib24 to{bits, Stride24(pw), ph};
  for (int py = 0; py < ph; ++py) {
    for (int px = 0; px < pw; ++px) {
      const ColorRef p = from.Get(px, py);
      if (f_.use_mask_color && p == mask) continue;
      if (color) {
        const int sum = GetRValue(p) + GetGValue(p) + GetBValue(p);
        if (!(skip_bright && sum > 384)) to.Set(px, py, *color);
      } else if (greyscale) {
        const int g = GreyLevel(p);
        to.Set(px, py, RGB(g, g, g));
      } else if (!blend) {
        to.Set(px, py, p);
      } else {
        const ColorRef d = to.Get(px, py);
        to.Set(px, py,
               RGB((2 * GetRValue(p) + GetRValue(d)) / 3, (2 * GetGValue(p) + GetGValue(d)) / 3,
                   (2 * GetBValue(p) + GetBValue(d)) / 3));
      }
    }
  }
  dc().SetDIBitsToDevice24(x, y, pw, ph, bits);
}

void vbButton::PictureEffect(int offset, const Picture& picture) {
  if (f_.special_effect < 1) return;
  const vbbutton::SchemeColors& c = f_.colors;
  ColorRef base = c.face;
  if (f_.button_type == 3) {
    base = c.focus;
  } else if (offset == -1 && f_.color_scheme != vbbutton::kSchemeCustom) {
    base = c.light_selection;
  }
  const bool raised = f_.special_effect == 2;
  const Point at = layout_.picture;
  Blit(at.x + offset + 1, at.y + offset + 1, picture, Shade(base, raised ? 40 : -40));
  if (f_.special_effect == 1 || f_.special_effect == 2) {
    Blit(at.x + offset - 1, at.y + offset - 1, picture, Shade(base, raised ? -40 : 40));
  }
}

void vbButton::DrawPicture(int look) {
  if (f_.picture_normal == nullptr) return;
  const Picture& normal = *f_.picture_normal;
  const Picture* over = f_.picture_over.get();
  const vbbutton::SchemeColors& c = f_.colors;
  const int type = f_.button_type;
  const int x = layout_.picture.x;
  const int y = layout_.picture.y;
  if (look == 0) {
    if (f_.mouse_over && type == 9) {
      PictureEffect(-1, normal);
      Blit(x + 1, y + 1, normal, c.shadow);
      Blit(x - 1, y - 1, normal, std::nullopt);
    } else if (f_.mouse_over) {
      const Picture& shown = over != nullptr ? *over : normal;
      PictureEffect(0, shown);
      Blit(x, y, shown, std::nullopt);
    } else {
      PictureEffect(0, normal);
      Blit(x, y, normal, std::nullopt, false, f_.use_greyscale, type == 9);
    }
  } else if (look == 1) {
    if (over != nullptr && type != 9) {
      const int k = type == 5 ? 0 : 1;
      Blit(x + k, y + k, *over, std::nullopt);
    } else if (type != 5 && type != 9) {
      PictureEffect(1, normal);
      Blit(x + 1, y + 1, normal, std::nullopt);
    } else {
      PictureEffect(0, normal);
      Blit(x, y, normal, std::nullopt);
    }
  } else {
    if (type == 3) {
      Blit(x + 1, y + 1, normal, std::nullopt, false, true);
    } else if (type == 5 || type == 6 || type == 9) {
      Blit(x, y, normal, type == 9 ? Shade(c.shadow, 13) : c.shadow, true);
    } else {
      Blit(x + 1, y + 1, normal, c.highlight, true);
      Blit(x, y, normal, c.shadow, true);
    }
  }
  // The caption goes over a picture behind it.
  if (f_.picture_position == 4) DrawCaption(layout_.caption_mode);
}

}  // namespace fw
