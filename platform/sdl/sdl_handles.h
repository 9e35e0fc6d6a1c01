#pragma once
// Owning handles for the SDL objects the desktop host makes: each is released by SDL's own
// destroy function when its owner goes, in reverse order of creation.
#include <SDL.h>

#include <memory>

namespace fw::sdl {

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct CursorDeleter {
  void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
};

using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using CursorPtr = std::unique_ptr<SDL_Cursor, CursorDeleter>;

// SDL's video subsystem for the lifetime of the object. `ok()` says whether it started; when it
// did not, SDL_GetError() says why.
class VideoSubsystem {
 public:
  VideoSubsystem() : ok_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
  ~VideoSubsystem() {
    if (ok_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
  }
  VideoSubsystem(const VideoSubsystem&) = delete;
  VideoSubsystem& operator=(const VideoSubsystem&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

}  // namespace fw::sdl
