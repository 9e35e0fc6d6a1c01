// The build's own drawing device through the platform interface: the soft rasterizer in the
// Linux build, real GDI under Wine in the Windows build. Every expectation is a GDI pixel rule
// (checked against Wine's GDI), so both builds must pass the same tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/color.h"
#include "platform/gdi.h"

namespace fw {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;  // COLORREF 0x00BBGGRR
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

// A COLORREF as a 32-bit DIB stores it (0x00RRGGBB).
constexpr std::uint32_t Dib(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

std::string Hex(std::uint32_t value) {
  std::ostringstream out;
  out << "0x" << std::hex << std::uppercase << value;
  return out.str();
}

// Compares a whole surface with the expected 32-bit values; on failure names the first wrong
// pixel with both values and prints the surface ('#' where the values differ).
::testing::AssertionResult PixelsAre(const Dc& dc, const std::vector<std::uint32_t>& expected) {
  const std::vector<std::uint32_t> actual = dc.Pixels();
  const int width = dc.Width();
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure()
           << "surface has " << actual.size() << " pixels, expected " << expected.size();
  }
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] == expected[i]) continue;
    std::ostringstream map;
    for (std::size_t j = 0; j < actual.size(); ++j) {
      map << (actual[j] == expected[j] ? '.' : '#');
      if ((j + 1) % static_cast<std::size_t>(width) == 0) map << '\n';
    }
    const int index = static_cast<int>(i);
    return ::testing::AssertionFailure()
           << "first wrong pixel (" << index % width << ", " << index / width << "): got "
           << Hex(actual[i]) << ", expected " << Hex(expected[i]) << "\nwrong pixels:\n"
           << map.str();
  }
  return ::testing::AssertionSuccess();
}

// The expected surface from a picture, one string per row, each character mapped through
// `legend` (character, DIB value). The picture must cover the whole surface.
std::vector<std::uint32_t> FromPicture(const std::vector<std::string>& picture,
                                       const std::vector<std::pair<char, std::uint32_t>>& legend) {
  std::vector<std::uint32_t> pixels;
  for (const std::string& row : picture) {
    for (char c : row) {
      std::uint32_t value = 0xDEADBEEF;  // a character missing from the legend never matches
      for (const auto& [key, mapped] : legend) {
        if (key == c) value = mapped;
      }
      pixels.push_back(value);
    }
  }
  return pixels;
}

// Black '#' on white '.'.
std::vector<std::uint32_t> BlackOnWhite(const std::vector<std::string>& picture) {
  return FromPicture(picture, {{'#', Dib(kBlack)}, {'.', Dib(kWhite)}});
}

// A width x height white surface with `on` at the listed points.
std::vector<std::uint32_t> PointsOnWhite(int width, int height,
                                         const std::set<std::pair<int, int>>& points,
                                         std::uint32_t on = Dib(kBlack)) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), Dib(kWhite));
  for (const auto& [x, y] : points) pixels[static_cast<std::size_t>(y * width + x)] = on;
  return pixels;
}

class GdiDeviceTest : public ::testing::Test {
 protected:
  std::unique_ptr<Dc> Surface(int width, int height, ColorRef fill = kWhite) {
    std::unique_ptr<Dc> dc = device_->CreateSurface(width, height, fill);
    EXPECT_NE(dc, nullptr);
    return dc;
  }

  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
};

TEST_F(GdiDeviceTest, NewSurfaceHoldsTheFillInDibLayout) {
  auto dc = Surface(3, 2, kRed);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->Width(), 3);
  EXPECT_EQ(dc->Height(), 2);
  // COLORREF 0x0000FF (red) is 0x00FF0000 in the DIB.
  EXPECT_TRUE(PixelsAre(*dc, std::vector<std::uint32_t>(6, 0x00FF0000u)));
  EXPECT_EQ(dc->GetPixel(2, 1), kRed);
}

