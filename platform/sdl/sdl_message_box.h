#pragma once
// The platform's modal message box on the Linux desktop: SDL's message box, parented to the
// window, with the buttons and icon of a MessageBoxA style word.
#include <SDL.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/form/headless_form.h"

namespace fw::sdl {

// The box a style word asks for: SDL's flags (icon and button order), its buttons (each
// button's id is the answer it gives) and the answer when the box is closed without a button.
struct MessageBoxLayout {
  Uint32 flags = 0;
  std::vector<SDL_MessageBoxButtonData> buttons;
  int dismissed_answer = kIdOk;
};

// kMbYesNo: "Yes" (Enter) and "No" (Escape); every other button set: "OK" for both keys. The
// icon: kMbIconError, kMbIconExclamation and kMbIconInformation have SDL's error, warning and
// information icons; SDL has no question icon, so kMbIconQuestion shows none.
MessageBoxLayout MessageBoxLayoutOf(int style);

// Message text as SDL shows it: Windows-1252 converted to UTF-8, with "\r\n" and a lone "\r"
// as the line break "\n".
std::string MessageBoxDisplayText(std::string_view ansi);

// Shows the box modal to `parent` (null: no parent) and waits for the answer. When SDL cannot
// show it, says why on stderr and answers as Escape would.
int ShowMessageBox(SDL_Window* parent, const MessageBoxCall& call);

}  // namespace fw::sdl
