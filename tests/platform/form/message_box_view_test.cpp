// The program's own message box, rendered with the build's drawing device (real GDI under
// Wine): the layout of each style, its line breaks and wrapping, its buttons and how the
// keyboard and mouse answer it.
#include "platform/form/message_box_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/form/form_host.h"
#include "platform/resource_pictures.h"

namespace fw {
namespace {

constexpr ColorValue kFace = 0x8000000F;
constexpr ColorValue kHighlight = 0x80000014;
constexpr ColorValue kDarkShadow = 0x80000015;

MessageBoxView ViewOf(GdiDevice& device, std::string text, int style) {
  const std::string_view icon = MessageBoxIconName(style);
  return MessageBoxView(device, std::move(text), style,
                        icon.empty() ? nullptr : LoadResourcePictureNamed(icon));
}

// The rows of `area` holding any pixel other than the face, grouped into bands of adjacent
// rows: one band per line of text.
int InkBands(const Dc& dc, const Rect& area) {
  const ColorRef face = ResolveColor(kFace);
  int bands = 0;
  bool in_band = false;
  for (int y = area.top; y < area.bottom; ++y) {
    bool ink = false;
    for (int x = area.left; x < area.right && !ink; ++x) ink = dc.GetPixel(x, y) != face;
    if (ink && !in_band) ++bands;
    in_band = ink;
  }
  return bands;
}

TEST(MessageBoxView, EachStyleLaysOutIconTextAndButtons) {
  const std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  struct Case {
    int style;
    bool icon;
    std::vector<int> answers;
  };
  for (const Case& c :
       {Case{kMbIconError, true, {kIdOk}}, Case{kMbIconExclamation, true, {kIdOk}},
        Case{kMbIconInformation, true, {kIdOk}}, Case{kMbYesNo, false, {kIdYes, kIdNo}}}) {
    SCOPED_TRACE(c.style);
    const MessageBoxView view = ViewOf(*device, "Are you sure you want to quit ?", c.style);
    const std::unique_ptr<Dc> dc = view.Render();
    const Size size = view.ClientSize();
    ASSERT_EQ(dc->Width(), size.cx);
    ASSERT_EQ(dc->Height(), size.cy);

    // The icon, 32 x 32 at the left margin, vertically centred on the text band; the text
    // follows the icon after the same margin again.
    const Rect icon = view.IconRect();
    if (c.icon) {
      const auto picture = LoadResourcePictureNamed(MessageBoxIconName(c.style));
      EXPECT_EQ(icon.right - icon.left, 32);
      EXPECT_EQ(view.TextRect().left, icon.right + icon.left);
      const Rect& button = view.Buttons().front().rect;
      EXPECT_EQ(icon.top + 16 - button.top / 2, 0) << "icon centred on the band above the buttons";
      const std::uint32_t centre = picture->image().color[16 * 32 + 16];
      EXPECT_EQ(dc->GetPixel(icon.left + 16, icon.top + 16),
                RGB((centre >> 16) & 0xFF, (centre >> 8) & 0xFF, centre & 0xFF));
    } else {
      EXPECT_EQ(icon.right - icon.left, 0);
      EXPECT_LT(view.TextRect().left, 20) << "without an icon the text starts at the margin";
    }
    EXPECT_EQ(InkBands(*dc, view.TextRect()), 1);

    // The buttons: one row, the first one focused (black default frame) and the
    // others raised (highlight on their top-left).
    ASSERT_EQ(view.Buttons().size(), c.answers.size());
    const auto& buttons = view.Buttons();
    // Centred on the window with its 3-pixel dialog frames: 6 pixels more on the left.
    EXPECT_NEAR(buttons.front().rect.left - (size.cx - buttons.back().rect.right), 6, 1);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      EXPECT_EQ(buttons[i].answer, c.answers[i]);
      EXPECT_EQ(buttons[i].rect.top, buttons[0].rect.top);
      EXPECT_EQ(dc->GetPixel(buttons[i].rect.left, buttons[i].rect.top),
                ResolveColor(i == 0 ? kDarkShadow : kHighlight));
      EXPECT_GT(InkBands(*dc, Rect{buttons[i].rect.left + 5, buttons[i].rect.top + 5,
                                   buttons[i].rect.right - 5, buttons[i].rect.bottom - 5}),
                0)
          << "the caption is drawn";
    }
    EXPECT_EQ(buttons.back().rect.bottom + 8, size.cy);
  }
}

TEST(MessageBoxView, CarriageReturnsBreakLinesAndLongLinesWrap) {
  const std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  struct Case {
    std::string text;
    int lines;
  };
  for (const Case& c : {Case{"one\r\ntwo", 2}, Case{"one\rtwo", 2}, Case{"one\r\rthree", 2},
                        Case{"a\rb\r\nc", 3}}) {
    SCOPED_TRACE(c.text);
    const MessageBoxView view = ViewOf(*device, c.text, kMbIconInformation);
    const std::unique_ptr<Dc> dc = view.Render();
    EXPECT_EQ(InkBands(*dc, view.TextRect()), c.lines);
  }
  // A wrapped box is no wider than the text area of the dialog template.
  const MessageBoxView one = ViewOf(*device, "word", kMbIconInformation);
  const MessageBoxView wrapped = ViewOf(
      *device, "word word word word word word word word word word word word word word word word",
      kMbIconInformation);
  EXPECT_GT(wrapped.ClientSize().cx, one.ClientSize().cx);
  EXPECT_LT(wrapped.TextRect().right - wrapped.TextRect().left, 300);
  const int lines = (wrapped.TextRect().bottom - wrapped.TextRect().top) /
                    (one.TextRect().bottom - one.TextRect().top);
  EXPECT_GE(lines, 2);
  EXPECT_EQ(InkBands(*wrapped.Render(), wrapped.TextRect()), lines);
}

TEST(MessageBoxView, KeysAndMouseAnswer) {
  const std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  constexpr int kTab = 9, kReturn = 13, kEscape = 27, kSpace = 32;
  MessageBoxView yes_no = ViewOf(*device, "Quit?", kMbYesNo);
  EXPECT_EQ(yes_no.KeyDown(kReturn, false), kIdYes);
  EXPECT_EQ(yes_no.KeyDown(kEscape, false), kIdNo);
  EXPECT_EQ(yes_no.KeyDown('N', false), kIdNo);
  EXPECT_EQ(yes_no.KeyDown('Y', false), kIdYes);
  // Tab moves the focus (and the default frame) to No; Return then answers No.
  EXPECT_EQ(yes_no.KeyDown(kTab, false), std::nullopt);
  EXPECT_EQ(yes_no.Focused(), 1u);
  const std::unique_ptr<Dc> dc = yes_no.Render();
  EXPECT_EQ(dc->GetPixel(yes_no.Buttons()[1].rect.left, yes_no.Buttons()[1].rect.top),
            ResolveColor(kDarkShadow));
  EXPECT_EQ(yes_no.KeyDown(kReturn, false), kIdNo);
  EXPECT_EQ(yes_no.KeyDown(kTab, true), std::nullopt);
  EXPECT_EQ(yes_no.Focused(), 0u);
  // Space answers on its release.
  EXPECT_EQ(yes_no.KeyDown(kSpace, false), std::nullopt);
  EXPECT_EQ(yes_no.KeyUp(kSpace), kIdYes);

  // A click answers with the button pressed and released on; sliding off cancels it.
  const Rect no = yes_no.Buttons()[1].rect;
  const Point on_no{(no.left + no.right) / 2, (no.top + no.bottom) / 2};
  yes_no.MouseDown(on_no);
  EXPECT_EQ(yes_no.MouseUp(on_no), kIdNo);
  yes_no.MouseDown(on_no);
  yes_no.MouseMove({0, 0});
  EXPECT_EQ(yes_no.MouseUp({0, 0}), std::nullopt);

  MessageBoxView ok = ViewOf(*device, "Done", kMbIconExclamation);
  EXPECT_EQ(ok.KeyDown(kEscape, false), kIdOk);
  EXPECT_EQ(ok.KeyDown('N', false), std::nullopt);
  EXPECT_EQ(ok.DismissedAnswer(), kIdOk);
  EXPECT_EQ(yes_no.DismissedAnswer(), kIdNo);
}

}  // namespace
}  // namespace fw