TEST_F(GdiDeviceTest, DefaultStateIsBlackTextOnOpaqueWhite) {
  auto dc = Surface(4, 4);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->GetTextColor(), kBlack);
  EXPECT_EQ(dc->GetBkColor(), kWhite);
  EXPECT_EQ(dc->SetBkMode(BkMode::Transparent), BkMode::Opaque);
  EXPECT_EQ(dc->SetBkMode(BkMode::Opaque), BkMode::Transparent);
  EXPECT_EQ(dc->SetPolyFillMode(PolyFillMode::Winding), PolyFillMode::Alternate);
  EXPECT_EQ(dc->SetTextColor(kRed), kBlack);
  EXPECT_EQ(dc->GetTextColor(), kRed);
  EXPECT_EQ(dc->SetBkColor(kGreen), kWhite);
  EXPECT_EQ(dc->GetBkColor(), kGreen);
}

struct LineCase {
  Point to;
  std::set<std::pair<int, int>> pixels;
};

TEST_F(GdiDeviceTest, LineToDrawsTheStartPointButNotTheEndPoint) {
  const std::vector<LineCase> cases = {
      {{14, 12}, {{10, 10}, {11, 10}, {12, 11}, {13, 11}}},
      {{6, 8}, {{10, 10}, {9, 9}, {8, 9}, {7, 8}}},
      {{12, 14}, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},
      {{8, 6}, {{10, 10}, {9, 9}, {9, 8}, {8, 7}}},
      {{15, 10}, {{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}}},
      {{10, 7}, {{10, 8}, {10, 9}, {10, 10}}},
      {{10, 10}, {}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE("LineTo (10,10)->(" + std::to_string(c.to.x) + "," + std::to_string(c.to.y) + ")");
    auto dc = Surface(20, 20);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(dc->MoveToEx(10, 10, nullptr));
    EXPECT_TRUE(dc->LineTo(c.to.x, c.to.y));
    EXPECT_TRUE(PixelsAre(*dc, PointsOnWhite(20, 20, c.pixels)));
    Point position;
    EXPECT_TRUE(dc->MoveToEx(0, 0, &position));
    EXPECT_EQ(position, c.to);  // LineTo moves the current position to its end point
  }
}

TEST_F(GdiDeviceTest, LineIsClippedWithoutMovingItsPixels) {
  auto dc = Surface(21, 21);
  ASSERT_NE(dc, nullptr);
  dc->MoveToEx(-7, -3, nullptr);
  dc->LineTo(13, 4);
  std::set<std::pair<int, int>> expected;
  for (int x = 1; x <= 3; ++x) expected.insert({x, 0});
  for (int x = 4; x <= 5; ++x) expected.insert({x, 1});
  for (int x = 6; x <= 8; ++x) expected.insert({x, 2});
  for (int x = 9; x <= 11; ++x) expected.insert({x, 3});
  expected.insert({12, 4});
  EXPECT_TRUE(PixelsAre(*dc, PointsOnWhite(21, 21, expected)));
}

TEST_F(GdiDeviceTest, PolylineLeavesOutItsLastPointPolygonCloses) {
  const std::vector<Point> points = {{1, 1}, {5, 2}};
  auto polygon = Surface(8, 4);
  auto polyline = Surface(8, 4);
  ASSERT_NE(polygon, nullptr);
  ASSERT_NE(polyline, nullptr);
  EXPECT_TRUE(polygon->Polygon(points));
  EXPECT_TRUE(polyline->Polyline(points));
  EXPECT_TRUE(PixelsAre(*polygon, PointsOnWhite(8, 4, {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}})));
  EXPECT_TRUE(PixelsAre(*polyline, PointsOnWhite(8, 4, {{1, 1}, {2, 1}, {3, 1}, {4, 2}})));
  EXPECT_FALSE(polyline->Polyline(std::span<const Point>(points).first(1)));
}

TEST_F(GdiDeviceTest, PolygonOutlinePicture) {
  const std::vector<Point> points = {{1, 3}, {8, 3}, {8, 0}, {14, 5}, {8, 10}, {8, 7}, {1, 7}};
  auto dc = Surface(16, 11);
  ASSERT_NE(dc, nullptr);
  dc->SelectBrush(Brush::Hollow());
  EXPECT_TRUE(dc->Polygon(points));
  EXPECT_TRUE(PixelsAre(*dc, BlackOnWhite({
                                 "........#.......",
                                 "........##......",
                                 "........#.##....",
                                 ".########...#...",
                                 ".#...........#..",
                                 ".#............#.",
                                 ".#...........#..",
                                 ".########..##...",
                                 "........#.#.....",
                                 "........##......",
                                 "........#.......",
                             })));
}

