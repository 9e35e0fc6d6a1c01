#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "tools/gdi/script.h"

namespace fw::gdiscript {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits a line into bare words and "quoted strings" (\" and \\ escape); '#' outside quotes
// starts a comment.
std::vector<Token> Tokenize(std::string_view line, int number) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      Token token{"", true};
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char ch = line[i++];
        if (ch == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          ch = line[i++];
        } else if (ch == '"') {
          closed = true;
          break;
        }
        token.text.push_back(ch);
      }
      if (!closed) throw ScriptError(number, "unterminated quoted text");
      tokens.push_back(std::move(token));
    } else {
      Token token;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '#') {
        token.text.push_back(line[i++]);
      }
      tokens.push_back(std::move(token));
    }
  }
  return tokens;
}

class LineReader {
 public:
  LineReader(std::vector<Token> tokens, int number) : tokens_(std::move(tokens)), line_(number) {}

  const std::string& Verb() const { return tokens_.front().text; }
  std::size_t ArgCount() const { return tokens_.size() - 1; }
  bool More() const { return next_ < tokens_.size(); }
  [[noreturn]] void Fail(const std::string& message) const { throw ScriptError(line_, message); }

  const Token& Next(const char* what) {
    if (next_ >= tokens_.size()) Fail(Verb() + ": missing " + what);
    return tokens_[next_++];
  }

  long long Integer(const char* what) { return IntegerOf(Next(what), what); }

  long long IntegerOf(const Token& token, const char* what) const {
    std::string_view s = token.text;
    if (token.quoted || s.empty()) Fail(Verb() + ": " + what + " must be a number");
    bool negative = false;
    if (s.front() == '-' || s.front() == '+') {
      negative = s.front() == '-';
      s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
      base = 16;
      s.remove_prefix(2);
    }
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (error != std::errc{} || end != s.data() + s.size() || s.empty()) {
      Fail(Verb() + ": " + what + " '" + token.text + "' is not a number");
    }
    if (value > 0xFFFFFFFFull) Fail(Verb() + ": " + what + " '" + token.text + "' is too large");
    const auto signed_value = static_cast<long long>(value);
    return negative ? -signed_value : signed_value;
  }

  int Coordinate(const char* what) {
    const long long v = Integer(what);
    if (v < -kMaxCoordinate || v > kMaxCoordinate) {
      Fail(Verb() + ": " + what + " " + std::to_string(v) + " is outside +-" +
           std::to_string(kMaxCoordinate));
    }
    return static_cast<int>(v);
  }

  Point Pt(const char* x, const char* y) { return {Coordinate(x), Coordinate(y)}; }
  Rect Box() {
    Rect r;
    r.left = Coordinate("left");
    r.top = Coordinate("top");
    r.right = Coordinate("right");
    r.bottom = Coordinate("bottom");
    return r;
  }

  // A colour 0xBBGGRR or a system-colour reference 0x800000nn, resolved now.
  ColorRef Color(const char* what) { return ColorOf(Next(what), what); }

  ColorRef ColorOf(const Token& token, const char* what) const {
    const long long v = IntegerOf(token, what);
    ColorRef out = 0;
    if (v < 0 || OleTranslateColor(static_cast<ColorValue>(v), out) != 0) {
      Fail(Verb() + ": " + what + " is not a colour (0xBBGGRR or 0x800000nn with nn <= 30)");
    }
    return out;
  }

  void End() const {
    if (More()) Fail(Verb() + ": unexpected '" + tokens_[next_].text + "'");
  }

  std::vector<Point> Points(std::size_t minimum) {
    std::vector<Point> points;
    while (More()) points.push_back(Pt("x", "y"));
    if (points.size() < minimum) {
      Fail(Verb() + ": needs at least " + std::to_string(minimum) + " points");
    }
    return points;
  }

 private:
  std::vector<Token> tokens_;
  std::size_t next_ = 1;
  int line_;
};

GradientCmd ParseGradient(LineReader& in) {
  const std::string mode = in.Next("h or v").text;
  if (mode != "h" && mode != "v") in.Fail("gradient: mode must be h or v, not '" + mode + "'");
  GradientCmd cmd{mode == "h" ? GradientMode::Horizontal : GradientMode::Vertical, {}, {}};
  const Point p0 = in.Pt("x0", "y0");
  const ColorRef c0 = in.Color("colour 0");
  const Point p1 = in.Pt("x1", "y1");
  const ColorRef c1 = in.Color("colour 1");
  cmd.v0 = TriVertex::At(p0.x, p0.y, c0);
  cmd.v1 = TriVertex::At(p1.x, p1.y, c1);
  return cmd;
}

RegionCmd ParseRegion(LineReader& in) {
  const std::string shape = in.Next("shape").text;
  RegionCmd cmd{};
  if (shape == "rect" || shape == "ellipse" || shape == "roundrect") {
    cmd.shape = shape == "rect"      ? RegionShape::Rect
                : shape == "ellipse" ? RegionShape::Ellipse
                                     : RegionShape::RoundRect;
    const int count = shape == "roundrect" ? 6 : 4;
    for (int i = 0; i < count; ++i) cmd.args.push_back(in.Coordinate("coordinate"));
  } else if (shape == "polygon") {
    cmd.shape = RegionShape::Polygon;
    cmd.points = in.Points(1);
  } else {
    in.Fail("region: shape must be rect, roundrect, ellipse or polygon, not '" + shape + "'");
  }
  return cmd;
}

