#pragma once
// DrawTextA's layout for the soft surface: line breaking (DT_WORDBREAK), alignment
// (DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM with DT_SINGLELINE) and measuring (DT_CALCRECT),
// as user32 does it, over any TextRenderer.
#include <functional>
#include <string_view>

#include "platform/gdi.h"
#include "platform/soft/text_renderer.h"

namespace fw::soft {

// Lays `text` out in `rect` with `format`. Without DT_CALCRECT it calls draw_line(x, y, line)
// for each line at the position TextOutA would draw it; with DT_CALCRECT it draws nothing and
// updates rect as DrawTextA does. Returns the text height as DrawTextA does.
int LayoutDrawText(TextRenderer& renderer, const FontSpec& font, std::string_view text,
                   Rect& rect, unsigned format,
                   const std::function<void(int, int, std::string_view)>& draw_line);

}  // namespace fw::soft
