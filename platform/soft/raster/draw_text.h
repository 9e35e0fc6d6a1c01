#pragma once
// DrawTextA's layout for the soft surface: line breaking (DT_WORDBREAK), alignment
// (DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM with DT_SINGLELINE) and measuring (DT_CALCRECT),
// as user32 does it, over any TextRenderer.
#include <functional>
#include <string_view>

#include "platform/gdi.h"
#include "platform/soft/raster/text_renderer.h"

namespace fw::soft {

// Lays `text` out in `rect` with `format`. Without DT_CALCRECT it calls draw_line(x, y, line)
// for each non-empty line at the position TextOutA would draw it; with DT_CALCRECT it draws
// nothing and updates rect as DrawTextA does. Returns the text height as DrawTextA does.
//
// `line` has the prefix characters removed: "&x" is "x" (the x gets the access-key
// underscore) and "&&" is "&", unless DT_NOPREFIX. For the underscore user32 draws a pen line
// after the text: draw_underscore(x0, x1, y) stands for MoveToEx(x0, y) + LineTo(x1, y) with
// a 1-pixel solid pen of the text colour (x1 itself is not painted). Pass no draw_underscore
// to drop underscores.
//
// Clipping is the caller's part: unless the format has DT_NOCLIP (0x100), DrawTextA draws
// each line with ExtTextOut(ETO_CLIPPED, rect), so the glyphs and the opaque background of
// every line are clipped to `rect` as passed in. Underscores are already clamped to the
// rect's left and right edges, as user32 does, and are not clipped further.
int LayoutDrawText(TextRenderer& renderer, const FontSpec& font, std::string_view text, Rect& rect,
                   unsigned format,
                   const std::function<void(int, int, std::string_view)>& draw_line,
                   const std::function<void(int, int, int)>& draw_underscore = {});

}  // namespace fw::soft
