// The shaded looks: ButtonType 3 (rows shaded down from the focus colour, with a hot, a focused
// and a plain rim), 4 (a raised plate with soft corners) and 14 (rows shaded down from the
// highlight, with a light inner edge).
#include "controls/vbbutton/vbbutton.h"
#include "platform/scope_exit.h"

namespace fw {

// ButtonType 3: every shade is proportional.
void vbButton::Look3(Branch branch) {
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  const ColorRef f = f_.colors.focus;
  const auto shade = [this](ColorRef color, int amount) { return Shade(color, amount, true); };
  const double s = 25.0 / h;
  const auto corners = [&](ColorRef color) {
    canvas.Pixel(1, 1, color);
    canvas.Pixel(1, h - 2, color);
    canvas.Pixel(w - 2, 1, color);
    canvas.Pixel(w - 2, h - 2, color);
  };
  // The rim inside the frame: six strokes in the colours given.
  const auto rim = [&](ColorRef frame, ColorRef bottom, ColorRef top, ColorRef top_inner,
                       ColorRef left, ColorRef right) {
    canvas.Frame(1, 2, w - 2, h - 4, frame);
    canvas.Line(2, h - 2, w - 2, h - 2, bottom);
    canvas.Line(2, 1, w - 2, 1, top);
    canvas.Line(1, 2, w - 1, 2, top_inner);
    canvas.Line(2, 3, 2, h - 3, left);
    canvas.Line(w - 3, 3, w - 3, h - 3, right);
  };
  if (branch == Branch::kUp) {
    for (int y = 1; y <= h; ++y) canvas.Line(0, y, w, y, shade(f, RoundHalfEven(-s * y)));
    DrawCaption(f_.mouse_over ? 1 : 0);
    canvas.Frame(0, 0, w, h, 0x733C00);
    corners(0x7B4D10);
    if (f_.mouse_over) {
      rim(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF, 0x6BCBFF);
    } else if (f_.show_focus_rect && (f_.focus || DisplayAsDefault())) {
      rim(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5, 0xF0D1B5);
    } else {
      canvas.Line(2, h - 2, w - 2, h - 2, shade(f, -48));
      canvas.Line(1, h - 3, w - 2, h - 3, shade(f, -32));
      canvas.Line(w - 2, 2, w - 2, h - 2, shade(f, -36));
      canvas.Line(w - 3, 3, w - 3, h - 3, shade(f, -24));
      canvas.Line(2, 1, w - 2, 1, shade(f, 16));
      canvas.Line(1, 2, w - 2, 2, shade(f, 10));
      canvas.Line(1, 2, 1, h - 2, shade(f, -5));
      canvas.Line(2, 3, 2, h - 3, shade(f, -10));
    }
  } else if (branch == Branch::kDown) {
    const ColorRef d = shade(f, -32);
    for (int l = 1; l <= h; ++l) canvas.Line(0, h - l, w, h - l, shade(d, RoundHalfEven(-s * l)));
    DrawCaption(2);
    canvas.Frame(0, 0, w, h, 0x733C00);
    corners(0x7B4D10);
    canvas.Line(2, h - 2, w - 2, h - 2, shade(d, 16));
    canvas.Line(1, h - 3, w - 2, h - 3, shade(d, 10));
    canvas.Line(w - 2, 2, w - 2, h - 2, shade(d, 5));
    canvas.Line(w - 3, 3, w - 3, h - 3, f);
    canvas.Line(2, 1, w - 2, 1, shade(d, -32));
    canvas.Line(1, 2, w - 2, 2, shade(d, -24));
    canvas.Line(1, 2, 1, h - 2, shade(d, -32));
    canvas.Line(2, 2, 2, h - 2, shade(d, -22));
  } else {
    canvas.Fill(0, 0, w, h, shade(f, -24));
    DrawCaption(5);
    canvas.Frame(0, 0, w, h, shade(f, -84));
    corners(shade(f, -72));
  }
}

void vbButton::Look4(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  const auto dark_corners = [&] {
    canvas.Pixel(1, 1, c.dark_shadow);
    canvas.Pixel(1, h - 2, c.dark_shadow);
    canvas.Pixel(w - 2, 1, c.dark_shadow);
    canvas.Pixel(w - 2, h - 2, c.dark_shadow);
  };
  if (branch == Branch::kUp || branch == Branch::kDisabled) {
    canvas.Fill(1, 1, w - 2, h - 2, c.light);
    DrawCaption(branch == Branch::kDisabled ? 3 : f_.mouse_over ? 1 : 0);
    canvas.Frame(0, 0, w, h, c.dark_shadow);
    dark_corners();
    canvas.Line(1, 2, 2, 0, c.face);
    canvas.Line(3, 2, w - 3, 2, c.highlight);
    canvas.Line(2, 2, 2, h - 3, c.highlight);
    canvas.Pixel(3, 3, c.highlight);
    canvas.Line(w - 3, 1, w - 3, h - 3, c.face);
    canvas.Line(1, h - 3, w - 3, h - 3, c.face);
    canvas.Pixel(w - 4, h - 4, c.face);
    canvas.Line(w - 2, 2, w - 2, h - 2, c.shadow);
    canvas.Line(2, h - 2, w - 2, h - 2, c.shadow);
    canvas.Pixel(w - 3, h - 3, c.shadow);
  } else {
    const ColorRef pressed = Shade(c.shadow, -16);
    canvas.Fill(1, 1, w - 2, h - 2, pressed);
    // The caption's effects are drawn from the pressed plate's colour.
    f_.colors.focus = pressed;
    DrawCaption(2);
    f_.colors.focus = Shade(c.face, 48);
    canvas.Frame(0, 0, w, h, c.dark_shadow);
    canvas.Frame(1, 1, w - 2, h - 2, Shade(c.shadow, -64));
    canvas.Frame(2, 2, w - 4, h - 4, Shade(c.shadow, -32));
    canvas.Pixel(2, 2, Shade(c.shadow, -64));
    canvas.Pixel(3, 3, Shade(c.shadow, -32));
    dark_corners();
    canvas.Line(w - 3, 1, w - 3, h - 3, c.shadow);
    canvas.Line(1, h - 3, w - 2, h - 3, c.shadow);
    canvas.Pixel(w - 4, h - 4, c.shadow);
    canvas.Line(w - 2, 3, w - 2, h - 2, pressed);
    canvas.Line(3, h - 2, w - 2, h - 2, pressed);
    canvas.Line(w - 2, h - 3, w - 4, h - 1, Shade(c.shadow, -32));
    canvas.Pixel(2, h - 2, Shade(c.shadow, -32));
    canvas.Pixel(w - 2, 2, Shade(c.shadow, -32));
  }
}

void vbButton::Look14(Branch branch) {
  const vbbutton::SchemeColors& c = f_.colors;
  vbbutton::FaceCanvas canvas = Canvas();
  const int w = f_.width;
  const int h = f_.height;
  const double t = 58.0 / h;
  const auto rows = [&] {
    for (int y = 1; y <= h; ++y) canvas.Line(0, y, w, y, Shade(c.highlight, RoundHalfEven(-t * y)));
  };
  const auto edges = [&] {
    canvas.Frame(0, 0, w, h, Shade(c.shadow, -50));
    canvas.Frame(1, 1, w - 2, h - 2, Shade(c.face, -9));
    canvas.Fill(2, 2, w - 4, 2, c.highlight);
    canvas.Fill(2, 4, 2, h - 6, c.highlight);
  };
  if (branch == Branch::kUp) {
    if (f_.mouse_over) {
      canvas.Fill(0, 0, w, h, c.light);
    } else {
      rows();
    }
    const std::uint8_t mode = f_.mouse_over ? 1 : 0;
    if (DisplayAsDefault()) {
      // The default button's caption is bold; the font change neither draws nor stays, however
      // the caption ends (the font goes back while drawing is still off).
      const bool bold = FontBold();
      f_.drawing_allowed = false;
      const ScopeExit drawing_back([this] { f_.drawing_allowed = true; });
      const ScopeExit font_back([this, bold] { FontBold(bold); });
      FontBold(true);
      DrawCaption(mode);
    } else {
      DrawCaption(mode);
    }
    edges();
    FocusRect();
  } else if (branch == Branch::kDown) {
    canvas.Fill(1, 1, w, h, Shade(c.face, -9));
    canvas.Frame(0, 0, w, h, Shade(c.shadow, -48));
    canvas.Line(2, h - 2, w - 2, h - 2, c.highlight);
    canvas.Line(w - 2, 2, w - 2, h - 1, c.highlight);
    DrawCaption(7);
    FocusRect();
  } else {
    rows();
    edges();
    DrawCaption(6);
  }
}

}  // namespace fw
