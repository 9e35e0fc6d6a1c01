#pragma once
// A top-level SDL window that shows frames drawn in memory: its renderer and a streaming
// texture of the client area, both plain memory (no graphics driver). The main window and the
// message boxes are each one.
#include <SDL.h>

#include <string_view>

#include "platform/gdi.h"
#include "platform/sdl/sdl_handles.h"

namespace fw::sdl {

class FrameWindow {
 public:
  // Makes the window hidden, titled `title_ansi` (Windows-1252), centred on the screen. False,
  // with SDL's reason in SDL_GetError, when SDL cannot make it. Opening a window that is open
  // already gives it the new title and size: SDL's X11 backend may still wake a destroyed
  // window up from another connection (a BadWindow error that ends the program), so windows
  // that come and go, like message boxes, are hidden and opened again rather than destroyed.
  bool Open(std::string_view title_ansi, Size client, Uint32 flags = SDL_WINDOW_HIDDEN);
  void Hide() { SDL_HideWindow(window_.get()); }
  // Copies a frame of the client area's size into the texture; Present puts the texture on the
  // screen.
  void Upload(const Dc& frame);
  void Present();
  // After SDL lost the renderer's targets: makes the texture again (its contents are lost).
  void ResetTexture();

  SDL_Window* get() const { return window_.get(); }
  Uint32 Id() const { return SDL_GetWindowID(window_.get()); }

 private:
  Size client_{0, 0};
  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr texture_;
};

// The window an input or window event is meant for; 0 for events of no window.
Uint32 EventWindowId(const SDL_Event& event);

}  // namespace fw::sdl
