// When the desktop shows a tooltip.
#include "platform/sdl/hover_tip.h"

#include <gtest/gtest.h>

namespace fw::sdl {
namespace {

TEST(HoverTip, ShowsAfterTheMouseRestsForTheDelay) {
  HoverTip tip;
  EXPECT_FALSE(tip.Showing(1000));
  EXPECT_EQ(tip.MillisecondsUntilShown(1000), std::nullopt);
  tip.Moved({40, 50}, 1000);
  EXPECT_FALSE(tip.Showing(1499));
  EXPECT_EQ(tip.MillisecondsUntilShown(1200), 300u);
  EXPECT_TRUE(tip.Showing(1500));
  EXPECT_EQ(tip.MillisecondsUntilShown(1500), std::nullopt);
  EXPECT_EQ(tip.At(), (Point{40, 50}));
}

TEST(HoverTip, AMoveStartsTheDelayAgain) {
  HoverTip tip;
  tip.Moved({1, 1}, 0);
  EXPECT_TRUE(tip.Showing(600));
  tip.Moved({2, 1}, 600);
  EXPECT_FALSE(tip.Showing(1000));
  EXPECT_TRUE(tip.Showing(1100));
}

TEST(HoverTip, APressOrLeavingHidesItUntilTheNextMove) {
  HoverTip tip;
  tip.Moved({1, 1}, 0);
  tip.Hide();
  EXPECT_FALSE(tip.Showing(5000));
  EXPECT_EQ(tip.MillisecondsUntilShown(5000), std::nullopt);
  tip.Moved({1, 2}, 5000);
  EXPECT_TRUE(tip.Showing(5500));
}

}  // namespace
}  // namespace fw::sdl
