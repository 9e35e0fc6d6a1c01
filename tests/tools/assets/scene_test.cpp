// Shapes and their antialiased rendering, on which all the drawn art rests.
#include "tools/assets/scene.h"

#include <gtest/gtest.h>

namespace fw::assets {
namespace {

TEST(ArtShape, DistancesAreSignedAndGrowShiftsThem) {
  const Shape circle = Circle({10, 10}, 4);
  EXPECT_DOUBLE_EQ(circle({10, 10}), -4);
  EXPECT_DOUBLE_EQ(circle({17, 10}), 3);
  EXPECT_DOUBLE_EQ(Grow(circle, 2)({17, 10}), 1);
  const Shape rect = RoundRect({0, 0, 10, 6}, 0);
  EXPECT_DOUBLE_EQ(rect({5, 3}), -3);
  EXPECT_DOUBLE_EQ(rect({13, 3}), 3);
  EXPECT_DOUBLE_EQ(rect({13, 10}), 5);  // from the corner
  const Shape hole = Circle({8, 4}, 2);
  EXPECT_TRUE(Subtract(rect, hole).Contains({1, 1}));
  EXPECT_FALSE(Subtract(rect, hole).Contains({8, 3}));
}

TEST(ArtShape, PolygonKnowsInsideFromOutside) {
  const Shape triangle = Polygon({{0, 0}, {10, 0}, {0, 10}});
  EXPECT_TRUE(triangle.Contains({2, 2}));
  EXPECT_FALSE(triangle.Contains({6, 6}));
  EXPECT_NEAR(triangle({-2, 5}), 2, 1e-12);
  EXPECT_NEAR(triangle({1, 5}), -1, 1e-12);
}

TEST(ArtShape, StrokeFollowsItsPathAndHalfEllipseReachesItsEnds) {
  const std::vector<Vec> arc = UpperHalfEllipse({20, 20}, 10, 5, 8);
  EXPECT_DOUBLE_EQ(arc.front().x, 10);
  EXPECT_DOUBLE_EQ(arc.front().y, 20);
  EXPECT_DOUBLE_EQ(arc.back().x, 30);
  EXPECT_DOUBLE_EQ(arc[8].x, 20);
  EXPECT_DOUBLE_EQ(arc[8].y, 15);
  const Shape stroke = Stroke(arc, 1);
  EXPECT_TRUE(stroke.Contains({20, 15.5}));
  EXPECT_FALSE(stroke.Contains({20, 18}));
}

TEST(ArtScene, EdgesAreCoveredInProportion) {
  Scene scene;
  // Covers x from 0 to 2.5: pixel 2 is half covered.
  scene.Add(RoundRect({0, 0, 2.5, 4}, 0), Solid(Rgb(0xFF0000)));
  const image::Image image = scene.Render(4, 4, 8);
  EXPECT_EQ(image.At(0, 1), (image::Rgba{255, 0, 0, 255}));
  EXPECT_EQ(image.At(2, 1), (image::Rgba{255, 0, 0, 128}));
  EXPECT_EQ(image.At(3, 1), (image::Rgba{0, 0, 0, 0}));
}

TEST(ArtScene, ShapesThatMeetLeaveNoSeam) {
  Scene scene;
  scene.Add(RoundRect({0, 0, 1.5, 2}, 0), Solid(Rgb(0x0000FF)));
  scene.Add(RoundRect({1.5, 0, 3, 2}, 0), Solid(Rgb(0x0000FF)));
  const image::Image image = scene.Render(3, 2, 8);
  EXPECT_EQ(image.At(1, 0), (image::Rgba{0, 0, 255, 255}));
}

TEST(ArtScene, LaterLayersComposeOverEarlierOnes) {
  Scene scene;
  scene.Add(RoundRect({0, 0, 1, 1}, 0), Solid(Rgb(0xFFFFFF)));
  scene.Add(RoundRect({0, 0, 1, 1}, 0), Solid(Rgb(0x000000, 0.5)));
  const image::Image image = scene.Render(1, 1, 4);
  EXPECT_EQ(image.At(0, 0), (image::Rgba{128, 128, 128, 255}));
}

}  // namespace
}  // namespace fw::assets