TEST_F(GdiDeviceTest, FilledPolygonUsesThePolyFillMode) {
  // The interior of a five-pointed star: its centre is outside with ALTERNATE and inside with
  // WINDING; the outline is drawn over the interior either way.
  const std::vector<Point> star = {{7, 0}, {11, 11}, {1, 4}, {13, 4}, {3, 11}};
  auto alternate = Surface(15, 12);
  auto winding = Surface(15, 12);
  ASSERT_NE(alternate, nullptr);
  ASSERT_NE(winding, nullptr);
  for (Dc* dc : {alternate.get(), winding.get()}) {
    dc->SelectPen(Pen::Null());
    dc->SelectBrush(Brush::Solid(kRed));
  }
  winding->SetPolyFillMode(PolyFillMode::Winding);
  alternate->Polygon(star);
  winding->Polygon(star);
  EXPECT_EQ(alternate->GetPixel(7, 6), kWhite);
  EXPECT_EQ(winding->GetPixel(7, 6), kRed);
  EXPECT_EQ(alternate->GetPixel(7, 1), kRed);
  EXPECT_EQ(winding->GetPixel(7, 1), kRed);
}

TEST_F(GdiDeviceTest, RectangleRightAndBottomAreExclusive) {
  auto dc = Surface(8, 6);
  ASSERT_NE(dc, nullptr);
  dc->SelectBrush(Brush::Solid(kRed));
  EXPECT_TRUE(dc->Rectangle(1, 1, 6, 5));
  EXPECT_TRUE(PixelsAre(*dc, FromPicture(
                                 {
                                     "........",
                                     ".#####..",
                                     ".#RRR#..",
                                     ".#RRR#..",
                                     ".#####..",
                                     "........",
                                 },
                                 {{'#', Dib(kBlack)}, {'.', Dib(kWhite)}, {'R', Dib(kRed)}})));
}

struct OutlineCase {
  const char* name;
  int width;
  int height;
  bool (*draw)(Dc&);
  std::vector<std::string> picture;
};

TEST_F(GdiDeviceTest, EllipseRoundRectAndArcPictures) {
  const std::vector<OutlineCase> cases = {
      {"Ellipse(0,0,3,3)",
       4,
       4,
       [](Dc& dc) { return dc.Ellipse(0, 0, 3, 3); },
       {".#..", "#.#.", ".#..", "...."}},
      {"Ellipse(0,0,4,4)",
       5,
       5,
       [](Dc& dc) { return dc.Ellipse(0, 0, 4, 4); },
       {".##..", "#..#.", "#..#.", ".##..", "....."}},
      {"Ellipse(0,0,5,5)",
       6,
       6,
       [](Dc& dc) { return dc.Ellipse(0, 0, 5, 5); },
       {".###..", "#...#.", "#...#.", "#...#.", ".###..", "......"}},
      {"Ellipse(0,0,1,5)",
       2,
       6,
       [](Dc& dc) { return dc.Ellipse(0, 0, 1, 5); },
       {"#.", "#.", "#.", "#.", "#.", ".."}},
      {"RoundRect(0,0,10,6,3,3)",
       11,
       7,
       [](Dc& dc) { return dc.RoundRect(0, 0, 10, 6, 3, 3); },
       {".########..", "#........#.", "#........#.", "#........#.", "#........#.", ".########..",
        "..........."}},
      {"RoundRect(10,6,0,0,-4,-4)",
       11,
       7,
       [](Dc& dc) { return dc.RoundRect(10, 6, 0, 0, -4, -4); },
       {".########..", "#........#.", "#........#.", "#........#.", "#........#.", ".########..",
        "..........."}},
      {"RoundRect(0,0,10,6,100,100)",
       11,
       7,
       [](Dc& dc) { return dc.RoundRect(0, 0, 10, 6, 100, 100); },
       {"..######...", ".#......#..", "#........#.", "#........#.", ".#......#..", "..######...",
        "..........."}},
      {"RoundRect(0,0,10,6,2,2)",
       11,
       7,
       [](Dc& dc) { return dc.RoundRect(0, 0, 10, 6, 2, 2); },
       {"##########.", "#........#.", "#........#.", "#........#.", "#........#.", "##########.",
        "..........."}},
      {"Arc(17,17,0,0,10,0,0,10)",
       19,
       11,
       [](Dc& dc) { return dc.Arc(17, 17, 0, 0, 10, 0, 0, 10); },
       {"......#####........", "....##.............", "...#...............", "..#................",
        ".#.................", ".#.................", "#..................", "#..................",
        "#..................", "#..................", "..................."}},
  };
  for (const OutlineCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto dc = Surface(c.width, c.height);
    ASSERT_NE(dc, nullptr);
    dc->SelectBrush(Brush::Hollow());
    EXPECT_TRUE(c.draw(*dc));
    EXPECT_TRUE(PixelsAre(*dc, BlackOnWhite(c.picture)));
  }
}

