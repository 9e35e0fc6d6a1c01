// What the desktop's message box shows for a style word and a text.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_message_box.h"

namespace fw::sdl {
namespace {

TEST(SdlMessageBox, YesNoHasYesForEnterAndNoForEscape) {
  const MessageBoxLayout layout = MessageBoxLayoutOf(kMbYesNo | kMbIconQuestion);
  ASSERT_EQ(layout.buttons.size(), 2u);
  EXPECT_STREQ(layout.buttons[0].text, "Yes");
  EXPECT_EQ(layout.buttons[0].buttonid, kIdYes);
  EXPECT_EQ(layout.buttons[0].flags, SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT);
  EXPECT_STREQ(layout.buttons[1].text, "No");
  EXPECT_EQ(layout.buttons[1].buttonid, kIdNo);
  EXPECT_EQ(layout.buttons[1].flags, SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
  EXPECT_EQ(layout.dismissed_answer, kIdNo);
  // SDL has no question icon.
  EXPECT_EQ(layout.flags, SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT);
}

TEST(SdlMessageBox, OtherStylesHaveOneOkButtonForBothKeys) {
  for (const int style : {kMbOk, kMbOk | kMbIconInformation, 0x01, 0x03}) {
    const MessageBoxLayout layout = MessageBoxLayoutOf(style);
    ASSERT_EQ(layout.buttons.size(), 1u) << style;
    EXPECT_STREQ(layout.buttons[0].text, "OK");
    EXPECT_EQ(layout.buttons[0].buttonid, kIdOk);
    EXPECT_EQ(layout.buttons[0].flags,
              SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
    EXPECT_EQ(layout.dismissed_answer, kIdOk);
  }
}

TEST(SdlMessageBox, IconsFollowTheStyle) {
  const auto icon = [](int style) {
    return MessageBoxLayoutOf(style).flags & ~Uint32{SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT};
  };
  EXPECT_EQ(icon(kMbIconError), Uint32{SDL_MESSAGEBOX_ERROR});
  EXPECT_EQ(icon(kMbIconExclamation | kMbYesNo), Uint32{SDL_MESSAGEBOX_WARNING});
  EXPECT_EQ(icon(kMbIconInformation), Uint32{SDL_MESSAGEBOX_INFORMATION});
  EXPECT_EQ(icon(kMbOk), 0u);
}

TEST(SdlMessageBox, TextKeepsItsLineBreaksAndBecomesUtf8) {
  EXPECT_EQ(MessageBoxDisplayText("one\r\ntwo"), "one\ntwo");
  EXPECT_EQ(MessageBoxDisplayText("one\rtwo\nthree"), "one\ntwo\nthree");
  EXPECT_EQ(MessageBoxDisplayText("a\r\r\nb\r"), "a\n\nb\n");
  EXPECT_EQ(MessageBoxDisplayText("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(MessageBoxDisplayText(""), "");
}

}  // namespace
}  // namespace fw::sdl
