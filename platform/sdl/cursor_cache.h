#pragma once
// The mouse pointer over the window: a control's own picture as a colour cursor, or one of the
// system cursors by its Windows id. Each cursor is made once and kept for the window's life.
#include <SDL.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/form/software_form.h"
#include "platform/sdl/sdl_handles.h"

namespace fw::sdl {

// SDL's system cursor for a Windows cursor id (IDC_ARROW 32512, IDC_HAND 32649, ...); ids SDL
// has no cursor for show the arrow.
SDL_SystemCursor SystemCursorOf(int id);

class CursorCache {
 public:
  // Shows the pointer; nothing happens when it is already the one shown.
  void Show(const FormCursor& cursor);

 private:
  SDL_Cursor* PictureCursor(const PicturePtr& picture);
  SDL_Cursor* SystemCursor(int id);

  // Keyed by the picture itself, which the entry keeps alive so that its address stays unique.
  std::vector<std::pair<PicturePtr, CursorPtr>> pictures_;
  std::map<SDL_SystemCursor, CursorPtr> system_;
  SDL_Cursor* shown_ = nullptr;
};

}  // namespace fw::sdl