TEST_F(GdiDeviceTest, WidePenEllipsePicture) {
  auto dc = Surface(20, 14);
  ASSERT_NE(dc, nullptr);
  dc->SelectBrush(Brush::Hollow());
  dc->SelectPen(Pen::Solid(kBlack, 2));
  EXPECT_TRUE(dc->Ellipse(2, 2, 17, 13));
  EXPECT_TRUE(PixelsAre(*dc, BlackOnWhite({
                                 "....................",
                                 "......######........",
                                 "....##########......",
                                 "..######..######....",
                                 "..####......####....",
                                 ".###..........###...",
                                 ".###..........###...",
                                 ".##............##...",
                                 ".###..........###...",
                                 ".####........####...",
                                 "..#####....#####....",
                                 "...############.....",
                                 ".....########.......",
                                 "....................",
                             })));
}

TEST_F(GdiDeviceTest, NullPenDrawsNoOutline) {
  auto dc = Surface(8, 6);
  ASSERT_NE(dc, nullptr);
  dc->SelectPen(Pen::Null());
  dc->SelectBrush(Brush::Hollow());
  dc->Rectangle(1, 1, 6, 5);
  dc->Ellipse(0, 0, 8, 6);
  dc->MoveToEx(0, 0, nullptr);
  dc->LineTo(7, 5);
  EXPECT_TRUE(PixelsAre(*dc, std::vector<std::uint32_t>(48, Dib(kWhite))));
}

TEST_F(GdiDeviceTest, FillRectFillsTheHalfOpenRectangle) {
  auto dc = Surface(6, 6);
  ASSERT_NE(dc, nullptr);
  EXPECT_NE(dc->FillRect(Rect{1, 2, 4, 5}, Brush::Solid(kRed)), 0);
  dc->FillRect(Rect{2, 0, 2, 6}, Brush::Solid(kBlack));  // empty: nothing
  dc->FillRect(Rect{0, 0, 6, 6}, Brush::Hollow());       // hollow: nothing
  EXPECT_TRUE(PixelsAre(*dc, FromPicture(
                                 {
                                     "......",
                                     "......",
                                     ".RRR..",
                                     ".RRR..",
                                     ".RRR..",
                                     "......",
                                 },
                                 {{'.', Dib(kWhite)}, {'R', Dib(kRed)}})));
}

TEST_F(GdiDeviceTest, FrameRectPaintsOnePixelBands) {
  auto dc = Surface(9, 7);
  ASSERT_NE(dc, nullptr);
  EXPECT_NE(dc->FrameRect(Rect{1, 1, 3, 3}, Brush::Solid(kRed)), 0);  // the full 2x2 square
  EXPECT_NE(dc->FrameRect(Rect{4, 1, 9, 6}, Brush::Solid(kBlue)), 0);
  EXPECT_TRUE(PixelsAre(*dc, FromPicture(
                                 {
                                     ".........",
                                     ".RR.BBBBB",
                                     ".RR.B...B",
                                     "....B...B",
                                     "....B...B",
                                     "....BBBBB",
                                     ".........",
                                 },
                                 {{'.', Dib(kWhite)}, {'R', Dib(kRed)}, {'B', Dib(kBlue)}})));
}

TEST_F(GdiDeviceTest, FrameRectOfAReversedRectangleDrawsNothing) {
  auto dc = Surface(10, 7);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->FrameRect(Rect{9, 6, 1, 1}, Brush::Solid(kBlack)), 0);
  EXPECT_EQ(dc->FrameRect(Rect{1, 6, 9, 1}, Brush::Solid(kBlack)), 0);
  EXPECT_TRUE(PixelsAre(*dc, std::vector<std::uint32_t>(70, Dib(kWhite))));
}

