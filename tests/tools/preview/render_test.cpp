// Placing and capturing one preview control: size, states, see-through pixels outside the
// window region and in the mask colour, the parent colour behind them.
#include "tools/preview/render.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls/button/button.h"
#include "formats/image/image_file.h"
#include "tests/tools/preview/preview_test_support.h"
#include "tools/preview/button_adapter.h"
#include "tools/preview/picture_files.h"

namespace fw::preview {
namespace {

constexpr ColorRef kParent = 0x123456;  // red 0x56, green 0x34, blue 0x12

Assignment Set(std::string_view name, std::string_view text) {
  const PropertyRow* property = FindProperty(ButtonAdapter().Properties(), name);
  return {property, std::string(text), ParseValue(*property, text)};
}

class RenderTest : public ::testing::Test {
 protected:
  ControlPreview Make(const ControlRecipe& recipe) {
    return ControlPreview(button_, *device_, recipe, pictures_);
  }

  ButtonAdapter button_;
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  PictureFiles pictures_;
};

bool SeeThrough(const image::Image& image, int x, int y) {
  return image.At(x, y).a == 0;
}

TEST_F(RenderTest, SizeIsSetInTwipsBeforeThePaint) {
  ControlRecipe recipe;
  recipe.size = Size{100, 40};
  ControlPreview preview = Make(recipe);
  EXPECT_EQ(preview.window().Width(), 1500);
  EXPECT_EQ(preview.window().Height(), 600);
  const image::Image image = preview.Capture(kParent);
  EXPECT_EQ(image.width, 100);
  EXPECT_EQ(image.height, 40);
}

TEST_F(RenderTest, ThePaintMayGrowOrSquareTheControl) {
  ControlRecipe small;
  small.size = Size{10, 10};
  EXPECT_EQ(Make(small).window().Width(), 375);
  ControlRecipe square;
  square.size = Size{60, 20};
  square.assignments = {Set("ButtonShape", "2")};
  ControlPreview preview = Make(square);
  EXPECT_EQ(preview.window().Width(), 900);
  EXPECT_EQ(preview.window().Height(), 900);
}

TEST_F(RenderTest, AssignmentsRunInOrder) {
  ControlRecipe recipe;
  recipe.assignments = {Set("BackColor", "0x0000FF"), Set("ButtonTheme", "2"),
                        Set("Caption", "first"), Set("caption", "second")};
  ControlPreview preview = Make(recipe);
  EXPECT_EQ(preview.As<Button>().BackColor(), 0x3DB4A2u);  // the theme came after
  EXPECT_EQ(preview.As<Button>().Caption(), "second");
}

TEST_F(RenderTest, StatesReachTheFlagsThroughTheHandlers) {
  ControlRecipe recipe;
  recipe.states = {.focus = false, .hover = true, .pressed = false};
  {
    ControlPreview preview = Make(recipe);
    EXPECT_EQ(preview.As<Button>().HoverFlag(), true);
    EXPECT_FALSE(preview.As<Button>().PressedFlag());
    EXPECT_FALSE(preview.As<Button>().FocusFlag());
  }
  recipe.states = {.focus = false, .hover = false, .pressed = true};
  {
    ControlPreview preview = Make(recipe);
    EXPECT_TRUE(preview.As<Button>().PressedFlag());
    EXPECT_FALSE(preview.As<Button>().HoverFlag().value_or(false));
    EXPECT_FALSE(preview.As<Button>().FocusFlag());
  }
  recipe.states = {.focus = true, .hover = true, .pressed = true};
  {
    ControlPreview preview = Make(recipe);
    EXPECT_TRUE(preview.As<Button>().FocusFlag());
    EXPECT_EQ(preview.As<Button>().HoverFlag(), true);
    EXPECT_TRUE(preview.As<Button>().PressedFlag());
  }
}

TEST_F(RenderTest, ADisabledControlTakesNoState) {
  ControlRecipe recipe;
  recipe.enabled = false;
  recipe.states = {.focus = true, .hover = true, .pressed = true};
  ControlPreview preview = Make(recipe);
  EXPECT_FALSE(preview.As<Button>().Enabled());
  EXPECT_FALSE(preview.As<Button>().FocusFlag());
  EXPECT_FALSE(preview.As<Button>().HoverFlag().value_or(false));
  EXPECT_FALSE(preview.As<Button>().PressedFlag());
}

TEST_F(RenderTest, PixelsOutsideTheWindowRegionAreSeeThrough) {
  ControlRecipe recipe;
  recipe.size = Size{60, 30};
  ControlPreview preview = Make(recipe);
  preview.window().BackStyle(1);
  preview.window().SetWindowRgn(device_->CreateEllipticRgn(0, 0, 60, 30), false);
  const image::Image image = preview.Capture(kParent);
  ASSERT_EQ(image.width, 60);
  EXPECT_TRUE(SeeThrough(image, 0, 0));
  EXPECT_TRUE(SeeThrough(image, 59, 29));
  EXPECT_EQ(image.At(0, 0), (image::Rgba{0x56, 0x34, 0x12, 0}));
  EXPECT_FALSE(SeeThrough(image, 30, 15));
  EXPECT_FALSE(SeeThrough(image, 1, 15));
}

TEST_F(RenderTest, WithBackStyle0TheMaskColourIsSeeThrough) {
  ControlRecipe recipe;
  recipe.size = Size{60, 30};
  ControlPreview preview = Make(recipe);
  UserControl& window = preview.window();
  window.SetWindowRgn(nullptr, false);
  // A mask of the surface as it is, with the colour of pixel (0, 0) see-through.
  const ColorRef corner = window.hDC().GetPixel(0, 0);
  window.MaskPicture(window.Image());
  window.MaskColor(corner);
  window.BackStyle(0);
  image::Image image = preview.Capture(kParent);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      EXPECT_EQ(SeeThrough(image, x, y), window.hDC().GetPixel(x, y) == corner) << x << "," << y;
    }
  }
  // With BackStyle 1 the mask shows nothing.
  window.BackStyle(1);
  image = preview.Capture(kParent);
  EXPECT_FALSE(SeeThrough(image, 0, 0));
}

