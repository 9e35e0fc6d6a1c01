// Colour values: the rounding rule, OleTranslateColor and the system-colour source.
#include "platform/color.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
}

TEST(RoundHalfEvenTest, OtherValuesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(0.0), 0);
  EXPECT_EQ(RoundHalfEven(2.4), 2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
  EXPECT_EQ(RoundHalfEven(-2.4), -2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(7.0), 7);
  EXPECT_EQ(RoundHalfEven(-7.0), -7);
}

TEST(OleTranslateColorTest, PlainColoursPassThrough) {
  ColorRef out = 0xABCDEF;
  EXPECT_EQ(OleTranslateColor(0x00123456u, out), 0);
  EXPECT_EQ(out, 0x123456u);
  EXPECT_EQ(OleTranslateColor(0x00000000u, out), 0);
  EXPECT_EQ(out, 0u);
  EXPECT_EQ(OleTranslateColor(0x00FFFFFFu, out), 0);
  EXPECT_EQ(out, 0xFFFFFFu);
}

TEST(OleTranslateColorTest, SystemColourReferencesResolveThroughGetSysColor) {
  for (int index = 0; index <= 30; ++index) {
    ColorRef out = 0xABCDEF;
    EXPECT_EQ(OleTranslateColor(0x80000000u | static_cast<ColorValue>(index), out), 0)
        << "index " << index;
    EXPECT_EQ(out, GetSysColor(index)) << "index " << index;
  }
  ColorRef face = 0;
  ASSERT_EQ(OleTranslateColor(0x8000000Fu, face), 0);
  EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
}

TEST(OleTranslateColorTest, InvalidValuesLeaveTheOutputUntouched) {
  for (ColorValue value : {0x8000001Fu, 0x800000FFu, 0x80000100u, 0x81000000u, 0x01000000u,
                           0xFF000000u, 0xFFFFFFFFu}) {
    ColorRef out = 0xABCDEF;
    EXPECT_EQ(OleTranslateColor(value, out), kEInvalidArg) << std::hex << value;
    EXPECT_EQ(out, 0xABCDEFu) << std::hex << value;
  }
  EXPECT_EQ(kEInvalidArg, static_cast<long>(0x80070057u));
}

TEST(GetSysColorTest, KnownIndicesHaveColoursUnknownOnesZero) {
  for (int index = 0; index <= 30; ++index) {
    EXPECT_EQ(GetSysColor(index) & 0xFF000000u, 0u) << "index " << index;
  }
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(31), 0u);
  // The 3-D colours the controls draw with are distinct shades.
  EXPECT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_NE(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW));
}

}  // namespace
}  // namespace fw
