// DrawTextA's layout, following user32's rules (as Wine's dlls/user32/text.c implements them):
// lines end at CR, LF, CR LF or LF CR (not with DT_SINGLELINE); DT_WORDBREAK breaks at line
// break opportunities (after spaces, hyphens, slashes...) and keeps a word wider than the line
// whole; lines are tmHeight apart (plus tmExternalLeading with DT_EXTERNALLEADING).
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/soft/raster/draw_text.h"

namespace fw::soft {
namespace {

constexpr unsigned kNoClip = 0x100;           // DT_NOCLIP
constexpr unsigned kExternalLeading = 0x200;  // DT_EXTERNALLEADING
constexpr unsigned kEditControl = 0x2000;     // DT_EDITCONTROL

constexpr char kPrefix = '&';
constexpr char kAlphaPrefix = 0x1E;  // Win16 alphabet prefix
constexpr char kKanaPrefix = 0x1F;   // Win16 katakana prefix: drops itself and the next char
constexpr char kSpace = ' ';

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsPrefix(char c) {
  return c == kPrefix || c == kAlphaPrefix;
}

// Line break classes of Unicode's line breaking algorithm (UAX #14) for the characters a
// Windows-1252 string can hold; control characters count as letters (CM treated as AL).
enum class Break { AL, SP, HY, BA, SY, IS, EX, OP, CL, CP, QU, PR, PO, NU, GL, BB, B2, IN };

Break ClassOf(unsigned char byte) {
  switch (byte) {
    case ' ':
      return Break::SP;
    case '-':
      return Break::HY;
    case '\t':
    case '|':
    case 0xAD:
    case 0x96:
      return Break::BA;  // 0x96: en dash
    case '/':
      return Break::SY;
    case ',':
    case '.':
    case ':':
    case ';':
      return Break::IS;
    case '!':
    case '?':
      return Break::EX;
    case '(':
    case '[':
    case '{':
    case 0xA1:
    case 0xBF:
      return Break::OP;
    case ')':
    case ']':
      return Break::CP;
    case '}':
      return Break::CL;
    case '"':
    case '\'':
    case 0xAB:
    case 0xBB:
    case 0x91:
    case 0x92:
    case 0x93:
    case 0x94:
    case 0x8B:
    case 0x9B:
      return Break::QU;
    case '$':
    case '+':
    case '\\':
    case 0xA3:
    case 0xA5:
    case 0xB1:
    case 0x80:
      return Break::PR;
    case '%':
    case 0xA2:
    case 0xB0:
    case 0x89:
      return Break::PO;
    case 0xA0:
      return Break::GL;
    case 0xB4:
      return Break::BB;
    case 0x97:
      return Break::B2;  // em dash
    case 0x85:
      return Break::IN;  // ellipsis
    default:
      return byte >= '0' && byte <= '9' ? Break::NU : Break::AL;
  }
}

// Line break opportunities as Uniscribe's ScriptBreak reports them (fSoftBreak): breaks[i] is
// true if a line may start at character i, by UAX #14's pair rules (LB7 to LB31) for the
// classes above. Never at the start.
std::vector<bool> SoftBreaks(std::string_view s) {
  std::vector<Break> cls(s.size());
  for (size_t i = 0; i < s.size(); ++i) cls[i] = ClassOf(static_cast<unsigned char>(s[i]));
  auto in = [](Break c, std::initializer_list<Break> set) {
    return std::find(set.begin(), set.end(), c) != set.end();
  };
  std::vector<bool> breaks(s.size(), false);
  for (size_t i = 1; i < s.size(); ++i) {
    const Break a = cls[i - 1];
    const Break b = cls[i];
    size_t j = i - 1;  // the last character before a run of spaces
    while (j > 0 && cls[j] == Break::SP) --j;
    const Break c = cls[j];
    bool can_break = true;
    if (b == Break::SP) {
      can_break = false;  // LB7
    } else if (a == Break::GL || (b == Break::GL && !in(a, {Break::SP, Break::BA, Break::HY}))) {
      can_break = false;  // LB12, LB12a
    } else if (in(b, {Break::CL, Break::CP, Break::EX, Break::IS, Break::SY})) {
      can_break = false;  // LB13
    } else if (c == Break::OP || (c == Break::QU && b == Break::OP) ||
               (c == Break::B2 && b == Break::B2)) {
      can_break = false;  // LB14, LB15, LB17
    } else if (a == Break::SP) {
      can_break = true;  // LB18
    } else if (a == Break::QU || b == Break::QU) {
      can_break = false;  // LB19
    } else if (in(b, {Break::BA, Break::HY, Break::IN}) || a == Break::BB) {
      can_break = false;  // LB21, LB22
    } else if ((a == Break::AL && b == Break::NU) || (a == Break::NU && b == Break::AL)) {
      can_break = false;  // LB23
    } else if (in(a, {Break::PR, Break::PO}) && b == Break::AL) {
      can_break = false;  // LB24 (as Uniscribe has it: a letter may still break before PR, PO)
    } else if ((b == Break::NU && in(a, {Break::PR, Break::PO, Break::OP, Break::HY, Break::IS,
                                         Break::NU, Break::SY})) ||
               (in(a, {Break::NU, Break::CL, Break::CP}) && in(b, {Break::PO, Break::PR}))) {
      can_break = false;  // LB25
    } else if ((a == Break::AL && b == Break::AL) || (a == Break::IS && b == Break::AL)) {
      can_break = false;  // LB28, LB29
    } else if ((in(a, {Break::AL, Break::NU}) && b == Break::OP) ||
               (a == Break::CP && in(b, {Break::AL, Break::NU}))) {
      can_break = false;  // LB30
    }
    breaks[i] = can_break;  // LB31: everywhere else
  }
  return breaks;
}

// Text measurement as GetTextExtentExPoint does it: cumulative advance widths.
class Measurer {
 public:
  Measurer(TextRenderer& renderer, const FontSpec& font) : renderer_(renderer), font_(font) {}