TEST_F(RenderTest, AMaskColourThatIsASystemColourIsTranslated) {
  ControlRecipe recipe;
  recipe.size = Size{40, 30};
  ControlPreview preview = Make(recipe);
  UserControl& window = preview.window();
  window.SetWindowRgn(nullptr, false);
  window.hDC().FillRect({0, 0, 40, 30}, Brush::Solid(GetSysColor(5)));
  window.hDC().FillRect({10, 10, 20, 20}, Brush::Solid(0x0000FF));
  window.MaskPicture(window.Image());
  window.MaskColor(0x80000005u);  // COLOR_WINDOW
  window.BackStyle(0);
  const image::Image image = preview.Capture(kParent);
  EXPECT_TRUE(SeeThrough(image, 0, 0));
  EXPECT_FALSE(SeeThrough(image, 15, 15));
}

// The ellipse shape sets the window region itself.
TEST_F(RenderTest, TheEllipseShapeLeavesItsCornersSeeThrough) {
  ControlRecipe recipe;
  recipe.size = Size{50, 50};
  recipe.assignments = {Set("ButtonShape", "2")};
  ControlPreview preview = Make(recipe);
  ASSERT_NE(preview.region(), nullptr) << "the ellipse renderer set no window region";
  const image::Image image = preview.Capture(kParent);
  EXPECT_TRUE(SeeThrough(image, 0, 0));
  EXPECT_TRUE(SeeThrough(image, image.width - 1, image.height - 1));
  EXPECT_FALSE(SeeThrough(image, image.width / 2, image.height / 2));
}

TEST_F(RenderTest, PpmShowsTheParentColourWhereThePngIsTransparent) {
  ControlRecipe recipe;
  recipe.size = Size{40, 20};
  ControlPreview preview = Make(recipe);
  preview.window().BackStyle(1);
  preview.window().SetWindowRgn(device_->CreateRectRgn(5, 0, 40, 20), false);
  const image::Image image = preview.Capture(kParent);
  const auto dir = test::ScratchDir();
  image::WriteImageFile(image, dir / "control.ppm");
  const image::Image ppm = image::ReadPpmFile(dir / "control.ppm");
  EXPECT_EQ(ppm.At(0, 10), (image::Rgba{0x56, 0x34, 0x12, 255}));
  EXPECT_EQ(ppm.At(4, 0), (image::Rgba{0x56, 0x34, 0x12, 255}));
  const image::Rgba inside = image.At(20, 10);
  EXPECT_EQ(ppm.At(20, 10), (image::Rgba{inside.r, inside.g, inside.b, 255}));
}

TEST_F(RenderTest, CompositeDrawsOnlyOpaquePixels) {
  image::Image sheet{3, 1, std::vector<image::Rgba>(3, image::Rgba{1, 1, 1, 255})};
  const image::Image control{2, 1, {image::Rgba{9, 9, 9, 255}, image::Rgba{7, 7, 7, 0}}};
  CompositeOver(sheet, control, 1, 0);
  EXPECT_EQ(sheet.At(0, 0), (image::Rgba{1, 1, 1, 255}));
  EXPECT_EQ(sheet.At(1, 0), (image::Rgba{9, 9, 9, 255}));
  EXPECT_EQ(sheet.At(2, 0), (image::Rgba{1, 1, 1, 255}));
  CompositeOver(sheet, control, 2, 0);  // half beyond the sheet
  EXPECT_EQ(sheet.At(2, 0), (image::Rgba{9, 9, 9, 255}));
}

TEST_F(RenderTest, ThePointerGoesToTheRegionPointNearestTheCentre) {
  EXPECT_EQ(PointerSpot(40, 20, nullptr), (Point{20, 10}));
  const auto ring = device_->CreateRectRgn(0, 0, 40, 20);
  const auto hole = device_->CreateRectRgn(10, 5, 30, 15);
  device_->CombineRgn(*ring, *ring, *hole, RegionOp::Diff);
  const Point spot = PointerSpot(40, 20, ring.get());
  EXPECT_TRUE(ring->PtInRegion(spot.x, spot.y));
  EXPECT_EQ(spot, (Point{20, 15}));
}

}  // namespace
}  // namespace fw::preview
