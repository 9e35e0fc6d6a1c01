// SDL's keys, modifiers, buttons and text as the controls receive them.
#include "platform/sdl/sdl_input.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/usercontrol.h"

namespace fw::sdl {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SdlInput, KeysHaveTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyOf(SDLK_TAB), 9);
  EXPECT_EQ(VirtualKeyOf(SDLK_RETURN), 13);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyOf(SDLK_SPACE), 32);
  EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyOf(SDLK_LEFT), 37);
  EXPECT_EQ(VirtualKeyOf(SDLK_UP), 38);
  EXPECT_EQ(VirtualKeyOf(SDLK_RIGHT), 39);
  EXPECT_EQ(VirtualKeyOf(SDLK_DOWN), 40);
  EXPECT_EQ(VirtualKeyOf(SDLK_a), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_z), 'Z');
  EXPECT_EQ(VirtualKeyOf(SDLK_0), '0');
  EXPECT_EQ(VirtualKeyOf(SDLK_9), '9');
  EXPECT_EQ(VirtualKeyOf(SDLK_F1), 112);
  EXPECT_EQ(VirtualKeyOf(SDLK_F12), 123);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_0), 96);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_9), 105);
  EXPECT_EQ(VirtualKeyOf(SDLK_LSHIFT), 16);
  EXPECT_EQ(VirtualKeyOf(SDLK_RCTRL), 17);
  EXPECT_EQ(VirtualKeyOf(SDLK_DELETE), 46);
  EXPECT_EQ(VirtualKeyOf(SDLK_MUTE), 0);
}

TEST(SdlInput, ModifiersBecomeTheShiftArgument) {
  EXPECT_EQ(ShiftStateOf(KMOD_NONE), 0);
  EXPECT_EQ(ShiftStateOf(KMOD_LSHIFT), kShiftMask);
  EXPECT_EQ(ShiftStateOf(KMOD_RCTRL), kCtrlMask);
  EXPECT_EQ(ShiftStateOf(KMOD_LALT), kAltMask);
  EXPECT_EQ(ShiftStateOf(KMOD_RSHIFT | KMOD_LCTRL | KMOD_RALT), kShiftMask | kCtrlMask | kAltMask);
  EXPECT_EQ(ShiftStateOf(KMOD_NUM | KMOD_CAPS), 0);
}

TEST(SdlInput, MouseButtonsBecomeTheButtonArgument) {
  EXPECT_EQ(MouseButtonOf(SDL_BUTTON_LEFT), kLeftButton);
  EXPECT_EQ(MouseButtonOf(SDL_BUTTON_RIGHT), kRightButton);
  EXPECT_EQ(MouseButtonOf(SDL_BUTTON_MIDDLE), kMiddleButton);
  EXPECT_EQ(MouseButtonOf(SDL_BUTTON_X1), 0);
}

TEST(SdlInput, KeysWithoutTextSendTheirControlCharacter) {
  EXPECT_EQ(ControlCharacterOf(SDLK_RETURN, KMOD_NONE), 13);
  EXPECT_EQ(ControlCharacterOf(SDLK_KP_ENTER, KMOD_NONE), 13);
  EXPECT_EQ(ControlCharacterOf(SDLK_ESCAPE, KMOD_NONE), 27);
  EXPECT_EQ(ControlCharacterOf(SDLK_BACKSPACE, KMOD_NONE), 8);
  EXPECT_EQ(ControlCharacterOf(SDLK_a, KMOD_LCTRL), 1);
  EXPECT_EQ(ControlCharacterOf(SDLK_z, KMOD_RCTRL), 26);
  // Space and letters arrive as text; Tab moves the focus and sends nothing.
  EXPECT_EQ(ControlCharacterOf(SDLK_SPACE, KMOD_NONE), 0);
  EXPECT_EQ(ControlCharacterOf(SDLK_a, KMOD_NONE), 0);
  EXPECT_EQ(ControlCharacterOf(SDLK_TAB, KMOD_NONE), 0);
}

TEST(SdlInput, TextBecomesWindows1252Characters) {
  EXPECT_THAT(KeyPressCharacters(" a"), ElementsAre(32, 'a'));
  EXPECT_THAT(KeyPressCharacters("\xC3\xA9"), ElementsAre(0xE9));            // é
  EXPECT_THAT(KeyPressCharacters("\xE2\x82\xAC"), ElementsAre(0x80));        // €
  EXPECT_THAT(KeyPressCharacters("x\xE2\x98\x83y"), ElementsAre('x', 'y'));  // no snowman
  EXPECT_THAT(KeyPressCharacters("\xF0\x9F\x98\x80"), IsEmpty());
  EXPECT_THAT(KeyPressCharacters("\xC3"), IsEmpty());  // cut short
}

}  // namespace
}  // namespace fw::sdl