  int Width(std::string_view text) { return renderer_.Extent(font_, text).cx; }

  // GetTextExtentExPoint's size (0 x 0 for no characters).
  Size Extent(std::string_view text) { return renderer_.Extent(font_, text); }

  // How many leading characters fit in max_extent (compared unsigned, as GDI does).
  size_t Fit(std::string_view text, int max_extent) {
    const auto limit = static_cast<unsigned>(max_extent);
    int position = 0;
    size_t fit = 0;
    for (const char c : text) {
      position += Width(std::string_view(&c, 1));
      if (static_cast<unsigned>(std::abs(position)) > limit) break;
      ++fit;
    }
    return fit;
  }

 private:
  TextRenderer& renderer_;
  const FontSpec& font_;
};

// user32's TEXT_WordBreak without ellipses: `line` holds the visible characters of the line,
// `fit` of them fit. Shortens `line` and returns how many of its characters are used up
// (a space swallowed at the break counts).
size_t WordBreak(std::string& line, unsigned format, size_t fit) {
  const std::vector<bool> breaks = SoftBreaks(line);
  // Work back from the first character that does not fit to a break opportunity.
  bool word_fits = true;
  std::ptrdiff_t p = static_cast<std::ptrdiff_t>(fit);
  if (fit == 0) {
    word_fits = false;
  } else if (breaks[fit]) {
    --p;  // the word just fitted
  } else {
    size_t i = fit;
    while (i > 0 && !breaks[i]) {
      --i;
      --p;
    }
    --p;
    word_fits = i != 0 || breaks[1];
  }

  if (word_fits) {
    // Break after that character, or before it if it is a space and the text is centred or
    // right-aligned; a space after the break is swallowed.
    const auto at = static_cast<size_t>(p);
    size_t end = at;
    if (!(format & (DT_RIGHT | DT_CENTER)) || line[at] != kSpace) end = at + 1;
    const bool next_is_space = end < line.size() && line[end] == kSpace;
    line.resize(end);
    return end + (next_is_space ? 1 : 0);
  }
  if ((format & kEditControl) != 0) {  // break inside the word (DT_EDITCONTROL)
    const size_t end = std::max<size_t>(fit, 1);
    line.resize(end);
    return end;
  }
  // No break opportunity: the whole word stays on the line; a space after it is swallowed.
  size_t end = fit;
  while (end < line.size() && line[end] != kSpace) ++end;
  const size_t used = end + (end < line.size() ? 1 : 0);
  line.resize(end);
  return used;
}

// user32's TEXT_SkipChars: the source position after `n` visible characters, starting at
// `start`, within a segment of `max` source characters.
size_t SkipChars(std::string_view text, size_t start, size_t max, size_t n, bool prefix) {
  if (!prefix) return start + n;
  max -= n;
  size_t i = start;
  while (n-- > 0) {
    if (IsPrefix(text[i]) && max-- > 0) ++i;
    ++i;
  }
  return i;
}

// user32's TEXT_Reprefix without ellipses: the visible index of the last prefixed character
// among the first `visible` characters of the source segment, or -1.
int Reprefix(std::string_view source, size_t visible) {
  int result = -1;
  size_t remaining = source.size();
  size_t s = 0;
  for (size_t i = 0; i < visible; ++i, ++s) {
    if (remaining == 0) break;
    --remaining;
    if (IsPrefix(source[s])) {
      ++s;
      if (remaining == 0) break;
      if (source[s] != kPrefix) result = static_cast<int>(i);
      --remaining;
    }
  }
  return result;
}

struct Line {
  std::string text;        // visible characters
  Size size;               // measured extent (0 x 0 for an empty line)
  int prefix_offset = -1;  // index in text of the underscored character
};

// user32's TEXT_NextLineW without tabs and ellipses. Consumes the line from `pos`.
Line NextLine(Measurer& measure, std::string_view text, size_t& pos, int width, unsigned format) {
  Line line;
  const size_t segment_start = pos;
  size_t i = pos;
  size_t count = text.size() - pos;
  const bool singleline = (format & DT_SINGLELINE) != 0;
  while (count > 0 && (!IsLineEnd(text[i]) || singleline)) {
    if ((format & DT_NOPREFIX) != 0 || count <= 1) {
      line.text += text[i++];
      --count;
      continue;
    }
    if (IsPrefix(text[i])) {
      ++i;
      --count;  // the prefix itself is not drawn
      if (text[i] == kPrefix) {
        line.text += text[i++];
        --count;
      } else {
        // The last prefixed character of the line gets the underscore.
        line.prefix_offset = static_cast<int>(line.text.size());
      }
    } else if (text[i] == kKanaPrefix) {
      i += 2;
      count -= 2;
    } else {
      line.text += text[i++];
      --count;
    }
  }

  const size_t fit = measure.Fit(line.text, width);
  line.size = measure.Extent(line.text);
  bool word_broken = false;
  if (fit < line.text.size() && (format & DT_WORDBREAK) != 0) {
    const size_t used = WordBreak(line.text, format, fit);
    line.size = measure.Extent(line.text);
    i = SkipChars(text, segment_start, i - segment_start, used, (format & DT_NOPREFIX) == 0);
    count = text.size() - i;
    word_broken = true;
  }
  if (line.prefix_offset >= static_cast<int>(line.text.size())) {
    line.prefix_offset = Reprefix(text.substr(segment_start, i - segment_start), line.text.size());
  }

  if (!word_broken && count > 0 && IsLineEnd(text[i])) {
    ++i;
    --count;
    if (count > 0 && IsLineEnd(text[i]) && text[i] != text[i - 1]) {
      ++i;
      --count;
    }
  }
  pos = i;
  return line;
}

}  // namespace

int LayoutDrawText(TextRenderer& renderer, const FontSpec& font, std::string_view text, Rect& rect,
                   unsigned format,
                   const std::function<void(int, int, std::string_view)>& draw_line,
                   const std::function<void(int, int, int)>& draw_underscore) {
  if (text.empty()) return 0;  // DrawTextA with a count of 0
  if ((format & DT_SINGLELINE) != 0) format &= ~static_cast<unsigned>(DT_WORDBREAK);
  const TextMetrics tm = renderer.Metrics(font);
  const int line_height =
      (format & kExternalLeading) != 0 ? tm.height + tm.external_leading : tm.height;
  if ((format & DT_CALCRECT) != 0) format |= kNoClip;
  const bool clip = (format & kNoClip) == 0;

  Measurer measure(renderer, font);
  const int width = rect.right - rect.left;
  int x = rect.left;
  int y = rect.top;
  int max_width = 0;
  size_t pos = 0;
  bool last_line = false;
  do {
    last_line = clip && y + line_height > rect.bottom;
    const Line line = NextLine(measure, text, pos, width, format);

    if ((format & DT_CENTER) != 0) {
      x = (rect.left + rect.right - line.size.cx) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      x = rect.right - line.size.cx;
    }
    if ((format & DT_SINGLELINE) != 0) {
      if ((format & DT_VCENTER) != 0) {
        y = rect.top + (rect.bottom - rect.top) / 2 - line.size.cy / 2;
      } else if ((format & DT_BOTTOM) != 0) {
        y = rect.bottom - line.size.cy;
      }
    }

    if ((format & DT_CALCRECT) == 0) {
      if (!line.text.empty()) {
        draw_line(x, y, line.text);
        const int offset = line.prefix_offset;
        if (offset != -1 && offset < static_cast<int>(line.text.size()) && draw_underscore) {
          // user32's TEXT_DrawUnderscore.
          const std::string_view visible(line.text);
          int x0 = x + measure.Width(visible.substr(0, static_cast<size_t>(offset)));
          int x1 = x + measure.Width(visible.substr(0, static_cast<size_t>(offset) + 1)) - 1;
          const int underscore_y = y + tm.ascent + 1;
          bool visible_in_rect = true;
          if (clip) {
            if (x0 > rect.right || x1 < rect.left || underscore_y < rect.top ||
                underscore_y > rect.bottom) {
              visible_in_rect = false;
            }
            x0 = std::max(x0, rect.left);
            x1 = std::min(x1, rect.right);
          }
          if (visible_in_rect) draw_underscore(x0, x1, underscore_y);
        }
      }
    } else {
      max_width = std::max(max_width, line.size.cx);
    }
    y += line_height;
  } while (pos < text.size() && !last_line);

  if ((format & DT_CALCRECT) != 0) {
    rect.right = rect.left + max_width;
    rect.bottom = y;
  }
  const int height = y - rect.top;
  return height == 0 ? 1 : height;
}

}  // namespace fw::soft
