#pragma once
// What the soft surface needs from a font engine: metrics, extents and the pixels of a line of
// text. The Linux build supplies one over FreeType; a surface without one draws no text and
// says so through its return values.
#include <functional>
#include <string_view>

#include "platform/gdi.h"

namespace fw::soft {

struct TextMetrics {
  int height = 0;   // tmHeight: ascent + descent
  int ascent = 0;   // tmAscent: from the top of the cell to the baseline
  int descent = 0;  // tmDescent
  int internal_leading = 0;
  int external_leading = 0;
  int ave_char_width = 0;
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  virtual TextMetrics Metrics(const FontSpec& font) = 0;
  // GetTextExtentPoint32A: the sum of the advance widths and the cell height.
  virtual Size Extent(const FontSpec& font, std::string_view text) = 0;
  // Calls plot(x, y) for every foreground pixel of `text` drawn with the top-left of its first
  // character cell at (x, y), underline and strike-out included. Single-byte text (cp1252).
  virtual void Render(const FontSpec& font, int x, int y, std::string_view text,
                      const std::function<void(int, int)>& plot) = 0;
};

}  // namespace fw::soft