TEST_F(GdiDeviceTest, DrawFocusRectTwiceRestoresTheImage) {
  auto dc = Surface(14, 9);
  ASSERT_NE(dc, nullptr);
  dc->FillRect(Rect{3, 2, 9, 7}, Brush::Solid(kRed));
  const std::vector<std::uint32_t> before = dc->Pixels();
  EXPECT_TRUE(dc->DrawFocusRect(Rect{1, 1, 12, 8}));
  EXPECT_NE(dc->Pixels(), before);
  EXPECT_TRUE(dc->DrawFocusRect(Rect{1, 1, 12, 8}));
  EXPECT_TRUE(PixelsAre(*dc, before));
}

// The surface a horizontal 10-pixel gradient from black to blue leaves on 12 x 3 white.
std::vector<std::uint32_t> GradientRows(const std::vector<std::uint32_t>& row_values) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool painted = y < 2 && x < static_cast<int>(row_values.size());
      pixels.push_back(painted ? row_values[static_cast<std::size_t>(x)] : Dib(kWhite));
    }
  }
  return pixels;
}

TEST_F(GdiDeviceTest, GradientFillHorizontal) {
  const std::vector<std::uint32_t> blues = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
  {
    auto dc = Surface(12, 3);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(dc->GradientFill(TriVertex::At(0, 0, kBlack), TriVertex::At(10, 2, kBlue),
                                 GradientMode::Horizontal));
    EXPECT_TRUE(PixelsAre(*dc, GradientRows(blues)));
  }
  {
    SCOPED_TRACE("vertices in the other order");
    auto dc = Surface(12, 3);
    ASSERT_NE(dc, nullptr);
    dc->GradientFill(TriVertex::At(10, 2, kBlue), TriVertex::At(0, 0, kBlack),
                     GradientMode::Horizontal);
    EXPECT_TRUE(PixelsAre(*dc, GradientRows(blues)));
  }
  {
    SCOPED_TRACE("16-bit 0xFFFF");
    auto dc = Surface(12, 3);
    ASSERT_NE(dc, nullptr);
    TriVertex end{10, 2, 0, 0, 0xFFFF, 0};
    dc->GradientFill(TriVertex{0, 0, 0, 0, 0, 0}, end, GradientMode::Horizontal);
    EXPECT_TRUE(PixelsAre(*dc, GradientRows({0, 25, 51, 76, 102, 127, 153, 179, 204, 230})));
  }
  {
    SCOPED_TRACE("alpha 0xFF00 at both ends");
    auto dc = Surface(12, 3);
    ASSERT_NE(dc, nullptr);
    TriVertex start{0, 0, 0, 0, 0, 0xFF00};
    TriVertex end{10, 2, 0, 0, 0xFF00, 0xFF00};
    dc->GradientFill(start, end, GradientMode::Horizontal);
    std::vector<std::uint32_t> with_alpha;
    for (std::uint32_t b : blues) with_alpha.push_back(0xFF000000u | b);
    EXPECT_TRUE(PixelsAre(*dc, GradientRows(with_alpha)));
  }
  {
    SCOPED_TRACE("clipped start keeps the colours");
    auto dc = Surface(12, 3);
    ASSERT_NE(dc, nullptr);
    dc->GradientFill(TriVertex::At(-5, 0, kBlack), TriVertex::At(5, 2, kBlue),
                     GradientMode::Horizontal);
    EXPECT_TRUE(PixelsAre(*dc, GradientRows({127, 153, 178, 204, 229})));
  }
}

TEST_F(GdiDeviceTest, GradientFillVertical) {
  const std::vector<std::uint32_t> blues = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
  auto dc = Surface(3, 12);
  ASSERT_NE(dc, nullptr);
  EXPECT_TRUE(dc->GradientFill(TriVertex::At(0, 0, kBlack), TriVertex::At(2, 10, kBlue),
                               GradientMode::Vertical));
  std::vector<std::uint32_t> expected;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 3; ++x) {
      expected.push_back(x < 2 && y < 10 ? blues[static_cast<std::size_t>(y)] : Dib(kWhite));
    }
  }
  EXPECT_TRUE(PixelsAre(*dc, expected));
}

