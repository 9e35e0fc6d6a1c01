#include "platform/sdl/frame_window.h"

#include <cstdint>
#include <string>
#include <vector>

#include "formats/text/ansi_text.h"

namespace fw::sdl {

bool FrameWindow::Open(std::string_view title_ansi, Size client, Uint32 flags) {
  client_ = client;
  const std::string title = AnsiToUtf8(title_ansi);
  texture_.reset();
  renderer_.reset();
  if (window_ == nullptr) {
    window_.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   client.cx, client.cy, flags));
    if (window_ == nullptr) return false;
  } else {
    SDL_SetWindowTitle(window_.get(), title.c_str());
    SDL_SetWindowSize(window_.get(), client.cx, client.cy);
    SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (renderer_ == nullptr) return false;
  ResetTexture();
  return texture_ != nullptr;
}

void FrameWindow::ResetTexture() {
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                   SDL_TEXTUREACCESS_STREAMING, client_.cx, client_.cy));
}

void FrameWindow::Upload(const Dc& frame) {
  const std::vector<std::uint32_t> pixels = frame.Pixels();
  SDL_UpdateTexture(texture_.get(), nullptr, pixels.data(),
                    frame.Width() * static_cast<int>(sizeof(std::uint32_t)));
}

void FrameWindow::Present() {
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

Uint32 EventWindowId(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_TEXTINPUT:
      return event.text.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_MOUSEWHEEL:
      return event.wheel.windowID;
    default:
      return 0;
  }
}

}  // namespace fw::sdl