TextCmd ParseText(LineReader& in) {
  TextCmd cmd{};
  cmd.at = in.Pt("x", "y");
  cmd.color = in.Color("colour");
  cmd.font.face = in.Next("font").text;
  const std::string size = in.Next("size").text;
  char* end = nullptr;
  const double points = std::strtod(size.c_str(), &end);
  if (size.empty() || end != size.c_str() + size.size() || !std::isfinite(points) || points <= 0 ||
      points > 500) {
    in.Fail("text: size '" + size + "' must be a number of points in (0, 500]");
  }
  cmd.font.points = points;
  const std::string weight = in.Next("weight").text;
  if (weight != "normal" && weight != "bold") {
    in.Fail("text: weight must be normal or bold, not '" + weight + "'");
  }
  cmd.font.bold = weight == "bold";
  const Token& text = in.Next("text");
  if (!text.quoted) in.Fail("text: the text must be in double quotes");
  cmd.text = text.text;
  return cmd;
}

Command ParseCommand(LineReader& in) {
  const std::string& verb = in.Verb();
  if (verb == "pen") {
    const ColorRef color = in.Color("colour");
    int width = 1;
    if (in.More()) {
      width = in.Coordinate("width");
      if (width < 0 || width > 16) in.Fail("pen: width must be 0 to 16");
    }
    return PenCmd{color, width};
  }
  if (verb == "brush") {
    const Token& token = in.Next("colour or hollow");
    if (token.text == "hollow") return BrushCmd{Brush::Hollow()};
    return BrushCmd{Brush::Solid(in.ColorOf(token, "colour"))};
  }
  if (verb == "moveto") return MoveToCmd{in.Pt("x", "y")};
  if (verb == "lineto") return LineToCmd{in.Pt("x", "y")};
  if (verb == "polygon") return PolygonCmd{in.Points(1)};
  if (verb == "rectangle") return RectangleCmd{in.Box()};
  if (verb == "roundrect") {
    const Rect box = in.Box();
    const int w = in.Coordinate("corner width");
    return RoundRectCmd{box, w, in.Coordinate("corner height")};
  }
  if (verb == "ellipse") return EllipseCmd{in.Box()};
  if (verb == "arc") {
    const Rect box = in.Box();
    const Point start = in.Pt("xs", "ys");
    return ArcCmd{box, start, in.Pt("xe", "ye")};
  }
  if (verb == "fillrect") {
    const Rect box = in.Box();
    return FillRectCmd{box, in.Color("colour")};
  }
  if (verb == "framerect") {
    const Rect box = in.Box();
    return FrameRectCmd{box, in.Color("colour")};
  }
  if (verb == "focusrect") return FocusRectCmd{in.Box()};
  if (verb == "gradient") return ParseGradient(in);
  if (verb == "setpixel") {
    const Point at = in.Pt("x", "y");
    return SetPixelCmd{at, in.Color("colour")};
  }
  if (verb == "region") return ParseRegion(in);
  if (verb == "regiondiff") {
    if (in.Next("rect").text != "rect") in.Fail("regiondiff: only 'rect' is supported");
    return RegionDiffCmd{in.Box()};
  }
  if (verb == "fillregion") return FillRegionCmd{in.Color("colour")};
  if (verb == "text") return ParseText(in);
  if (verb == "surface") in.Fail("surface: only the first call may make the surface");
  in.Fail("unknown call '" + verb + "'");
}

SurfaceCmd ParseSurface(LineReader& in) {
  if (in.Verb() != "surface") in.Fail("the script must begin with 'surface W H [COLOR]'");
  const int width = in.Coordinate("width");
  const int height = in.Coordinate("height");
  if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide ||
      static_cast<long long>(width) * height > kMaxSurfacePixels) {
    in.Fail("surface: " + std::to_string(width) + " x " + std::to_string(height) +
            " is not a size from 1 x 1 to " + std::to_string(kMaxSurfaceSide) + " a side (" +
            std::to_string(kMaxSurfacePixels) + " pixels)");
  }
  const ColorRef color = in.More() ? in.Color("colour") : 0xFFFFFF;
  return SurfaceCmd{width, height, color};
}

}  // namespace

Script ParseScript(std::string_view text) {
  Script script;
  bool have_surface = false;
  bool have_region = false;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    auto tokens = Tokenize(line, number);
    if (tokens.empty()) continue;
    if (tokens.front().quoted) throw ScriptError(number, "a line must begin with a call name");
    LineReader in(std::move(tokens), number);
    if (!have_surface) {
      script.surface = ParseSurface(in);
      have_surface = true;
    } else {
      Command command = ParseCommand(in);
      if (std::holds_alternative<RegionCmd>(command)) have_region = true;
      if ((std::holds_alternative<RegionDiffCmd>(command) ||
           std::holds_alternative<FillRegionCmd>(command)) &&
          !have_region) {
        in.Fail(in.Verb() + ": there is no current region yet (use 'region' first)");
      }
      script.commands.push_back(std::move(command));
    }
    in.End();
  }
  if (!have_surface) throw ScriptError(1, "the script has no 'surface' line");
  return script;
}

}  // namespace fw::gdiscript