TEST_F(GdiDeviceTest, GetPixelOutsideTheSurfaceIsInvalid) {
  auto dc = Surface(4, 3);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->GetPixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(dc->GetPixel(0, -1), kClrInvalid);
  EXPECT_EQ(dc->GetPixel(4, 0), kClrInvalid);
  EXPECT_EQ(dc->GetPixel(0, 3), kClrInvalid);
  EXPECT_EQ(dc->GetPixel(3, 2), kWhite);
}

TEST_F(GdiDeviceTest, SetPixelReturnsTheColourAndUsesTheDibLayout) {
  auto dc = Surface(4, 3);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->SetPixel(2, 1, 0x123456), 0x123456u);
  EXPECT_EQ(dc->GetPixel(2, 1), 0x123456u);
  EXPECT_TRUE(dc->SetPixelV(0, 2, kRed));
  EXPECT_EQ(dc->GetPixel(0, 2), kRed);
  // Outside the surface nothing is written (the return value there differs between systems).
  dc->SetPixel(-1, 0, kBlack);
  dc->SetPixel(4, 2, kBlack);
  dc->SetPixelV(0, 3, kBlack);
  std::vector<std::uint32_t> expected(12, Dib(kWhite));
  expected[1 * 4 + 2] = 0x00563412u;
  expected[2 * 4 + 0] = 0x00FF0000u;
  EXPECT_TRUE(PixelsAre(*dc, expected));
}

TEST_F(GdiDeviceTest, BitBltCopiesARectangle) {
  auto source = Surface(6, 4);
  auto dest = Surface(8, 6, kGreen);
  ASSERT_NE(source, nullptr);
  ASSERT_NE(dest, nullptr);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) source->SetPixelV(x, y, RGB(x * 40, y * 60, 7 + x + 6 * y));
  }
  EXPECT_TRUE(dest->BitBlt(3, 2, 4, 3, *source, 1, 1));
  std::vector<std::uint32_t> expected(48, Dib(kGreen));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      expected[static_cast<std::size_t>((2 + y) * 8 + 3 + x)] = Dib(source->GetPixel(1 + x, 1 + y));
    }
  }
  EXPECT_TRUE(PixelsAre(*dest, expected));
}

TEST_F(GdiDeviceTest, DiBits24RoundTrip) {
  constexpr int kWidth = 5;  // 15 bytes a row, padded to 16
  constexpr int kHeight = 3;
  auto dc = Surface(kWidth, kHeight);
  ASSERT_NE(dc, nullptr);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) dc->SetPixelV(x, y, RGB(x * 50, y * 90, 1 + x + 5 * y));
  }
  const std::vector<std::uint8_t> bits = dc->GetDIBits24();
  ASSERT_EQ(bits.size(), 16u * kHeight);
  // Bottom-up rows of blue, green, red.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::size_t at = static_cast<std::size_t>((kHeight - 1 - y) * 16 + x * 3);
      const ColorRef c = dc->GetPixel(x, y);
      EXPECT_EQ(bits[at], GetBValue(c)) << "blue of (" << x << ", " << y << ")";
      EXPECT_EQ(bits[at + 1], GetGValue(c)) << "green of (" << x << ", " << y << ")";
      EXPECT_EQ(bits[at + 2], GetRValue(c)) << "red of (" << x << ", " << y << ")";
    }
  }

  auto copy = Surface(kWidth, kHeight, kBlack);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->SetDIBitsToDevice24(0, 0, kWidth, kHeight, bits), kHeight);
  EXPECT_TRUE(PixelsAre(*copy, dc->Pixels()));

  auto placed = Surface(8, 5);
  ASSERT_NE(placed, nullptr);
  placed->SetDIBitsToDevice24(2, 1, kWidth, kHeight, bits);
  std::vector<std::uint32_t> expected(40, Dib(kWhite));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      expected[static_cast<std::size_t>((1 + y) * 8 + 2 + x)] = Dib(dc->GetPixel(x, y));
    }
  }
  EXPECT_TRUE(PixelsAre(*placed, expected));
}

