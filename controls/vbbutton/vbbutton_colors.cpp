// Colour arithmetic and the colour-scheme routine of the vbButton.
#include "controls/vbbutton/vbbutton_colors.h"

namespace fw::vbbutton {
namespace {

// System colours the schemes read.
constexpr int kColorHighlight = 13;
constexpr int kColorBtnFace = 15;
constexpr int kColorBtnShadow = 16;
constexpr int kColorBtnText = 18;
constexpr int kColorBtnHighlight = 20;
constexpr int kColor3dDkShadow = 21;
constexpr int kColor3dLight = 22;

// The components of the result are assembled without masking: each has been clamped already.
ColorRef Assemble(int r, int g, int b) {
  return static_cast<ColorRef>(r + 256 * g + 65536 * b);
}

}  // namespace

ColorRef Translate(ColorValue color) {
  return ResolveColor(color);
}

ColorRef Shade(ColorRef color, int amount, bool proportional, bool soft_bevel) {
  if (soft_bevel) amount /= 2;
  const int r = static_cast<int>(color & 0xFF);
  const int g = static_cast<int>((color / 256) & 0xFF);
  const int b = static_cast<int>((color / 65536) & 0xFF);
  int rs = r + amount;
  int gs = g + amount;
  int bs = proportional ? b + amount * b / 192 : b + amount;
  if (amount > 0) {
    rs = rs > 255 ? 255 : rs;
    gs = gs > 255 ? 255 : gs;
    bs = bs > 255 ? 255 : bs;
  } else if (amount < 0) {
    rs = rs < 0 ? 0 : rs;
    gs = gs < 0 ? 0 : gs;
    bs = bs < 0 ? 0 : bs;
  }
  return Assemble(rs, gs, bs);
}

ColorRef Lighten(ColorRef color, int base) {
  const auto lift = [base](int x) {
    const int lifted = base + (255 - base) * x / 255;
    return lifted > 255 ? 255 : lifted;
  };
  return Assemble(lift(static_cast<int>(color & 0xFF)), lift(static_cast<int>((color >> 8) & 0xFF)),
                  lift(static_cast<int>((color >> 16) & 0xFF)));
}

SchemeColors ComputeSchemeColors(const SchemeInputs& in) {
  const auto shade = [&](ColorRef c, int amount) { return Shade(c, amount, false, in.soft_bevel); };
  SchemeColors s;
  switch (in.scheme) {
    case kSchemeCustom:
      s.face = Translate(in.back_color);
      s.hover_face = Translate(in.back_over);
      s.text = Translate(in.fore_color);
      s.hover_text = Translate(in.fore_over);
      s.shadow = shade(s.face, -64);
      s.light = shade(s.face, 31);
      s.highlight = shade(s.face, 47);
      s.dark_shadow = shade(s.face, -192);
      s.selection = shade(s.face, -128);
      s.light_selection = s.face;
      break;
    case kSchemeClassic:
      s.face = 0xC0C0C0;
      s.hover_face = 0xC0C0C0;
      s.text = 0x000000;
      s.hover_text = 0x000000;
      s.shadow = 0x808080;
      s.light = 0xDFDFDF;
      s.highlight = 0xFFFFFF;
      s.dark_shadow = 0x000000;
      s.selection = 0x800000;
      s.light_selection = 0xD1ADAD;
      break;
    case kSchemeParent:
      s.face = in.parent_back;
      s.hover_face = in.parent_back;
      s.text = in.parent_text;
      s.hover_text = in.parent_text;
      s.shadow = shade(s.face, -64);
      s.light = shade(s.face, 31);
      s.highlight = shade(s.face, 47);
      s.dark_shadow = shade(s.face, -192);
      s.selection = GetSysColor(kColorHighlight);
      s.light_selection = Lighten(s.selection, 176);
      break;
    default:
      s.face = GetSysColor(kColorBtnFace);
      s.hover_face = GetSysColor(kColorBtnFace);
      s.text = GetSysColor(kColorBtnText);
      s.hover_text = GetSysColor(kColorBtnText);
      s.shadow = GetSysColor(kColorBtnShadow);
      s.light = GetSysColor(kColor3dLight);
      s.highlight = GetSysColor(kColorBtnHighlight);
      s.dark_shadow = GetSysColor(kColor3dDkShadow);
      s.selection = GetSysColor(kColorHighlight);
      s.light_selection = Lighten(s.selection, 176);
      break;
  }
  s.mask = Translate(in.mask_color);
  s.focus = Shade(s.face, 48, in.button_type == 3, in.soft_bevel);
  return s;
}

}  // namespace fw::vbbutton
