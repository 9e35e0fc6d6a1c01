#pragma once
// SDL's keys, modifiers and mouse buttons in the vocabulary the controls are written against:
// Windows virtual-key codes, the Shift argument's bits and the Button argument's bits.
#include <SDL.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace fw::sdl {

// The virtual-key code of a key (Tab 9, Enter 13, Escape 27, Space 32, arrows 37-40, 'A'-'Z',
// '0'-'9', F1 112 ...), or 0 for a key that has none.
std::int16_t VirtualKeyOf(SDL_Keycode key);

// The Shift argument of a modifier state: kShiftMask, kCtrlMask and kAltMask combined.
std::int16_t ShiftStateOf(Uint16 modifiers);

// The Button argument of a mouse button: kLeftButton, kRightButton or kMiddleButton; 0 for the
// extra buttons, which the controls never see.
std::int16_t MouseButtonOf(Uint8 button);

// The character a key press sends that SDL reports no text for: Enter 13, Escape 27, Backspace
// 8, and Ctrl with a letter 1-26. 0 for every other key (printable characters and Space arrive
// as text).
std::int16_t ControlCharacterOf(SDL_Keycode key, Uint16 modifiers);

// The KeyPress characters of text SDL reports (UTF-8), in Windows-1252. Characters that code
// page does not have are dropped, as a single-byte window never receives them.
std::vector<std::int16_t> KeyPressCharacters(std::string_view utf8);

}  // namespace fw::sdl
