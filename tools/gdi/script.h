#pragma once
// Drawing scripts: one GDI call per line, run on a fresh surface. The whole script is parsed
// before anything is drawn, so a malformed line leaves nothing behind.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/gdi.h"
#include "platform/printable_text.h"

namespace fw::gdiscript {

struct SurfaceCmd {
  int width;
  int height;
  ColorRef color;
};
struct PenCmd {
  ColorRef color;
  int width;
};
struct BrushCmd {
  Brush brush;
};
struct MoveToCmd {
  Point to;
};
struct LineToCmd {
  Point to;
};
struct PolygonCmd {
  std::vector<Point> points;
};
struct RectangleCmd {
  Rect box;
};
struct RoundRectCmd {
  Rect box;
  int width;
  int height;
};
struct EllipseCmd {
  Rect box;
};
struct ArcCmd {
  Rect box;
  Point start;
  Point end;
};
struct FillRectCmd {
  Rect box;
  ColorRef color;
};
struct FrameRectCmd {
  Rect box;
  ColorRef color;
};
struct FocusRectCmd {
  Rect box;
};
struct GradientCmd {
  GradientMode mode;
  TriVertex v0;
  TriVertex v1;
};
struct SetPixelCmd {
  Point at;
  ColorRef color;
};
enum class RegionShape { Rect, RoundRect, Ellipse, Polygon };
struct RegionCmd {
  RegionShape shape;
  std::vector<int> args;
  std::vector<Point> points;
};
struct RegionDiffCmd {
  Rect box;
};
struct FillRegionCmd {
  ColorRef color;
};
struct TextCmd {
  Point at;
  ColorRef color;
  FontSpec font;
  std::string text;
};

using Command =
    std::variant<SurfaceCmd, PenCmd, BrushCmd, MoveToCmd, LineToCmd, PolygonCmd, RectangleCmd,
                 RoundRectCmd, EllipseCmd, ArcCmd, FillRectCmd, FrameRectCmd, FocusRectCmd,
                 GradientCmd, SetPixelCmd, RegionCmd, RegionDiffCmd, FillRegionCmd, TextCmd>;

struct Script {
  SurfaceCmd surface{};
  std::vector<Command> commands;  // everything after the surface line
};

// A malformed script: the 1-based line number and what is wrong there.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + PrintableText(message)),
        line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Limits that keep a hostile script from asking for unbounded work.
inline constexpr int kMaxSurfaceSide = 8192;
inline constexpr long long kMaxSurfacePixels = 16LL * 1024 * 1024;
inline constexpr int kMaxCoordinate = 1'000'000;

Script ParseScript(std::string_view text);

// Runs the script on a new surface of `device`.
std::unique_ptr<Dc> RunScript(const Script& script, GdiDevice& device);

}  // namespace fw::gdiscript