TEST_F(GdiDeviceTest, DrawIconExAppliesTheMaskThenTheColour) {
  auto dc = Surface(4, 3, kGreen);  // 0x0000FF00 in the DIB
  ASSERT_NE(dc, nullptr);
  IconImage icon;
  icon.width = 2;
  icon.height = 2;
  icon.color = {0x00FF0000u, 0x00000000u, 0x000000FFu, 0x00123456u};
  icon.mask = {false, true, true, false};
  EXPECT_TRUE(dc->DrawIconEx(1, 1, icon, 2, 2));
  std::vector<std::uint32_t> expected(12, 0x0000FF00u);
  expected[1 * 4 + 1] = 0x00FF0000u;  // mask clear: the colour
  expected[1 * 4 + 2] = 0x0000FF00u;  // mask set, colour 0: the destination stays
  expected[2 * 4 + 1] = 0x0000FFFFu;  // mask set: destination XOR colour
  expected[2 * 4 + 2] = 0x00123456u;
  EXPECT_TRUE(PixelsAre(*dc, expected));
}

// The pixels of [0, width) x [0, height) inside `region`, as a picture ('R' inside).
std::vector<std::string> RegionPicture(const Region& region, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += region.PtInRegion(x, y) ? 'R' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST_F(GdiDeviceTest, RectRegionIsNormalisedAndHalfOpen) {
  auto region = device_->CreateRectRgn(6, 5, 2, 2);
  ASSERT_NE(region, nullptr);
  EXPECT_TRUE(region->PtInRegion(2, 2));
  EXPECT_TRUE(region->PtInRegion(5, 4));
  EXPECT_FALSE(region->PtInRegion(6, 5));
  EXPECT_FALSE(region->PtInRegion(6, 4));
  EXPECT_FALSE(region->PtInRegion(5, 5));
  EXPECT_EQ(region->Box(), (Rect{2, 2, 6, 5}));
}

TEST_F(GdiDeviceTest, EllipticRegionRows) {
  auto region = device_->CreateEllipticRgn(0, 0, 12, 10);
  ASSERT_NE(region, nullptr);
  const std::vector<std::string> rows = RegionPicture(*region, 12, 10);
  EXPECT_EQ(rows[0], "...RRRRR....");
  EXPECT_EQ(rows[4], "RRRRRRRRRRR.");
  EXPECT_FALSE(region->PtInRegion(11, 4));
  EXPECT_FALSE(region->PtInRegion(5, 9));
  EXPECT_EQ(region->Box(), (Rect{0, 0, 11, 9}));
}

TEST_F(GdiDeviceTest, RoundRectRegionPicture) {
  auto region = device_->CreateRoundRectRgn(0, 0, 14, 10, 6, 6);
  ASSERT_NE(region, nullptr);
  const std::vector<std::string> expected = {
      "..RRRRRRRRR.....", ".RRRRRRRRRRR....", "RRRRRRRRRRRRR...", "RRRRRRRRRRRRR...",
      "RRRRRRRRRRRRR...", "RRRRRRRRRRRRR...", "RRRRRRRRRRRRR...", ".RRRRRRRRRRR....",
      "..RRRRRRRRR.....", "................",
  };
  EXPECT_EQ(RegionPicture(*region, 16, 10), expected);
}

TEST_F(GdiDeviceTest, PolygonRegionSamplesTopLeftCorners) {
  const std::vector<Point> triangle = {{7, 1}, {13, 9}, {1, 9}};
  auto region = device_->CreatePolygonRgn(triangle, PolyFillMode::Winding);
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(region->PtInRegion(7, 1));
  EXPECT_TRUE(region->PtInRegion(7, 2));
  EXPECT_EQ(RegionPicture(*region, 16, 10)[8], "..RRRRRRRRRRR...");

  const std::vector<Point> star = {{7, 0}, {11, 11}, {1, 4}, {13, 4}, {3, 11}};
  auto alternate = device_->CreatePolygonRgn(star, PolyFillMode::Alternate);
  auto winding = device_->CreatePolygonRgn(star, PolyFillMode::Winding);
  ASSERT_NE(alternate, nullptr);
  ASSERT_NE(winding, nullptr);
  EXPECT_EQ(RegionPicture(*alternate, 15, 11)[5], "...RRR...RRR...");
  EXPECT_EQ(RegionPicture(*winding, 15, 11)[5], "...RRRRRRRRR...");
}

TEST_F(GdiDeviceTest, CombineRgnDifference) {
  auto outer = device_->CreateRectRgn(0, 0, 10, 10);
  auto hole = device_->CreateRectRgn(3, 3, 6, 6);
  auto result = device_->CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(outer, nullptr);
  ASSERT_NE(hole, nullptr);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(device_->CombineRgn(*result, *outer, *hole, RegionOp::Diff), COMPLEXREGION);
  EXPECT_TRUE(result->PtInRegion(2, 2));
  EXPECT_FALSE(result->PtInRegion(3, 3));
  EXPECT_FALSE(result->PtInRegion(5, 5));
  EXPECT_TRUE(result->PtInRegion(6, 5));
  EXPECT_TRUE(result->PtInRegion(9, 9));
  EXPECT_EQ(result->Box(), (Rect{0, 0, 10, 10}));

  // The destination may be an operand; a clone is independent of its original.
  auto before = outer->Clone();
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(device_->CombineRgn(*outer, *outer, *outer, RegionOp::Diff), NULLREGION);
  EXPECT_FALSE(outer->PtInRegion(0, 0));
  EXPECT_EQ(outer->Box(), (Rect{0, 0, 0, 0}));
  EXPECT_TRUE(before->PtInRegion(0, 0));
  EXPECT_EQ(device_->CombineRgn(*outer, *hole, *hole, RegionOp::Copy), SIMPLEREGION);
  EXPECT_EQ(outer->Box(), (Rect{3, 3, 6, 6}));
}

TEST_F(GdiDeviceTest, FillRgnPaintsExactlyTheRegion) {
  auto region = device_->CreateRoundRectRgn(0, 0, 14, 10, 6, 6);
  auto dc = Surface(16, 10);
  ASSERT_NE(region, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_TRUE(dc->FillRgn(*region, Brush::Solid(kRed)));
  EXPECT_TRUE(PixelsAre(
      *dc, FromPicture(RegionPicture(*region, 16, 10), {{'.', Dib(kWhite)}, {'R', Dib(kRed)}})));
}

FontSpec Tahoma(bool bold) {
  FontSpec font;
  font.face = "Tahoma";
  font.points = 8.25;
  font.bold = bold;
  return font;
}

TEST_F(GdiDeviceTest, TextExtentIsPositiveAndWiderWhenBold) {
  auto dc = Surface(80, 30);
  ASSERT_NE(dc, nullptr);
  dc->SelectFont(Tahoma(false));
  const Size regular = dc->GetTextExtentPoint32A("Hello");
  dc->SelectFont(Tahoma(true));
  const Size bold = dc->GetTextExtentPoint32A("Hello");
  EXPECT_GT(regular.cx, 0);
  EXPECT_GT(regular.cy, 0);
  EXPECT_GT(bold.cx, regular.cx);
}

TEST_F(GdiDeviceTest, DrawTextCalcRectMeasuresOneLine) {
  auto dc = Surface(80, 30);
  ASSERT_NE(dc, nullptr);
  dc->SelectFont(Tahoma(false));
  const Size extent = dc->GetTextExtentPoint32A("Hello");
  Rect rect{5, 7, 5, 7};
  EXPECT_EQ(dc->DrawTextA("Hello", rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX), extent.cy);
  EXPECT_EQ(rect, (Rect{5, 7, 5 + extent.cx, 7 + extent.cy}));
}

TEST_F(GdiDeviceTest, TextOutPaintsInTheTextColourInsideItsExtent) {
  constexpr ColorRef kText = RGB(0, 0, 160);
  auto dc = Surface(80, 30);
  ASSERT_NE(dc, nullptr);
  dc->SelectFont(Tahoma(false));
  dc->SetTextColor(kText);
  const Size extent = dc->GetTextExtentPoint32A("Hello");
  const Rect box{10, 8, 10 + extent.cx, 8 + extent.cy};
  EXPECT_TRUE(dc->TextOutA(box.left, box.top, "Hello"));
  int in_text_colour = 0;
  for (int y = 0; y < dc->Height(); ++y) {
    for (int x = 0; x < dc->Width(); ++x) {
      const ColorRef c = dc->GetPixel(x, y);
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      if (!inside) {
        ASSERT_EQ(c, kWhite) << "pixel (" << x << ", " << y << ") outside the extent box "
                             << box.left << "," << box.top << "-" << box.right << "," << box.bottom
                             << " was changed";
      }
      if (c == kText) ++in_text_colour;
    }
  }
  EXPECT_GT(in_text_colour, 0);
}

}  // namespace
}  // namespace fw
