#include "platform/sdl/sdl_input.h"

#include <algorithm>
#include <string>

#include "formats/text/ansi_text.h"
#include "platform/usercontrol.h"

namespace fw::sdl {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  std::int16_t vk;
};

// Keys whose codes are not a contiguous run.
constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_CLEAR, 12},
    {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},
    {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},
    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

std::int16_t Offset(std::int16_t base, SDL_Keycode key, SDL_Keycode first) {
  return static_cast<std::int16_t>(base + (key - first));
}

// The length of the UTF-8 sequence a lead byte starts (1 for a stray byte, so that decoding
// always moves on).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::int16_t VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return Offset('A', key, SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return Offset('0', key, SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return Offset(112, key, SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return Offset(124, key, SDLK_F13);
  // The keypad's digits are not contiguous in SDL: 1-9 then 0.
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return Offset(97, key, SDLK_KP_1);
  if (key == SDLK_KP_0) return 96;
  for (const KeyPair& pair : kKeys) {
    if (pair.sdl == key) return pair.vk;
  }
  return 0;
}

std::int16_t ShiftStateOf(Uint16 modifiers) {
  int shift = 0;
  if ((modifiers & KMOD_SHIFT) != 0) shift |= kShiftMask;
  if ((modifiers & KMOD_CTRL) != 0) shift |= kCtrlMask;
  if ((modifiers & KMOD_ALT) != 0) shift |= kAltMask;
  return static_cast<std::int16_t>(shift);
}

std::int16_t MouseButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return kLeftButton;
    case SDL_BUTTON_RIGHT:
      return kRightButton;
    case SDL_BUTTON_MIDDLE:
      return kMiddleButton;
    default:
      return 0;
  }
}

std::int16_t ControlCharacterOf(SDL_Keycode key, Uint16 modifiers) {
  const bool ctrl = (modifiers & KMOD_CTRL) != 0;
  const bool alt = (modifiers & KMOD_ALT) != 0;
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return ctrl ? 10 : 13;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_BACKSPACE:
      return ctrl ? 127 : 8;
    default:
      break;
  }
  // SDL sends no text for Ctrl with a letter; Windows sends the control character.
  if (ctrl && !alt && key >= SDLK_a && key <= SDLK_z) return Offset(1, key, SDLK_a);
  return 0;
}

std::vector<std::int16_t> KeyPressCharacters(std::string_view utf8) {
  std::vector<std::int16_t> characters;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
    std::string ansi;
    if (!Utf8ToAnsi(utf8.substr(at, length), ansi)) {
      for (const char c : ansi) {
        characters.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(c)));
      }
    }
    at += length;
  }
  return characters;
}

}  // namespace fw::sdl
