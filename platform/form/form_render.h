#pragma once
// How the pieces of a window built from design data look: frames, labels, pictures, the
// controls' own surfaces and tooltips. Each draws onto a device context of the window's client
// area; the host decides what is drawn in which order.
#include <string_view>

#include "platform/gdi.h"
#include "platform/geometry.h"
#include "platform/picture.h"

namespace fw {

// A frame: its background, an etched border whose top runs through the middle of the caption's
// line, and the caption on the background near the top-left corner. An empty caption leaves the
// border whole.
void DrawFrame(Dc& dc, const Rect& rect, std::string_view caption, const FontSpec& font,
               ColorRef back, ColorRef fore);

// A label: an opaque background and its text, left-aligned and broken at word boundaries,
// clipped to the label.
void DrawLabel(Dc& dc, const Rect& rect, std::string_view text, const FontSpec& font, ColorRef back,
               ColorRef fore);

// A picture at its natural size with its top-left at `at`, clipped to `clip`; an icon's or
// cursor's mask keeps what lies beneath.
void DrawPicture(Dc& dc, Point at, const Picture& picture, const Rect& clip);

// A control's persistent surface with its top-left at `at`; where the control's window has a
// region, only the pixels inside it show.
void DrawControlSurface(Dc& dc, Point at, const Dc& surface, const Region* region);

// A tooltip: the text in a small box with the info colours, placed below and right of `cursor`
// and moved back inside the client area when it would leave it.
void DrawToolTip(Dc& dc, Point cursor, std::string_view text);

}  // namespace fw
