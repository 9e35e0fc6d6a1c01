#include "platform/sdl/sdl_message_box.h"

#include <cstdio>

#include "platform/ansi_text.h"

namespace fw::sdl {

MessageBoxLayout MessageBoxLayoutOf(int style) {
  MessageBoxLayout layout;
  // Windows places the buttons left to right in the order they are listed.
  layout.flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  switch (style & kMbIconMask) {
    case kMbIconError:
      layout.flags |= SDL_MESSAGEBOX_ERROR;
      break;
    case kMbIconExclamation:
      layout.flags |= SDL_MESSAGEBOX_WARNING;
      break;
    case kMbIconInformation:
      layout.flags |= SDL_MESSAGEBOX_INFORMATION;
      break;
    default:
      break;
  }
  if ((style & kMbButtonsMask) == kMbYesNo) {
    layout.buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kIdYes, "Yes"},
                      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kIdNo, "No"}};
    layout.dismissed_answer = kIdNo;
  } else {
    layout.buttons = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kIdOk,
         "OK"}};
    layout.dismissed_answer = kIdOk;
  }
  return layout;
}

std::string MessageBoxDisplayText(std::string_view ansi) {
  std::string lines;
  lines.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    if (ansi[i] != '\r') {
      lines += ansi[i];
      continue;
    }
    lines += '\n';
    if (i + 1 < ansi.size() && ansi[i + 1] == '\n') ++i;
  }
  return AnsiToUtf8(lines);
}

int ShowMessageBox(SDL_Window* parent, const MessageBoxCall& call) {
  const MessageBoxLayout layout = MessageBoxLayoutOf(call.style);
  const std::string title = AnsiToUtf8(call.title);
  const std::string text = MessageBoxDisplayText(call.text);
  const SDL_MessageBoxData data{layout.flags,
                                parent,
                                title.c_str(),
                                text.c_str(),
                                static_cast<int>(layout.buttons.size()),
                                layout.buttons.data(),
                                nullptr};
  int answer = -1;
  if (SDL_ShowMessageBox(&data, &answer) != 0) {
    std::fprintf(stderr, "ferrowind: cannot show the message \"%s\": %s\n", text.c_str(),
                 SDL_GetError());
    return layout.dismissed_answer;
  }
  // -1: the box was closed by its own close box.
  return answer < 0 ? layout.dismissed_answer : answer;
}

}  // namespace fw::sdl
